#include "language_choice.h"

#include "settings_file.h"
#include "settings_store.h"

namespace tessera {

namespace {
constexpr std::string_view kGroup = "program", kKey = "language";
} // namespace

Language chosenLanguage(std::optional<Language> fromArguments, std::optional<Language> remembered,
                        Language fromEnvironment) {
    return fromArguments.value_or(remembered.value_or(fromEnvironment));
}

std::optional<Language> rememberedLanguage() {
    const std::optional<std::string> code = readSettingsFile(SettingsStore::userFile()).value(kGroup, kKey);
    if (!code) return std::nullopt;
    return parseLanguageCode(*code);
}

void rememberLanguage(SettingsStore& store, Language language) {
    store.setValue(kGroup, kKey, std::string(languageCode(language)));
}

} // namespace tessera
