#pragma once
// The table of standard resistor values (E24 from 39 ohms to 1 Mohm, E12 on
// the even positions) and the search for the nearest position.

#include "filter_bank_state.h"

#include <optional>
#include <string>
#include <vector>

namespace tessera {

// Fills SeriesValues and SeriesLabels.
void E24Init(FilterBankState& state);

// Every E24 value (1.0, 1.1, ... 9.1 times a power of ten) from `lowest` to
// `highest` ohms, ascending; both ends included.
std::vector<double> e24Values(double lowest, double highest);

inline constexpr const char* kE24StatusText = "E24 - Setting";
inline constexpr const char* kE12StatusText = "E12 - Setting";

// The nearest table position to `ohms` under the section's series flags,
// ties going to the larger value. `status` receives the status line text
// when the search sets it (values inside the table's range); it is left
// alone at either end. A section with neither flag set is searched as E24.
// Never reads outside positions 0..106, whatever the value.
std::int32_t EReihenIndex(const FilterBankState& state, int section, double ohms,
                          std::optional<std::string>& status);

} // namespace tessera
