// The circuit subcommands: netlist, opamp and tolerance.
#include "cli_fixture.h"

#include "config_file.h"
#include "design_session.h"
#include "netlist.h"

using namespace tessera;
using tessera::cli_test::CliTest;

using tessera::cli_test::savedConfiguration;

TEST_F(CliTest, NetlistWritesTheConfigurationsCircuit) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto r = run({"netlist", config, "--gbw", "3000000", "-o", path("eq.cir")});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    EXPECT_EQ(read(path("eq.cir")), netlistText(session.engine(), {customOpAmp(3e6, 0, 0, 0), kDefaultSummingOhms, config}));

    // Bad numbers are usage errors and write nothing; a missing file is a file error.
    for (const char* gbw : {"-5", "abc", "0", "1e13", ""}) {
        const auto bad = run({"netlist", config, "--gbw", gbw, "-o", path("bad.cir")});
        EXPECT_EQ(bad.status, 2) << gbw;
        EXPECT_NE(bad.err.find("--gbw takes the op-amp's gain-bandwidth"), std::string::npos) << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(path("bad.cir")));
    EXPECT_EQ(run({"netlist", path("none.tsn"), "-o", path("bad.cir")}).status, 1);
    EXPECT_EQ(run({"netlist", config}).status, 2);
}

TEST_F(CliTest, OpAmpAndTolerancePrintTheirFiguresAndRefuseBadNumbers) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto table = run({"opamp", config, "--gbw", "3e6"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("Filter4"), std::string::npos);
    EXPECT_NE(table.out.find("-4.83 %"), std::string::npos) << table.out; // the start-up section 2
    EXPECT_EQ(run({"opamp", config}).status, 2);
    EXPECT_EQ(run({"opamp", config, "--gbw", ""}).status, 2);

    const std::vector<std::string> tolerance = {"tolerance", config, "--r-tol", "0,5", "--c-tol", "2", "--seed", "9",
                                                "--band", "200:5000"};
    const auto first = run(tolerance), again = run(tolerance);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, again.out);
    EXPECT_NE(first.out.find("band 200 to 4890 Hz (119 points)"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("R12 "), std::string::npos);
    for (const auto& bad : std::vector<std::pair<std::string, std::string>>{
             {"--trials", "0"}, {"--trials", "1000000000"}, {"--trials", "ten"}, {"--r-tol", "3"},
             {"--c-tol", "-5"}, {"--seed", "-1"}, {"--band", "5000:200"}, {"--band", "40"}}) {
        const auto r = run({"tolerance", config, bad.first, bad.second});
        EXPECT_EQ(r.status, 2) << bad.first << " " << bad.second;
        EXPECT_TRUE(r.out.empty());
    }
}
