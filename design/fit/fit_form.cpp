#include "fit_form.h"

#include "circuit_input.h"
#include "designators.h"
#include "fit.h"
#include "fit_apply.h"
#include "fit_target.h"
#include "noise.h"
#include "noise_view.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "section_formulas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessera {

namespace {

// A band end to six digits that, read back, still holds the marked grid point
// (within the band's matching of its ends): rounded to the nearest when that
// does, else moved outwards by a hundred-thousandth, far less than the grid's
// step of 2.7 %.
std::string bandEndText(double frequency, bool low, char separator) {
    const std::string nearest = generalText(frequency, 6, separator);
    const auto typed = typedNumber(nearest);
    // The very comparison gridBand makes.
    if (typed && (low ? frequency >= *typed * (1.0 - kBandEndTolerance) : frequency <= *typed * (1.0 + kBandEndTolerance)))
        return nearest;
    return generalText(frequency * (low ? 1 - 1e-5 : 1 + 1e-5), 6, separator);
}

} // namespace

FitForm initialFitForm(std::optional<std::pair<double, double>> markedBand, char separator) {
    FitForm form;
    double low = 20, high = 20000;
    if (markedBand) {
        low = std::min(markedBand->first, markedBand->second);
        high = std::max(markedBand->first, markedBand->second);
    }
    form.bandLow = bandEndText(low, true, separator);
    form.bandHigh = bandEndText(high, false, separator);
    form.maxBoost = generalText(kDefaultMaxBoostDb, 4, separator);
    return form;
}

std::optional<Message> readFitForm(const FitForm& form, FitSettings& settings) {
    const auto read = [](const std::string& text, const Wording& refusal, double& into) -> std::optional<Message> {
        const auto value = typedNumber(text);
        if (!value) return Message{refusal, {text}};
        into = *value;
        return std::nullopt;
    };
    FitSettings s;
    if (auto m = read(form.bandLow, kFitBandLowNotNumber, s.bandLow)) return m;
    if (auto m = read(form.bandHigh, kFitBandHighNotNumber, s.bandHigh)) return m;
    if (!form.automaticLevel) {
        double level = 0;
        if (auto m = read(form.level, kFitLevelNotNumber, level)) return m;
        s.level = level;
    }
    if (auto m = read(form.tilt, kFitTiltNotNumber, s.tiltDbPerDecade)) return m;
    if (auto m = read(form.maxBoost, kFitMaxBoostNotNumber, s.maxBoostDb)) return m;
    s.maxBoostDb = std::min(s.maxBoostDb, kSectionGainLimitDb);
    s.series = form.series;
    s.chooseCapacitors = form.chooseCapacitors;
    s.sections = form.sections;
    s.smoothing = form.smoothing;
    s.target = form.target;
    s.circuit = settings.circuit; // not a field of the form
    settings = s;
    return std::nullopt;
}

std::string fitErrorText(const FitError& error, char separator) {
    return "RMS " + fixedText(error.rms, 6, 2, separator) + " dB, largest " +
           fixedText(error.largest, 6, 2, separator) + " dB";
}

std::string noiseText(double microvolts, char separator) {
    if (!std::isfinite(microvolts)) return "cannot be built";
    return noiseLevelText(microvolts, voltsToDbu(microvolts * 1e-6), separator) + " A-weighted";
}

std::string fittedSectionText(int section, const FittedSection& fitted, const FilterBankState& table,
                              char separator) {
    std::string text = std::to_string(section) + ": " + fixedText(fitted.frequency, 6, 0, separator) + " Hz, Q " +
                       fixedText(fitted.q, 3, 2, separator) + ", " +
                       fixedText(shownGainDb(section, fitted.gainFactor), 4, 2, separator) + " dB, " +
                       capacitorText(fitted, separator);
    for (Slot slot : {Slot::R2, Slot::R3, Slot::R1}) {
        const auto position = static_cast<std::size_t>(fitted.positions[static_cast<std::size_t>(slotIndex(slot))]);
        text += ", " + resistorDesignator(section, slot) + " " + table.SeriesLabels[position].c_str();
    }
    return fitted.fitted ? text : text + " (kept)";
}

std::string unrealisedNote(const FitSettings& settings, const FitResult& result) {
    std::vector<std::string> names;
    for (int s = 1; s <= kSectionCount; ++s)
        if (settings.sections[static_cast<std::size_t>(s - 1)] && !result.section(s).fitted)
            names.push_back("Filter" + std::to_string(s));
    if (names.empty()) return {};
    std::string text = names.front();
    for (std::size_t k = 1; k < names.size(); ++k) text += (k + 1 == names.size() ? " and " : ", ") + names[k];
    return text + (names.size() == 1 ? " keeps its setting: no parts realise it" : " keep their setting: no parts realise them") +
           " within the limits.";
}

namespace {

// The curves from row 1 on: the Result, then the measurement and the target.
PlotData previewBlock(const std::vector<const Curve*>& curves) {
    const auto rows = static_cast<std::int32_t>(curves.size() + 1);
    PlotData block = PlotData::forRows(rows, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20.0, 20000.0);
    const auto& grid = gridFrequencies();
    double lowest = (*curves.front())[0], highest = lowest;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        block.setValue(i, grid[i]);
        for (std::size_t row = 0; row < curves.size(); ++row) {
            const double y = (*curves[row])[i];
            block.setValue((row + 1) * kGridPoints + i, y);
            lowest = std::min(lowest, y);
            highest = std::max(highest, y);
        }
    }
    block.setYRange(lowest, highest);
    block.setRowKind(2, CurveKind::Measurement);
    if (curves.size() > 2) block.setRowKind(3, CurveKind::FitTarget);
    return block;
}

} // namespace

PlotData fitPreview(const FilterBankState&, const FitResult& result) {
    return previewBlock({&result.predictedResult, &result.measurement, &result.target});
}

PlotData currentPreview(const FilterBankState& state, const FitSettings& settings) {
    const Curve result = resultCurve(state);
    const Curve measurement = fitMeasurement(state, settings);
    if (!settings.target) return previewBlock({&result, &measurement});
    // The automatic level for the Result as it is, over the band when it holds points.
    GridBand band = gridBand(settings.bandLow, settings.bandHigh);
    if (band.count() == 0) band = fullGridBand();
    double level = 0;
    const Curve target = targetFor(fittedResult(state, measurement), settings, band, level);
    return previewBlock({&result, &measurement, &target});
}

std::vector<std::pair<std::string, int>> smoothingChoices() {
    std::vector<std::pair<std::string, int>> choices{{"none", 0}};
    for (int n : kSmoothingFractions) choices.emplace_back(smoothingName(n) + " octave", n);
    return choices;
}

} // namespace tessera
