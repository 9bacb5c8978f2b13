#pragma once
// The circuit settings a command takes from its options: --opamp NAME (a
// catalogue op-amp; an unknown name lists the known ones) or a custom
// op-amp's figures, --summing-resistors OHMS (an E24 value from 1k to 100k),
// --input-level DBU and --output-peak V, each through the entry checks the
// dialogs use. Absent options keep the defaults. And what the board commands (schematic, parts) read
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
// A custom op-amp: --gbw with --slew, --en and --in, all four figures; where
// the command allows it (netlist, opamp and tolerance, as they have always
// taken it), --gbw alone is a noiseless single-pole op-amp of that
// gain-bandwidth with unlimited slew rate.
inline constexpr const char* kGbwOption = "gbw";
inline constexpr const char* kSlewOption = "slew";
inline constexpr const char* kEnOption = "en";
inline constexpr const char* kInOption = "in";
inline constexpr const char* kInputLevelOption = "input-level";
inline constexpr const char* kOutputPeakOption = "output-peak";

enum class GbwAlone { SinglePole, Refused };

// The settings from whichever of these options the command's grammar has,
// or nullopt after a usage error has been written to `err`.
std::optional<CircuitSettings> circuitSettingsFrom(const Arguments& args, const Command& command, Language language,
                                                   std::ostream& err, GbwAlone gbwAlone = GbwAlone::SinglePole);

struct BoardRequest {
    Arguments args;
    std::string configuration, output;
    CircuitSettings settings;
};

// The words of a board command with its own `switches`; nullopt after a
// usage error ("-o OUTPUT_HINT is required" without -o) written to `err`.
std::optional<BoardRequest> boardRequest(const std::vector<std::string>& words, const Command& command,
                                         const std::set<std::string>& switches, std::string_view outputHint,
                                         Language language, std::ostream& err);

} // namespace tessera::cli
