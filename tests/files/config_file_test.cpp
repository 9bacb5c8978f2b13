#include "config_file.h"
#include "files_fixture.h"

#include <cmath>
#include <vector>

namespace tessera::files_test {
namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line ends with CR LF";
    return lines;
}

std::string joined(const std::vector<std::string>& lines, const std::string& eol) {
    std::string text;
    for (const auto& line : lines) text += line + eol;
    return text;
}

using ConfigFileTest = FilesTest;

TEST_F(ConfigFileTest, WritesTheLaidOutLinesWithTheRegionalSeparator) {
    FilterSection& s1 = state.section(1);
    s1.Frequency = 1000;
    s1.Q = 2;
    s1.GainFactor = 1;
    engine.setCapacitorText(1, "10 nF");
    state.ImportedResponse[255] = -3.25;

    const auto lines = splitCrLf(configurationText(engine, "C:\\m\\a.tsn", '.'));
    ASSERT_EQ(lines.size(), 292u);
    const std::vector<std::string> head = {"\"TSN\"", "\"File: \"C:\\m\\a.tsn", "\"Filter - Configuration: \"",
                                           "\"f1: \"", "1.00000000000000E+3", "\"Q1: \"", "2.00000000000000E+0",
                                           "\"A1: \"", "1.00000000000000E+0", "\"C1: \"", "10 nF", "\"f2: \""};
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 12), head);
    EXPECT_EQ(lines[25], "\"C3: \"");
    EXPECT_EQ(lines[34], "1 nF"); // section 4's selector after Reset
    EXPECT_EQ(lines[35], "\"Import: \"");
    EXPECT_EQ(lines[36], "0.00000000000000E+0");
    EXPECT_EQ(lines[291], "-3.25000000000000E+0");

    // A line break in the name must not shift the lines after it.
    EXPECT_EQ(splitCrLf(configurationText(engine, "odd\r\nname\n.tsn", '.'))[1], "\"File: \"odd??name?.tsn");

    const auto comma = splitCrLf(configurationText(engine, "a.tsn", ','));
    EXPECT_EQ(comma[4], "1,00000000000000E+3");
    EXPECT_EQ(comma[36], "0,00000000000000E+0");
}

// Loads `file` into a fresh engine and expects what a page refresh of the
// original values gives: the file keeps the values to the conversion's
// precision, well inside what decides the snapped resistors.
TEST_F(ConfigFileTest, SavedConfigurationLoadsBackWithEitherSeparator) {
    const std::array<const char*, 4> capacitors = {"2.2 nF", "47 nF", "2.7 nF", "100 nF"};
    for (int s = 1; s <= 4; ++s) {
        FilterSection& section = state.section(s);
        section.Frequency = 123.456789 * s * s;
        section.Q = 0.7071067811865 * s;
        section.GainFactor = 0.3333333333333 * s;
        section.Capacitance = std::stod(capacitors[static_cast<std::size_t>(s - 1)]) * 1e-9;
        engine.setCapacitorText(s, capacitors[static_cast<std::size_t>(s - 1)]);
    }
    for (std::size_t i = 0; i < kGridPoints; ++i) state.ImportedResponse[i] = std::sin(0.1 * i) * 12.345678901234;

    FilterBankState expected = state;
    FilterEngine reference(expected);
    for (int s = 1; s <= 4; ++s) reference.refreshPage(s);

    for (char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        const std::string file = path("round trip.tsn");
        ASSERT_TRUE(Speichern(engine, file, separator).done());
        EXPECT_EQ(state.Modified, 0);

        FilterBankState loadedState{};
        E24Init(loadedState);
        FilterEngine loaded(loadedState);
        loaded.Reset(true);
        const FileOutcome outcome = LoadTSN(loaded, file);
        ASSERT_TRUE(outcome.done()) << outcome.message.text(Language::English);
        EXPECT_EQ(outcome.importCaption, "Import");
        EXPECT_EQ(loadedState.Modified, 0);
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(loaded.page(s).capacitor, capacitors[static_cast<std::size_t>(s - 1)]);
            EXPECT_NEAR(loadedState.section(s).Capacitance, expected.section(s).Capacitance, 1e-20);
            EXPECT_NEAR(loadedState.section(s).Frequency, expected.section(s).Frequency, 1e-9);
            EXPECT_NEAR(loadedState.section(s).Q, expected.section(s).Q, 1e-12);
            EXPECT_NEAR(loadedState.section(s).GainFactor, expected.section(s).GainFactor, 1e-12);
            EXPECT_EQ(loadedState.section(s).SeriesIndex, expected.section(s).SeriesIndex);
        }
        for (std::size_t i = 0; i < kGridPoints; ++i)
            EXPECT_NEAR(loadedState.ImportedResponse[i], state.ImportedResponse[i], 1e-10);
        // The curves were rebuilt from zero, not added onto the old ones.
        for (std::size_t i = 0; i < kGridPoints; ++i)
            EXPECT_NEAR(loadedState.CombinedCurve[i], expected.CombinedCurve[i], 1e-9);
    }
}

TEST_F(ConfigFileTest, ReaderIsPositionalAndTolerantOfLineEnds) {
    auto lines = splitCrLf(configurationText(engine, "x", '.'));
    for (std::size_t i = 0; i <= 35; i += (i < 3 ? 1 : 2)) lines[i] = i % 3 ? "" : "anything at all";
    lines[41] = "8,5";          // a decimal comma
    lines[4] = "  1.5E3";       // leading blanks
    lines[10] = "47 nF";
    lines[18] = "2.7 nF";       // not a list item: shown as written
    lines[26] = "x";            // too short to cut: 0 F
    lines[40] = "12abc";        // not a number: 0
    lines.push_back("ignored after line 292: 1E99999");

    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(eol));
        engine.Reset(true);
        state.ImportedResponse[4] = 7;
        std::string text = joined(lines, eol) + std::string(1, '\0') + "1E99999\n";
        ASSERT_TRUE(loadConfigurationText(engine, text, "f.tsn").done());
        EXPECT_DOUBLE_EQ(state.section(1).Capacitance, 4.7e-8);
        EXPECT_EQ(engine.page(1).capacitor, "47 nF");
        EXPECT_NEAR(state.section(2).Capacitance, 2.7e-9, 1e-20);
        EXPECT_EQ(engine.page(2).capacitor, "2.7 nF");
        EXPECT_EQ(state.section(3).Capacitance, 0.0);
        EXPECT_EQ(engine.page(3).capacitor, "x");
        EXPECT_EQ(state.ImportedResponse[4], 0.0);
        EXPECT_EQ(state.ImportedResponse[5], 8.5);
        EXPECT_TRUE(sink.last.count(GraphWindow::Import));
    }
}

// A loaded capacitor line gives exactly the capacitance that choosing the
// same item in the selector gives, so a loaded page snaps like a chosen one.
TEST_F(ConfigFileTest, LoadedCapacitorEqualsTheChosenItem) {
    auto lines = splitCrLf(configurationText(engine, "x", '.'));
    for (const char* item : kCapacitorItems) {
        SCOPED_TRACE(item);
        engine.selectCapacitor(2, item);
        const double chosen = state.section(2).Capacitance;
        lines[18] = item;
        ASSERT_TRUE(loadConfigurationText(engine, joined(lines, "\r\n"), "c.tsn").done());
        EXPECT_EQ(state.section(2).Capacitance, chosen);
        EXPECT_EQ(engine.page(2).capacitor, item);
    }
}

TEST_F(ConfigFileTest, NameMustEndInTsn) {
    const std::string text = configurationText(engine, "x", '.');
    for (const char* name : {"a.TSN", "b.Tsn", "tsn"}) EXPECT_TRUE(LoadTSN(engine, write(name, text)).done()) << name;
    const FileOutcome other = LoadTSN(engine, write("c.tsv", text));
    EXPECT_TRUE(other.ignored());
    EXPECT_TRUE(other.message.empty());
    const FileOutcome missing = LoadTSN(engine, path("none.tsn"));
    EXPECT_EQ(missing.message.text(Language::German), "Kann Datei " + path("none.tsn") + " nicht öffnen");
}

TEST_F(ConfigFileTest, RefusedFileChangesNothing) {
    state.section(2).Frequency = 777;
    engine.setCapacitorText(2, "33 nF");
    state.ImportedResponse.fill(1.5);
    state.Modified = 1;
    const FilterBankState before = state;
    auto lines = splitCrLf(configurationText(engine, "x", '.'));
    lines[291] = "2";

    const auto unchanged = [&] {
        EXPECT_EQ(state.section(2).Frequency, before.section(2).Frequency);
        EXPECT_EQ(state.ImportedResponse, before.ImportedResponse);
        EXPECT_EQ(state.CombinedCurve, before.CombinedCurve);
        EXPECT_EQ(engine.page(2).capacitor, "33 nF");
        EXPECT_EQ(state.Modified, 1);
    };
    auto shortLines = lines;
    shortLines.pop_back();
    FileOutcome outcome = LoadTSN(engine, write("short.tsn", joined(shortLines, "\r\n")));
    EXPECT_TRUE(outcome.refused());
    EXPECT_NE(outcome.message.text(Language::German).find(path("short.tsn")), std::string::npos);
    unchanged();

    // A NUL ends the text: what follows does not count as lines.
    std::string cut = joined(lines, "\r\n");
    cut[cut.size() / 2] = '\0';
    EXPECT_TRUE(loadConfigurationText(engine, cut, "nul.tsn").refused());
    unchanged();

    // Beyond the conversion's range, or not finite at all, on a section's
    // line, its capacitor's or the response's.
    for (const auto& [line, text] : {std::pair{200, "1E40"}, {200, "NaN"}, {4, " INF"}, {6, "-Infinity"},
                                     {10, "inf nF"}, {291, "+nan"}}) {
        auto huge = lines;
        huge[static_cast<std::size_t>(line)] = text;
        outcome = loadConfigurationText(engine, joined(huge, "\r\n"), "huge.tsn");
        EXPECT_EQ(outcome.message, messages::configurationNumberTooLarge("huge.tsn")) << text;
        unchanged();
    }
}

TEST_F(ConfigFileTest, SaveReplacesSafely) {
    const std::string file = write("kept.tsn", "old contents");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_TRUE(Speichern(engine, file, '.').done());
    EXPECT_EQ(read(file), configurationText(engine, file, '.'));
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary left";

    // A save that cannot complete keeps the old file and the modified flag.
    state.Modified = 1;
    std::filesystem::create_directories(folder / "busy.tsn" / "inside");
    const std::string blocked = path("busy.tsn");
    FileOutcome outcome = Speichern(engine, blocked, '.');
    EXPECT_EQ(outcome.message.text(Language::German), "Kann Datei " + blocked + " nicht erstellen");
    EXPECT_EQ(state.Modified, 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "busy.tsn" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2) << "no temporary left";

    const std::string nowhere = path("missing/folder/x.tsn");
    EXPECT_EQ(Speichern(engine, nowhere, '.').message.text(Language::German), "Kann Datei " + nowhere + " nicht erstellen");
}

} // namespace
} // namespace tessera::files_test
