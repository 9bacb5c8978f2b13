#pragma once
// What the fit and the circuit tools say to the user (messages.h tells how
// to use these). They have always been English: the German program says them
// the same way.

#include "messages.h"

namespace tessera {

// %1 the section's number, %2 a resistor's designator.
inline constexpr Wording kResistorNotPositive =
    sameInBoth("Filter%1 cannot be built: %2 is not a positive resistance (err)");
inline constexpr Wording kCapacitorsNotPositive = sameInBoth("Filter%1 cannot be built: its capacitors are not positive");
// Followed by the reason.
inline constexpr Wording kPartsListNotWritten = sameInBoth("The parts list is not written: ");

} // namespace tessera
