// The page's tolerance run: the parts handed to the worker (a run of many
// trials takes seconds), the run there with progress, and its bounds back
// onto the document's Result while the parts are still those.

#include "page_session.h"

#include "checked_entry.h"
#include "circuit_reports.h"
#include "json_text.h"
#include "section_parts.h"
#include "tolerance.h"

namespace tessera::web {

using cli::JsonObject;
using cli::jsonNumbers;
using cli::jsonString;

namespace {

// Per section: C1, C2, R1, R2, R3 and whether they are exact-mode values.
constexpr std::size_t kPartFields = 6;

std::vector<double> numbersOf(const CircuitParts& parts) {
    std::vector<double> numbers;
    for (const SectionParts& p : parts) numbers.insert(numbers.end(), {p.C1, p.C2, p.R1, p.R2, p.R3, p.exact ? 1.0 : 0.0});
    return numbers;
}

std::optional<CircuitParts> partsOf(const std::vector<double>& numbers) {
    if (numbers.size() != kPartFields * kSectionCount) return std::nullopt;
    CircuitParts parts;
    for (std::size_t s = 0; s < kSectionCount; ++s) {
        const double* n = numbers.data() + kPartFields * s;
        parts[s] = {n[0], n[1], n[2], n[3], n[4], n[5] != 0};
    }
    return parts;
}

std::string refusal(const std::string& message) { return JsonObject().add("message", jsonString(message)).text(); }

} // namespace

std::vector<double> PageSession::toleranceInput() const { return numbersOf(circuitParts(engine_)); }

bool PageSession::takeToleranceBounds(const std::vector<double>& input, const Curve& lowest, const Curve& highest) {
    const std::optional<CircuitParts> parts = partsOf(input);
    if (!parts || !(*parts == circuitParts(engine_))) return false;
    curves_.setToleranceBounds(ToleranceBounds{*parts, lowest, highest, circuit_.opAmp});
    return true;
}

std::string runToleranceOf(const std::vector<double>& input, const ToleranceForm& form, const OpAmpModel& opAmp,
                           const ToleranceProgress& progress) {
    ToleranceSettings settings;
    settings.opAmp = opAmp;
    for (const std::string& message :
         {take(checkResistorTolerance(form.resistorPercent), settings.resistorPercent),
          take(checkCapacitorTolerance(form.capacitorPercent), settings.capacitorPercent),
          take(checkTrials(form.trials), settings.trials), take(checkSeed(form.seed), settings.seed),
          take(checkBand(form.band), settings.band)})
        if (!message.empty()) return refusal(message);
    const std::optional<CircuitParts> parts = partsOf(input);
    if (!parts) return refusal("The parts could not be read.");
    if (const auto reason = unbuildableReason(*parts)) return refusal(reason->text(kPageLanguage));
    const std::optional<ToleranceResult> result = runTolerance(*parts, settings, progress);
    if (!result) return refusal("");
    return JsonObject()
        .add("text", jsonString(cli::toleranceReport(*result)))
        .add("lowest", jsonNumbers(result->lowest))
        .add("highest", jsonNumbers(result->highest))
        .text();
}

} // namespace tessera::web
