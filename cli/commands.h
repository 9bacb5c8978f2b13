#pragma once
// The subcommands of `tessera-design`, one file each.

#include "command_line.h"

namespace tessera::cli {

Command importCommand();
Command fitCommand();
Command netlistCommand();
Command responseCommand();
Command opAmpCommand();
Command toleranceCommand();
Command noiseCommand();
Command schematicCommand();
Command partsCommand();

} // namespace tessera::cli
