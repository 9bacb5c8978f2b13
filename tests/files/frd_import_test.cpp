#include "files_fixture.h"
#include "frd_export.h"
#include "frd_import.h"
#include "frequency_grid.h"
#include "measurement_import.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace tessera::files_test {
namespace {

using FrdImportTest = FilesTest;

std::string sample(const std::string& name) { return std::string(TESSERA_CORPUS_DIR) + "/" + name; }

TEST_F(FrdImportTest, ColumnsSplitAtTabsSemicolonsCommasOrBlanks) {
    const auto point = [](std::string_view line) {
        const ResponseLine read = readResponseLine(line);
        EXPECT_EQ(read.kind, ResponseLine::Data) << line;
        EXPECT_EQ(read.frequency.kind, ColumnNumber::Number) << line;
        EXPECT_EQ(read.magnitude.kind, ColumnNumber::Number) << line;
        return std::pair(read.frequency.value, read.magnitude.value);
    };
    EXPECT_EQ(point("20,5\t-3,25\t170,1"), std::pair(20.5, -3.25)) << "decimal comma with tab columns";
    EXPECT_EQ(point("  20,5 ;  -3,25 ; x"), std::pair(20.5, -3.25)) << "and with semicolon columns";
    EXPECT_EQ(point("20\t\t-3.5"), std::pair(20.0, -3.5)) << "a run of tabs is one separator";
    EXPECT_EQ(point("\"20\",\"-3.5\",\"170\""), std::pair(20.0, -3.5));
    EXPECT_EQ(point("   1.5e3     -0.25   90"), std::pair(1500.0, -0.25));
    // A comma splits a line without tab or semicolon: no decimal comma then.
    EXPECT_EQ(readResponseLine("20 1,5").frequency.kind, ColumnNumber::Text);
    EXPECT_EQ(readResponseLine("20").magnitude.kind, ColumnNumber::Text);
    EXPECT_EQ(readResponseLine("20,-inf").magnitude.kind, ColumnNumber::Unreadable);
    EXPECT_EQ(readResponseLine("20 1e39").magnitude.kind, ColumnNumber::Unreadable);
    for (std::string_view skipped : {"", " \t ", "* 20 1", "  # 20 1", "; 20;1", "// 20 1"})
        EXPECT_EQ(readResponseLine(skipped).kind, ResponseLine::Skipped) << skipped;
    EXPECT_EQ(readResponseLine("20 \x01 1").kind, ResponseLine::Binary);
}

TEST_F(FrdImportTest, EveryFormatGivesWhatTheMlssaReaderGivesForTheSamePoints) {
    ASSERT_TRUE(importMeasurement(engine, sample("mlssa/same_points.txt")).done());
    const Curve reference = state.ImportedResponse;
    const PlotData referenceBlock = sink.last.at(GraphWindow::Import);

    // The MLSSA reader leaves the last grid point to the fill; this reader
    // reads on until every grid point has its value.
    std::optional<Curve> first;
    for (const char* name : {"frd/plain.frd", "frd/commented_phase.frd", "frd/room_export.txt", "frd/analyser.csv",
                             "frd/spreadsheet.csv"}) {
        state.ImportedResponse.fill(-99);
        state.Modified = 0;
        sink.last.clear();
        const FileOutcome outcome = importMeasurement(engine, sample(name));
        ASSERT_TRUE(outcome.done()) << name << ": " << outcome.message.text(Language::English);
        EXPECT_EQ(outcome.importCaption, "Import " + sample(name));
        EXPECT_TRUE(std::equal(reference.begin(), reference.end() - 1, state.ImportedResponse.begin())) << name;
        EXPECT_NE(state.ImportedResponse.back(), reference.back());
        if (!first) first = state.ImportedResponse;
        EXPECT_EQ(state.ImportedResponse, *first) << name;
        EXPECT_EQ(state.Modified, 1);
        const PlotData& block = sink.last.at(GraphWindow::Import);
        EXPECT_EQ(block.aux(), 1.0);
        EXPECT_EQ(block.yMin(), referenceBlock.yMin());
        EXPECT_TRUE(sink.last.count(GraphWindow::Result));
    }
}

TEST_F(FrdImportTest, RefusalsNameTheLineAndChangeNothing) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"refuse_no_data.frd", "line 3: holds no data line!"},
        {"refuse_blank_decimal_comma.frd", "line 2: holds no data line!"},
        {"refuse_single_point.frd", "line 2: holds a single data point!"},
        {"refuse_one_number.csv", "line 3: holds fewer than two numbers!"},
        {"refuse_not_rising.frd", "line 3: has a frequency not above the one before!"},
        {"refuse_overflow.frd", "line 2: holds a number too large to read or not finite!"},
        {"refuse_nonfinite.csv", "line 2: holds a number too large to read or not finite!"},
        {"refuse_below_20hz.frd", "line 3: has no data from 20 Hz on!"},
        {"refuse_binary.frd", "line 2: is not a text file!"},
        {"refuse_nul.frd", "line 3: is not a text file!"},
    };
    state.ImportedResponse.fill(4);
    state.Modified = 0;
    sink.last.clear();
    for (const auto& [name, reason] : cases) {
        const std::string file = sample(std::string("frd/") + name);
        const FileOutcome outcome = importMeasurement(engine, file);
        EXPECT_EQ(outcome.message.text(Language::German), " File " + file + ", " + reason + " Can not import!");
    }
    for (double v : state.ImportedResponse) ASSERT_EQ(v, 4);
    EXPECT_EQ(state.Modified, 0);
    EXPECT_TRUE(sink.last.empty());
    EXPECT_TRUE(importMeasurement(engine, write("a.wav", "20 1\n30 2\n")).ignored());
}

TEST_F(FrdImportTest, ReadingStopsOnceTheGridIsFilled) {
    std::string text = "Frequency\tMagnitude\n";
    for (double f = 15; f < 21000; f *= 1.01) text += std::to_string(f) + "\t" + std::to_string(std::cos(f)) + "\n";
    text += "21000 1\n";
    ASSERT_TRUE(importResponseText(engine, text, "a.frd").done());
    const Curve complete = state.ImportedResponse;
    ASSERT_TRUE(importResponseText(engine, text + "20 1\nnot a number\n\x01\x02\n" + std::string(3, '\0'), "b.frd").done());
    EXPECT_EQ(state.ImportedResponse, complete);
}

TEST_F(FrdImportTest, AnExportReadsBackAtTheGridPoints) {
    for (std::size_t i = 0; i < kGridPoints; ++i)
        state.ImportedResponse[i] = 6 * std::sin(0.05 * static_cast<double>(i)) + 1.0 / 3.0;
    const Curve exported = state.ImportedResponse;
    const std::string file = path("curve.frd");
    ASSERT_TRUE(exportFrd(state, GraphWindow::Import, file).done());

    // Every line reads back as the conversion's value of the exported double.
    const std::string text = read(file);
    TextLines lines(text);
    std::string_view line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(readResponseLine(line).kind, ResponseLine::Skipped);
    for (std::size_t i = 0; lines.next(line); ++i) {
        const ResponseLine point = readResponseLine(line);
        EXPECT_EQ(point.frequency.value, toReal48(gridFrequencies()[i])) << i;
        EXPECT_EQ(point.magnitude.value, toReal48(exported[i])) << i;
    }
    // A point on a grid frequency gives that grid point its value: the curve
    // comes back point for point, to the precision of the 48-bit conversion.
    ASSERT_TRUE(importMeasurement(engine, file).done());
    for (std::size_t i = 0; i < kGridPoints; ++i)
        EXPECT_EQ(state.ImportedResponse[i], toReal48(exported[i])) << i;
}

} // namespace
} // namespace tessera::files_test
