// tessera-design response CONFIG.tsn [--window NAME] -o OUT.frd:
// File → Open followed by Tools → Export curve as FRD on one graph window.

#include "commands.h"
#include "design_session.h"
#include "frd_export.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design response CONFIG.tsn [--window Filter1|Filter2|Filter3|Filter4|Import|Result] -o OUT.frd\n"
    "Writes the main curve of one graph window (default Result) of the configuration\n"
    "as FRD text, as Tools > Export curve as FRD does:\n"
    "  --window NAME         the graph window whose curve is written\n"
    "  -o, --output OUT.frd  the FRD file to write (not CONFIG.tsn)\n";

int runResponse(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("response");
    Message error;
    const Arguments args = Arguments::parse(words, {{"window", "output"}, {}}, error);
    if (!error.empty()) return usageError(self, error, language, err);
    if (args.positional().size() != 1) return usageError(self, {kNameOneConfiguration}, language, err);
    const auto output = args.value("output");
    if (!output) return usageError(self, {kOutputRequired, {"OUT.frd"}}, language, err);
    if (const auto clash = outputOverInput(*output, {args.positional().front()})) return usageError(self, *clash, language, err);
    const auto window = graphWindowNamed(args.value("window").value_or("Result"));
    if (!window) return usageError(self, {kUnknownWindow, {*args.value("window")}}, language, err);

    DesignSession session;
    const std::string& configuration = args.positional().front();
    const FileOutcome opened = session.open(configuration);
    if (!opened.done()) return reportFileFailure(self.name, opened, configuration, kNotConfigurationExpected, language, err);
    const FileOutcome written = exportFrd(session.state(), *window, *output);
    if (!written.done()) return reportFileFailure(self.name, written, *output, kNotFrdExpected, language, err);
    out << "wrote " << *output << "\n";
    return kSuccess;
}

} // namespace

Command responseCommand() {
    return {"response", "write a graph window's curve of a configuration as FRD text", kUsage, &runResponse};
}

} // namespace tessera::cli
