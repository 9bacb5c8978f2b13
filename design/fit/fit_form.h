#pragma once
// The fit dialog decided without widgets: its fields as texts, their first
// values, reading them into settings, and the texts and preview it shows
// after a fit. Numbers are written with the regional separator and read
// with either.

#include "fit_types.h"
#include "plot_data.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessera {

struct FitForm {
    std::string bandLow, bandHigh; // Hz
    bool automaticLevel = true;
    std::string level{"0"}; // dB, read when the level is not automatic
    std::string tilt{"0"};  // dB per decade
    std::string maxBoost; // dB
    Series series = Series::E24;
    bool chooseCapacitors = true;
    std::array<bool, kSectionCount> sections{true, true, true, true};
    int smoothing = 0; // N of 1/N octave; 0 none
    std::optional<TargetCurve> target; // none: level and tilt
};

// The smoothing choices as the dialog lists them ("none", "1/48 octave", ...)
// with their N, none first.
std::vector<std::pair<std::string, int>> smoothingChoices();

// The band marked by two markers (either order) or 20 Hz - 20 kHz, level
// 0 dB (automatic), tilt 0, maximum boost 6 dB, E24, capacitors chosen,
// every section.
FitForm initialFitForm(std::optional<std::pair<double, double>> markedBand, char separator);

// The settings of a form, or the message for the first field that is not a
// number (nothing else is judged here; the fit refuses what it cannot fit).
std::optional<Message> readFitForm(const FitForm& form, FitSettings& settings);

// "RMS 0,24 dB, largest 0,53 dB"
std::string fitErrorText(const FitError& error, char separator);

// "12,3 µV (-95,9 dBu) A-weighted", or "cannot be built" for an infinite noise.
std::string noiseText(double microvolts, char separator);

// One line per section: "1: 119 Hz, Q 2,64, 5,44 dB, 15 nF, R1 470 K, R2 18 K, R3 270 K",
// with " (kept)" for a section that did not take part.
std::string fittedSectionText(int section, const FittedSection& fitted, const FilterBankState& table,
                              char separator);

// For the sections asked to take part that no parts realise within the
// limits (they keep their setting): "Filter1 and Filter2 keep their setting:
// no parts realise them within the limits."; empty when there are none.
std::string unrealisedNote(const FitSettings& settings, const FitResult& result);

// The preview: the predicted Result as the main curve, the measurement and
// the target as further curves of their own kinds (each with its colour),
// over the whole grid.
PlotData fitPreview(const FilterBankState& state, const FitResult& result);
// Before a fit: the Result as it is and the measurement (smoothed as the
// settings ask), and a target curve when one is chosen, at the settings'
// level or the automatic one for the Result as it is.
PlotData currentPreview(const FilterBankState& state, const FitSettings& settings = {});

} // namespace tessera
