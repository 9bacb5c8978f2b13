#include "language.h"

#include <cstdlib>

namespace tessera {

Language languageFromLocaleValues(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("de") ? Language::German : Language::English;
    }
    return Language::English;
}

Language languageFromEnvironment() {
    return languageFromLocaleValues(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                    std::getenv("LANG"));
}

std::optional<Language> parseLanguageCode(std::string_view code) {
    if (code == "de") return Language::German;
    if (code == "en") return Language::English;
    return std::nullopt;
}

std::string_view languageCode(Language language) {
    return language == Language::German ? "de" : "en";
}

} // namespace tessera
