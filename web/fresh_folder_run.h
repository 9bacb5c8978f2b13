#pragma once
// One run of tessera-design inside the module, as if it were started in a
// folder holding only the given files: the folder is made afresh, the
// command runs in it, and everything it wrote is gathered and removed again,
// so that no run sees what another left.

#include <string>
#include <utility>
#include <vector>

namespace tessera::web {

struct NamedBytes {
    std::string name;
    std::string bytes;
};

struct CommandRun {
    int status = 0;
    std::string out, err;
    // Every file the command wrote (new, or an input it replaced), by its
    // name as the command was given it; none when the command failed, so
    // that nothing half-done comes back.
    std::vector<NamedBytes> files;
};

// Whether `name` is one the folder can hold: a plain file name, not empty,
// without "/" or a NUL, and not "." or "..".
bool isPlainFileName(const std::string& name);

// Runs `tessera-design ARGS...` with the files (plain names, see above)
// in the folder. What the command prints is returned, not shown.
CommandRun runInFreshFolder(const std::vector<std::string>& args, const std::vector<NamedBytes>& files);

} // namespace tessera::web
