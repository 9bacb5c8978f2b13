#include "fresh_folder_run.h"

#include "command_line.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace tessera::web {
namespace fs = std::filesystem;

namespace {

// The folder each run works in; it is gone again between runs.
const fs::path kRunFolder = "/tessera-run";
// Folders of the module's file system that hold no user files.
const std::set<fs::path> kSystemFolders = {"/dev", "/proc"};

// An input as written before the run: a replaced one has another inode
// (a save renames a new file into place) or other bytes.
struct Input {
    ino_t inode = 0;
    const std::string* bytes = nullptr;
};

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every path below the root but the system folders; a link is listed, not followed.
std::set<fs::path> everyPath() {
    std::set<fs::path> paths;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator("/", error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (kSystemFolders.count(it->path())) {
            it.disable_recursion_pending();
            continue;
        }
        paths.insert(it->path());
    }
    return paths;
}

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The name the command knew a written file by: relative within the run's
// folder, the whole path elsewhere.
std::string nameGiven(const fs::path& path) {
    const fs::path relative = path.lexically_relative(kRunFolder);
    return !relative.empty() && *relative.begin() != ".." ? relative.generic_string() : path.generic_string();
}

// Makes the file system what it was before the run: whatever the run left
// (its folder and anything written outside it) is removed.
void removeAllBut(const std::set<fs::path>& before) {
    std::error_code error;
    fs::current_path("/", error);
    const std::set<fs::path> after = everyPath();
    // Deepest first, so that a folder is empty when it goes.
    for (auto it = after.rbegin(); it != after.rend(); ++it)
        if (!before.count(*it)) fs::remove_all(*it, error);
}

} // namespace

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

CommandRun runInFreshFolder(const std::vector<std::string>& args, const std::vector<NamedBytes>& files) {
    std::error_code error;
    fs::remove_all(kRunFolder, error);
    const std::set<fs::path> before = everyPath();
    fs::create_directory(kRunFolder);
    fs::current_path(kRunFolder);

    std::map<fs::path, Input> inputs;
    for (const NamedBytes& file : files) {
        const fs::path path = kRunFolder / file.name;
        std::ofstream(path, std::ios::binary).write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        inputs[path] = {inodeOf(path), &file.bytes};
    }

    std::vector<std::string> words{"tessera-design"};
    words.insert(words.end(), args.begin(), args.end());
    std::ostringstream out, err;
    CommandRun run;
    // The messages are the English ones whatever language the host asks for
    // (--language among the arguments still chooses).
    run.status = cli::runProgram(words, Language::English, out, err);
    run.out = out.str();
    run.err = err.str();

    if (run.status == cli::kSuccess) {
        for (const fs::path& path : everyPath()) {
            if (before.count(path) || !fs::is_regular_file(fs::symlink_status(path, error))) continue;
            std::string bytes = contents(path);
            const auto input = inputs.find(path);
            const bool written = input == inputs.end() || input->second.inode != inodeOf(path) ||
                                 *input->second.bytes != bytes;
            if (written) run.files.push_back({nameGiven(path), std::move(bytes)});
        }
    }
    removeAllBut(before);
    return run;
}

} // namespace tessera::web
