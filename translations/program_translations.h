#pragma once
// The windows speak one language: the texts of the sources (English), or
// under German the catalogue built into the program and Qt's own German
// (file and print dialogs, standard buttons) from the system's Qt
// translations.

#include "language.h"

namespace tessera {

// Installs the translators of `language` in the running application in
// place of any installed before; English installs none. Widgets made
// afterwards show the language. False when a German catalogue could not be
// loaded (the program's own is built in; Qt's comes with the system).
bool useLanguage(Language language);

// The language of the last useLanguage (English before any).
Language windowLanguage();

} // namespace tessera
