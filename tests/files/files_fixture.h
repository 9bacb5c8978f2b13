#pragma once
// A fresh engine over its own state, with a plot sink that keeps the last
// block per window, and a scratch folder for files.

#include "filter_engine.h"
#include "plot_sink.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace tessera::files_test {

class RecordingSink : public PlotSink {
public:
    void setData(GraphWindow window, const PlotData& block) override { last.insert_or_assign(window, block); }
    std::map<GraphWindow, PlotData> last;
};

// Runs `body` in a child process and returns its exit code (-1 when it died).
inline int inChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class FilesTest : public ::testing::Test {
protected:
    FilesTest() : engine(state) {
        E24Init(state);
        engine.setPlotSink(&sink);
        engine.Reset(true);
        folder = std::filesystem::temp_directory_path() /
                 ("tessera-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~FilesTest() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    FilterBankState state{};
    FilterEngine engine;
    RecordingSink sink;
    std::filesystem::path folder;
};

} // namespace tessera::files_test
