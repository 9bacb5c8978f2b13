#include "fit.h"


#include "fit_apply.h"
#include "fit_parallel.h"
#include "fit_parts.h"
#include "fit_target.h"
#include "noise.h"
#include "section_parts.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "vector_state.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numeric>

namespace tessera {
namespace {

FitOutcome refusal(Message message) {
    FitOutcome outcome;
    outcome.status = FitStatus::Refused;
    outcome.message = std::move(message);
    return outcome;
}

bool allFinite(const Curve& curve) {
    return std::all_of(curve.begin(), curve.end(), [](double v) { return std::isfinite(v); });
}

std::string hertzText(double frequency) { return generalText(frequency, 6, '.') + " Hz"; }

std::optional<Message> refusalFor(const FilterBankState& state, const FitSettings& settings, GridBand band) {
    if (std::all_of(state.ImportedResponse.begin(), state.ImportedResponse.end(), [](double v) { return v == 0; }))
        return Message{kFitNothingImported};
    if (!allFinite(state.ImportedResponse) || !allFinite(state.CombinedCurve))
        return Message{kFitValuesNotNumbers};
    if (std::none_of(settings.sections.begin(), settings.sections.end(), [](bool on) { return on; }))
        return Message{kFitNoSection};
    if (!std::isfinite(settings.bandLow) || !std::isfinite(settings.bandHigh))
        return Message{kFitBandEndsNotNumbers};
    if (settings.bandLow > settings.bandHigh) return Message{kFitBandReversed};
    if (band.count() < kMinimumBandPoints)
        return Message{kFitBandTooNarrow, {std::to_string(band.count()), std::to_string(kMinimumBandPoints)}};
    if ((settings.level && !std::isfinite(*settings.level)) || !std::isfinite(settings.tiltDbPerDecade))
        return Message{kFitLevelTiltNotNumbers};
    if (!(settings.maxBoostDb >= 0)) return Message{kFitMaxBoostRange};
    if (!isOfferedSmoothing(settings.smoothing))
        return Message{kFitSmoothingOffered};
    if (settings.target) {
        if (!allFinite(settings.target->values))
            return Message{kFitTargetNotNumbers, {settings.target->name}};
        if (!targetReachesBand(*settings.target, band))
            return Message{kFitTargetOutsideBand,
                           {settings.target->name, hertzText(gridFrequencies()[static_cast<std::size_t>(band.first)]),
                            hertzText(gridFrequencies()[static_cast<std::size_t>(band.last)])}};
    }
    const ResistorRange& range = settings.circuit.resistors;
    if (!(range.low > 0) || !std::isfinite(range.high) || !(range.low <= range.high))
        return Message{kFitResistorRange};
    if (allowedPositions(state, settings.series, range).empty())
        return Message{kFitNoResistorInRange, {settings.series == Series::E12 ? "E12" : "E24",
                                               generalText(range.low, 6, '.'), generalText(range.high, 6, '.')}};
    if (!settings.chooseCapacitors)
        for (int s = 1; s <= kSectionCount; ++s)
            if (settings.sections[static_cast<std::size_t>(s - 1)] &&
                !(state.section(s).Capacitance > 0 && std::isfinite(state.section(s).Capacitance)))
                return Message{kFitNoCapacitorToKeep, {std::to_string(s)}};
    return std::nullopt;
}

bool cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

// A realisation may be this much above the best RMS error to be chosen for its lower noise.
constexpr double kQuietRmsShare = 1.01;
// Near flat (kNearFlatRmsDb) the parts of this many times the designs are searched.
constexpr int kNearFlatCandidateFactor = 2;
// Near flat the best design is realised in these orders of its sections as
// well as in their own (which order the parts are chosen in decides as much
// as the design there): last to first, and by rising gain, rising frequency
// and falling Q.
std::vector<std::vector<int>> furtherOrders(const Designs& designs) {
    std::vector<int> own(designs.size());
    std::iota(own.begin(), own.end(), 0);
    const auto by = [&](auto before) {
        std::vector<int> order = own;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return before(designs[static_cast<std::size_t>(a)], designs[static_cast<std::size_t>(b)]);
        });
        return order;
    };
    return {std::vector<int>(own.rbegin(), own.rend()),
            by([](const SectionDesign& a, const SectionDesign& b) { return a.gainDb < b.gainDb; }),
            by([](const SectionDesign& a, const SectionDesign& b) { return a.logF < b.logF; }),
            by([](const SectionDesign& a, const SectionDesign& b) { return a.logQ > b.logQ; })};
}
// Where the best realisation's RMS error is more than this many times the
// best ideal design's, the parts of twice as many designs are searched too.
constexpr double kPartsDecideShare = 1.2;
// The realisations of least error (distinct parts) that the steps of two
// sections at once start from.
constexpr std::size_t kPairSteppedRealisations = 4;

SectionParts choiceParts(const FilterBankState& table, const PartsChoice& choice) {
    const auto ohms = [&](int slot) {
        return static_cast<double>(table.SeriesValues[static_cast<std::size_t>(choice.positions[static_cast<std::size_t>(slot)])]);
    };
    return {choice.capacitance, choice.capacitance, ohms(0), ohms(1), ohms(2), false};
}

// The parts as the state's sections hold them: their capacitors and their
// resistors' table positions.
CircuitParts tableParts(const FilterBankState& state) {
    CircuitParts parts;
    for (int s = 1; s <= kSectionCount; ++s) {
        const FilterSection& section = state.section(s);
        PartsChoice choice{true, -1, section.Capacitance, {section.SeriesIndex[0], section.SeriesIndex[1], section.SeriesIndex[2]}};
        parts[static_cast<std::size_t>(s - 1)] = choiceParts(state, choice);
    }
    return parts;
}

// The A-weighted output noise in uV rms; infinite for parts that cannot be built.
double noiseOf(const CircuitParts& parts, const CircuitSettings& circuit) {
    if (unbuildableReason(parts)) return std::numeric_limits<double>::infinity();
    return aWeightedNoiseUv(parts, circuit);
}

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

    // The parts of the best ideal designs; the lowest realised error wins.
    const auto fitParts = [&](const FitProblem& p, const std::function<void(double)>& ideal,
                              const std::function<void(double)>& choose) {
        FitSearch wide = settings.search;
        wide.candidates *= kNearFlatCandidateFactor;
        std::vector<Designs> candidates = fitIdealSections(p, cancel, ideal, wide);
        const double bestIdealError =
            candidates.empty() ? std::numeric_limits<double>::infinity() : designError(p, candidates.front());
        const bool flat = !candidates.empty() && nearFlat(p, bestIdealError);
        const std::size_t firstDesigns =
            flat ? candidates.size() : std::min(candidates.size(), static_cast<std::size_t>(settings.search.candidates));
        std::vector<double> kept;
        for (int s : p.sections) kept.push_back(state.section(s).Capacitance);
        // The parts of each design searched in full, and the parts the
        // sections hold now where the fit could have chosen them, each in its
        // own slot; the first of the lowest error wins.
        const std::optional<std::vector<PartsChoice>> start = startParts(p, state, limited);
        std::vector<std::pair<double, std::vector<PartsChoice>>> searched;
        // Per slot the design (none: the start's parts) and the order its
        // sections are realised in (none: their own).
        std::vector<std::pair<const Designs*, std::vector<int>>> slotDesigns;
        std::atomic<int> finished{0};
        const auto searchSlots = [&](bool reporting) {
            const std::size_t from = searched.size();
            std::vector<std::pair<double, std::vector<PartsChoice>>> fresh(slotDesigns.size() - from);
            const int count = static_cast<int>(fresh.size());
            forEachSlot(fresh, settings.search.threads, settings.search.peers, [&](int n, auto& slot) {
                if (cancelled(cancel)) return;
                const std::size_t at = from + static_cast<std::size_t>(n);
                slot.first = std::numeric_limits<double>::infinity();
                // Progress from the caller's thread only: the share of searches done.
                const bool reports = reporting && settings.search.threads <= 1 && settings.search.peers == nullptr;
                const auto report = [&](double f) {
                    if (choose && reports) choose((finished + f) / static_cast<double>(count));
                };
                const auto& [designs, order] = slotDesigns[at];
                if (designs != nullptr && !order.empty())
                    slot.second = choosePartsInOrder(p, state, limited, *designs, kept, order, cancel, report, &slot.first);
                else if (designs != nullptr)
                    slot.second = chooseParts(p, state, limited, *designs, kept, cancel, report, &slot.first);
                else
                    slot.second = searchParts(p, state, limited, *start, cancel, report, &slot.first);
                ++finished;
            });
            std::move(fresh.begin(), fresh.end(), std::back_inserter(searched));
        };
        for (std::size_t i = 0; i < firstDesigns; ++i) slotDesigns.push_back({&candidates[i], {}});
        if (start) slotDesigns.push_back({nullptr, {}});
        if (flat)
            for (std::vector<int>& order : furtherOrders(candidates.front()))
                slotDesigns.push_back({&candidates.front(), std::move(order)});
        searchSlots(true);
        // Where even the best parts realise much worse than the best ideal
        // design, the parts' steps decide more than the order of the ideal
        // errors: the parts of the other designs held are searched too (as
        // near flat; the progress has reached its end by then).
        double bestFound = std::numeric_limits<double>::infinity();
        for (const auto& slot : searched) bestFound = std::min(bestFound, slot.first);
        if (!cancelled(cancel) && firstDesigns < candidates.size() && !candidates.empty() &&
            bestFound > kPartsDecideShare * kPartsDecideShare * bestIdealError) {
            for (std::size_t i = firstDesigns; i < candidates.size(); ++i) slotDesigns.push_back({&candidates[i], {}});
            searchSlots(false);
        }
        if (cancelled(cancel)) return std::vector<PartsChoice>{};
        // Steps of two sections' parts at once from each of the few best
        // distinct realisations, each in its own slot: where one section's
        // step alone makes the curve worse, a realisation ranked below the
        // best often ends below it.
        std::vector<std::size_t> ranked(searched.size());
        std::iota(ranked.begin(), ranked.end(), std::size_t{0});
        std::stable_sort(ranked.begin(), ranked.end(),
                         [&](std::size_t a, std::size_t b) { return searched[a].first < searched[b].first; });
        std::vector<std::size_t> stepped;
        for (std::size_t i : ranked) {
            if (stepped.size() == kPairSteppedRealisations) break;
            if (!std::isfinite(searched[i].first) || searched[i].second.empty()) continue;
            if (std::none_of(stepped.begin(), stepped.end(), [&](std::size_t j) { return searched[j].second == searched[i].second; }))
                stepped.push_back(i);
        }
        std::vector<std::pair<double, std::vector<PartsChoice>>> steppedSlots(stepped.size());
        forEachSlot(steppedSlots, settings.search.threads, settings.search.peers, [&](int n, auto& slot) {
            slot = searched[stepped[static_cast<std::size_t>(n)]];
            slot.second = pairSteps(p, state, limited, std::move(slot.second), cancel);
            if (!slot.second.empty()) slot.first = squaredError(p, realisedTotal(p, state, slot.second).data());
        });
        for (std::size_t n = 0; n < stepped.size(); ++n) searched[stepped[n]] = std::move(steppedSlots[n]);
        if (cancelled(cancel)) return std::vector<PartsChoice>{};
        std::vector<PartsChoice> best;
        double bestError = std::numeric_limits<double>::infinity();
        for (auto& [error, parts] : searched)
            if (best.empty() || error < bestError) best = std::move(parts), bestError = error;
        // Changes of two sections' capacitors at once from the best.
        if (!best.empty()) best = capacitorPairSteps(p, state, limited, std::move(best), cancel);
        return best;
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

    // Among the realisations within 1 % of the best RMS error, the one with
    // the lowest A-weighted output noise with the chosen op-amp.
    const CircuitParts partsNow = tableParts(state);
    const auto partsWith = [&](const std::vector<PartsChoice>& choices) {
        CircuitParts circuit = partsNow;
        for (std::size_t k = 0; k < choices.size(); ++k)
            if (choices[k].valid)
                circuit[static_cast<std::size_t>(problem.sections[k] - 1)] = choiceParts(state, choices[k]);
        return circuit;
    };
    // Never worse than the parts the sections hold now, where the fit could
    // have chosen them.
    const std::optional<std::vector<PartsChoice>> start = startParts(problem, state, limited);
    const double startError = start ? squaredError(problem, realisedTotal(problem, state, *start).data())
                                    : std::numeric_limits<double>::infinity();
    if (start && !(squaredError(problem, realisedTotal(problem, state, parts).data()) <= startError)) parts = *start;
    if (settings.chooseCapacitors && settings.search.quietest && !parts.empty()) {
        const double error = squaredError(problem, realisedTotal(problem, state, parts).data());
        parts = quieterParts(
            problem, state, limited, parts, std::min(error * kQuietRmsShare * kQuietRmsShare, std::max(error, startError)),
            [&](const std::vector<PartsChoice>& choices) { return noiseOf(partsWith(choices), settings.circuit); },
            cancel);
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
        const Realised r = shownFigures(state, parts[k].capacitance, parts[k].positions);
        out = {true, parts[k].capacitance, parts[k].capacitorItem, parts[k].positions, r.frequency, r.q, r.gainFactor};
    }

    result.noiseBeforeUv = noiseOf(partsNow, settings.circuit);
    result.noiseAfterUv = noiseOf(partsWith(parts), settings.circuit);

    const auto applied = predictApply(state, result);
    result.predictedResult = resultCurve(*applied);
    if (!allFinite(result.predictedResult)) return refusal({kFitNoFiniteDesign});
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
