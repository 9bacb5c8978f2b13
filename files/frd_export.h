#pragma once
// Export of a graph window's main curve as FRD text, the plain "frequency
// magnitude" format that measurement programs read: a "*" comment line naming
// the program, the window and the date, then one line per grid point. Every
// number carries 17 significant digits with a decimal point, so that a reader
// with full double precision gets back exactly the values plotted.

#include "file_outcome.h"
#include "filter_bank_state.h"
#include "plot_sink.h"

#include <string>
#include <string_view>

namespace tessera {

// The curve a window plots as its main curve: a section's curve, the imported
// response, or for "Result" the combined curve plus the imported response.
Curve windowCurve(const FilterBankState& state, GraphWindow window);

// Today's local date as YYYY-MM-DD.
std::string todayIsoDate();

// The whole file: the comment line, then "frequency magnitude" at each grid
// frequency, CR LF after every line.
std::string frdText(const Curve& magnitudes, GraphWindow window, std::string_view isoDate);

// Writes the window's curve under `fileName` with the safe save, leaving any
// old file intact on failure (Refused with "Kann Datei %s nicht erstellen").
// Nothing in the state changes.
FileOutcome exportFrd(const FilterBankState& state, GraphWindow window, const std::string& fileName);

} // namespace tessera
