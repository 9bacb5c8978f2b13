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

// The decimal mark that the data lines read so far have shown: "20.5" or
// "1,034.91" a point, "20,5" a comma. A column such as "12,345" between tabs
// or semicolons is twelve thousand three hundred and forty-five where the
// file has shown a point, and 12.345 otherwise (as such columns have always
// been read).
enum class DecimalMark { Unknown, Point, Comma };

// Splits at tabs or semicolons when the line has one (the only case with a
// decimal comma), otherwise at runs of blanks when every comma of the line
// stands between a digit and exactly three digits (a thousands separator),
// otherwise at commas, otherwise at runs of blanks. Between tabs, semicolons
// or blanks, commas between groups of three digits followed by a decimal
// point ("1,034.91") are thousands separators, and so are those of "12,345"
// under the rule of `mark`, which the line's numbers update. Blank lines and
// comments ("*", "#", ";", "//") are Skipped; a control character makes the
// line Binary.
ResponseLine readResponseLine(std::string_view line, DecimalMark& mark);
// A line read as the first of a file.
ResponseLine readResponseLine(std::string_view line);

// The texts of a line's first two columns as readResponseLine splits them
// (quotes taken off; views into the line), for a message that quotes one.
struct ResponseColumns {
    std::string_view frequency, magnitude;
};
ResponseColumns responseColumns(std::string_view line);

// Reads the file into the imported response, plots it in the import window
// and redraws the result; Done carries the caption "Import " + name. Refused,
// changing nothing, with the file's name and line number, for: no data line,
// a single point, a data line without two numbers (quoting the column that
// is none), a frequency of 0 Hz or below or not above the one before, a
// number too large or not finite, no data above 20 Hz, a first point at or
// above 20 kHz, binary bytes; and for the failures of readFileWith
// (file_reading.h). Reading stops once the grid is filled; where the data end
// below the last grid point (just above 20 kHz), the points above the one
// before it give it their mean. The file is read in blocks, `progress` told
// after each; Cancelled when it cancels.
FileOutcome LoadFrequencyResponse(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// LoadFrequencyResponse over lines already opened, and over a text in memory.
FileOutcome importResponseLines(FilterEngine& engine, LineSource& lines, const std::string& fileName);
FileOutcome importResponseText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
