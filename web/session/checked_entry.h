#pragma once
// A typed entry through its check into its setting.

#include "circuit_input.h"
#include "page_session.h"

#include <string>

namespace tessera::web {

// The check's value into `into`; its message when refused (nothing changes).
template <typename T, typename Into> std::string take(const Checked<T>& checked, Into& into) {
    if (!checked.ok()) return checked.message.text(kPageLanguage);
    into = *checked.value;
    return {};
}

} // namespace tessera::web
