// Runs every file of the fuzz seed corpus through the reader of its folder
// (tsn, tds, mlssa, frd) and, for good measure, through the other readers.
// Any crash, sanitizer report or broken invariant fails the test.

#include "reader_drivers.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        tessera::fuzzing::driveConfigurationReader(data, bytes.size());
        tessera::fuzzing::driveTdsReader(data, bytes.size());
        tessera::fuzzing::driveMlssaReader(data, bytes.size());
        tessera::fuzzing::driveResponseReader(data, bytes.size());
        ++files;
    }
    std::printf("%zu corpus files replayed through each reader\n", files);
    return files > 0 ? 0 : 1;
}
