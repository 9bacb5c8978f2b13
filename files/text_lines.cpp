#include "text_lines.h"

namespace tessera {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool spellsNonFinite(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    return sameIgnoringCase(text, "inf") || sameIgnoringCase(text, "infinity") || sameIgnoringCase(text, "nan");
}

bool endsWith3(std::string_view name, std::string_view ending) {
    return sameIgnoringCase(name.size() > 3 ? name.substr(name.size() - 3) : name, ending);
}

} // namespace tessera
