#pragma once
// The circuit settings a command takes from its options: --opamp NAME (a
// catalogue op-amp; an unknown name lists the known ones) and
// --summing-resistors OHMS (an E24 value from 1k to 100k). Absent options
// keep the defaults. And what the board commands (schematic, parts) read
// alike: one configuration, -o OUT and those two options.

#include "circuit_settings.h"
#include "command_line.h"
#include "design_session.h"

#include <iosfwd>
#include <optional>
#include <set>
#include <string>

namespace tessera::cli {

// The option names, to add to a command's grammar.
inline constexpr const char* kOpAmpOption = "opamp";
inline constexpr const char* kSummingOption = "summing-resistors";

// The settings, or nullopt after a usage error has been written to `err`.
std::optional<CircuitSettings> circuitSettingsFrom(const Arguments& args, const Command& command, std::ostream& err);

struct BoardRequest {
    Arguments args;
    std::string configuration, output;
    CircuitSettings settings;
};

// The words of a board command with its own `switches`; nullopt after a
// usage error ("-o OUTPUT_HINT is required" without -o) written to `err`.
std::optional<BoardRequest> boardRequest(const std::vector<std::string>& words, const Command& command,
                                         const std::set<std::string>& switches, std::string_view outputHint,
                                         std::ostream& err);

} // namespace tessera::cli
