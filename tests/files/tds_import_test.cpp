#include "files_fixture.h"
#include "frequency_grid.h"
#include "real_conversion.h"
#include "tds_import.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tessera::files_test {
namespace {

struct TdsFile {
    std::string first = "\"TDS\"";
    std::string count, start, stop, reference = "1";
    std::vector<std::string> data;

    // Points at `start` + k * `step` Hz with the magnitudes given (imaginary 0).
    static TdsFile equallySpaced(double startHz, double step, const std::vector<double>& magnitudes) {
        TdsFile f;
        f.count = std::to_string(magnitudes.size());
        f.start = std::to_string(startHz);
        f.stop = std::to_string(startHz + step * static_cast<double>(magnitudes.size() - 1));
        for (double m : magnitudes) f.data.push_back(point(m, 0));
        return f;
    }
    static std::string point(double re, double im) {
        char text[64];
        std::snprintf(text, sizeof text, "%15.6E,%.6E", re, im);
        return text;
    }
    std::string text() const {
        std::vector<std::string> lines(31, "\"unused\" 0");
        lines[0] = first;
        lines[7] = "\"Number of points\" " + count;
        lines[8] = "\"Start\"\t" + start;
        lines[9] = "\"Stop\":" + stop;
        lines[20] = "\"Reference\" " + reference;
        lines.insert(lines.end(), data.begin(), data.end());
        std::string all;
        for (const auto& line : lines) all += line + "\r\n";
        return all;
    }
};

double db(double v) { return 20 * std::log10(v); }

using TdsImportTest = FilesTest;

TEST_F(TdsImportTest, LineOperations) {
    EXPECT_EQ(getTDSdouble("\"Points\" 512"), 512);
    EXPECT_EQ(getTDSdouble("\"Start\"=  2,5"), 2.5);
    EXPECT_EQ(getTDSdouble("\"Start\"2.5"), 0.5) << "one separator character, whatever it is";
    EXPECT_EQ(getTDSdouble("no key 5"), 0);
    EXPECT_EQ(getTDSbetrag("            3.0 -4.0"), 5);
    EXPECT_EQ(getTDSbetrag("            3.0"), 3) << "no imaginary part";
    EXPECT_EQ(getTDSbetrag("3.0             4"), 4) << "a real part not right-aligned reads 0";
    EXPECT_THROW(getTDSbetrag("           1E40 0"), FloatOverflowError);
}

// From 0 Hz in 20 Hz steps, reference 1, magnitudes 1, 2, 3, ... up to 22 kHz.
TEST_F(TdsImportTest, ResamplesLinearMeansOntoTheGrid) {
    std::vector<double> m;
    for (int k = 0; k <= 1100; ++k) m.push_back(1 + k);
    const std::string file = write("a.tds", TdsFile::equallySpaced(0, 20, m).text());
    state.Modified = 0;

    const FileOutcome outcome = LoadTDS(engine, file);
    ASSERT_TRUE(outcome.done()) << outcome.message.text(Language::English);
    EXPECT_EQ(outcome.importCaption, "Import " + file);
    EXPECT_EQ(state.Modified, 1);

    const auto& r = state.ImportedResponse;
    const auto& grid = gridFrequencies();
    for (std::size_t g = 0; g <= 25; ++g) EXPECT_DOUBLE_EQ(r[g], db(2)) << g; // mean of 0, 20, 40 Hz
    for (std::size_t g = 26; grid[g] < 60; ++g) EXPECT_DOUBLE_EQ(r[g], db(4)) << g;
    EXPECT_EQ(r[255], r[254]);
    EXPECT_NE(r[254], r[253]);

    const PlotData& block = sink.last.at(GraphWindow::Import);
    EXPECT_EQ(block.size(), 4176u);
    EXPECT_EQ(block.count(), 256);
    EXPECT_EQ(block.rows(), 2);
    EXPECT_EQ(block.sampleRate(), 0);
    EXPECT_EQ(block.aux(), 1.0);
    EXPECT_EQ(block.xMin(), 20.0);
    EXPECT_EQ(block.xMax(), 20000.0);
    EXPECT_EQ(block.yMin(), db(2));
    EXPECT_EQ(block.yMax(), r[254]);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(block.value(i), grid[i]);
        EXPECT_EQ(block.value(256 + i), r[i]);
    }
    EXPECT_TRUE(sink.last.count(GraphWindow::Result));
}

TEST_F(TdsImportTest, DataEndingAt10kHzRepeatsTheLastValue) {
    std::vector<double> m;
    for (int k = 0; k <= 500; ++k) m.push_back(k % 7 == 0 ? 0.5 : 1 + k); // up to 10 kHz
    TdsFile f = TdsFile::equallySpaced(0, 20, m);
    f.first = "\"tds\"";
    ASSERT_TRUE(importTdsText(engine, f.text(), "b.tds").done());

    // Only grid points below the last data frequency get a mean of their own.
    const auto& r = state.ImportedResponse;
    const auto& grid = gridFrequencies();
    std::size_t computed = 0;
    while (grid[computed] < 10000) ++computed;
    EXPECT_NE(r[computed - 1], r[computed - 2]);
    for (std::size_t g = computed; g < 256; ++g) EXPECT_EQ(r[g], r[computed - 1]) << g;
    const PlotData& block = sink.last.at(GraphWindow::Import);
    EXPECT_EQ(block.yMin(), *std::min_element(r.begin(), r.end()));
    EXPECT_EQ(block.yMax(), *std::max_element(r.begin(), r.end()));
}

TEST_F(TdsImportTest, ReferenceLevelAndZeroMeans) {
    TdsFile f = TdsFile::equallySpaced(0, 100, std::vector<double>(300, 0));
    for (auto& line : f.data) line = TdsFile::point(3, -4);
    f.reference = "5";
    ASSERT_TRUE(importTdsText(engine, f.text(), "c.tds").done());
    for (double v : state.ImportedResponse) EXPECT_EQ(v, 0.0);

    // A zero mean takes the lowest value so far (0 before the first).
    std::vector<double> m(300, 10);
    m[0] = 0;                  // 30 Hz
    m[1] = 0.1;                // 130 Hz: -20 dB
    m[50] = m[51] = 0;         // 5030 and 5130 Hz
    ASSERT_TRUE(importTdsText(engine, TdsFile::equallySpaced(30, 100, m).text(), "d.tds").done());
    const auto& grid = gridFrequencies();
    int zeros = 0;
    for (std::size_t g = 0; g < 256; ++g) {
        if (grid[g] < 30) {
            EXPECT_EQ(state.ImportedResponse[g], 0.0) << g;
        }
        if (grid[g] > 30 && grid[g] < 130) {
            EXPECT_NEAR(state.ImportedResponse[g], -20.0, 1e-9) << g;
        }
        if (grid[g] > 4930 && grid[g] < 5130) {
            EXPECT_NEAR(state.ImportedResponse[g], -20.0, 1e-9) << g;
            ++zeros;
        }
    }
    EXPECT_GT(zeros, 0);
}

TEST_F(TdsImportTest, RefusedFilesChangeNothing) {
    state.ImportedResponse.fill(-2);
    state.Modified = 0;
    const std::vector<double> ok(300, 1);
    const auto refused = [&](const TdsFile& f, const std::string& reason) {
        const FileOutcome outcome = importTdsText(engine, f.text(), "bad.tds");
        EXPECT_TRUE(outcome.refused());
        EXPECT_EQ(outcome.message.text(Language::German), " File bad.tds " + reason + " Can not import!");
        for (double v : state.ImportedResponse) EXPECT_EQ(v, -2);
        EXPECT_EQ(state.Modified, 0);
        EXPECT_TRUE(sink.last.empty());
    };
    sink.last.clear();

    TdsFile f = TdsFile::equallySpaced(0, 100, ok);
    f.first = "TDS";
    refused(f, "is not an ASCII-File!");

    f = TdsFile::equallySpaced(0, 100, ok);
    f.count = "1.9";
    refused(f, "declares fewer than 2 data points!");

    f = TdsFile::equallySpaced(0, 100, ok);
    f.count = "2000000000";
    refused(f, "is incomplete!");

    f = TdsFile::equallySpaced(0, 100, ok);
    f.data.resize(100); // 10 kHz never reached
    refused(f, "is incomplete!");

    refused(TdsFile::equallySpaced(0, 0.01, ok), "has no data above 20 Hz!");

    f = TdsFile::equallySpaced(0, 100, ok);
    f.data[3] = "           1E40 0";
    refused(f, "holds a number too large to read!");
    f = TdsFile::equallySpaced(0, 100, ok);
    f.reference = "-1E39";
    refused(f, "holds a number too large to read!");

    EXPECT_EQ(LoadTDS(engine, path("none.tds")).message.text(Language::German), "Kann Datei " + path("none.tds") + " nicht öffnen");
    EXPECT_TRUE(importTdsText(engine, "\"TDS\"\r\n", "bad.tds").refused());
    EXPECT_TRUE(importTdsText(engine, "", "bad.tds").refused());
}

} // namespace
} // namespace tessera::files_test
