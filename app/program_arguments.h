#pragma once
// The command line of `tessera`, read before the application is made, so
// that --help, --version and wrong arguments are answered without a display
// and before any window opens. Plain C++: no Qt.

#include "language.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct ProgramArguments {
    enum class Action {
        Run,     // start the program (with `file` when one was named)
        Help,    // print programUsage() on standard output, exit 0
        Version, // print the version line on standard output, exit 0
        Wrong,   // print `error` and the usage on standard error, exit 2
    };
    Action action = Action::Run;
    std::optional<std::string> file; // the configuration to open at start
    std::optional<Language> language; // --language: before the remembered choice and the environment
    std::string error;
};

// The words after the program's name. Besides its own options the program
// takes the Qt toolkit's ("-style NAME", "-platform NAME", "-reverse" …),
// which the application reads itself.
ProgramArguments readProgramArguments(const std::vector<std::string>& words);

// The usage text of `tessera --help`.
std::string_view programUsage();

} // namespace tessera
