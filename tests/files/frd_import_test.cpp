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

TEST_F(FrdImportTest, CommasBetweenGroupsOfThreeDigitsSeparateThousandsWhereTheyCan) {
    const auto value = [](const char* text) { return *realValue(text); };
    struct Case {
        const char* line;
        DecimalMark mark; // what the file has shown before
        double frequency, magnitude;
    };
    const Case cases[] = {
        {"12,345 76", DecimalMark::Unknown, 12345, 76},
        {"-1,000,000.25\t3", DecimalMark::Unknown, value("-1000000.25"), 3},
        {"12,345\t76.5", DecimalMark::Unknown, 12345, value("76.5")}, // the magnitude shows the point
        // As these have always read: a decimal comma, or a comma between columns.
        {"12,345\t76", DecimalMark::Unknown, value("12.345"), 76},
        {"20,500;-2,477", DecimalMark::Comma, 20.5, value("-2.477")},
        {"100,100", DecimalMark::Point, 100, 100},
        {"20, 76.04", DecimalMark::Unknown, 20, value("76.04")},
    };
    for (const Case& c : cases) {
        DecimalMark mark = c.mark;
        const ResponseLine read = readResponseLine(c.line, mark);
        EXPECT_EQ(read.frequency.kind, ColumnNumber::Number) << c.line;
        EXPECT_EQ(read.frequency.value, c.frequency) << c.line;
        EXPECT_EQ(read.magnitude.value, c.magnitude) << c.line;
    }
}

// A room response as a measurement site exports it: quoted header lines, tab
// columns, CR LF, a decimal point and frequencies above 999 Hz written with a
// thousands separator, the last point at 19999.5 Hz.
TEST_F(FrdImportTest, AnExportWithThousandsSeparatorsGivesTheCurveOfTheSameDataWithout) {
    struct Layout {
        const char* header;
        const char* separator;
        int frequencyDecimals;
    };
    const Layout layouts[] = {
        {"\"Estimated In-Room Response\"\r\n\"Frequency [Hz]\"\t\"SPL [dB]\"\r\n", "\t", 2},
        {"\"Frequency\";\"SPL\"\r\n", ";", 1},
        {"* freq dB\r\n", "  ", 2},
        {"\"Hz\"\t\"dB\"\r\n", "\t", 0}, // "1,035": thousands, as the magnitudes show a point
    };
    const auto grouped = [](std::string_view digits) {
        const std::size_t point = std::min(digits.find('.'), digits.size());
        std::string text;
        for (std::size_t k = 0; k < digits.size(); ++k) {
            if (k > 0 && k < point && (point - k) % 3 == 0) text += ',';
            text += digits[k];
        }
        return text;
    };
    for (const Layout& layout : layouts) {
        std::string withCommas = layout.header, plain = layout.header;
        for (double f = 20; f < 19999.5; f *= std::exp2(1.0 / 6)) {
            const bool last = f * std::exp2(1.0 / 6) >= 19999.5;
            char frequency[32], db[32];
            std::snprintf(frequency, sizeof frequency, "%.*f", layout.frequencyDecimals, last ? 19999.5 : f);
            std::snprintf(db, sizeof db, "%.2f", 80 + 4 * std::sin(f / 300));
            withCommas += grouped(frequency) + layout.separator + db + "\r\n";
            plain += std::string(frequency) + layout.separator + db + "\r\n";
        }
        const FileOutcome read = importResponseText(engine, plain, "plain.txt");
        ASSERT_TRUE(read.done()) << read.message.text(Language::English);
        const Curve expected = state.ImportedResponse;
        const FileOutcome separated = importResponseText(engine, withCommas, "grouped.txt");
        ASSERT_TRUE(separated.done()) << layout.header << separated.message.text(Language::English);
        EXPECT_EQ(state.ImportedResponse, expected) << layout.header;
    }
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
        {"refuse_one_number.csv", "line 3: holds fewer than two numbers: nothing after \"30\"!"},
        {"refuse_not_rising.frd", "line 3: has a frequency not above the one before!"},
        {"refuse_overflow.frd", "line 2: holds a number too large to read or not finite: \"1e39\"!"},
        {"refuse_nonfinite.csv", "line 2: holds a number too large to read or not finite: \"NaN\"!"},
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
    // The column that is no number quoted (cut after 40 bytes); frequencies
    // of 0 Hz or below; a first point that leaves nothing below 20 kHz.
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"\"Hz\"\t\"dB\"\r\n20.5\t1\r\n1.034,91\t2\r\n", "line 3: holds fewer than two numbers: \"1.034,91\" is not a number!"},
        {"20 1\n30 " + std::string(45, 'x') + "\n", "line 2: holds fewer than two numbers: \"" + std::string(40, 'x') + "...\" is not a number!"},
        {"0 1\n20 2\n30 3\n", "line 1: has a frequency of 0 Hz or below: \"0\"!"},
        {"* a\n-10;1\n-5;2\n30;3\n", "line 2: has a frequency of 0 Hz or below: \"-10\"!"},
        {"20000 1\n21000 2\n22000 3\n", "line 1: has no data below 20 kHz!"},
    };
    for (const auto& [text, reason] : texts) {
        const std::string file = write("refused.frd", text);
        const Message message = importMeasurement(engine, file).message;
        for (const Language language : {Language::English, Language::German})
            EXPECT_EQ(message.text(language), " File " + file + ", " + reason + " Can not import!");
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

TEST_F(FrdImportTest, ThePointsAboveTheLastGridPointButOneReachTheLast) {
    const auto& grid = gridFrequencies();
    const auto text = [](double f) {
        char written[32];
        std::snprintf(written, sizeof written, "%.17g", f);
        return std::string(written);
    };
    const std::string lastButOne = text(grid[kGridPoints - 2]);
    struct Case {
        std::string tail; // after points from 20 Hz to 19000 Hz at 0 dB
        double atLastButOne, atLast;
    };
    const Case cases[] = {
        {"19200 1\n19999.5 6\n", 3.5, 6},                      // the case of the exports
        {"19600 2\n19800 4\n19999.5 9\n", 2, 5},              // all three, the first one too
        {lastButOne + " 3\n", 3, 3},                            // on the grid point: none above it
        {lastButOne + " 3\n19999.5 7\n", 3, 7},
    };
    for (const Case& c : cases) {
        std::string data;
        for (double f = 20; f < 19000; f *= 1.05) data += text(f) + " 0\n";
        ASSERT_TRUE(importResponseText(engine, data + "19000 0\n" + c.tail, "end.frd").done()) << c.tail;
        EXPECT_EQ(state.ImportedResponse[kGridPoints - 2], c.atLastButOne) << c.tail;
        EXPECT_EQ(state.ImportedResponse[kGridPoints - 1], c.atLast) << c.tail;
    }
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
