// tessera-design import MEASUREMENT [--config START.tsn] -o OUT.tsn:
// File → Import followed by File → Save as.

#include "commands.h"
#include "design_session.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design import MEASUREMENT [--config START.tsn] -o OUT.tsn\n"
    "Imports a measurement (as File > Import does) into the start-up sections or those\n"
    "of START.tsn and writes the configuration (as File > Save as does):\n"
    "  -o, --output OUT.tsn  the configuration to write (not one of the files read)\n";


int runImport(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("import");
    Message error;
    const Arguments args = Arguments::parse(words, {{"config", "output"}, {}}, error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneMeasurement}, language, err);
    const auto output = args.value("output");
    if (!output) return usageError(self, {kOutputRequired, {"OUT.tsn"}}, language, err);
    if (const auto clash = outputOverInput(*output, {args.positional().front(), args.value("config")}))
        return usageError(self, *clash, language, err);

    DesignSession session;
    if (const int status = openAndImport(session, self.name, args.value("config"), args.positional().front(), language, err))
        return status;
    const FileOutcome saved = session.saveAs(*output);
    if (!saved.done()) return reportFileFailure(self.name, saved, *output, kNotConfigurationExpected, language, err);
    out << "wrote " << *output << "\n";
    return kSuccess;
}

} // namespace

Command importCommand() {
    return {"import", "import a measurement into a configuration file", kUsage, &runImport};
}

} // namespace tessera::cli
