#pragma once
// Design formulas of the equal-capacitor multiple-feedback band-pass, in both
// directions. Expressions run in extended precision (pi, 2 pi); results are
// rounded to double.

#include "filter_bank_state.h"

#include <string>
#include <string_view>

namespace tessera {

// Resistor fallback where a formula would divide by zero: the last table value.
inline constexpr double kFallbackOhms = 1000000.0;
// Frequency fallback: the top of the frequency grid.
inline constexpr double kFallbackHertz = 20000.0;

// Ideal R2, R1, R3 for capacitance C, frequency f, Q and gain factor A,
// stored into IdealR2, IdealR1, IdealR3. A negative result means the section
// cannot be built (A > 2 Q^2).
void RBerechnen(FilterBankState& state, double C, double f, double Q, double A);

double fBerechnen(double C, double R1, double R2, double R3);
double QBerechnen(double C, double f, double R2);
double ABerechnen(double R1, double R2);

// What the section's standard parts really give: frequency, Q and gain
// factor from the table values at its three positions, stored in the section.
void realiseFromSeries(FilterBankState& state, int section);

// Label text of an ideal (unsnapped) resistor: whole kilo-ohms with " K"
// above 1000 ohms, whole ohms otherwise, "err" for a value that is not >= 0.
std::string idealResistorText(double ohms, char separator);

// A capacitor given in nanofarads, in farads: scaled in extended precision, so
// the selector and the configuration reader give the very same capacitance.
double nanofaradsToFarads(double nanofarads);

// The capacitance of a capacitor selector text ("2.2 nF"): the number before
// its three-character unit, in farads. Throws FloatOverflowError for a
// number too large for the conversion.
double capacitorTextFarads(std::string_view itemText);

// Shown gain in dB: boost sections 20 log10(1 + A), cut sections its negative.
double shownGainDb(int section, double gainFactor);

} // namespace tessera
