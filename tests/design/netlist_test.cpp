#include "netlist.h"

#include "circuit_fixture.h"
#include "safe_save.h"
#include "frequency_grid.h"
#include "section_parts.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace tessera;
using namespace tessera::circuit_test;

namespace {

// Simulates the exported netlist and compares it with the combined curve.
void expectNgspiceAgrees(const Design& design, const std::string& label) {
    const ScratchFolder scratch;
    const std::string file = scratch.file(label + ".cir");
    ASSERT_TRUE(writeNetlist(*design.engine, {}, file).done());
    const auto rows = runNgspice(file);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kGridPoints)) << label;
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(rows[i].frequency / grid[i], 1, 1e-6) << label << " point " << i;
        EXPECT_NEAR(rows[i].values.at(0), design.state->CombinedCurve[i], 0.01) << label << " at " << grid[i] << " Hz";
    }
}

} // namespace

TEST(Netlist, StartUpDesignNamesEveryPartAsThePageShowsIt) {
    const Design design;
    const std::string text = netlistText(*design.engine, {});
    // Section 1 after start-up: 1 nF; R1 (feedback) 130 K, R2 (shunt) 510, R3 (input) 1 M.
    for (const char* line : {"R1 bp inv 130k\n", "R2 a 0 510\n", "R3 in a 1Meg\n", "C1 a inv 1n\n", "C2 a bp 1n\n",
                             "R12 out a 1Meg\n", "C7 a inv 1n\n", "E1 out 0 inp inn 1e+06\n",
                             "V1 in 0 DC 0 AC 1\n", ".ac dec 85 20 20k\n", ".print ac vdb(out)\n",
                             // Summing resistors and op-amps by designator.
                             "R13 bp n 10k\n", "R16 p 0 10k\n", "XU1 0 inv bp opamp\n", "XU2 p n out opamp\n",
                             "R25 in p 10k\n", "R28 n 0 10k\n", "XU8 p n out opamp\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.substr(text.size() - 5), ".end\n");
    // The summing resistors' value and the op-amp with its noise sources.
    const std::string real = netlistText(*design.engine, {*opAmpNamed("NE5532"), 2.2e3, {}});
    for (const char* line : {"R13 bp n 2.2k\n", "R28 n 0 2.2k\n", "* NE5532, single pole: gain-bandwidth 10000000 Hz",
                             "RN en 0 1508.", "G2 0 p en 0 1\n", "RIP ip 0 33", "GIP inp 0 ip 0 2.9", "GIN inn 0 im 0 2.9"})
        EXPECT_NE(real.find(line), std::string::npos) << line;
    // A line break in the configuration's file name stays inside the comment.
    const std::string named = netlistText(*design.engine, {idealOpAmp(), kDefaultSummingOhms, "/tmp/odd\nR99 in 0 1\r.end"});
    EXPECT_NE(named.find("* Configuration: /tmp/odd R99 in 0 1 .end\n"), std::string::npos) << named;
    // Standard SPICE only: no control block, no parameters.
    EXPECT_EQ(text.find(".control"), std::string::npos);
    EXPECT_EQ(text.find('{'), std::string::npos);
}

TEST(Netlist, ExactModeWritesTheIdealValuesToSixDigits) {
    Design design;
    // Typed values switch the section to its ideal resistors.
    design.engine->commitEntry(2, Entry::Frequency, "1000");
    design.engine->commitEntry(2, Entry::Q, "8");
    const SectionParts parts = sectionParts(*design.engine, 2);
    ASSERT_TRUE(parts.exact);
    EXPECT_EQ(parts.R2, 2546480); // 8 / (pi 1 nF 1 kHz) = 2546479.09 ohms
    const std::string text = netlistText(*design.engine, {});
    EXPECT_NE(text.find("R4 bp inv 2.54648Meg\n"), std::string::npos) << text;
    EXPECT_EQ(spiceValue(497.6078), "497.608");
    EXPECT_EQ(spiceValue(2.2e-9), "2.2n");
}

TEST(Netlist, AnUnbuildableOrUnwritableNetlistLeavesTheOldFile) {
    Design design;
    const ScratchFolder scratch;
    const std::string file = scratch.file("old.cir");
    ASSERT_TRUE(replaceFile(file, "old contents"));
    // Q 0.5 with 6 dB of boost needs a negative shunt resistor: "err" on the page.
    design.engine->commitEntry(1, Entry::Q, "0.5");
    design.engine->commitEntry(1, Entry::Gain, "6");
    const FileOutcome refused = writeNetlist(*design.engine, {}, file);
    ASSERT_TRUE(refused.refused());
    EXPECT_NE(refused.message.text(Language::English).find("R2"), std::string::npos);
    std::ifstream kept(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old contents");

    const std::string folder = scratch.file("no-such-folder") + "/x.cir";
    const FileOutcome unwritable = writeNetlist(*Design().engine, {}, folder);
    ASSERT_TRUE(unwritable.refused());
    EXPECT_EQ(unwritable.message.text(Language::German), "Kann Datei " + folder + " nicht erstellen");
}

TEST(NetlistSimulation, NgspiceGivesTheCombinedCurveWithinAHundredthOfADecibel) {
    expectNgspiceAgrees(Design(), "start-up");
    const std::pair<unsigned, Parts> designs[] = {
        {11, Parts::E24}, {12, Parts::E12}, {13, Parts::Exact}, {14, Parts::Mixed}, {15, Parts::Mixed}, {16, Parts::Exact}};
    for (const auto& [seed, parts] : designs) {
        Design design;
        design.randomise(seed, parts);
        expectNgspiceAgrees(design, "random-" + std::to_string(seed));
    }
}
