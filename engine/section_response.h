#pragma once
// Magnitude response in dB of one boost or cut section at one frequency.

#include "filter_bank_state.h"

namespace tessera {

// Boost: |1 + A H(jW)|, cut: its reciprocal, with H the band-pass normalised
// to a centre gain of 1 and W = f / F. Where the magnitude is not positive
// the logarithm is skipped and `lowestSoFar` is returned instead.
double sectionResponseDb(double f, double F, double Q, double A, bool boost, double lowestSoFar);

// The response over the frequency grid, the lowest value so far starting at 0.
Curve sectionCurveDb(double F, double Q, double A, bool boost);

} // namespace tessera
