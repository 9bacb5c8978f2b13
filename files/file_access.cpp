#include "file_access.h"

#include <cstdio>
#include <memory>

namespace tessera {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

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

} // namespace tessera
