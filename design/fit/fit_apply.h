#pragma once
// Apply: the steps a user would take to give each fitted section its parts,
// run on the program's engine, or on a copy of the state to predict the
// Result bit for bit (the same steps give the same parts, page texts and
// curves).

#include "fit_types.h"

#include <memory>

namespace tessera {

// For each fitted section: the capacitor chosen in the selector (unless
// kept), frequency, Q and gain typed and entered, E24 or E12 pressed, then
// each resistor stepped to its table position. Sections not fitted are left
// alone. `result` must come from a fit of this engine's state.
void applyFit(FilterEngine& engine, const FitResult& result);

// The state Apply would leave, from a copy of `state` on an engine without
// windows.
std::unique_ptr<FilterBankState> predictApply(const FilterBankState& state, const FitResult& result);

// The Result curve of a state: combined curve plus imported response.
Curve resultCurve(const FilterBankState& state);

} // namespace tessera
