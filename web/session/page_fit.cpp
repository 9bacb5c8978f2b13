// The page's fit: the design handed exactly to a worker, the fit run there
// as the fit dialog runs it, and Apply back on the page's document.

#include "page_session.h"

#include "design_session.h"
#include "edit_history.h"
#include "fit.h"
#include "fit_apply.h"
#include "fit_parallel.h"
#include "fit_target.h"
#include "json_text.h"
#include "scratch_file.h"
#include "frequency_grid.h"
#include "standard_series.h"

#include <cmath>

namespace tessera::web {

using cli::JsonObject;
using cli::jsonArray;
using cli::jsonNumbers;
using cli::jsonString;

namespace {

// Per section: frequency, Q, gain factor, capacitance, the three table
// positions and the two series flags; then the imported response.
constexpr std::size_t kSectionFields = 9;
constexpr std::size_t kFitInputSize = kSectionFields * kSectionCount + kGridPoints;
// The series, then per section: fitted, capacitor item, frequency, Q, gain
// factor, capacitance and the three table positions.
constexpr std::size_t kFittedFields = 9;
constexpr std::size_t kApplySize = 1 + kFittedFields * kSectionCount;

// The state a fitInput() describes, its curves computed as every edit computes them.
std::unique_ptr<FilterBankState> stateOf(const std::vector<double>& input) {
    auto state = std::make_unique<FilterBankState>();
    E24Init(*state);
    if (input.size() != kFitInputSize) return state;
    FilterEngine engine(*state, '.');
    for (int s = 1; s <= kSectionCount; ++s) {
        const double* f = input.data() + kSectionFields * static_cast<std::size_t>(s - 1);
        FilterSection& section = state->section(s);
        section.Frequency = f[0];
        section.Q = f[1];
        section.GainFactor = f[2];
        section.Capacitance = f[3];
        for (std::size_t k = 0; k < 3; ++k) section.SeriesIndex[k] = static_cast<std::int32_t>(f[4 + k]);
        section.E12Snap = f[7] != 0;
        section.E24Snap = f[8] != 0;
    }
    std::copy_n(input.data() + kSectionFields * kSectionCount, kGridPoints, state->ImportedResponse.begin());
    for (int s = 1; s <= kSectionCount; ++s) engine.refreshFilter(s);
    return state;
}

std::vector<double> applyData(const FitResult& result) {
    std::vector<double> data{result.series == Series::E12 ? 0.0 : 1.0};
    for (const FittedSection& f : result.sections) {
        data.insert(data.end(), {f.fitted ? 1.0 : 0.0, static_cast<double>(f.capacitorItem), f.frequency, f.q,
                                 f.gainFactor, f.capacitance});
        for (int p : f.positions) data.push_back(p);
    }
    return data;
}

std::optional<FitResult> fromApplyData(const std::vector<double>& data) {
    if (data.size() != kApplySize) return std::nullopt;
    FitResult result;
    result.series = data[0] == 0 ? Series::E12 : Series::E24;
    for (std::size_t s = 0; s < kSectionCount; ++s) {
        const double* f = data.data() + 1 + kFittedFields * s;
        FittedSection& fitted = result.sections[s];
        fitted.fitted = f[0] != 0;
        fitted.capacitorItem = static_cast<int>(f[1]);
        if (fitted.capacitorItem >= static_cast<int>(kCapacitorItems.size())) return std::nullopt;
        fitted.frequency = f[2];
        fitted.q = f[3];
        fitted.gainFactor = f[4];
        fitted.capacitance = f[5];
        for (std::size_t k = 0; k < 3; ++k) {
            fitted.positions[k] = static_cast<int>(f[6 + k]);
            if (fitted.positions[k] < 0 || fitted.positions[k] > kLastSeriesPosition) return std::nullopt;
        }
    }
    return result;
}

std::string curvesJson(const PlotData& block) {
    const auto count = static_cast<std::size_t>(block.count());
    const auto row = [&](int r) {
        Curve values{};
        for (std::size_t i = 0; i < count && i < values.size(); ++i)
            values[i] = block.value(static_cast<std::size_t>(r) * count + i);
        return jsonNumbers(values);
    };
    JsonObject curves;
    curves.add("result", row(1));
    for (int r = 2; r < block.rows(); ++r)
        curves.add(block.rowKind(r) == CurveKind::FitTarget ? "target" : "measurement", row(r));
    return curves.text();
}

} // namespace

std::vector<double> PageSession::fitInput() const {
    std::vector<double> input;
    input.reserve(kFitInputSize);
    for (const FilterSection& s : state_->sections) {
        input.insert(input.end(), {s.Frequency, s.Q, s.GainFactor, s.Capacitance});
        for (std::int32_t index : s.SeriesIndex) input.push_back(index);
        input.insert(input.end(), {static_cast<double>(s.E12Snap), static_cast<double>(s.E24Snap)});
    }
    input.insert(input.end(), state_->ImportedResponse.begin(), state_->ImportedResponse.end());
    return input;
}

std::string PageSession::applyFit(const std::vector<double>& data, std::uint64_t fitRevision) {
    if (fitRevision != revision_) return "The sections changed since the fit: press Fit again.";
    const std::optional<FitResult> result = fromApplyData(data);
    if (!result) return "The fit's parts could not be read.";
    tessera::applyFit(engine_, *result);
    recordStep(std::string(steps::kFit));
    return {};
}

std::string PageSession::fitPreview(const FitForm& form) const {
    FitSettings settings;
    if (const auto message = readFitForm(form, settings))
        return JsonObject().add("message", jsonString(message->text(kPageLanguage))).text();
    return curvesJson(currentPreview(*state_, settings));
}

std::optional<TargetCurve> readTarget(std::string_view name, std::string_view bytes, std::string& message) {
    ScratchFolder scratch;
    const std::string plain = scratch.put(name, bytes);
    TargetReading reading = readTargetCurve(plain);
    if (reading.outcome.done() && reading.curve) return std::move(reading.curve);
    message = reading.outcome.refused() ? reading.outcome.message.text(kPageLanguage)
                                        : render(cli::kNotMeasurementExpected, kPageLanguage, {plain});
    return std::nullopt;
}

std::optional<std::string> prepareFit(const std::vector<double>& input, const FitForm& form,
                                      const CircuitSettings& circuit, PreparedFit& fit) {
    const auto refused = [](const std::string& message) { return JsonObject().add("message", jsonString(message)).text(); };
    if (input.size() != kFitInputSize) return refused("The design could not be read.");
    if (const auto message = readFitForm(form, fit.settings)) return refused(message->text(kPageLanguage));
    fit.settings.circuit = circuit;
    fit.state = stateOf(input);
    return std::nullopt;
}

std::string fitJson(const PreparedFit& fit, const FitOutcome& outcome) {
    const auto refused = [](const std::string& message) { return JsonObject().add("message", jsonString(message)).text(); };
    if (outcome.status == FitStatus::Cancelled) return refused("The fit's workers lost touch with each other: press Fit again.");
    if (!outcome.done()) return refused(outcome.message.text(kPageLanguage));
    const FitResult& r = outcome.result;
    const FilterBankState& state = *fit.state;
    std::vector<std::string> lines;
    for (int s = 1; s <= kSectionCount; ++s)
        lines.push_back(jsonString(fittedSectionText(s, r.section(s), state, '.')));
    return JsonObject()
        .add("before", jsonString(fitErrorText(r.before, '.')))
        .add("after", jsonString(fitErrorText(r.after, '.')))
        .add("noiseBefore", jsonString(noiseText(r.noiseBeforeUv, '.')))
        .add("noiseAfter", jsonString(noiseText(r.noiseAfterUv, '.')))
        .add("sections", jsonArray(lines))
        .add("note", jsonString(unrealisedNote(fit.settings, r)))
        .add("curves", curvesJson(fitPreview(state, r)))
        .add("apply", jsonNumbers(applyData(r)))
        .text();
}

std::string runFit(const std::vector<double>& input, const FitForm& form, const CircuitSettings& circuit,
                   const std::function<void(double)>& progress) {
    PreparedFit fit;
    if (auto refused = prepareFit(input, form, circuit, fit)) return *refused;
    return fitJson(fit, fitSections(*fit.state, fit.settings, nullptr, progress));
}

void warmUpFit() {
    // A broad bump and a dip to fit with the usual effort, about a tenth of
    // a second once optimised: the engine optimises a function only after it
    // has run a while, and after a warm-up of a tenth of the effort the
    // first real fit still took 1.2-1.6 times as long as the later ones.
    auto state = std::make_unique<FilterBankState>();
    E24Init(*state);
    FilterEngine engine(*state, '.');
    const auto& f = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const double octaves = std::log2(f[i] / 1000);
        state->ImportedResponse[i] = 4 * std::exp(-octaves * octaves) - 3 * std::exp(-4 * (octaves - 2) * (octaves - 2));
    }
    for (int s = 1; s <= kSectionCount; ++s) engine.refreshFilter(s);
    fitSections(*state, FitSettings{}, nullptr, {});
}

} // namespace tessera::web
