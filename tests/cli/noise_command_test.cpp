// tessera-design noise, and the op-amp options of netlist, opamp and tolerance.
#include "cli_fixture.h"
#include "json_reading.h"

#include "design_session.h"
#include "frequency_grid.h"
#include "headroom.h"
#include "netlist.h"
#include "noise.h"

#include <filesystem>

using namespace tessera;
using tessera::cli_test::CliTest;
using tessera::cli_test::JsonReader;
using tessera::cli_test::JsonValue;
using tessera::cli_test::savedConfiguration;

TEST_F(CliTest, NoiseJsonHoldsTheAnalysesFiguresExactly) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto r = run({"noise", config, "--opamp", "tl072", "--input-level", "-2,5", "--output-peak", "10",
                        "--summing-resistors", "4.7k", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = JsonReader::read(r.out);
    ASSERT_TRUE(json) << r.out;
    const JsonValue& j = *json;

    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("TL072");
    settings.inputLevelDbu = -2.5;
    settings.outputPeakV = 10;
    settings.summingOhms = 4700;
    const CircuitParts parts = circuitParts(session.engine());
    const NoiseResult noise = analyseNoise(parts, settings);
    const HeadroomResult headroom = analyseHeadroom(parts, settings);

    EXPECT_EQ(j["opamp"]["name"].text, "TL072");
    EXPECT_EQ(j["opamp"]["gbw_hz"].number, settings.opAmp.gbw);
    EXPECT_EQ(j["temperature_k"].number, 300.15);
    EXPECT_EQ(j["input_level_dbu"].number, -2.5);
    EXPECT_EQ(j["output_peak_v"].number, 10);
    EXPECT_EQ(j["summing_resistor_ohms"].number, 4700);
    ASSERT_EQ(j["frequencies_hz"].items.size(), static_cast<std::size_t>(kGridPoints));
    ASSERT_EQ(j["noise_density_nv"].items.size(), static_cast<std::size_t>(kGridPoints));
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        EXPECT_EQ(j["frequencies_hz"].items[i].number, gridFrequencies()[i]);
        EXPECT_EQ(j["noise_density_nv"].items[i].number, noise.densityNv[i]);
    }
    EXPECT_EQ(j["noise_uv"].number, noise.totalUv);
    EXPECT_EQ(j["noise_dbu"].number, noise.totalDbu);
    EXPECT_EQ(j["noise_a_uv"].number, noise.aWeightedUv);
    EXPECT_EQ(j["noise_a_dbu"].number, noise.aWeightedDbu);
    ASSERT_EQ(j["contributors"].items.size(), noise.contributors.size());
    EXPECT_EQ(j["contributors"].items[0]["part"].text, noise.contributors[0].part);
    EXPECT_EQ(j["contributors"].items[0]["share"].number, noise.contributors[0].share);

    ASSERT_EQ(j["stages"].items.size(), 8u);
    for (std::size_t k = 0; k < 8; ++k) {
        const JsonValue& st = j["stages"].items[k];
        EXPECT_EQ(st["section"].number, static_cast<double>(k / 2 + 1));
        EXPECT_EQ(st["stage"].text, k % 2 == 0 ? "band-pass" : "summing");
        EXPECT_EQ(st["largest_gain_db"].number, headroom.stages[k].largestGainDb);
        EXPECT_EQ(st["at_hz"].number, gridFrequencies()[static_cast<std::size_t>(headroom.stages[k].largestGainPoint)]);
        EXPECT_EQ(st["headroom_db"].number, headroom.stages[k].headroomDb);
        EXPECT_EQ(st["slew_needed_v_per_us"].number, headroom.stages[k].slewNeededVPerUs);
        EXPECT_EQ(st["slew_margin_db"].number, *headroom.stages[k].slewMarginDb);
    }
    EXPECT_EQ(j["largest_input_dbu"].number, headroom.largestInputDbu);
    const StageHeadroom& first = headroom.stages[static_cast<std::size_t>(headroom.clipsFirst)];
    EXPECT_EQ(j["clips_first"]["section"].number, first.section);
    EXPECT_EQ(j["clips_first"]["stage"].text, stageName(first.stage));
    EXPECT_EQ(j["dynamic_range_db"].number, dynamicRangeDb(headroom, noise.aWeightedDbu));

    // The ideal op-amp has no gain-bandwidth and no slew limit: null.
    const auto ideal = JsonReader::read(run({"noise", config, "--json"}).out);
    ASSERT_TRUE(ideal);
    EXPECT_EQ((*ideal)["opamp"]["gbw_hz"].kind, JsonValue::Null);
    EXPECT_EQ((*ideal)["stages"].items[1]["slew_margin_db"].kind, JsonValue::Null);

    // Without --json: the tables.
    const auto table = run({"noise", config, "--gbw", "2e6", "--slew", "5", "--en", "4", "--in", "0,5"});
    ASSERT_EQ(table.status, 0) << table.err;
    for (const char* text : {"op-amp Custom: gain-bandwidth 2 MHz, slew rate 5 V/us", "A-weighted", "U8 ", "Slew margin",
                             "clips first", "dynamic range"})
        EXPECT_NE(table.out.find(text), std::string::npos) << text << "\n" << table.out;
}

TEST_F(CliTest, NoiseRefusesBadEntriesAndWritesNothing) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto unknown = run({"noise", config, "--opamp", "LM741"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(knownOpAmpNames()), std::string::npos) << unknown.err;
    const std::vector<std::vector<std::string>> bad = {
        {"--opamp", "Custom"},
        {"--gbw", "2e6", "--en", "4"},                             // a custom op-amp needs all four figures
        {"--gbw", "1e7"},                                          // here --gbw alone too
        {"--gbw", "2e6", "--slew", "5", "--en", "0", "--in", "1"}, // not positive
        {"--opamp", "NE5532", "--gbw", "2e6"},                     // both
        {"--summing-resistors", "12.5k"},
        {"--summing-resistors", "470"},
        {"--input-level", "loud"},
        {"--output-peak", "-1"},
        {"--json", "yes"}};
    for (const auto& options : bad) {
        std::vector<std::string> words = {"noise", config};
        words.insert(words.end(), options.begin(), options.end());
        const auto r = run(words);
        EXPECT_EQ(r.status, 2) << options[0] << " " << options[1];
        EXPECT_TRUE(r.out.empty()) << options[0];
    }
    EXPECT_EQ(run({"noise", path("none.tsn")}).status, 1);

}

TEST_F(CliTest, NetlistOpAmpAndToleranceTakeTheOpAmpByName) {
    const std::string config = savedConfiguration(path("eq.tsn"));
    const auto written = run({"netlist", config, "--opamp", "OPA1612", "--summing-resistors", "2k2", "-o", path("a.cir")});
    EXPECT_EQ(written.status, 2); // "2k2" is no number
    ASSERT_EQ(run({"netlist", config, "--opamp", "OPA1612", "--summing-resistors", "2.2k", "-o", path("a.cir")}).status, 0);
    cli::DesignSession session;
    ASSERT_TRUE(session.open(config).done());
    EXPECT_EQ(read(path("a.cir")), netlistText(session.engine(), {*opAmpNamed("OPA1612"), 2200, config}));
    ASSERT_EQ(run({"netlist", config, "--gbw", "1e6", "--slew", "2", "--en", "9", "--in", "0.1", "-o", path("c.cir")}).status, 0);
    EXPECT_EQ(read(path("c.cir")), netlistText(session.engine(), {customOpAmp(1e6, 2, 9, 0.1), 10e3, config}));
    EXPECT_EQ(run({"netlist", config, "--opamp", "x", "-o", path("b.cir")}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(path("b.cir")));

    // The op-amp table by name equals the one by its gain-bandwidth.
    const auto named = run({"opamp", config, "--opamp", "TL072"});
    ASSERT_EQ(named.status, 0) << named.err;
    const auto byGbw = run({"opamp", config, "--gbw", "3e6"});
    EXPECT_EQ(named.out.substr(named.out.find('\n')), byGbw.out.substr(byGbw.out.find('\n')));

    // The tolerance run with an op-amp spreads around the op-amp's curve.
    const auto ideal = run({"tolerance", config, "--trials", "50"});
    const auto slow = run({"tolerance", config, "--trials", "50", "--gbw", "1e5"});
    ASSERT_EQ(slow.status, 0) << slow.err;
    EXPECT_NE(slow.out.find("gain-bandwidth 100000 Hz"), std::string::npos) << slow.out;
    EXPECT_NE(ideal.out.substr(ideal.out.find('\n')), slow.out.substr(slow.out.find('\n')));
}
