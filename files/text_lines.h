#pragma once
// Small text tests shared by the readers and the file commands, and the
// lines of a text in memory.

#include "line_source.h"

#include <string_view>

namespace tessera {

// A text's lines (CR, LF or CR LF; a NUL ends the text): a LineSource over
// the text, which also reads files in blocks.
using TextLines = LineSource;

// The text without the blanks (spaces and tabs) at either end.
inline std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Equal but for the letter case of A-Z.
bool sameIgnoringCase(std::string_view a, std::string_view b);

// "inf", "-Infinity", "NaN" (any case, blanks around it): what some programs
// write for a value that is not finite, which no reader takes as a number.
bool spellsNonFinite(std::string_view text);
inline bool namesNonFinite(std::string_view text) {
    // Decided at the first character but blanks and a sign: the usual number
    // starts with a digit or a point. This runs for every column of a file.
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '+' && c != '-') return (c | 0x20) >= 'a' && spellsNonFinite(text);
    return false;
}

// Case-insensitive test of a name's last three characters (the whole name if
// it is shorter), as the file commands choose a reader: endsWith3("a.TSN", "tsn").
bool endsWith3(std::string_view name, std::string_view ending);

} // namespace tessera
