#pragma once
// Runs `tessera-design` in-process and keeps what it printed; a scratch
// folder for its files.

#include "command_line.h"
#include "design_session.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessera::cli_test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

class CliTest : public ::testing::Test {
protected:
    CliTest() {
        folder = std::filesystem::temp_directory_path() /
                 ("tessera-cli-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~CliTest() override { std::filesystem::remove_all(folder); }

    // In the language given, whatever the environment says.
    static CliRun run(std::vector<std::string> words, Language language = Language::English) {
        words.insert(words.begin(), "tessera-design");
        std::ostringstream out, err;
        CliRun r;
        r.status = cli::run(words, language, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path folder;
};

// A configuration with a boost section at 1 kHz, saved as the program saves it.
inline std::string savedConfiguration(const std::string& name) {
    cli::DesignSession session;
    session.engine().commitEntry(1, Entry::Frequency, "1000");
    session.engine().selectSeries(1, Series::E12);
    EXPECT_TRUE(session.saveAs(name).done());
    return name;
}

} // namespace tessera::cli_test
