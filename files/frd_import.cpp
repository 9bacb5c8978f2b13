#include "frd_import.h"

#include "file_reading.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace tessera {
namespace {

// Spreadsheets put text, and sometimes numbers, in double quotes.
std::string_view unquoted(std::string_view column) {
    column = trimmedBlanks(column);
    if (column.size() >= 2 && column.front() == '"' && column.back() == '"')
        column = trimmedBlanks(column.substr(1, column.size() - 2));
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A comma between a digit and exactly three digits: a thousands separator
// where the columns are not split at commas.
bool separatesThousands(std::string_view text, std::size_t comma) {
    if (comma == 0 || !isDigit(text[comma - 1]) || text.size() < comma + 4) return false;
    for (std::size_t k = comma + 1; k <= comma + 3; ++k)
        if (!isDigit(text[k])) return false;
    return comma + 4 == text.size() || !isDigit(text[comma + 4]);
}

// A line without tab or semicolon whose commas all separate thousands and
// whose columns are blank-separated ("1,034.91  76.04"); a comma-separated
// line has a comma that does not ("20,76.04", "20, 76.04", "Hz,dB").
bool blankColumnsWithThousands(std::string_view line) {
    if (line.find(' ') == std::string_view::npos) return false;
    for (std::size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',', comma + 1))
        if (!separatesThousands(line, comma)) return false;
    return true;
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

// How a column's commas read: "1,034.91" can only be thousands, "12,345"
// may be thousands or a decimal comma; anything else has none.
enum class Grouping { None, Ambiguous, Thousands };

// An optional sign, one to three digits, then groups of a comma and exactly
// three digits; then the end, or a decimal point (the conversion checks the rest).
Grouping groupingOf(std::string_view column) {
    std::size_t i = 0;
    const std::size_t n = column.size();
    if (i < n && (column[i] == '+' || column[i] == '-')) ++i;
    const std::size_t lead = i;
    while (i < n && isDigit(column[i])) ++i;
    if (i == lead || i - lead > 3 || i == n || column[i] != ',') return Grouping::None;
    while (i < n && column[i] == ',') {
        const std::size_t group = ++i;
        while (i < n && isDigit(column[i])) ++i;
        if (i - group != 3) return Grouping::None;
    }
    if (i == n) return Grouping::Ambiguous;
    return column[i] == '.' ? Grouping::Thousands : Grouping::None;
}

// The number of a column: the entry field's rule, which reads the first
// comma as the decimal point (only tab, semicolon and blank columns can hold
// one), unless the commas separate thousands (`thousands`).
ColumnNumber numberIn(std::string_view column, bool thousands) {
    if (namesNonFinite(column)) return {ColumnNumber::Unreadable, 0};
    std::array<char, 64> digits;
    if (thousands) {
        if (column.size() > digits.size()) return {ColumnNumber::Text, 0};
        std::size_t length = 0;
        for (const char c : column)
            if (c != ',') digits[length++] = c;
        column = std::string_view(digits.data(), length);
    }
    try {
        const std::optional<double> value = realValue(column);
        if (!value) return {ColumnNumber::Text, 0};
        return {ColumnNumber::Number, *value};
    } catch (const FloatOverflowError&) {
        return {ColumnNumber::Unreadable, 0};
    }
}

// The number of a column that holds no comma.
ColumnNumber columnNumber(std::string_view column) { return numberIn(unquoted(column), false); }

// A column's number, the file's decimal mark learned from it. Only columns
// split at tabs, semicolons or blanks can hold a comma.
ColumnNumber markedColumnNumber(std::string_view column, bool splitAtBlanks, DecimalMark& mark) {
    column = unquoted(column);
    if (column.find(',') == std::string_view::npos) {
        const ColumnNumber number = numberIn(column, false);
        if (mark == DecimalMark::Unknown && number.kind == ColumnNumber::Number &&
            column.find('.') != std::string_view::npos)
            mark = DecimalMark::Point;
        return number;
    }
    const Grouping grouping = groupingOf(column);
    const bool thousands = grouping == Grouping::Thousands ||
                           (grouping == Grouping::Ambiguous && (splitAtBlanks || mark == DecimalMark::Point));
    const ColumnNumber number = numberIn(column, thousands);
    if (mark == DecimalMark::Unknown && number.kind == ColumnNumber::Number && grouping != Grouping::Ambiguous)
        mark = grouping == Grouping::Thousands ? DecimalMark::Point : DecimalMark::Comma;
    return number;
}

Splitter splitterFor(std::string_view trimmedLine, unsigned classes) {
    if (classes & TabOrSemicolon) return {Splitter::AtTabsOrSemicolons};
    if ((classes & Comma) && !blankColumnsWithThousands(trimmedLine)) return {Splitter::AtCommas};
    return {Splitter::AtBlanks};
}

} // namespace

ResponseLine readResponseLine(std::string_view line, DecimalMark& mark) {
    const unsigned classes = classesOf(line);
    if (classes & Control) return {ResponseLine::Binary, {}, {}};
    line = trimmedBlanks(line);
    if (line.empty() || isComment(line)) return {};
    const Splitter splitter = splitterFor(line, classes);
    std::string_view rest = line;
    if (!(classes & Comma)) {
        // The usual line, with no comma at all. Built in one piece: filled in
        // field by field, the result went through the stack in pieces too
        // small to be read back whole without a stall.
        const ColumnNumber frequency = columnNumber(splitter.next(rest));
        const ColumnNumber magnitude =
            frequency.kind == ColumnNumber::Number ? columnNumber(splitter.next(rest)) : ColumnNumber{};
        if (mark == DecimalMark::Unknown && magnitude.kind == ColumnNumber::Number &&
            line.find('.') != std::string_view::npos)
            mark = DecimalMark::Point;
        return ResponseLine{ResponseLine::Data, frequency, magnitude};
    }
    const bool atBlanks = splitter.kind == Splitter::AtBlanks;
    const DecimalMark before = mark;
    const std::string_view frequencyText = splitter.next(rest);
    ColumnNumber frequency = markedColumnNumber(frequencyText, atBlanks, mark);
    if (frequency.kind != ColumnNumber::Number) return {ResponseLine::Data, frequency, {}};
    const ColumnNumber magnitude = markedColumnNumber(splitter.next(rest), atBlanks, mark);
    // The magnitude may show the mark that the frequency's "12,345" needed.
    if (mark != before) frequency = markedColumnNumber(frequencyText, atBlanks, mark);
    return {ResponseLine::Data, frequency, magnitude};
}

ResponseColumns responseColumns(std::string_view line) {
    line = trimmedBlanks(line);
    const Splitter splitter = splitterFor(line, classesOf(line));
    std::string_view rest = line;
    const std::string_view frequency = unquoted(splitter.next(rest));
    return {frequency, unquoted(splitter.next(rest))};
}

ResponseLine readResponseLine(std::string_view line) {
    DecimalMark mark = DecimalMark::Unknown;
    return readResponseLine(line, mark);
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Why a data line holds fewer than two numbers, and the column to quote.
std::pair<const Wording&, std::string_view> unreadColumn(std::string_view line, const ResponseLine& read) {
    const ResponseColumns columns = responseColumns(line);
    if (read.frequency.kind == ColumnNumber::Unreadable) return {kLineNumberUnreadable, columns.frequency};
    if (read.frequency.kind == ColumnNumber::Text) return {kLineNotANumber, columns.frequency};
    if (read.magnitude.kind == ColumnNumber::Unreadable) return {kLineNumberUnreadable, columns.magnitude};
    if (columns.magnitude.empty()) return {kLineNothingAfter, columns.frequency};
    return {kLineNotANumber, columns.magnitude};
}

// The dB values are already logarithmic: their plain mean is the grid value.
double plainMean(double mean, double /*lowestSoFar*/) { return mean; }

} // namespace

FileOutcome importResponseLines(FilterEngine& engine, LineSource& lines, const std::string& fileName) {
    const auto refuse = [&](std::size_t line, const Wording& reason) {
        return FileOutcome::refusal(messages::measurementLineRefusal(reason, fileName, line));
    };
    const auto refuseQuoting = [&](std::size_t line, const Wording& reason, std::string_view column) {
        return FileOutcome::refusal(messages::measurementLineRefusal(reason, fileName, line, column));
    };
    GridResampler grid(GridResampler::Limit::WholeGrid, GridResampler::OnGrid::Completes);
    std::size_t lineNumber = 0, points = 0, lastDataLine = 0;
    double first = 0, previous = 0;
    DecimalMark mark = DecimalMark::Unknown;
    std::string_view line;
    while (grid.wantsMore() && lines.next(line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        const ResponseLine read = readResponseLine(line, mark);
        if (read.kind == ResponseLine::Binary) return refuse(lineNumber, kLineNotText);
        if (read.kind == ResponseLine::Skipped) continue;
        if (read.frequency.kind == ColumnNumber::Text && points == 0) continue; // a header before the data
        if (read.frequency.kind != ColumnNumber::Number || read.magnitude.kind != ColumnNumber::Number) {
            const auto [reason, column] = unreadColumn(line, read);
            return refuseQuoting(lineNumber, reason, column);
        }
        const double frequency = read.frequency.value;
        if (!(frequency > 0))
            return refuseQuoting(lineNumber, kLineFrequencyNotPositive, responseColumns(line).frequency);
        if (points > 0 && !(frequency > previous))
            return refuse(lineNumber, kLineFrequencyNotRising);
        grid.add(frequency, read.magnitude.value, plainMean);
        if (points == 0) first = frequency;
        // One point that gives the whole grid its value: nothing to import.
        if (points == 0 && !grid.wantsMore()) return refuse(lineNumber, kLineNoDataBelow20kHz);
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
    grid.reachLastPoint(plainMean);
    return finishImport(engine, grid, 1.0, fileName);
}

FileOutcome importResponseText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, importResponseLines);
}

FileOutcome LoadFrequencyResponse(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    return readFileWith(engine, fileName, importResponseLines, {.progress = progress});
}

} // namespace tessera
