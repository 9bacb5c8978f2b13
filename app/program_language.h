#pragma once
// The one language the desktop program speaks, chosen once at start (until
// then the environment's rule of language.h), and the headless code's
// messages rendered in it.

#include "messages.h"

#include <string>

namespace tessera {

Language programLanguage();
void setProgramLanguage(Language language);

std::string inProgramLanguage(const Message& message);

} // namespace tessera
