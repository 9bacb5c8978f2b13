#pragma once
// The circuit settings as the program remembers them between runs: named
// text entries ("opamp", "summing_ohms", ...), numbers in their shortest
// round-trip form. Reading takes each entry through the same rule as a typed
// one; a missing, unreadable or out-of-range entry gives the default, the
// others stay. No Qt: the program's settings store only moves the texts.

#include "circuit_settings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessera {

// Key and text of every entry of `settings`. The figures of a custom op-amp
// are written only for "Custom": a named op-amp is remembered by its name.
std::vector<std::pair<std::string, std::string>> rememberedEntries(const CircuitSettings& settings);

// The text stored under a key, nullopt when there is none.
using RememberedLookup = std::function<std::optional<std::string>(std::string_view key)>;

// The settings from the stored entries.
CircuitSettings rememberedCircuitSettings(const RememberedLookup& lookup);

// True when `settings` is one the entry checks accept as a whole (a settings
// holder takes no other).
bool acceptableCircuitSettings(const CircuitSettings& settings);

} // namespace tessera
