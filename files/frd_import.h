#pragma once
// Import of the plain-text frequency responses that today's measurement
// programs write: FRD files ("frequency magnitude [phase]" lines with "*"
// comments), the text export of room-measurement programs, and CSV files of
// analysers and spreadsheets. The first column is the frequency in Hz, the
// second the magnitude in dB; further columns are ignored. The points go onto
// the frequency grid exactly as an MLSSA export's do.

#include "file_outcome.h"
#include "filter_engine.h"
#include "line_source.h"
#include "read_progress.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tessera {

// One column's number: the numeric entry field's syntax, rounded to the
// 48-bit real.
struct ColumnNumber {
    enum Kind { Number, Text, Unreadable } kind = Text; // Unreadable: too large or not finite
    double value = 0;
};

// What one line of such a file holds.
struct ResponseLine {
    enum Kind { Skipped, Data, Binary } kind = Skipped; // Skipped: blank or comment
    ColumnNumber frequency, magnitude; // for Data; a text first column is a header
};
// Splits at tabs or semicolons when the line has one (the only case with a
// decimal comma), otherwise at commas, otherwise at runs of blanks. Blank
// lines and comments ("*", "#", ";", "//") are Skipped; a control character
// makes the line Binary.
ResponseLine readResponseLine(std::string_view line);

// Reads the file into the imported response, plots it in the import window
// and redraws the result; Done carries the caption "Import " + name. Refused,
// changing nothing, with the file's name and line number, for: no data line,
// a single point, a data line without two numbers, a frequency not above the
// one before, a number too large or not finite, no data above 20 Hz, binary
// bytes; and for the failures of readFileWith (file_reading.h). Reading stops
// once the grid is filled. The file is read in blocks, `progress` told after
// each; Cancelled when it cancels.
FileOutcome LoadFrequencyResponse(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// LoadFrequencyResponse over lines already opened, and over a text in memory.
FileOutcome importResponseLines(FilterEngine& engine, LineSource& lines, const std::string& fileName);
FileOutcome importResponseText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
