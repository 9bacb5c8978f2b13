#pragma once
// Import of a TEF measurement file in its text form (".tds"): a header with
// keyed numbers, then one complex data point per line at equally spaced
// frequencies. The linear magnitudes are averaged onto the frequency grid and
// shown in dB against the file's reference magnitude.

#include "file_outcome.h"
#include "filter_engine.h"
#include "line_source.h"
#include "read_progress.h"

#include <string>
#include <string_view>

namespace tessera {

// The number of a keyed line: a key in double quotes, one separator
// character, the number. 0 when the line has no quoted key or the rest is not
// a number. Throws FloatOverflowError for a value too large to read.
double getTDSdouble(std::string_view line);

// The linear magnitude of a data line: characters 1 to 15 the real part,
// character 16 ignored, 17 onwards the imaginary part. Throws like
// getTDSdouble.
double getTDSbetrag(std::string_view line);

// Reads the file into the imported response, plots it in the import window
// and redraws the result. Done carries the caption "Import " + name. Refused
// (nothing changed) for a file whose first line is not "TDS" in quotes, that
// cannot be read, ends before a line the resampling needs, declares fewer
// than 2 points, has no data above 20 Hz or holds a number too large, and
// for the failures of readFileWith (file_reading.h). The file is read in
// blocks, `progress` told after each; Cancelled when it cancels.
FileOutcome LoadTDS(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// LoadTDS over lines already opened, and over a text in memory.
FileOutcome importTdsLines(FilterEngine& engine, LineSource& lines, const std::string& fileName);
FileOutcome importTdsText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
