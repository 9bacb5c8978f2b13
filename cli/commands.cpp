#include "commands.h"

namespace tessera::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        importCommand(),
        fitCommand(),
        netlistCommand(),
        responseCommand(),
        opAmpCommand(),
        toleranceCommand(),
        noiseCommand(),
        schematicCommand(),
        partsCommand(),
    };
    return all;
}

} // namespace tessera::cli
