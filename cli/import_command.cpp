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
    "of START.tsn and writes the configuration (as File > Save as does).\n";

constexpr std::string_view kMeasurement = "a measurement file that Import reads";
constexpr std::string_view kConfiguration = "a configuration file (.tsn)";

int runImport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Command& self = command("import");
    std::string error;
    const Arguments args = Arguments::parse(words, {{"config", "output"}, {}}, error);
    if (!error.empty()) return usageError(self, error, err);
    if (args.positional().size() != 1) return usageError(self, "name one measurement file", err);
    const auto output = args.value("output");
    if (!output) return usageError(self, "-o OUT.tsn is required", err);

    DesignSession session;
    if (const auto config = args.value("config")) {
        const FileOutcome opened = session.open(*config);
        if (!opened.done()) return reportFileFailure(self.name, opened, *config, kConfiguration, err);
    }
    const std::string& measurement = args.positional().front();
    const FileOutcome imported = session.import(measurement);
    if (!imported.done()) return reportFileFailure(self.name, imported, measurement, kMeasurement, err);
    const FileOutcome saved = session.saveAs(*output);
    if (!saved.done()) return reportFileFailure(self.name, saved, *output, kConfiguration, err);
    out << "wrote " << *output << "\n";
    return kSuccess;
}

} // namespace

Command importCommand() {
    return {"import", "import a measurement into a configuration file", kUsage, &runImport};
}

} // namespace tessera::cli
