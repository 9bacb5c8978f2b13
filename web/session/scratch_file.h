#pragma once
// The page hands the core a file's bytes, while the core's readers read
// files by name: the bytes go into a file of that name in a private folder,
// which is the working folder while the reader runs, so that every message
// names the file as the user knows it.

#include <filesystem>
#include <string>
#include <string_view>

namespace tessera::web {

// The last part of a name as a browser gives it, never a path: "m.frd" for
// "C:\\x\\m.frd" or "a/m.frd"; "unnamed" for an empty name, "." or "..".
std::string plainFileName(std::string_view name);

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes `bytes` under the plain form of `name`; returns that form.
    std::string put(std::string_view name, std::string_view bytes);
    // The bytes of a file the core wrote here; empty when there is none.
    std::string take(const std::string& name) const;

private:
    std::filesystem::path folder_, previous_;
};

} // namespace tessera::web
