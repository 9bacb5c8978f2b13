// tessera-design schematic CONFIG.tsn [--opamp NAME] [--summing-resistors
// OHMS] -o OUT.svg|OUT.pdf: the circuit diagram of Tools > Schematic.

#include "circuit_options.h"
#include "commands.h"
#include "design_session.h"
#include "schematic.h"
#include "schematic_files.h"

#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design schematic CONFIG.tsn [--opamp NAME] [--summing-resistors OHMS] -o OUT.svg|OUT.pdf\n"
    "Draws the equaliser of CONFIG.tsn as a circuit diagram (as Tools > Schematic does) with\n"
    "every designator and value, as SVG or PDF by the ending of OUT. --opamp names the op-amp\n"
    "(NE5532, TL072, ...; default ideal), --summing-resistors the value of R13 ... R28\n"
    "(an E24 value from 1k to 100k; default 10k). A section that cannot be built shows \"err\".\n"
    "  -o, --output OUT.svg|OUT.pdf  the drawing to write (not CONFIG.tsn)\n";

int runSchematic(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err) {
    const Command& self = command("schematic");
    const auto request = boardRequest(words, self, {}, "OUT.svg or -o OUT.pdf", language, err);
    if (!request) return kUsageError;
    const auto format = drawingFormatFor(request->output);
    if (!format) return usageError(self, {kDrawingEnding}, language, err);

    DesignSession session;
    const FileOutcome opened = session.open(request->configuration);
    if (!opened.done()) return reportFileFailure(self.name, opened, request->configuration, kNotConfigurationExpected, language, err);
    const drawing::Drawing drawing = schematicDrawing(session.engine(), request->settings, request->configuration);
    const FileOutcome written = writeDrawing(drawing, *format, request->output);
    if (!written.done()) return reportFileFailure(self.name, written, request->output, kNotSchematicExpected, language, err);
    out << "wrote " << request->output << "\n";
    return kSuccess;
}

} // namespace

Command schematicCommand() {
    return {"schematic", "draw a configuration's circuit diagram as SVG or PDF", kUsage, &runSchematic};
}

} // namespace tessera::cli
