#pragma once
// What the fit is asked for and what it gives back: the settings of the fit
// dialog and of `tessera-design fit`, and for each section the parts found,
// with the realised values those parts give.

#include "circuit_settings.h"
#include "design_messages.h"
#include "filter_bank_state.h"
#include "filter_engine.h"
#include "grid_band.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace tessera {

class FitPeers;

inline constexpr double kDefaultMaxBoostDb = 6;
// 20 log10(1 + 10): the largest gain a section can be set to, boost or cut.
inline constexpr double kSectionGainLimitDb = 20.827853703164502;
// The band must hold at least this many grid points.
inline constexpr int kMinimumBandPoints = 5;

// A target curve read from a file, on the grid as an import puts it.
struct TargetCurve {
    std::string name;   // the file's name as given
    Curve values{};     // dB
    double lowHz = 0, highHz = 0; // the file's first and last data point

    bool operator==(const TargetCurve&) const = default;
};

// How widely the fit searches: the default, or the much longer search the
// quality benchmark's references come from.
struct FitSearch {
    int candidates = 12;  // the best distinct ideal designs taken on to the choice of parts (twice as many near flat)
    int randomStarts = 200; // further descents from random designs, most around the best
    unsigned long long seed = 1; // of the random starts
    // Where the capacitors are chosen: the quietest realisation within 1 % of
    // the best RMS error rather than the best itself.
    bool quietest = true;
    int threads = 1; // worker threads; the result does not depend on them
    // Where set, the work is shared with other processes instead (their
    // number replaces `threads`); the result does not depend on them either.
    FitPeers* peers = nullptr;

    // `factor` times the effort: more random starts and more candidates.
    FitSearch scaled(int factor) const {
        FitSearch s = *this;
        s.randomStarts *= factor;
        s.candidates *= std::min(factor, 4);
        return s;
    }

    bool operator==(const FitSearch&) const = default;
};

struct FitSettings {
    double bandLow = 20;     // Hz
    double bandHigh = 20000; // Hz
    // The target level at 1 kHz in dB; none for the level that minimises the error.
    std::optional<double> level;
    double tiltDbPerDecade = 0; // the target's slope around 1 kHz
    double maxBoostDb = kDefaultMaxBoostDb; // per boost section, at most kSectionGainLimitDb
    Series series = Series::E24;
    bool chooseCapacitors = true;
    std::array<bool, kSectionCount> sections{true, true, true, true}; // by section - 1
    // The measurement smoothed over 1/N octave (one of kSmoothingFractions); 0: not smoothed.
    int smoothing = 0;
    // A target curve; none: the line of level and tilt.
    std::optional<TargetCurve> target;
    // The op-amp, the summing resistors and the range of the resistors the fit may choose.
    CircuitSettings circuit;
    FitSearch search;
};

// The error of a Result against the target over the band's grid points.
struct FitError {
    double rms = 0;     // dB
    double largest = 0; // largest absolute deviation, dB
};

struct FittedSection {
    bool fitted = false;       // false: the section kept its setting
    double capacitance = 0;    // farads
    int capacitorItem = -1;    // index into kCapacitorItems; -1: the section's own capacitor kept
    std::array<int, 3> positions{}; // table positions by Slot: R1, R2, R3
    // Realised by the parts, as the page shows them.
    double frequency = 0;
    double q = 0;
    double gainFactor = 0;
};

struct FitResult {
    std::array<FittedSection, kSectionCount> sections{}; // by section - 1
    Series series = Series::E24;
    GridBand band;
    double level = 0;       // the target level at 1 kHz used for `after`, dB
    Curve target{};         // the target on the whole grid, dB
    Curve measurement{};    // the measurement the fit worked on (smoothed as asked), dB
    Curve resultBefore{};   // the Result as it is now
    Curve predictedResult{}; // the Result after Apply, bit for bit
    // Against the target, with the measurement smoothed as asked.
    FitError before;        // the Result as it is now
    FitError after;         // the predicted Result
    // A-weighted output noise, uV rms, with the chosen op-amp and summing
    // resistors, of the parts now and after Apply; infinite when they cannot
    // be built.
    double noiseBeforeUv = 0, noiseAfterUv = 0;

    const FittedSection& section(int s) const { return sections[static_cast<std::size_t>(s - 1)]; }
};

enum class FitStatus { Done, Refused, Cancelled };

struct FitOutcome {
    FitStatus status = FitStatus::Refused;
    Message message; // for a refusal: what the user is told
    FitResult result;

    bool done() const { return status == FitStatus::Done; }
};

} // namespace tessera
