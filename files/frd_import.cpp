#include "frd_import.h"

#include "file_reading.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <algorithm>
#include <optional>

namespace tessera {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Spreadsheets put text, and sometimes numbers, in double quotes.
std::string_view unquoted(std::string_view column) {
    column = trimmed(column);
    if (column.size() >= 2 && column.front() == '"' && column.back() == '"')
        column = trimmed(column.substr(1, column.size() - 2));
    return column;
}

bool isComment(std::string_view line) {
    return line.front() == '*' || line.front() == '#' || line.front() == ';' || line.starts_with("//");
}

// "inf", "-Infinity", "NaN": written by some programs for a missing value.
bool namesNonFinite(std::string_view column) {
    if (!column.empty() && (column.front() == '+' || column.front() == '-')) column.remove_prefix(1);
    return sameIgnoringCase(column, "inf") || sameIgnoringCase(column, "infinity") || sameIgnoringCase(column, "nan");
}

// The next column of `rest` up to a separator; `rest` moves past it.
struct Splitter {
    enum Kind { TabOrSemicolon, Comma, Blanks } kind;

    std::string_view next(std::string_view& rest) const {
        std::size_t end = 0;
        switch (kind) {
        case TabOrSemicolon: end = rest.find_first_of("\t;"); break;
        case Comma: end = rest.find(','); break;
        case Blanks: end = rest.find(' '); break;
        }
        const std::string_view column = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
            return column;
        }
        // A run of tabs or blanks is one separator, each ";" or "," one of its own.
        const char separator = rest[end];
        std::size_t after = end + 1;
        if (separator == '\t' || separator == ' ')
            while (after < rest.size() && rest[after] == separator) ++after;
        rest.remove_prefix(after);
        return column;
    }
};

Splitter splitterFor(std::string_view line) {
    if (line.find_first_of("\t;") != std::string_view::npos) return {Splitter::TabOrSemicolon};
    if (line.find(',') != std::string_view::npos) return {Splitter::Comma};
    return {Splitter::Blanks};
}

} // namespace

ColumnNumber columnNumber(std::string_view column, bool decimalComma) {
    column = unquoted(column);
    if (namesNonFinite(column)) return {ColumnNumber::Unreadable, 0};
    // A comma is the decimal point only where the columns are split at tabs
    // or semicolons; the entry field's rule then reads the first one as such.
    if (!decimalComma && column.find(',') != std::string_view::npos) return {ColumnNumber::Text, 0};
    try {
        const std::optional<double> value = realValue(column);
        if (!value) return {ColumnNumber::Text, 0};
        return {ColumnNumber::Number, *value};
    } catch (const FloatOverflowError&) {
        return {ColumnNumber::Unreadable, 0};
    }
}

ResponseLine readResponseLine(std::string_view line) {
    for (const char c : line)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) return {ResponseLine::Binary, {}, {}};
    line = trimmed(line);
    if (line.empty() || isComment(line)) return {};
    const Splitter splitter = splitterFor(line);
    const bool decimalComma = splitter.kind == Splitter::TabOrSemicolon;
    std::string_view rest = line;
    ResponseLine result{ResponseLine::Data, {}, {}};
    result.frequency = columnNumber(splitter.next(rest), decimalComma);
    if (result.frequency.kind == ColumnNumber::Number)
        result.magnitude = columnNumber(splitter.next(rest), decimalComma);
    return result;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The dB values are already logarithmic: their plain mean is the grid value.
double plainMean(double mean, double /*lowestSoFar*/) { return mean; }

} // namespace

FileOutcome importResponseLines(FilterEngine& engine, LineSource& lines, const std::string& fileName) {
    const auto refuse = [&](std::size_t line, const char* reason) {
        return FileOutcome::refusal(messages::measurementLineRefusal(fileName, line, reason));
    };
    GridResampler grid(GridResampler::Limit::WholeGrid, GridResampler::OnGrid::Completes);
    std::size_t lineNumber = 0, points = 0, lastDataLine = 0;
    double previous = 0;
    std::string_view line;
    while (grid.wantsMore() && lines.next(line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        const ResponseLine read = readResponseLine(line);
        if (read.kind == ResponseLine::Binary) return refuse(lineNumber, "is not a text file!");
        if (read.kind == ResponseLine::Skipped) continue;
        if (read.frequency.kind == ColumnNumber::Text && points == 0) continue; // a header before the data
        if (read.frequency.kind == ColumnNumber::Unreadable || read.magnitude.kind == ColumnNumber::Unreadable)
            return refuse(lineNumber, "holds a number too large to read or not finite!");
        if (read.frequency.kind == ColumnNumber::Text || read.magnitude.kind == ColumnNumber::Text)
            return refuse(lineNumber, "holds fewer than two numbers!");
        const double frequency = read.frequency.value;
        if (points > 0 && !(frequency > previous))
            return refuse(lineNumber, "has a frequency not above the one before!");
        grid.add(frequency, read.magnitude.value, plainMean);
        previous = frequency;
        lastDataLine = lineNumber;
        ++points;
    }
    // A NUL byte ends the lines early: the rest of the file is binary. It
    // lies on the last line read unless a line end comes right before it.
    if (grid.wantsMore() && lines.endedByNul())
        return refuse(lines.nulStartedLine() ? lineNumber + 1 : lineNumber, "is not a text file!");
    if (points == 0) return refuse(std::max<std::size_t>(lineNumber, 1), "holds no data line!");
    if (points == 1) return refuse(lastDataLine, "holds a single data point!");
    if (grid.given() == 0) return refuse(lastDataLine, "has no data from 20 Hz on!");
    return finishImport(engine, grid, 1.0, fileName);
}

FileOutcome importResponseText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, importResponseLines);
}

FileOutcome LoadFrequencyResponse(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    return readFileWith(engine, fileName, importResponseLines, {.progress = progress});
}

} // namespace tessera
