#pragma once
// The headless code's messages in the language the windows speak.

#include "messages.h"
#include "program_translations.h"

#include <string>

namespace tessera {

inline std::string inProgramLanguage(const Message& message) { return message.text(windowLanguage()); }

} // namespace tessera
