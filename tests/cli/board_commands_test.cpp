// The board subcommands: schematic and parts.
#include "cli_fixture.h"

#include "design_session.h"
#include "parts_list.h"
#include "schematic.h"
#include "schematic_files.h"

using namespace tessera;
using tessera::cli_test::CliTest;
using tessera::cli_test::savedConfiguration;

// (A configuration read from a file shows standard values, never "err": the
// parts list's refusal of "err" is tested where exact values can be typed,
// in the design and app tests.)

namespace {
CircuitSettings settingsOf(const char* opAmp, double summingOhms) {
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed(opAmp);
    settings.summingOhms = summingOhms;
    return settings;
}
} // namespace

TEST_F(CliTest, SchematicAndPartsWriteWhatTheProgramWrites) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    const CircuitSettings settings = settingsOf("NE5532", 4700);
    const drawing::Drawing drawing = schematicDrawing(session.engine(), settings, config);

    for (const char* name : {"eq.svg", "EQ.PDF"}) {
        const auto r = run({"schematic", config, "--opamp", "ne5532", "--summing-resistors", "4.7k", "-o", path(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "wrote " + path(name) + "\n");
    }
    EXPECT_EQ(read(path("eq.svg")), svgText(drawing));
    EXPECT_EQ(read(path("EQ.PDF")), pdfBytes(drawing));

    const auto list = run({"parts", config, "--opamp", "NE5532", "--summing-resistors", "4700", "-o", path("p.csv")});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(read(path("p.csv")), partsListCsv(boardParts(session.engine(), settings), PartsListForm::PerPart));
    const auto grouped = run({"parts", config, "--grouped", "-o", path("g.csv")});
    ASSERT_EQ(grouped.status, 0) << grouped.err;
    EXPECT_EQ(read(path("g.csv")), partsListCsv(boardParts(session.engine(), {}), PartsListForm::Grouped));
}

TEST_F(CliTest, SchematicAndPartsRefuseBadOptionsAndKeepOldFiles) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const std::string old = write("old.csv", "old");
    for (const char* command : {"schematic", "parts"}) {
        const std::string out = std::string(command) == "parts" ? old : write("old.svg", "old");
        const auto unknown = run({command, config, "--opamp", "LM741", "-o", out});
        EXPECT_EQ(unknown.status, 2);
        EXPECT_NE(unknown.err.find("NE5532, TL072"), std::string::npos) << unknown.err; // the known names
        for (const char* ohms : {"4.8k", "200k", "470", "ten", "", "-10k"}) {
            const auto bad = run({command, config, "--summing-resistors", ohms, "-o", out});
            EXPECT_EQ(bad.status, 2) << command << " " << ohms;
            EXPECT_NE(bad.err.find("--summing-resistors"), std::string::npos) << bad.err;
        }
        EXPECT_EQ(run({command, config}).status, 2);
        EXPECT_EQ(run({command, config, "--grouped-by", "x", "-o", out}).status, 2);
        EXPECT_EQ(run({command, path("none.tsn"), "-o", out}).status, 1);
        const auto unwritable = run({command, config, "-o", path("missing/" + std::string("x.svg"))}, Language::German);
        EXPECT_EQ(unwritable.status, 1);
        EXPECT_NE(unwritable.err.find("Kann Datei " + path("missing/x.svg") + " nicht erstellen"), std::string::npos)
            << unwritable.err;
        EXPECT_EQ(read(out), "old");
    }
    EXPECT_EQ(run({"schematic", config, "-o", path("eq.png")}).status, 2);
    EXPECT_EQ(run({"parts", config, "--grouped", "-o", path("a.csv"), "extra.tsn"}).status, 2);
}
