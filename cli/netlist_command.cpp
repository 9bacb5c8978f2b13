// tessera-design netlist CONFIG.tsn [--gbw HZ] -o OUT.cir: Tools > Export
// SPICE netlist of a configuration.

#include "circuit_input.h"
#include "commands.h"
#include "design_session.h"
#include "netlist.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design netlist CONFIG.tsn [--gbw HZ] -o OUT.cir\n"
    "Writes the equaliser of CONFIG.tsn as a SPICE netlist (as Tools > Export SPICE netlist\n"
    "does): ideal op-amps, or single-pole ones of gain-bandwidth HZ with --gbw.\n";

int runNetlist(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Command& self = command("netlist");
    std::string error;
    const Arguments args = Arguments::parse(words, {{"gbw", "output"}, {}}, error);
    if (!error.empty()) return usageError(self, error, err);
    if (args.positional().size() != 1) return usageError(self, "name one configuration file", err);
    const auto output = args.value("output");
    if (!output) return usageError(self, "-o OUT.cir is required", err);
    NetlistOptions options;
    if (const auto gbw = args.value("gbw")) {
        const Checked<double> checked = checkGbw(*gbw);
        if (!checked.ok() || *checked.value <= 0) return usageError(self, kBadGbw, err);
        options.opAmp = customOpAmp(*checked.value, 0, 0, 0);
    }

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, "a configuration file (.tsn)", err);
    options.configurationName = config;
    const FileOutcome written = writeNetlist(session.engine(), options, *output);
    if (!written.done()) return reportFileFailure(self.name, written, *output, "a netlist", err);
    out << "wrote " << *output << "\n";
    return kSuccess;
}

} // namespace

Command netlistCommand() {
    return {"netlist", "write a configuration as a SPICE netlist", kUsage, &runNetlist};
}

} // namespace tessera::cli
