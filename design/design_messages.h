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

// The entries of the circuit tools (circuit_input.h); %1 is what was typed
// where the message shows it back.
inline constexpr Wording kResistorToleranceOneOf = sameInBoth("The resistor tolerance must be one of %1 %");
inline constexpr Wording kCapacitorToleranceOneOf = sameInBoth("The capacitor tolerance must be one of %1 %");
inline constexpr Wording kGbwRange =
    sameInBoth("The gain-bandwidth must be a number of hertz from 10000 to 1E12 (empty for the ideal op-amp)");
inline constexpr Wording kCustomGbwRange =
    sameInBoth("The gain-bandwidth in Hz of a custom op-amp must be a number from 10000 to 1E12, not \"%1\"");
inline constexpr Wording kCustomSlewRange =
    sameInBoth("The slew rate in V/us of a custom op-amp must be a number from 0.001 to 1E5, not \"%1\"");
inline constexpr Wording kCustomEnRange = sameInBoth(
    "The voltage noise en in nV/sqrt(Hz) of a custom op-amp must be a number from 0.01 to 1E5, not \"%1\"");
inline constexpr Wording kCustomInRange = sameInBoth(
    "The current noise in in pA/sqrt(Hz) of a custom op-amp must be a number from 1E-5 to 1E5, not \"%1\"");
inline constexpr Wording kTrialsRange = sameInBoth("The number of trials must be a whole number from 1 to 100000");
inline constexpr Wording kSeedRange = sameInBoth("The seed must be a whole number from 0 to 9223372036854775807");
inline constexpr Wording kBandForm =
    sameInBoth("The band must be LOW:HIGH in Hz holding at least one grid frequency (20 to 20000 Hz)");
// %2: the known names.
inline constexpr Wording kUnknownOpAmp =
    sameInBoth("The op-amp \"%1\" is not known; known are %2 (or Custom with its four figures)");
inline constexpr Wording kSummingResistorRange = sameInBoth(
    "The summing resistor (%1) must be an E24 value from 1k to 100k ohms: 1k, 1.1k, 1.2k, 1.3k, 1.5k, 1.6k, 1.8k, "
    "2k, 2.2k, 2.4k, 2.7k, 3k, 3.3k, 3.6k, 3.9k, 4.3k, 4.7k, 5.1k, 5.6k, 6.2k, 6.8k, 7.5k, 8.2k, 9.1k, 10k, ... 91k, "
    "100k");
inline constexpr Wording kResistorRangeForm =
    sameInBoth("The resistor range (%1) must be LOW:HIGH in ohms (such as 1k:1M), both positive, LOW below HIGH");
inline constexpr Wording kInputLevelRange = sameInBoth("The input level (%1) must be a number of dBu from -60 to 40");
inline constexpr Wording kOutputPeakRange = sameInBoth("The output peak (%1) must be a number of volts from 0.1 to 100");

// The fit's refusals (fit.h) and its form's (fit_form.h).
inline constexpr Wording kFitNothingImported = sameInBoth("Nothing has been imported: import a measurement first.");
inline constexpr Wording kFitValuesNotNumbers =
    sameInBoth("The imported response or the sections' curves hold values that are not numbers.");
inline constexpr Wording kFitNoSection = sameInBoth("No section takes part: choose at least one section to fit.");
inline constexpr Wording kFitBandEndsNotNumbers = sameInBoth("The band's ends must be numbers.");
inline constexpr Wording kFitBandReversed = sameInBoth("The band's lower end lies above its upper end.");
// %1 the band's grid points, %2 the fewest a fit needs.
inline constexpr Wording kFitBandTooNarrow = sameInBoth("The band holds %1 grid points; a fit needs at least %2.");
inline constexpr Wording kFitLevelTiltNotNumbers = sameInBoth("The target level and tilt must be numbers.");
inline constexpr Wording kFitMaxBoostRange = sameInBoth("The maximum boost must be a number of 0 dB or more.");
inline constexpr Wording kFitSmoothingOffered =
    sameInBoth("The smoothing must be none, 1/48, 1/24, 1/12, 1/6, 1/3 or 1/1 octave.");
// %1 the target curve's name; %2 and %3 the band's ends with their unit.
inline constexpr Wording kFitTargetNotNumbers = sameInBoth("The target curve %1 holds values that are not numbers.");
inline constexpr Wording kFitTargetOutsideBand = sameInBoth("The target curve %1 holds no point in the band (%2 to %3).");
inline constexpr Wording kFitResistorRange =
    sameInBoth("The resistor range must run from a positive value up to a larger one.");
// %1 the series, %2 and %3 the range's ends in ohms.
inline constexpr Wording kFitNoResistorInRange =
    sameInBoth("No %1 resistor the fit can set lies between %2 and %3 ohms.");
inline constexpr Wording kFitNoCapacitorToKeep = sameInBoth("Section %1 has no capacitor to keep.");
inline constexpr Wording kFitNoFiniteDesign = sameInBoth("The fit found no design with finite values.");
// %1 what was typed.
inline constexpr Wording kFitBandLowNotNumber = sameInBoth("The band's lower end \"%1\" is not a number.");
inline constexpr Wording kFitBandHighNotNumber = sameInBoth("The band's upper end \"%1\" is not a number.");
inline constexpr Wording kFitLevelNotNumber = sameInBoth("The target level \"%1\" is not a number.");
inline constexpr Wording kFitTiltNotNumber = sameInBoth("The tilt \"%1\" is not a number.");
inline constexpr Wording kFitMaxBoostNotNumber = sameInBoth("The maximum boost \"%1\" is not a number.");

// Pre-compensating a section for the op-amp (opamp_table.h); %1 the section's number.
inline constexpr Wording kNotReachableWithOpAmp =
    sameInBoth("Filter%1: no buildable design reaches the asked values with this op-amp");
inline constexpr Wording kPreCompensated = sameInBoth("Filter%1 pre-compensated.");
inline constexpr Wording kShiftBelowStep =
    sameInBoth("Filter%1: the op-amp's shift is smaller than a step of the series; its parts stay as they were.");

} // namespace tessera
