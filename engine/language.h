#pragma once
// The one language the program speaks to its user: English, or the German
// texts under a German locale. Chosen once at start (from --language or the
// environment) by each program; headless code takes the language from its
// caller and never looks at the environment itself.

#include <optional>
#include <string_view>

namespace tessera {

enum class Language { English, German };

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty
// decides: German when it starts with "de", English otherwise (C and POSIX too).
Language languageFromEnvironment();

// The same rule for given values (unset or empty ones as nullptr or "").
Language languageFromLocaleValues(const char* lcAll, const char* lcMessages, const char* lang);

// "de" or "en" as given to --language; anything else is nullopt.
std::optional<Language> parseLanguageCode(std::string_view code);
std::string_view languageCode(Language language);

} // namespace tessera
