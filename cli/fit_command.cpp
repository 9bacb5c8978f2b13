// tessera-design fit MEASUREMENT [options] [-o OUT.tsn]: File → Import, the
// fit, and with -o Apply followed by File → Save as.

#include "circuit_input.h"
#include "circuit_options.h"
#include "commands.h"
#include "design_session.h"
#include "designators.h"
#include "fit.h"
#include "fit_apply.h"
#include "fit_form.h"
#include "fit_json.h"
#include "fit_parallel.h"
#include "fit_target.h"
#include "number_text.h"
#include "section_formulas.h"

#include <iomanip>
#include <ostream>

namespace tessera::cli {
namespace {

constexpr const char* kResistorsOption = "resistors";

constexpr std::string_view kUsage =
    "usage: tessera-design fit MEASUREMENT [--config START.tsn] [--band 40:16000] [--level auto|DB]\n"
    "                          [--tilt DB_PER_DECADE] [--max-boost DB] [--series E24|E12]\n"
    "                          [--keep-capacitors] [--sections 1,2,3,4] [--target FILE]\n"
    "                          [--smoothing none|1/48|1/24|1/12|1/6|1/3|1/1] [--opamp NAME]\n"
    "                          [--summing-resistors OHMS] [--resistors LOW:HIGH] [--json] [-o OUT.tsn]\n"
    "Imports a measurement into the start-up sections or those of START.tsn and fits the\n"
    "sections with standard parts so that the Result meets the target over the band:\n"
    "  --band LOW:HIGH      the band in Hz (default 20:20000)\n"
    "  --level auto|DB      the target level at 1 kHz (default auto: the level of least error)\n"
    "  --tilt DB            the target's slope in dB per decade around 1 kHz (default 0)\n"
    "  --max-boost DB       the largest gain of a boost section (default 6, at most 20.83)\n"
    "  --series E24|E12     the resistor series (default E24)\n"
    "  --keep-capacitors    keep each section's capacitor instead of choosing one\n"
    "  --sections LIST      the sections that take part (default 1,2,3,4); the others stay\n"
    "  --target FILE        aim at the curve of a measurement file Import reads (moved to the\n"
    "                       level at 1 kHz, the tilt added) instead of the line of level and tilt\n"
    "  --smoothing 1/N      fit the measurement smoothed over 1/N octave (default none)\n"
    "  --opamp NAME         the op-amp whose noise counts (default Ideal: resistor noise alone)\n"
    "  --summing-resistors OHMS  the summing resistors, an E24 value from 1k to 100k (default 10k)\n"
    "  --resistors LOW:HIGH the range of the resistors the fit may choose (default 1k:1M)\n"
    "  --json               print the fit as one JSON object instead of the table\n"
    "  -o, --output OUT.tsn apply the fit and write the configuration (as File > Save as does;\n"
    "                       not one of the files read)\n"
    "Prints each section's frequency, Q, gain, capacitor and resistors, the error\n"
    "before and after, and the A-weighted output noise before and after: where the fit\n"
    "chooses the capacitors it takes, within 1 % of its best RMS error, the quietest. Exit status 0 on success, 1 for a file that cannot be read or\n"
    "written or a fit that is refused, 2 for a usage error.\n";


// The options into settings; a usage message on failure.
std::optional<Message> readSettings(const Arguments& args, FitSettings& settings) {
    if (const auto band = args.value("band")) {
        const auto typed = typedBand(*band);
        if (!typed) return Message{kBandOption};
        settings.bandLow = typed->low;
        settings.bandHigh = typed->high;
    }
    if (const auto level = args.value("level"); level && *level != "auto") {
        settings.level = parseNumber(*level);
        if (!settings.level) return Message{kLevelOption};
    }
    if (const auto tilt = args.value("tilt")) {
        const auto value = parseNumber(*tilt);
        if (!value) return Message{kTiltOption};
        settings.tiltDbPerDecade = *value;
    }
    if (const auto boost = args.value("max-boost")) {
        const auto value = parseNumber(*boost);
        if (!value || *value < 0) return Message{kMaxBoostOption};
        settings.maxBoostDb = std::min(*value, kSectionGainLimitDb);
    }
    if (const auto series = args.value("series")) {
        if (*series == "E24" || *series == "e24") settings.series = Series::E24;
        else if (*series == "E12" || *series == "e12") settings.series = Series::E12;
        else return Message{kSeriesOption};
    }
    settings.chooseCapacitors = !args.has("keep-capacitors");
    if (const auto range = args.value(kResistorsOption)) {
        const Checked<ResistorRange> checked = checkResistorRange(*range);
        if (!checked.ok()) return Message(kResistorsOptionLead, {*range}).followedBy(checked.message);
        settings.circuit.resistors = *checked.value;
    }
    if (const auto smoothing = args.value("smoothing")) {
        const auto n = smoothingNamed(*smoothing);
        if (!n) return Message{kSmoothingOption};
        settings.smoothing = *n;
    }
    if (const auto list = args.value("sections")) {
        settings.sections = {false, false, false, false};
        std::size_t from = 0;
        for (;;) {
            const std::size_t comma = list->find(',', from);
            const auto number = parseWholeNumber(std::string_view(*list).substr(from, comma - from));
            if (!number || *number < 1 || *number > kSectionCount) return Message{kSectionsOption};
            settings.sections[static_cast<std::size_t>(*number - 1)] = true;
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
    }
    return std::nullopt;
}

void printTable(const FitResult& result, const FilterBankState& state, const FitSettings& settings, std::ostream& out) {
    out << "section  f/Hz       Q       gain/dB  capacitor  resistors\n";
    for (int s = 1; s <= kSectionCount; ++s) {
        const FittedSection& fs = result.section(s);
        out << std::left << std::setw(9) << (std::to_string(s) + (fs.fitted ? "" : "*")) << std::setw(11)
            << fixedText(fs.frequency, 7, 1, '.') << std::setw(8) << fixedText(fs.q, 4, 3, '.') << std::setw(9)
            << fixedText(shownGainDb(s, fs.gainFactor), 4, 2, '.') << std::setw(11) << capacitorText(fs, '.');
        for (const Slot slot : kSlotsByDesignator) {
            const auto position = static_cast<std::size_t>(fs.positions[static_cast<std::size_t>(slotIndex(slot))]);
            out << resistorDesignator(s, slot) << " " << state.SeriesLabels[position].c_str() << "  ";
        }
        out << "\n";
    }
    if (std::any_of(result.sections.begin(), result.sections.end(), [](const FittedSection& s) { return !s.fitted; }))
        out << "* kept as it was\n";
    if (const std::string note = unrealisedNote(settings, result); !note.empty()) out << note << "\n";
    const auto error = [&](const char* name, const FitError& e) {
        out << name << "RMS " << fixedText(e.rms, 6, 3, '.') << " dB, largest " << fixedText(e.largest, 6, 3, '.')
            << " dB\n";
    };
    out << "band " << generalText(settings.bandLow, 6, '.') << " Hz to " << generalText(settings.bandHigh, 6, '.')
        << " Hz (" << result.band.count() << " grid points), target level " << fixedText(result.level, 6, 2, '.')
        << " dB" << (settings.level ? "" : " (automatic)") << ", tilt "
        << generalText(settings.tiltDbPerDecade, 6, '.') << " dB/decade\n";
    error("error before: ", result.before);
    error("error after:  ", result.after);
    out << "noise before: " << noiseText(result.noiseBeforeUv, '.') << ", after: " << noiseText(result.noiseAfterUv, '.')
        << " (op-amp " << settings.circuit.opAmp.name << ", summing resistors "
        << generalText(settings.circuit.summingOhms, 6, '.') << " ohms)\n";
}

int runFit(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("fit");
    Message error;
    const Arguments args = Arguments::parse(
        words,
        {{"config", "band", "level", "tilt", "max-boost", "series", "sections", "target", "smoothing", kOpAmpOption,
          kSummingOption, kResistorsOption, "output"},
         {"keep-capacitors", "json"}},
        error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneMeasurement}, language, err);
    FitSettings settings;
    const std::optional<CircuitSettings> circuit = circuitSettingsFrom(args, self, language, err);
    if (!circuit) return kUsageError;
    settings.circuit = *circuit;
    if (const auto problem = readSettings(args, settings)) return usageError(self, *problem, language, err);
    if (const auto output = args.value("output"))
        if (const auto clash =
                outputOverInput(*output, {args.positional().front(), args.value("config"), args.value("target")}))
            return usageError(self, *clash, language, err);

    DesignSession session;
    if (const int status = openAndImport(session, self.name, args.value("config"), args.positional().front(), language, err))
        return status;
    if (const auto target = args.value("target")) {
        TargetReading reading = readTargetCurve(*target);
        if (!reading.outcome.done()) return reportFileFailure(self.name, reading.outcome, *target, kNotMeasurementExpected, language, err);
        settings.target = std::move(reading.curve);
    }

    settings.search.threads = fitThreadCount(); // the result is the same for any number
    const FitOutcome fit = fitSections(session.state(), settings);
    if (!fit.done()) {
        err << "tessera-design fit: " << fit.message.text(language) << "\n";
        return kFileError;
    }
    if (args.has("json"))
        out << fitJson(fit.result, session.state(), settings) << "\n";
    else
        printTable(fit.result, session.state(), settings, out);
    if (const auto output = args.value("output")) {
        applyFit(session.engine(), fit.result);
        const FileOutcome saved = session.saveAs(*output);
        if (!saved.done()) return reportFileFailure(self.name, saved, *output, kNotConfigurationExpected, language, err);
        if (!args.has("json")) out << "wrote " << *output << "\n";
    }
    return kSuccess;
}

} // namespace

Command fitCommand() {
    return {"fit", "fit the sections to a measurement with standard parts", kUsage, &runFit};
}

} // namespace tessera::cli
