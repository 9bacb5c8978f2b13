#include "frd_import.h"

#include "file_reading.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

// What the bytes of a line call for: a split at tabs or semicolons, at
// commas, or a refusal of the file.
enum LineBytes : unsigned { TabOrSemicolon = 1, Comma = 2, Control = 4 };

// Plain comparisons without branches, so that the compiler can test many
// bytes at once: this runs over every byte of every line.
unsigned classesOf(std::string_view line) {
    unsigned char control = 0, tabOrSemicolon = 0, comma = 0;
    for (const char c : line) {
        const auto u = static_cast<unsigned char>(c);
        control |= static_cast<unsigned char>((u < 0x20 && u != '\t') || u == 0x7f);
        tabOrSemicolon |= static_cast<unsigned char>(u == '\t' || u == ';');
        comma |= static_cast<unsigned char>(u == ',');
    }
    return (control ? +Control : 0u) | (tabOrSemicolon ? +TabOrSemicolon : 0u) | (comma ? +Comma : 0u);
}

// The next column of `rest` up to a separator; `rest` moves past it. A run
// of tabs or blanks is one separator, each ";" or "," one of its own.
struct Splitter {
    enum Kind { AtTabsOrSemicolons, AtCommas, AtBlanks } kind;

    std::size_t separatorIn(std::string_view rest) const {
        if (kind == AtCommas) return rest.find(',');
        if (kind == AtBlanks) return rest.find(' ');
        for (std::size_t i = 0; i < rest.size(); ++i)
            if (rest[i] == '\t' || rest[i] == ';') return i;
        return std::string_view::npos;
    }

    std::string_view next(std::string_view& rest) const {
        const std::size_t end = separatorIn(rest);
        const std::string_view column = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
            return column;
        }
        const char separator = rest[end];
        std::size_t after = end + 1;
        if (separator == '\t' || separator == ' ')
            while (after < rest.size() && rest[after] == separator) ++after;
        rest.remove_prefix(after);
        return column;
    }
};

// The number of a column. A column split at commas, or from a line without
// one, holds no comma: only tab or semicolon columns can, and there the
// entry field's rule reads the first one as the decimal point.
ColumnNumber columnNumber(std::string_view column) {
    column = unquoted(column);
    if (namesNonFinite(column)) return {ColumnNumber::Unreadable, 0};
    try {
        const std::optional<double> value = realValue(column);
        if (!value) return {ColumnNumber::Text, 0};
        return {ColumnNumber::Number, *value};
    } catch (const FloatOverflowError&) {
        return {ColumnNumber::Unreadable, 0};
    }
}

} // namespace

ResponseLine readResponseLine(std::string_view line) {
    const unsigned classes = classesOf(line);
    if (classes & Control) return {ResponseLine::Binary, {}, {}};
    line = trimmed(line);
    if (line.empty() || isComment(line)) return {};
    const Splitter splitter{(classes & TabOrSemicolon) ? Splitter::AtTabsOrSemicolons
                            : (classes & Comma)       ? Splitter::AtCommas
                                                      : Splitter::AtBlanks};
    std::string_view rest = line;
    // Built in one piece: filled in field by field, the result went through
    // the stack in pieces too small to be read back whole without a stall.
    const ColumnNumber frequency = columnNumber(splitter.next(rest));
    const ColumnNumber magnitude =
        frequency.kind == ColumnNumber::Number ? columnNumber(splitter.next(rest)) : ColumnNumber{};
    return ResponseLine{ResponseLine::Data, frequency, magnitude};
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The dB values are already logarithmic: their plain mean is the grid value.
double plainMean(double mean, double /*lowestSoFar*/) { return mean; }

} // namespace

FileOutcome importResponseLines(FilterEngine& engine, LineSource& lines, const std::string& fileName) {
    const auto refuse = [&](std::size_t line, const Wording& reason) {
        return FileOutcome::refusal(messages::measurementLineRefusal(reason, fileName, line));
    };
    GridResampler grid(GridResampler::Limit::WholeGrid, GridResampler::OnGrid::Completes);
    std::size_t lineNumber = 0, points = 0, lastDataLine = 0;
    double first = 0, previous = 0;
    std::string_view line;
    while (grid.wantsMore() && lines.next(line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        const ResponseLine read = readResponseLine(line);
        if (read.kind == ResponseLine::Binary) return refuse(lineNumber, kLineNotText);
        if (read.kind == ResponseLine::Skipped) continue;
        if (read.frequency.kind == ColumnNumber::Text && points == 0) continue; // a header before the data
        if (read.frequency.kind == ColumnNumber::Unreadable || read.magnitude.kind == ColumnNumber::Unreadable)
            return refuse(lineNumber, kLineNumberUnreadable);
        if (read.frequency.kind == ColumnNumber::Text || read.magnitude.kind == ColumnNumber::Text)
            return refuse(lineNumber, kLineFewerThanTwoNumbers);
        const double frequency = read.frequency.value;
        if (points > 0 && !(frequency > previous))
            return refuse(lineNumber, kLineFrequencyNotRising);
        grid.add(frequency, read.magnitude.value, plainMean);
        if (points == 0) first = frequency;
        previous = frequency;
        lastDataLine = lineNumber;
        ++points;
    }
    // A NUL byte ends the lines early: the rest of the file is binary. It
    // lies on the last line read unless a line end comes right before it.
    if (grid.wantsMore() && lines.endedByNul())
        return refuse(lines.nulStartedLine() ? lineNumber + 1 : lineNumber, kLineNotText);
    if (points == 0) return refuse(std::max<std::size_t>(lineNumber, 1), kLineNoDataLine);
    if (points == 1) return refuse(lastDataLine, kLineSingleDataPoint);
    if (grid.given() == 0) return refuse(lastDataLine, kLineNoDataFrom20Hz);
    grid.setSpan(first, previous);
    return finishImport(engine, grid, 1.0, fileName);
}

FileOutcome importResponseText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, importResponseLines);
}

FileOutcome LoadFrequencyResponse(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    return readFileWith(engine, fileName, importResponseLines, {.progress = progress});
}

} // namespace tessera
