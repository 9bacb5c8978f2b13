#include "cli_fixture.h"

#include "config_file.h"
#include "design_session.h"
#include "fit.h"
#include "fit_apply.h"
#include "number_text.h"
#include "frd_export.h"
#include "measurement_import.h"

#include <cmath>

using namespace tessera;
using tessera::cli_test::CliTest;

namespace {
std::string smallMlssaExport() {
    std::string text = "MLSSA: Frequency Domain\r\n\"Hz\",\"dB\"\r\n";
    for (int f = 10; f <= 24000; f = f * 11 / 10 + 1) text += std::to_string(f) + "," + std::to_string(f % 7 - 3) + ".5\r\n";
    return text;
}
} // namespace

TEST_F(CliTest, HelpUnknownCommandsAndUsageErrorsHaveTheirExitStatus) {
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("import"), std::string::npos);
    EXPECT_EQ(run({"import", "--help"}).status, 0);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    // A missing output, an unknown option, a value-less option, two measurements.
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"import", "m.txt"},
             {"import", "m.txt", "-o", "x.tsn", "--bogus"},
             {"import", "m.txt", "-o"},
             {"import", "a.txt", "b.txt", "-o", "x.tsn"},
         }) {
        const auto r = run(words);
        EXPECT_EQ(r.status, 2) << words.back();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

TEST_F(CliTest, NoCommandWritesOverAFileItReads) {
    const std::string config = cli_test::savedConfiguration(path("eq.tsn"));
    const std::string measurement = write("room.txt", smallMlssaExport());
    std::filesystem::create_symlink(config, path("link.tsn"));
    std::filesystem::create_hard_link(measurement, path("hard.txt"));
    const std::string configBytes = read(config), measurementBytes = read(measurement);
    // The output as the input's own name, another spelling, a link and a hard link.
    const std::vector<std::vector<std::string>> cases = {
        {"parts", config, "-o", config},
        {"schematic", config, "-o", path("link.tsn")},
        {"netlist", config, "--output", folder.string() + "/./eq.tsn"},
        {"import", measurement, "-o", path("hard.txt")},
        {"fit", measurement, "--config", config, "-o", config},
        {"fit", path("hard.txt"), "--target", config, "-o", path("link.tsn")},
    };
    for (const auto& words : cases) {
        const auto r = run(words);
        EXPECT_EQ(r.status, 2) << words[0] << " -o " << words.back();
        EXPECT_NE(r.err.find("is the same file as the input"), std::string::npos) << r.err;
    }
    EXPECT_EQ(read(config), configBytes);
    EXPECT_EQ(read(measurement), measurementBytes);
}

TEST_F(CliTest, ImportWritesWhatImportAndSaveAsWrite) {
    const std::string measurement = write("room.txt", smallMlssaExport());
    const std::string output = path("out.tsn");
    const auto r = run({"import", measurement, "-o", output});
    ASSERT_EQ(r.status, 0) << r.err;

    // The same two commands on the program's document.
    cli::DesignSession session;
    ASSERT_TRUE(session.import(measurement).done());
    EXPECT_EQ(read(output), configurationText(session.engine(), output, '.'));

    // The file opens again with the imported response (to the file's 15 digits).
    cli::DesignSession reopened;
    ASSERT_TRUE(reopened.open(output).done());
    for (int i = 0; i < kGridPoints; ++i)
        EXPECT_NEAR(reopened.state().ImportedResponse[i], session.state().ImportedResponse[i], 1e-13) << i;
}

TEST_F(CliTest, FilesThatCannotBeReadExitWithOneAndTheProgramsMessage) {
    const auto missing = run({"import", path("none.txt"), "-o", path("out.tsn")}, Language::German);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Kann Datei"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(path("out.tsn")));

    const auto foreign = run({"import", write("m.wav", "RIFF"), "-o", path("out.tsn")});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("m.wav"), std::string::npos);

    const auto badConfig = run({"import", write("m.txt", smallMlssaExport()), "--config", write("c.tsn", "short\r\n"),
                                "-o", path("out.tsn")});
    EXPECT_EQ(badConfig.status, 1);
    EXPECT_FALSE(std::filesystem::exists(path("out.tsn")));

    const auto unwritable = run({"import", path("m.txt"), "-o", path("no/such/folder/out.tsn")}, Language::German);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("nicht erstellen"), std::string::npos) << unwritable.err;
}

namespace {
// A room with a dip at 100 Hz and a peak at 3 kHz.
std::string roomMlssaExport() {
    std::string text = "MLSSA: Frequency Domain\r\n\"Hz\",\"dB\"\r\n";
    for (double f = 10; f < 24000; f *= 1.03) {
        const double dip = std::log(f / 100), peak = std::log(f / 3000);
        const double db = 1 - 6 * std::exp(-dip * dip / 0.1) + 4 * std::exp(-peak * peak / 0.2);
        text += std::to_string(f) + "," + std::to_string(db) + "\r\n";
    }
    return text;
}
} // namespace

TEST_F(CliTest, FitPrintsThePartsAndWritesWhatApplyAndSaveAsWrite) {
    const std::string measurement = write("room.txt", roomMlssaExport());
    const std::string output = path("fitted.tsn");
    const auto r = run({"fit", measurement, "--band", "30:18000", "--series", "E12", "--sections", "1,3,4", "-o", output});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"R1 ", "R6 ", "R12 ", "error before", "error after"})
        EXPECT_NE(r.out.find(name), std::string::npos) << name << "\n" << r.out;

    // The program's document: Import, the same fit, Apply, Save as.
    cli::DesignSession session;
    ASSERT_TRUE(session.import(measurement).done());
    FitSettings settings;
    settings.bandLow = 30;
    settings.bandHigh = 18000;
    settings.series = Series::E12;
    settings.sections = {true, false, true, true};
    const FitOutcome fit = fitSections(session.state(), settings);
    ASSERT_TRUE(fit.done());
    applyFit(session.engine(), fit.result);
    EXPECT_EQ(read(output), configurationText(session.engine(), output, '.'));
    EXPECT_NE(r.out.find(fixedText(fit.result.after.rms, 6, 3, '.')), std::string::npos);
}

TEST_F(CliTest, FitRejectsBadOptionsAndReportsRefusals) {
    const std::string measurement = write("room.txt", roomMlssaExport());
    for (const auto& option : std::vector<std::vector<std::string>>{
             {"--band", "40-16000"}, {"--band", "x:100"}, {"--level", "loud"}, {"--series", "E48"},
             {"--sections", "1,5"}, {"--sections", ""}, {"--max-boost", "-3"}, {"--tilt", "steep"}}) {
        std::vector<std::string> words = {"fit", measurement};
        words.insert(words.end(), option.begin(), option.end());
        const auto r = run(words);
        EXPECT_EQ(r.status, 2) << option[0] << " " << option[1];
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    const auto inverted = run({"fit", measurement, "--band", "16000:40", "-o", path("out.tsn")});
    EXPECT_EQ(inverted.status, 1);
    EXPECT_NE(inverted.err.find("band"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("out.tsn")));
    EXPECT_EQ(run({"fit", path("none.txt")}).status, 1);
    // Numbers typed with a decimal comma, as everywhere in the program.
    const auto comma = run({"fit", measurement, "--tilt", "0,5", "--level", "-1,5", "--max-boost", "4,5"});
    EXPECT_EQ(comma.status, 0) << comma.err;
    EXPECT_NE(comma.out.find("target level -1.50 dB"), std::string::npos) << comma.out;
}

TEST_F(CliTest, ResponseWritesTheWindowsCurveAsExportWritesIt) {
    // A configuration with an import and a boosting section 2.
    cli::DesignSession start;
    ASSERT_TRUE(start.import(write("m.txt", smallMlssaExport())).done());
    start.engine().commitEntry(2, Entry::Gain, "6");
    const std::string config = path("c.tsn");
    ASSERT_TRUE(start.saveAs(config).done());

    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    const auto result = run({"response", config, "-o", path("r.frd")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(read(path("r.frd")), frdText(windowCurve(session.state(), GraphWindow::Result), GraphWindow::Result,
                                           todayIsoDate()));
    ASSERT_EQ(run({"response", config, "--window", "Filter2", "-o", path("f2.frd")}).status, 0);
    EXPECT_EQ(read(path("f2.frd")), frdText(session.state().section(2).SectionCurve, GraphWindow::Filter2,
                                            todayIsoDate()));

    EXPECT_EQ(run({"response", config, "--window", "filter2", "-o", path("x.frd")}).status, 2);
    EXPECT_EQ(run({"response", config}).status, 2);
    const auto missing = run({"response", path("none.tsn"), "-o", path("x.frd")}, Language::German);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Kann Datei"), std::string::npos) << missing.err;
    // Import reads what File > Import reads: here the exported curve.
    ASSERT_EQ(run({"import", path("f2.frd"), "-o", path("back.tsn")}).status, 0);
    cli::DesignSession back;
    ASSERT_TRUE(back.open(path("back.tsn")).done());
    for (int i = 0; i < kGridPoints; ++i)
        EXPECT_NEAR(back.state().ImportedResponse[i], session.state().section(2).SectionCurve[i], 1e-9) << i;

    const auto unwritable = run({"response", config, "-o", path("no/such/x.frd")}, Language::German);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("nicht erstellen"), std::string::npos) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(path("x.frd")));
}
