#pragma once
// What the fit aims at and what it fits: the target (a line of level and
// tilt, or a curve read from a measurement file with the tilt added), and
// the measurement, as imported or smoothed over a fraction of an octave.

#include "file_outcome.h"
#include "fit_types.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// The offered smoothings as N of 1/N octave, finest first; 0 is none.
inline constexpr int kSmoothingFractions[] = {48, 24, 12, 6, 3, 1};

// "none" (any letter case), "1/48", ... "1/1" into N; nullopt for anything else.
std::optional<int> smoothingNamed(std::string_view text);
// "none" or "1/N".
std::string smoothingName(int octaveFraction);
bool isOfferedSmoothing(int octaveFraction);

// At grid frequency f the mean of the dB values of the grid points within
// f 2^(-1/(2N)) to f 2^(1/(2N)), the window cut at the ends of the grid; the
// curve itself for N = 0.
Curve smoothedCurve(const Curve& curve, int octaveFraction);

// The measurement the fit works on: the imported response, smoothed as the
// settings ask.
Curve fitMeasurement(const FilterBankState& state, const FitSettings& settings);

// The target less its level, on the whole grid: the tilt, plus the target
// curve moved to 0 dB at 1 kHz (read between the grid points around it).
// The level is then the target's value at 1 kHz.
Curve targetShape(const FitSettings& settings);

// The target on the whole grid for `result` (a Result with the measurement
// the fit works on in it): the settings' level, or the one that minimises the
// RMS error over the band, which must hold points; `level` receives it.
Curve targetFor(const Curve& result, const FitSettings& settings, GridBand band, double& level);

// The Result with `measurement` in place of the imported response.
Curve fittedResult(const FilterBankState& state, const Curve& measurement);

// Whether any data point of the target curve lies in the band.
bool targetReachesBand(const TargetCurve& target, GridBand band);

// A target curve read from `fileName` exactly as File → Import reads a
// measurement and put on the grid the same way; a file Import refuses is
// refused with Import's message, a name Import passes over with one saying
// so, a cancelled read comes back Cancelled.
struct TargetReading {
    FileOutcome outcome;
    std::optional<TargetCurve> curve;
};
TargetReading readTargetCurve(const std::string& fileName);

} // namespace tessera
