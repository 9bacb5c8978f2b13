#include "text_lines.h"

#include <cstring>

namespace tessera {

TextLines::TextLines(std::string_view text) {
    const std::size_t nul = text.find('\0');
    text_ = nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool TextLines::next(std::string_view& line) {
    if (atEnd()) return false;
    const std::size_t end = text_.find_first_of("\r\n", position_);
    if (end == std::string_view::npos) {
        line = text_.substr(position_);
        position_ = text_.size();
        return true;
    }
    line = text_.substr(position_, end - position_);
    position_ = end + 1;
    if (text_[end] == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
    return true;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool endsWith3(std::string_view name, std::string_view ending) {
    return sameIgnoringCase(name.size() > 3 ? name.substr(name.size() - 3) : name, ending);
}

} // namespace tessera
