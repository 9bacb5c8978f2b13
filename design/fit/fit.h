#pragma once
// Fitting the sections to the imported measurement with parts that can be
// bought: the entry point shared by the fit dialog and `tessera-design fit`.
// The state is only read; Apply (fit_apply.h) makes the change.

#include "fit_types.h"

#include <atomic>
#include <functional>

namespace tessera {

// Refuses, with a message and nothing computed, when nothing is imported
// (the imported response is 0 dB everywhere), the band is inverted or holds
// fewer than kMinimumBandPoints grid points, no section takes part, or a
// setting is not a number. `progress` receives 0..1; when `cancel` becomes
// true the fit stops and comes back Cancelled.
FitOutcome fitSections(const FilterBankState& state, const FitSettings& settings,
                       const std::atomic<bool>* cancel = nullptr,
                       const std::function<void(double)>& progress = {});

// The capacitor of a fitted section as the selector shows it ("4.7 nF"), or
// for a kept capacitor its value in nanofarads.
std::string capacitorText(const FittedSection& section, char separator);

} // namespace tessera
