#include "files_fixture.h"
#include "frequency_grid.h"
#include "mlssa_import.h"

#include <algorithm>
#include <vector>

namespace tessera::files_test {
namespace {

std::string mlssa(const std::vector<std::string>& data, const std::string& header = "\"Hz\",\"dB\"") {
    std::string text = "MLSSA: Frequency Domain\r\n" + header + "\r\n";
    for (const auto& line : data) text += line + "\r\n";
    return text;
}

using MlssaImportTest = FilesTest;

TEST_F(MlssaImportTest, LineOperations) {
    EXPECT_EQ(getMLSTxtfreq(" 25.5,-3"), 25.5);
    EXPECT_EQ(getMLSTxtbetrag(" 25.5,-3"), -3);
    EXPECT_EQ(getMLSTxtbetrag("25,-3.5,170.2,x"), -3.5);
    EXPECT_EQ(getMLSTxtfreq("42"), 42);
    EXPECT_EQ(getMLSTxtbetrag("42"), 42) << "without a comma both fields are the line";
    EXPECT_EQ(getMLSTxtbetrag("25,-3 "), 0) << "a blank after the number";
    EXPECT_TRUE(isMlssaHeader("  \"hZ\" , \"dB\""));
    EXPECT_FALSE(isMlssaHeader("\"Freq\",\"Hz\""));
    EXPECT_FALSE(isMlssaHeader("Hz,dB"));
}

TEST_F(MlssaImportTest, AveragesDecibelsOntoTheGrid) {
    std::vector<std::string> data = {"20,1.0", "25,2.0", "30,3.0"};
    for (int f = 40; f <= 25000; f += 10) data.push_back(std::to_string(f) + "," + std::to_string(f % 13 - 6));
    const std::string file = write("m.txt", mlssa(data));
    state.Modified = 0;
    const FileOutcome outcome = LoadMLSTxt(engine, file);
    ASSERT_TRUE(outcome.done()) << outcome.message.text(Language::English);
    EXPECT_EQ(outcome.importCaption, "Import " + file);
    EXPECT_EQ(state.Modified, 1);
    for (std::size_t g = 0; g <= 8; ++g) EXPECT_EQ(state.ImportedResponse[g], 1.5) << g;
    EXPECT_EQ(state.ImportedResponse[9], 3.0);

    const PlotData& block = sink.last.at(GraphWindow::Import);
    EXPECT_EQ(block.aux(), 1.0);
    EXPECT_EQ(block.sampleRate(), 0);
    EXPECT_EQ(block.size(), 4176u);

    // Further columns change nothing.
    const Curve first = state.ImportedResponse;
    for (auto& line : data) line += ",-170.5,extra";
    ASSERT_TRUE(importMlssaText(engine, mlssa(data), "n.txt").done());
    EXPECT_EQ(state.ImportedResponse, first);
}

TEST_F(MlssaImportTest, DataEndingAt10kHzRepeatsTheLastValue) {
    std::vector<std::string> data;
    for (int f = 10; f <= 10000; f += 10) data.push_back(std::to_string(f) + "," + std::to_string(-(f % 17)));
    data.push_back(""); // an empty line is a point at 0 Hz, 0 dB: only adds to the pending mean
    ASSERT_TRUE(importMlssaText(engine, mlssa(data, "\"HZ\" \"DB\""), "m.txt").done());
    const auto& r = state.ImportedResponse;
    const auto& grid = gridFrequencies();
    std::size_t computed = 0;
    while (grid[computed] < 10000) ++computed;
    for (std::size_t g = computed; g < 256; ++g) EXPECT_EQ(r[g], r[computed - 1]) << g;
    const PlotData& block = sink.last.at(GraphWindow::Import);
    EXPECT_EQ(block.yMin(), *std::min_element(r.begin(), r.end()));
    EXPECT_LT(block.yMin(), -10) << "values at or below 0 dB are averaged like any other";
}

TEST_F(MlssaImportTest, ForeignFilesArePassedOverOthersRefused) {
    state.ImportedResponse.fill(4);
    state.Modified = 0;
    const auto unchanged = [&] {
        for (double v : state.ImportedResponse) EXPECT_EQ(v, 4);
        EXPECT_EQ(state.Modified, 0);
        EXPECT_TRUE(sink.last.empty());
    };
    sink.last.clear();

    const FileOutcome foreign = importMlssaText(engine, mlssa({"100,1"}, "\"Frequency\",\"dB\""), "f.txt");
    EXPECT_TRUE(foreign.ignored());
    EXPECT_TRUE(foreign.message.empty());
    unchanged();

    EXPECT_EQ(importMlssaText(engine, "title only\r\n", "s.txt").message.text(Language::German), " File s.txt is incomplete! Can not import!");
    EXPECT_EQ(importMlssaText(engine, mlssa({}), "s.txt").message.text(Language::German), " File s.txt is incomplete! Can not import!");
    EXPECT_EQ(importMlssaText(engine, mlssa({"5,1", "20,2"}), "s.txt").message.text(Language::German),
              " File s.txt has no data above 20 Hz! Can not import!");
    EXPECT_EQ(importMlssaText(engine, mlssa({"5,1", "30,1e39"}), "s.txt").message.text(Language::German),
              " File s.txt holds a number too large to read! Can not import!");
    unchanged();
}

} // namespace
} // namespace tessera::files_test
