#pragma once
// Which language the windows speak: --language, else the choice of the
// Language menu remembered in the user's settings (beside the circuit
// settings, in the same file), else the environment's.

#include "language.h"

#include <optional>

namespace tessera {

class SettingsStore;

// The first that is there: `fromArguments`, `remembered`, `fromEnvironment`.
Language chosenLanguage(std::optional<Language> fromArguments, std::optional<Language> remembered,
                        Language fromEnvironment);

// The language the Language menu chose last; nullopt when none was chosen
// (or the entry is not "de" or "en").
std::optional<Language> rememberedLanguage();
void rememberLanguage(SettingsStore& store, Language language);

} // namespace tessera
