#include "fit.h"


#include "fit_apply.h"
#include "fit_parts.h"
#include "fit_target.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "vector_state.h"

#include <algorithm>
#include <cmath>

namespace tessera {
namespace {

FitOutcome refusal(std::string message) {
    FitOutcome outcome;
    outcome.status = FitStatus::Refused;
    outcome.message = std::move(message);
    return outcome;
}

bool allFinite(const Curve& curve) {
    return std::all_of(curve.begin(), curve.end(), [](double v) { return std::isfinite(v); });
}

std::string hertzText(double frequency) { return generalText(frequency, 6, '.') + " Hz"; }

std::optional<std::string> refusalFor(const FilterBankState& state, const FitSettings& settings, GridBand band) {
    if (std::all_of(state.ImportedResponse.begin(), state.ImportedResponse.end(), [](double v) { return v == 0; }))
        return "Nothing has been imported: import a measurement first.";
    if (!allFinite(state.ImportedResponse) || !allFinite(state.CombinedCurve))
        return "The imported response or the sections' curves hold values that are not numbers.";
    if (std::none_of(settings.sections.begin(), settings.sections.end(), [](bool on) { return on; }))
        return "No section takes part: choose at least one section to fit.";
    if (!std::isfinite(settings.bandLow) || !std::isfinite(settings.bandHigh))
        return "The band's ends must be numbers.";
    if (settings.bandLow > settings.bandHigh) return "The band's lower end lies above its upper end.";
    if (band.count() < kMinimumBandPoints)
        return "The band holds " + std::to_string(band.count()) + " grid points; a fit needs at least " +
               std::to_string(kMinimumBandPoints) + ".";
    if ((settings.level && !std::isfinite(*settings.level)) || !std::isfinite(settings.tiltDbPerDecade))
        return "The target level and tilt must be numbers.";
    if (!(settings.maxBoostDb >= 0)) return "The maximum boost must be a number of 0 dB or more.";
    if (!isOfferedSmoothing(settings.smoothing))
        return "The smoothing must be none, 1/48, 1/24, 1/12, 1/6, 1/3 or 1/1 octave.";
    if (settings.target) {
        if (!allFinite(settings.target->values))
            return "The target curve " + settings.target->name + " holds values that are not numbers.";
        if (!targetReachesBand(*settings.target, band))
            return "The target curve " + settings.target->name + " holds no point in the band (" +
                   hertzText(gridFrequencies()[static_cast<std::size_t>(band.first)]) + " to " +
                   hertzText(gridFrequencies()[static_cast<std::size_t>(band.last)]) + ").";
    }
    const ResistorRange& range = settings.circuit.resistors;
    if (!(range.low > 0) || !std::isfinite(range.high) || !(range.low <= range.high))
        return "The resistor range must run from a positive value up to a larger one.";
    if (allowedPositions(state, settings.series, range).empty())
        return "No " + std::string(settings.series == Series::E12 ? "E12" : "E24") + " resistor the fit can set lies between " +
               generalText(range.low, 6, '.') + " and " + generalText(range.high, 6, '.') + " ohms.";
    if (!settings.chooseCapacitors)
        for (int s = 1; s <= kSectionCount; ++s)
            if (settings.sections[static_cast<std::size_t>(s - 1)] &&
                !(state.section(s).Capacitance > 0 && std::isfinite(state.section(s).Capacitance)))
                return "Section " + std::to_string(s) + " has no capacitor to keep.";
    return std::nullopt;
}

bool cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

} // namespace

FitOutcome fitSections(const FilterBankState& state, const FitSettings& settings, const std::atomic<bool>* cancel,
                       const std::function<void(double)>& progress) {
    const GridBand band = gridBand(settings.bandLow, settings.bandHigh);
    if (auto message = refusalFor(state, settings, band)) return refusal(*message);
    clearUpperVectorState();

    FitSettings limited = settings;
    limited.maxBoostDb = std::min(settings.maxBoostDb, kSectionGainLimitDb);
    const auto report = [&](double from, double share) {
        return [&progress, from, share](double fraction) {
            if (!progress) return;
            progress(from + share * fraction);
            // The progress display may have left the vector state dirty again.
            clearUpperVectorState();
        };
    };

    const auto fitParts = [&](const FitProblem& p, const std::function<void(double)>& ideal,
                              const std::function<void(double)>& choose) {
        const Designs designs = fitIdealSections(p, cancel, ideal);
        std::vector<double> kept;
        for (int s : p.sections) kept.push_back(state.section(s).Capacitance);
        if (cancelled(cancel)) return std::vector<PartsChoice>{};
        return chooseParts(p, state, limited, designs, kept, cancel, choose);
    };
    FitProblem problem = makeFitProblem(state, limited, band);
    std::vector<PartsChoice> parts = fitParts(problem, report(0, 0.6), report(0.6, 0.4));
    if (cancelled(cancel)) return {FitStatus::Cancelled, {}, {}};
    // A section that no parts realise (a boost section allowed no boost at
    // all) keeps its setting: the others are fitted again around what it adds.
    bool someKept = false;
    for (std::size_t k = 0; k < parts.size(); ++k)
        if (!parts[k].valid) {
            limited.sections[static_cast<std::size_t>(problem.sections[k] - 1)] = false;
            someKept = true;
        }
    if (someKept && std::any_of(limited.sections.begin(), limited.sections.end(), [](bool on) { return on; })) {
        problem = makeFitProblem(state, limited, band);
        parts = fitParts(problem, {}, {});
        if (cancelled(cancel)) return {FitStatus::Cancelled, {}, {}};
    }

    FitOutcome outcome;
    FitResult& result = outcome.result;
    result.series = settings.series;
    result.band = band;
    for (int s = 1; s <= kSectionCount; ++s) {
        FittedSection& out = result.sections[static_cast<std::size_t>(s - 1)];
        const FilterSection& now = state.section(s);
        out.capacitance = now.Capacitance;
        out.positions = {now.SeriesIndex[0], now.SeriesIndex[1], now.SeriesIndex[2]};
        out.frequency = now.Frequency;
        out.q = now.Q;
        out.gainFactor = now.GainFactor;
    }
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (!parts[k].valid) continue; // no parts realise it: the section stays as it is
        FittedSection& out = result.sections[static_cast<std::size_t>(problem.sections[k] - 1)];
        const Realised r = realise(state, parts[k].capacitance, parts[k].positions);
        out = {true, parts[k].capacitance, parts[k].capacitorItem, parts[k].positions, r.frequency, r.q, r.gainFactor};
    }

    const auto applied = predictApply(state, result);
    result.predictedResult = resultCurve(*applied);
    if (!allFinite(result.predictedResult)) return refusal("The fit found no design with finite values.");
    result.resultBefore = resultCurve(state);
    result.measurement = fitMeasurement(state, settings);
    double levelBefore = 0;
    const Curve before = fittedResult(state, result.measurement);
    result.before = bandError(before, targetFor(before, settings, band, levelBefore), band);
    const Curve after = fittedResult(*applied, result.measurement);
    result.target = targetFor(after, settings, band, result.level);
    result.after = bandError(after, result.target, band);
    if (progress) progress(1);
    outcome.status = FitStatus::Done;
    return outcome;
}

std::string capacitorText(const FittedSection& section, char separator) {
    if (section.capacitorItem >= 0) return kCapacitorItems[static_cast<std::size_t>(section.capacitorItem)];
    return generalText(section.capacitance * 1e9, 4, separator) + " nF";
}

} // namespace tessera
