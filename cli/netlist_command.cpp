// tessera-design netlist CONFIG.tsn [op-amp options] -o OUT.cir: Tools >
// Export SPICE netlist of a configuration.

#include "circuit_options.h"
#include "commands.h"
#include "design_session.h"
#include "netlist.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design netlist CONFIG.tsn [--opamp NAME | --gbw HZ [--slew V_PER_US --en NV --in PA]]\n"
    "                              [--summing-resistors OHMS] -o OUT.cir\n"
    "Writes the equaliser of CONFIG.tsn as a SPICE netlist (as Tools > Export SPICE netlist\n"
    "does), its parts named by designator (R1 ... R28, C1 ... C8, XU1 ... XU8):\n"
    "  --opamp NAME              the op-amps' single-pole model with their noise: NE5532,\n"
    "                            TL072, OPA2134, OPA1612, LM4562, MC33078, OPA1656 or Ideal\n"
    "                            (the default)\n"
    "  --gbw HZ                  a noiseless single-pole op-amp of gain-bandwidth HZ\n"
    "  --slew V_PER_US, --en NV, --in PA\n"
    "                            with --gbw: a custom op-amp's slew rate (0.001 to 1E5) and\n"
    "                            noise densities (en 0.01 to 1E5, in 1E-5 to 1E5)\n"
    "  --summing-resistors OHMS  R13 ... R28: an E24 value from 1k to 100k (default 10k)\n"
    "  -o, --output OUT.cir      the netlist to write (not CONFIG.tsn)\n";

int runNetlist(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("netlist");
    Message error;
    const Arguments args = Arguments::parse(
        words, {{kGbwOption, kSlewOption, kEnOption, kInOption, kOpAmpOption, kSummingOption, "output"}, {}}, error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneConfiguration}, language, err);
    const auto output = args.value("output");
    if (!output) return usageError(self, {kOutputRequired, {"OUT.cir"}}, language, err);
    if (const auto clash = outputOverInput(*output, {args.positional().front()})) return usageError(self, *clash, language, err);
    const auto settings = circuitSettingsFrom(args, self, language, err);
    if (!settings) return kUsageError;
    NetlistOptions options;
    options.opAmp = settings->opAmp;
    options.summingOhms = settings->summingOhms;

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, kNotConfigurationExpected, language, err);
    options.configurationName = config;
    const FileOutcome written = writeNetlist(session.engine(), options, *output);
    if (!written.done()) return reportFileFailure(self.name, written, *output, kNotNetlistExpected, language, err);
    out << "wrote " << *output << "\n";
    return kSuccess;
}

} // namespace

Command netlistCommand() {
    return {"netlist", "write a configuration as a SPICE netlist", kUsage, &runNetlist};
}

} // namespace tessera::cli
