#include "files_fixture.h"
#include "frd_export.h"
#include "frequency_grid.h"
#include "text_lines.h"

#include <charconv>
#include <cmath>

namespace tessera::files_test {
namespace {

using FrdExportTest = FilesTest;

double fullPrecision(std::string_view text) {
    double value = std::nan("");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

TEST_F(FrdExportTest, EveryGridPointReadsBackAsTheSameDoubles) {
    // Values that need all 17 digits, tiny and huge ones, a negative zero.
    Curve values;
    for (std::size_t i = 0; i < kGridPoints; ++i) values[i] = std::sin(0.37 * static_cast<double>(i)) * 12.0 / 7.0;
    values[0] = 1.0 / 3.0;
    values[1] = -2.5e-9;
    values[2] = 1.7e38;
    values[3] = -0.0;
    const std::string text = frdText(values, GraphWindow::Filter2, "2026-12-07");

    TextLines lines(text);
    std::string_view line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "* TESSERA 1.0, window Filter2, 2026-12-07");
    std::size_t i = 0;
    while (lines.next(line)) {
        ASSERT_LT(i, kGridPoints);
        const std::size_t blank = line.find(' ');
        ASSERT_NE(blank, std::string_view::npos) << line;
        EXPECT_EQ(fullPrecision(line.substr(0, blank)), gridFrequencies()[i]) << i;
        const double magnitude = fullPrecision(line.substr(blank + 1));
        EXPECT_EQ(magnitude, values[i]) << i;
        EXPECT_EQ(std::signbit(magnitude), std::signbit(values[i])) << i;
        EXPECT_EQ(line.find(','), std::string_view::npos) << "always a decimal point";
        ++i;
    }
    EXPECT_EQ(i, kGridPoints);
    // CR LF after every line, nothing else.
    std::size_t crlf = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++crlf;
    EXPECT_EQ(crlf, kGridPoints + 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kGridPoints + 1);
    EXPECT_TRUE(text.ends_with("\r\n"));
}

TEST_F(FrdExportTest, WritesTheWindowsMainCurveSafely) {
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        state.ImportedResponse[i] = 0.25 * static_cast<double>(i % 9);
        state.CombinedCurve[i] = -1.5;
        state.section(3).SectionCurve[i] = 2.0 + static_cast<double>(i);
    }
    Curve result;
    for (std::size_t i = 0; i < kGridPoints; ++i) result[i] = state.ImportedResponse[i] - 1.5;
    EXPECT_EQ(windowCurve(state, GraphWindow::Result), result);
    EXPECT_EQ(windowCurve(state, GraphWindow::Import), state.ImportedResponse);
    EXPECT_EQ(windowCurve(state, GraphWindow::Filter3), state.section(3).SectionCurve);

    const std::string file = path("f3.frd");
    state.Modified = 0;
    ASSERT_TRUE(exportFrd(state, GraphWindow::Filter3, file).done());
    EXPECT_EQ(read(file), frdText(state.section(3).SectionCurve, GraphWindow::Filter3, todayIsoDate()));
    EXPECT_EQ(state.Modified, 0) << "an export is no change of the document";

    // A file that cannot be written is refused by name.
    const FileOutcome refused = exportFrd(state, GraphWindow::Result, path("no/such/folder/x.frd"));
    EXPECT_EQ(refused.message.text(Language::German), "Kann Datei " + path("no/such/folder/x.frd") + " nicht erstellen");
}

} // namespace
} // namespace tessera::files_test
