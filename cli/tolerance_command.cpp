// tessera-design tolerance CONFIG.tsn [options]: the figures of Tools >
// Tolerances.

#include "circuit_input.h"
#include "circuit_options.h"
#include "circuit_reports.h"
#include "commands.h"
#include "design_session.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "tolerance.h"

#include <ostream>
#include <sstream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design tolerance CONFIG.tsn [--r-tol PCT] [--c-tol PCT] [--trials N] [--seed S]\n"
    "                                [--band LOW:HIGH] [--opamp NAME | --gbw HZ]\n"
    "Draws every part of CONFIG.tsn's sections uniformly within its tolerance, N times\n"
    "(as Tools > Tolerances does), and prints the largest deviation from the nominal\n"
    "Result within the band and the parts ranked by their share of the spread:\n"
    "  --r-tol PCT      resistor tolerance: 0.1, 0.5, 1 (default), 2 or 5 %\n"
    "  --c-tol PCT      capacitor tolerance: 1, 2, 5 (default) or 10 %\n"
    "  --trials N       1 to 100000 (default 1000)\n"
    "  --seed S         0 to 9223372036854775807 (default 1); the same seed, the same figures\n"
    "  --band LOW:HIGH  in Hz (default 20:20000, all 256 grid points)\n"
    "  --opamp NAME     the op-amps: NE5532, TL072, OPA2134, OPA1612, LM4562, MC33078, OPA1656\n"
    "                   or Ideal (the default), as single-pole models\n"
    "  --gbw HZ         a single-pole op-amp of gain-bandwidth HZ (10000 to 1E12)\n";

// The options into settings; a usage message on failure.
std::optional<Message> readSettings(const Arguments& args, ToleranceSettings& settings) {
    std::optional<Message> error;
    // Each option, when given, through its check into its setting.
    const auto take = [&](const char* name, auto check, auto& setting) {
        const auto v = args.value(name);
        if (error || !v) return;
        const auto checked = check(*v);
        if (checked.ok()) setting = *checked.value;
        else error = checked.message;
    };
    take("r-tol", checkResistorTolerance, settings.resistorPercent);
    take("c-tol", checkCapacitorTolerance, settings.capacitorPercent);
    take("trials", checkTrials, settings.trials);
    take("seed", checkSeed, settings.seed);
    take("band", checkBand, settings.band);
    return error;
}

int runTolerance(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("tolerance");
    Message error;
    const Arguments args = Arguments::parse(
        words, {{"r-tol", "c-tol", "trials", "seed", "band", kOpAmpOption, kGbwOption}, {}}, error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneConfiguration}, language, err);
    ToleranceSettings settings;
    if (const auto message = readSettings(args, settings)) return usageError(self, *message, language, err);
    const auto circuit = circuitSettingsFrom(args, self, language, err);
    if (!circuit) return kUsageError;
    settings.opAmp = circuit->opAmp;

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, kNotConfigurationExpected, language, err);
    const CircuitParts parts = circuitParts(session.engine());
    if (const auto reason = unbuildableReason(parts)) {
        err << "tessera-design tolerance: " << reason->text(language) << "\n";
        return kFileError;
    }

    out << toleranceReport(*tessera::runTolerance(parts, settings));
    return kSuccess;
}

} // namespace

std::string toleranceReport(const ToleranceResult& r) {
    const ToleranceSettings& settings = r.settings;
    std::ostringstream out;
    const auto& grid = gridFrequencies();
    const auto text = [](double v, int p, int d) { return fixedText(v, p, d, '.'); };
    out << "resistors " << text(settings.resistorPercent, 3, 1) << " %, capacitors "
        << text(settings.capacitorPercent, 3, 1) << " %, " << settings.trials << " trials, seed " << settings.seed
        << ", band " << text(grid[static_cast<std::size_t>(settings.band.first)], 5, 0) << " to "
        << text(grid[static_cast<std::size_t>(settings.band.last)], 5, 0) << " Hz (" << settings.band.count()
        << " points), " << (settings.opAmp.isIdeal() ? std::string("ideal op-amps")
                                                     : settings.opAmp.name + " op-amps, gain-bandwidth " +
                                                           generalText(settings.opAmp.gbw, 6, '.') + " Hz")
        << "\n";
    out << "largest deviation from the nominal Result: " << text(r.largestDeviationDb, 3, 2) << " dB at "
        << text(grid[static_cast<std::size_t>(r.largestDeviationPoint)], 5, 0) << " Hz\n";
    out << "part   share   alone (that part alone at a tolerance end)\n";
    for (const PartShare& p : r.ranking) {
        const std::string share = text(100 * p.share, 4, 1) + " %";
        out << p.designator << std::string(7 - p.designator.size(), ' ') << std::string(8 - share.size(), ' ') << share
            << "   " << text(p.aloneDb, 3, 3) << " dB\n";
    }
    return out.str();
}

Command toleranceCommand() {
    return {"tolerance", "part tolerances: the spread of the Result and the parts causing it", kUsage, &runTolerance};
}

} // namespace tessera::cli
