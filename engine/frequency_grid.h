#pragma once
// The one logarithmic grid of 256 frequencies, 20 Hz to 20 kHz, shared by
// every curve, the imported response and every plot block.

#include "filter_bank_state.h"

namespace tessera {

// b = 1000^(1/255), rounded to double.
double gridRatio();

// f_0 = 20, f_(i+1) = f_i * b, each product rounded to double. The walk is
// deterministic, so it is done once and kept.
const std::array<double, kGridPoints>& gridFrequencies();

} // namespace tessera
