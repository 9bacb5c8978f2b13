#pragma once
// Import of an MLSSA text export (".txt"): a title line, a column header
// naming "Hz", then one "frequency,dB[,more]" point per line. The dB values
// are averaged directly onto the frequency grid.

#include "file_outcome.h"
#include "filter_engine.h"
#include "line_source.h"
#include "read_progress.h"

#include <string>
#include <string_view>

namespace tessera {

// The frequency of a data line: the field before the first comma (the whole
// line without one), by the numeric entry field's rule; 0 when not a number.
// Throws FloatOverflowError for a value too large to read.
double getMLSTxtfreq(std::string_view line);

// The magnitude in dB: the field after the first comma up to the second (the
// whole line without a comma). Throws like getMLSTxtfreq.
double getMLSTxtbetrag(std::string_view line);

// Whether the column header names the frequency column: "Hz" (any case)
// directly after the line's first double quote.
bool isMlssaHeader(std::string_view line);

// Reads the file into the imported response, plots it in the import window
// and redraws the result; Done carries the caption "Import " + name. A file
// whose second line is not the header is Ignored (no message, nothing
// changed). Refused, changing nothing, when the file cannot be read, has no
// data line, no data above 20 Hz or a number too large, and for the failures
// of readFileWith (file_reading.h). The file is read in blocks, `progress`
// told after each; Cancelled when it cancels.
FileOutcome LoadMLSTxt(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// LoadMLSTxt over lines already opened, and over a text in memory.
FileOutcome importMlssaLines(FilterEngine& engine, LineSource& lines, const std::string& fileName);
FileOutcome importMlssaText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
