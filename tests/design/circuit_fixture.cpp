#include "circuit_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace tessera::circuit_test {

std::vector<SpiceRow> runNgspice(const std::string& netlistFile) {
    const std::string command = std::string("'") + NGSPICE_PATH + "' -b '" + netlistFile + "' 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string output;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    if (::pclose(pipe) != 0) {
        ADD_FAILURE() << NGSPICE_PATH << " did not run: install the Debian package \"" << NGSPICE_PACKAGE
                      << "\" (tools/install-deps.sh lists it)\n" << output;
        return {};
    }

    // The table rows are "index<TAB>frequency<TAB>value...": a line that
    // starts with a digit; the headings and the summary do not.
    std::vector<SpiceRow> rows;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] < '0' || line[0] > '9' || line.find('\t') == std::string::npos) continue;
        std::istringstream fields(line);
        long index = 0;
        SpiceRow row;
        if (!(fields >> index >> row.frequency)) continue;
        for (double v; fields >> v;) row.values.push_back(v);
        if (!row.values.empty()) rows.push_back(row);
    }
    if (rows.empty()) ADD_FAILURE() << "ngspice printed no table for " << netlistFile << ":\n" << output;
    return rows;
}

ScratchFolder::ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::temp_directory_path() /
                        ("tessera-circuit-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::create_directories(folder);
    folder_ = folder.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string ScratchFolder::file(const std::string& name) const { return folder_ + "/" + name; }

} // namespace tessera::circuit_test
