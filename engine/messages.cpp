#include "messages.h"

namespace tessera {

std::string render(const Wording& wording, Language language, const std::vector<std::string>& arguments) {
    const std::string_view text = wording.in(language);
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(text[++i] - '1');
            if (index < arguments.size()) out += arguments[index];
            continue;
        }
        out += c;
    }
    return out;
}

std::string Message::text(Language language) const {
    std::string out;
    for (const Part& part : parts_) out += render(*part.wording, language, part.arguments);
    return out;
}

Message Message::followedBy(const Message& next) const {
    Message both = *this;
    both.parts_.insert(both.parts_.end(), next.parts_.begin(), next.parts_.end());
    return both;
}

} // namespace tessera
