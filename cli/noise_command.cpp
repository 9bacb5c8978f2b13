// tessera-design noise CONFIG.tsn [options]: the figures of Tools > Noise and
// Headroom.

#include "circuit_options.h"
#include "circuit_response.h"
#include "circuit_reports.h"
#include "commands.h"
#include "design_session.h"
#include "frequency_grid.h"
#include "json_text.h"
#include "noise_report.h"
#include "number_text.h"

#include <ostream>
#include <sstream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design noise CONFIG.tsn [--opamp NAME] [--gbw HZ --slew V_PER_US --en NV --in PA]\n"
    "                            [--input-level DBU] [--output-peak V] [--summing-resistors OHMS] [--json]\n"
    "Prints the output noise of CONFIG.tsn's equaliser (every resistor at 300.15 K and each\n"
    "op-amp's en and in, through the circuit as the netlist builds it) over 20 Hz to 20 kHz,\n"
    "unweighted and A-weighted, the largest contributors, and for each of the eight op-amps\n"
    "its largest gain from the input, its headroom and its slew-rate margin; the largest\n"
    "clean input level and the dynamic range (as Tools > Noise and Headroom does):\n"
    "  --opamp NAME              NE5532, TL072, OPA2134, OPA1612, LM4562, MC33078, OPA1656 or\n"
    "                            Ideal (the default)\n"
    "  --gbw HZ, --slew V_PER_US, --en NV, --in PA\n"
    "                            a custom op-amp instead, all four figures: gain-bandwidth\n"
    "                            (10000 to 1E12), slew rate (0.001 to 1E5), voltage noise in\n"
    "                            nV/sqrt(Hz) (0.01 to 1E5), current noise in pA/sqrt(Hz) (1E-5 to 1E5)\n"
    "  --input-level DBU         the largest input level, a sine (-60 to 40; default 4)\n"
    "  --output-peak V           the op-amps' largest output peak (0.1 to 100; default 13.5)\n"
    "  --summing-resistors OHMS  R13 ... R28: an E24 value from 1k to 100k (default 10k)\n"
    "  --json                    one JSON object instead of the tables\n";

struct Analysis {
    CircuitSettings settings;
    NoiseResult noise;
    HeadroomResult headroom;
    double dynamicRangeDb = 0;
};

// A figure that may be unlimited: null in JSON.
std::string jsonOrNull(double value, bool limited) { return limited ? jsonNumber(value) : "null"; }

std::string jsonText(const Analysis& a) {
    const OpAmpModel& opAmp = a.settings.opAmp;
    JsonObject opAmpObject;
    opAmpObject.add("name", jsonString(opAmp.name))
        .add("gbw_hz", jsonOrNull(opAmp.gbw, !opAmp.isIdeal()))
        .add("slew_v_per_us", jsonOrNull(opAmp.slewVPerUs, opAmp.slewVPerUs > 0))
        .add("en_nv", opAmp.enNv)
        .add("in_pa", opAmp.inPa);
    std::vector<std::string> contributors, stages;
    for (const NoiseContributor& c : a.noise.contributors)
        contributors.push_back(JsonObject().add("part", jsonString(c.part)).add("share", c.share).text());
    const auto& grid = gridFrequencies();
    for (const StageHeadroom& st : a.headroom.stages)
        stages.push_back(JsonObject()
                             .add("part", jsonString(st.designator()))
                             .add("section", static_cast<double>(st.section))
                             .add("stage", jsonString(stageName(st.stage)))
                             .add("largest_gain_db", st.largestGainDb)
                             .add("at_hz", grid[static_cast<std::size_t>(st.largestGainPoint)])
                             .add("headroom_db", st.headroomDb)
                             .add("slew_needed_v_per_us", st.slewNeededVPerUs)
                             .add("slew_margin_db", jsonOrNull(st.slewMarginDb.value_or(0), st.slewMarginDb.has_value()))
                             .text());
    const StageHeadroom& first = a.headroom.stages[static_cast<std::size_t>(a.headroom.clipsFirst)];
    JsonObject out;
    out.add("opamp", opAmpObject.text())
        .add("temperature_k", kNoiseTemperatureK)
        .add("input_level_dbu", a.settings.inputLevelDbu)
        .add("output_peak_v", a.settings.outputPeakV)
        .add("summing_resistor_ohms", a.settings.summingOhms)
        .add("frequencies_hz", jsonNumbers(grid))
        .add("noise_density_nv", jsonNumbers(a.noise.densityNv))
        .add("noise_uv", a.noise.totalUv)
        .add("noise_dbu", a.noise.totalDbu)
        .add("noise_a_uv", a.noise.aWeightedUv)
        .add("noise_a_dbu", a.noise.aWeightedDbu)
        .add("contributors", jsonArray(contributors))
        .add("stages", jsonArray(stages))
        .add("largest_input_dbu", a.headroom.largestInputDbu)
        .add("clips_first", JsonObject()
                                .add("part", jsonString(first.designator()))
                                .add("section", static_cast<double>(first.section))
                                .add("stage", jsonString(stageName(first.stage)))
                                .text())
        .add("gain_1khz_db", a.headroom.gainAtOneKilohertzDb)
        .add("dynamic_range_db", a.dynamicRangeDb);
    return out.text(true) + "\n";
}

void printText(const Analysis& a, std::ostream& out) {
    const char sep = '.';
    const auto text = [&](double v, int p, int d) { return fixedText(v, p, d, sep); };
    const OpAmpModel& opAmp = a.settings.opAmp;
    if (opAmp.isIdeal())
        out << "op-amp Ideal: no noise, unlimited gain and slew rate\n";
    else
        out << "op-amp " << opAmp.name << ": gain-bandwidth " << hertzText(opAmp.gbw, sep) << ", slew rate "
            << (opAmp.slewVPerUs > 0 ? generalText(opAmp.slewVPerUs, 6, sep) + " V/us" : std::string("unlimited"))
            << ", en " << generalText(opAmp.enNv, 6, sep) << " nV/sqrt(Hz), in " << generalText(opAmp.inPa, 6, sep)
            << " pA/sqrt(Hz)\n";
    out << "summing resistors " << generalText(a.settings.summingOhms, 6, sep) << " ohms, input level "
        << dbuText(a.settings.inputLevelDbu, sep)
        << ", output peak " << generalText(a.settings.outputPeakV, 6, sep) << " V, resistors at "
        << generalText(kNoiseTemperatureK, 6, sep) << " K\n\n";

    out << "output noise, 20 Hz to 20 kHz: " << text(a.noise.totalUv, 4, 3) << " uV rms (" << dbuText(a.noise.totalDbu, sep)
        << ") unweighted, " << text(a.noise.aWeightedUv, 4, 3) << " uV rms (" << dbuText(a.noise.aWeightedDbu, sep)
        << ") A-weighted\n";
    out << "largest contributors to the A-weighted noise:\n";
    constexpr std::size_t kShown = 10;
    std::vector<std::vector<std::string>> contributors;
    for (std::size_t k = 0; k < a.noise.contributors.size() && k < kShown; ++k)
        contributors.push_back({"  " + a.noise.contributors[k].part, shareText(a.noise.contributors[k].share, sep)});
    printTable(out, contributors);

    out << "\n";
    std::vector<std::vector<std::string>> rows = {headroomTableHeadings()};
    for (auto& row : headroomTableCells(a.headroom, sep)) rows.push_back(row);
    printTable(out, rows);
    const StageHeadroom& first = a.headroom.stages[static_cast<std::size_t>(a.headroom.clipsFirst)];
    out << "largest input level before an op-amp clips: " << dbuText(a.headroom.largestInputDbu, sep) << " ("
        << first.designator() << ", the " << stageName(first.stage) << " op-amp of section " << first.section
        << ", clips first)\n";
    out << "gain at 1 kHz " << signedDbText(a.headroom.gainAtOneKilohertzDb, sep) << ", dynamic range "
        << text(a.dynamicRangeDb, 4, 1) << " dB (A-weighted)\n\n";

    out << "output noise density (nV/sqrt(Hz)), every fifth of a decade:\n";
    std::vector<std::vector<std::string>> density;
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; i += 17)
        density.push_back({"  " + hertzText(grid[i], sep), generalText(a.noise.densityNv[i], 4, sep)});
    printTable(out, density);
}

int runNoise(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("noise");
    Message error;
    const Arguments args = Arguments::parse(words,
                                            {{kOpAmpOption, kGbwOption, kSlewOption, kEnOption, kInOption,
                                              kInputLevelOption, kOutputPeakOption, kSummingOption},
                                             {"json"}},
                                            error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneConfiguration}, language, err);
    const auto settings = circuitSettingsFrom(args, self, language, err, GbwAlone::Refused);
    if (!settings) return kUsageError;

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, kNotConfigurationExpected, language, err);
    const CircuitParts parts = circuitParts(session.engine());
    if (const auto reason = unbuildableReason(parts)) {
        err << "tessera-design noise: " << reason->text(language) << "\n";
        return kFileError;
    }

    out << noiseReport(parts, *settings, args.has("json"));
    return kSuccess;
}

} // namespace

std::string noiseReport(const CircuitParts& parts, const CircuitSettings& settings, bool json) {
    Analysis a;
    a.settings = settings;
    a.noise = analyseNoise(parts, a.settings);
    a.headroom = analyseHeadroom(parts, a.settings);
    a.dynamicRangeDb = dynamicRangeDb(a.headroom, a.noise.aWeightedDbu);
    if (json) return jsonText(a);
    std::ostringstream text;
    printText(a, text);
    return text.str();
}

Command noiseCommand() {
    return {"noise", "output noise, headroom and slew rate of the circuit with an op-amp", kUsage, &runNoise};
}

} // namespace tessera::cli
