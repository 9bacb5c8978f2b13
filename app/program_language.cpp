#include "program_language.h"

#include <optional>

namespace tessera {
namespace {
std::optional<Language> chosen;
} // namespace

Language programLanguage() {
    if (!chosen) chosen = languageFromEnvironment();
    return *chosen;
}

void setProgramLanguage(Language language) { chosen = language; }

std::string inProgramLanguage(const Message& message) { return message.text(programLanguage()); }

} // namespace tessera
