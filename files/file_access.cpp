#include "file_access.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define TESSERA_HAVE_FSYNC 1
#endif

namespace tessera {
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file that a save really replaces: the target of a symbolic link.
fs::path resolvedTarget(const std::string& name) {
    fs::path target(name);
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

// Creates a new, uniquely named file next to `target` ("x": never an existing one).
FileHandle createSibling(const fs::path& target, fs::path& created) {
    std::random_device random;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = ".";
        name.append(target.filename().string()).append(".saving-").append(std::to_string(random()));
        created = folder / name;
        if (std::FILE* f = std::fopen(created.string().c_str(), "wbx")) return FileHandle(f);
        if (errno != EEXIST) break;
    }
    return nullptr;
}

bool writeAndFlush(FileHandle& file, std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
    if (std::fflush(file.get()) != 0) return false;
#ifdef TESSERA_HAVE_FSYNC
    if (::fsync(::fileno(file.get())) != 0) return false;
#endif
    return std::fclose(file.release()) == 0;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& name) {
    FileHandle file(std::fopen(name.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get())) return std::nullopt; // a folder, a read error
    return bytes;
}

FileOutcome readFileWith(FilterEngine& engine, const std::string& fileName, TextReader reader) {
    const std::optional<std::string> text = readWholeFile(fileName);
    if (!text) return FileOutcome::refusal(messages::cannotOpen(fileName));
    return reader(engine, *text, fileName);
}

bool replaceFile(const std::string& name, std::string_view bytes) {
    const fs::path target = resolvedTarget(name);
    fs::path temporary;
    FileHandle file = createSibling(target, temporary);
    if (!file) return false;

    std::error_code ec;
    bool ok = writeAndFlush(file, bytes);
    if (ok) {
        // A replaced file keeps its permissions.
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), ec);
        ec.clear();
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) {
        file.reset();
        fs::remove(temporary, ec);
    }
    return ok;
}

} // namespace tessera
