#pragma once
// What tessera-design says beside the messages of the layers below it
// (messages.h tells how to use these).

#include "messages.h"

namespace tessera::cli {

inline constexpr Wording kUnknownLanguage{
    "tessera-design: unknown language \"%1\"; --language takes de (German) or en (English)",
    "tessera-design: unbekannte Sprache \"%1\"; --language nimmt de (Deutsch) oder en (Englisch)"};
inline constexpr Wording kLanguageNeedsValue{"tessera-design: --language takes de (German) or en (English)",
                                             "tessera-design: --language nimmt de (Deutsch) oder en (Englisch)"};

} // namespace tessera::cli
