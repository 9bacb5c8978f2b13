// tessera-design parts CONFIG.tsn [--opamp NAME] [--summing-resistors OHMS]
// [--grouped] -o OUT.csv: Tools > Export parts list.

#include "circuit_options.h"
#include "commands.h"
#include "design_session.h"
#include "parts_list.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design parts CONFIG.tsn [--opamp NAME] [--summing-resistors OHMS] [--grouped] -o OUT.csv\n"
    "Writes the parts of the board of CONFIG.tsn as CSV (as Tools > Export parts list does):\n"
    "designator,kind,value,section,note per part, or with --grouped kind,value,count,designators\n"
    "per value. --opamp names the op-amp (NE5532, TL072, ...; default ideal, listed as \"op-amp\"),\n"
    "--summing-resistors the value of R13 ... R28 (an E24 value from 1k to 100k; default 10k).\n"
    "A section that cannot be built (\"err\" on its page) is refused and nothing is written.\n"
    "  -o, --output OUT.csv  the parts list to write (not CONFIG.tsn)\n";

int runParts(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("parts");
    const auto request = boardRequest(words, self, {"grouped"}, "OUT.csv", language, err);
    if (!request) return kUsageError;

    DesignSession session;
    const FileOutcome opened = session.open(request->configuration);
    if (!opened.done()) return reportFileFailure(self.name, opened, request->configuration, kNotConfigurationExpected, language, err);
    const PartsListForm form = request->args.has("grouped") ? PartsListForm::Grouped : PartsListForm::PerPart;
    const FileOutcome written = writePartsList(session.engine(), request->settings, form, request->output);
    if (!written.done()) return reportFileFailure(self.name, written, request->output, kNotPartsListExpected, language, err);
    out << "wrote " << request->output << "\n";
    return kSuccess;
}

} // namespace

Command partsCommand() {
    return {"parts", "write a configuration's parts list as CSV", kUsage, &runParts};
}

} // namespace tessera::cli
