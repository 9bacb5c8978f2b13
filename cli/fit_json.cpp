#include "fit_json.h"

#include "designators.h"
#include "fit_target.h"
#include "frequency_grid.h"
#include "json_text.h"
#include "noise.h"
#include "section_formulas.h"

namespace tessera::cli {
namespace {

std::string seriesName(const FitResult& result, const FilterSection& now, bool fitted) {
    const Series series = fitted ? result.series : now.E12Snap ? Series::E12 : Series::E24;
    if (!fitted && !now.E12Snap && !now.E24Snap) return "none";
    return series == Series::E12 ? "E12" : "E24";
}

std::string sectionJson(int s, const FitResult& result, const FilterBankState& table) {
    const FittedSection& fs = result.section(s);
    std::vector<std::string> ohms; // R1, R2, R3 of the page, as the parts list names them
    for (const Slot slot : kSlotsByDesignator) {
        const int position = fs.positions[static_cast<std::size_t>(slotIndex(slot))];
        ohms.push_back(jsonNumber(static_cast<double>(table.SeriesValues[static_cast<std::size_t>(position)])));
    }
    return JsonObject()
        .add("section", jsonNumber(s))
        .add("fitted", jsonBool(fs.fitted))
        .add("frequency_hz", fs.frequency)
        .add("q", fs.q)
        .add("gain_db", shownGainDb(s, fs.gainFactor))
        .add("capacitor_nf", fs.capacitance * 1e9)
        .add("resistors_ohms", jsonArray(ohms))
        .add("series", jsonString(seriesName(result, table.section(s), fs.fitted)))
        .text();
}

} // namespace

std::string fitJson(const FitResult& result, const FilterBankState& table, const FitSettings& settings) {
    std::vector<std::string> sections;
    for (int s = 1; s <= kSectionCount; ++s) sections.push_back(sectionJson(s, result, table));
    return JsonObject()
        .add("band_hz", jsonNumbers(std::array<double, 2>{settings.bandLow, settings.bandHigh}))
        .add("points", jsonNumber(result.band.count()))
        .add("level_db", result.level)
        .add("tilt_db_per_decade", settings.tiltDbPerDecade)
        .add("smoothing", jsonString(smoothingName(settings.smoothing)))
        .add("target", jsonString(settings.target ? settings.target->name : "line"))
        .add("frequencies_hz", jsonNumbers(gridFrequencies()))
        .add("measurement_db", jsonNumbers(result.measurement))
        .add("target_db", jsonNumbers(result.target))
        .add("result_before_db", jsonNumbers(result.resultBefore))
        .add("result_after_db", jsonNumbers(result.predictedResult))
        .add("rms_before_db", result.before.rms)
        .add("largest_before_db", result.before.largest)
        .add("rms_after_db", result.after.rms)
        .add("largest_after_db", result.after.largest)
        .add("sections", jsonArray(sections))
        .add("opamp", jsonString(settings.circuit.opAmp.name))
        .add("summing_resistor_ohms", settings.circuit.summingOhms)
        .add("resistor_range_ohms",
             jsonNumbers(std::array<double, 2>{settings.circuit.resistors.low, settings.circuit.resistors.high}))
        .add("noise_a_before_uv", result.noiseBeforeUv)
        .add("noise_a_before_dbu", voltsToDbu(result.noiseBeforeUv * 1e-6))
        .add("noise_a_after_uv", result.noiseAfterUv)
        .add("noise_a_after_dbu", voltsToDbu(result.noiseAfterUv * 1e-6))
        .text(true);
}

} // namespace tessera::cli
