// The circuit subcommands: netlist, opamp and tolerance.
#include "cli_fixture.h"

#include "config_file.h"
#include "design_session.h"
#include "netlist.h"

using namespace tessera;
using tessera::cli_test::CliTest;

namespace {
// A configuration with a boost section at 1 kHz, saved as the program saves it.
std::string savedConfiguration(const std::string& name) {
    cli::DesignSession session;
    session.engine().commitEntry(1, Entry::Frequency, "1000");
    session.engine().selectSeries(1, Series::E12);
    EXPECT_TRUE(session.saveAs(name).done());
    return name;
}
} // namespace

TEST_F(CliTest, NetlistWritesTheConfigurationsCircuit) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto r = run({"netlist", config, "--gbw", "3000000", "-o", path("eq.cir")});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    EXPECT_EQ(read(path("eq.cir")), netlistText(session.engine(), {3e6, config}));

    // Bad numbers are usage errors and write nothing; a missing file is a file error.
    for (const char* gbw : {"-5", "abc", "0", "1e13"}) {
        const auto bad = run({"netlist", config, "--gbw", gbw, "-o", path("bad.cir")});
        EXPECT_EQ(bad.status, 2) << gbw;
        EXPECT_NE(bad.err.find("gain-bandwidth"), std::string::npos) << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(path("bad.cir")));
    EXPECT_EQ(run({"netlist", path("none.tsn"), "-o", path("bad.cir")}).status, 1);
    EXPECT_EQ(run({"netlist", config}).status, 2);
}
