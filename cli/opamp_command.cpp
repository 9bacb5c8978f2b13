// tessera-design opamp CONFIG.tsn --gbw HZ: the table of Tools > Op-amp.

#include "circuit_input.h"
#include "circuit_options.h"
#include "number_text.h"
#include "commands.h"
#include "design_session.h"
#include "opamp_table.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design opamp CONFIG.tsn --opamp NAME | --gbw HZ\n"
    "Prints for each section of CONFIG.tsn the centre frequency, Q and gain that its parts\n"
    "give with a real op-amp, next to the ideal ones, and the lowest gain-bandwidth that\n"
    "keeps f and Q within 1 % of ideal:\n"
    "  --opamp NAME  an op-amp by name: NE5532, TL072, OPA2134, OPA1612, LM4562, MC33078,\n"
    "                OPA1656 or Ideal\n"
    "  --gbw HZ      a single-pole op-amp of gain-bandwidth HZ (10000 to 1E12)\n";

int runOpAmp(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("opamp");
    Message error;
    const Arguments args = Arguments::parse(words, {{kGbwOption, kOpAmpOption}, {}}, error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneConfiguration}, language, err);
    if (!args.value(kGbwOption) && !args.value(kOpAmpOption)) return usageError(self, {kOpAmpRequired}, language, err);
    const auto settings = circuitSettingsFrom(args, self, language, err);
    if (!settings) return kUsageError;

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, kNotConfigurationExpected, language, err);

    std::vector<std::vector<std::string>> rows = {opAmpTableHeadings()};
    for (auto& row : opAmpTableCells(opAmpTable(session.engine(), settings->opAmp), '.')) rows.push_back(row);
    const OpAmpModel& opAmp = settings->opAmp;
    if (opAmp.isIdeal())
        out << "ideal op-amp\n";
    else
        out << (opAmp.name == kCustomOpAmpName ? "" : opAmp.name + ", ") << "single-pole op-amp, gain-bandwidth "
            << roundTripText(opAmp.gbw) << " Hz\n";
    printTable(out, rows);
    return kSuccess;
}

} // namespace

Command opAmpCommand() {
    return {"opamp", "the sections with a real op-amp of a given gain-bandwidth", kUsage, &runOpAmp};
}

} // namespace tessera::cli
