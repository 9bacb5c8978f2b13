#pragma once
// A text read as lines: a line ends at CR, at LF or at CR LF (one line, not
// two); a NUL byte ends the text; a terminator at the very end does not start
// another, empty line.

#include <string_view>

namespace tessera {

class TextLines {
public:
    explicit TextLines(std::string_view text);

    // The next line into `line`; false when the text is used up.
    bool next(std::string_view& line);
    bool atEnd() const { return position_ >= text_.size(); }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Equal but for the letter case of A-Z.
bool sameIgnoringCase(std::string_view a, std::string_view b);

// Case-insensitive test of a name's last three characters (the whole name if
// it is shorter), as the file commands choose a reader: endsWith3("a.TSN", "tsn").
bool endsWith3(std::string_view name, std::string_view ending);

} // namespace tessera
