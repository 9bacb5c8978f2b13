#include "scratch_file.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace tessera::web {

std::string plainFileName(std::string_view name) {
    const std::size_t cut = name.find_last_of("/\\");
    std::string plain(cut == std::string_view::npos ? name : name.substr(cut + 1));
    if (plain.empty() || plain == "." || plain == "..") return "unnamed";
    return plain;
}

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    folder_ = std::filesystem::temp_directory_path(error) /
              ("tessera-page-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder_, error);
    std::filesystem::current_path(folder_, error);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    std::filesystem::remove_all(folder_, error);
}

std::string ScratchFolder::put(std::string_view name, std::string_view bytes) {
    const std::string plain = plainFileName(name);
    std::ofstream out(folder_ / plain, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return plain;
}

std::string ScratchFolder::take(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace tessera::web
