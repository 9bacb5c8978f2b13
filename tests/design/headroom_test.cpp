#include "headroom.h"

#include "circuit_fixture.h"
#include "frequency_grid.h"
#include "netlist.h"
#include "noise.h"

#include <cmath>
#include <fstream>
#include <numbers>

using namespace tessera;
using namespace tessera::circuit_test;

TEST(HeadroomSimulation, NgspiceGivesEachOpAmpsGainWithinFiveHundredthsOfADecibel) {
    const ScratchFolder scratch;
    const std::pair<unsigned, const char*> cases[] = {{91, "NE5532"}, {92, "TL072"}, {93, "Ideal"}};
    for (const auto& [seed, name] : cases) {
        Design design;
        design.randomise(seed, Parts::Mixed);
        CircuitSettings settings;
        settings.opAmp = *opAmpNamed(name);
        settings.summingOhms = 4.7e3;
        const HeadroomResult headroom = analyseHeadroom(circuitParts(*design.engine), settings);
        const std::string text = netlistText(*design.engine, {settings.opAmp, settings.summingOhms, {}});
        const char* sectionOutputs[] = {"n1", "n2", "n3", "out"};
        for (int s = 1; s <= kSectionCount; ++s) {
            // The band-pass stage's output inside the section, and the section's.
            std::string probed = text;
            std::string print = ".print ac vdb(x";
            print += std::to_string(s) + ".bp) vdb(" + sectionOutputs[s - 1] + ")\n";
            probed.replace(probed.find(".print ac vdb(out)\n"), 19, print);
            const std::string file = scratch.file("gains.cir");
            std::ofstream(file) << probed;
            const auto rows = runNgspice(file);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(kGridPoints)) << name;
            for (std::size_t i = 0; i < kGridPoints; ++i)
                for (std::size_t k = 0; k < 2; ++k)
                    EXPECT_NEAR(headroom.stages[static_cast<std::size_t>(2 * s - 2) + k].gainDb[i], rows[i].values.at(k), 0.05)
                        << name << " U" << 2 * s - 1 + static_cast<int>(k) << " at " << gridFrequencies()[i] << " Hz";
        }
    }
}

TEST(Headroom, LevelsSlewRatesAndDynamicRangeFollowFromTheGains) {
    Design design;
    design.randomise(94, Parts::E24);
    const CircuitParts parts = circuitParts(*design.engine);
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("TL072");
    settings.inputLevelDbu = 4;
    settings.outputPeakV = 13.5;
    const HeadroomResult r = analyseHeadroom(parts, settings);
    const auto& grid = gridFrequencies();

    double least = HUGE_VAL;
    for (std::size_t k = 0; k < r.stages.size(); ++k) {
        const StageHeadroom& st = r.stages[k];
        EXPECT_EQ(st.designator(), opAmpDesignator(static_cast<int>(k / 2) + 1, k % 2 == 0 ? Stage::BandPass : Stage::Summing));
        EXPECT_EQ(st.designator().substr(1), std::to_string(k + 1));
        EXPECT_EQ(st.largestGainDb, st.gainDb[static_cast<std::size_t>(st.largestGainPoint)]);
        for (double g : st.gainDb) EXPECT_LE(g, st.largestGainDb);
        // The peak this op-amp reaches at +4 dBu (1.736 V peak), against 13.5 V.
        EXPECT_NEAR(st.headroomDb, 20 * std::log10(13.5 / (1.7362 * std::pow(10, st.largestGainDb / 20))), 1e-3);
        least = std::min(least, st.headroomDb);
        // At the largest clean input level the output swings no faster than needed.
        const double peak = std::sqrt(2.0) * dbuToVolts(r.largestInputDbu) * std::pow(10, st.largestGainDb / 20);
        EXPECT_GE(st.slewNeededVPerUs, 2 * std::numbers::pi * grid[static_cast<std::size_t>(st.largestGainPoint)] * peak * 1e-6 * (1 - 1e-12));
        ASSERT_TRUE(st.slewMarginDb);
        EXPECT_NEAR(*st.slewMarginDb, 20 * std::log10(13 / st.slewNeededVPerUs), 1e-9);
    }
    const StageHeadroom& first = r.stages[static_cast<std::size_t>(r.clipsFirst)];
    EXPECT_EQ(first.headroomDb, least);
    // At the largest clean input level the op-amp that clips first just reaches the output peak.
    EXPECT_NEAR(std::sqrt(2.0) * dbuToVolts(r.largestInputDbu) * std::pow(10, first.largestGainDb / 20), 13.5, 1e-9);

    // A louder input takes its decibels from every headroom, not from the largest clean level.
    settings.inputLevelDbu = 10;
    const HeadroomResult louder = analyseHeadroom(parts, settings);
    EXPECT_NEAR(louder.stages[3].headroomDb, r.stages[3].headroomDb - 6, 1e-9);
    EXPECT_NEAR(louder.largestInputDbu, r.largestInputDbu, 1e-9);

    // The dynamic range: the largest clean level through the equaliser at 1 kHz over the noise.
    const NoiseResult noise = analyseNoise(parts, settings);
    EXPECT_NEAR(dynamicRangeDb(r, noise.aWeightedDbu), r.largestInputDbu + r.gainAtOneKilohertzDb - noise.aWeightedDbu, 1e-12);
    EXPECT_GT(dynamicRangeDb(r, noise.aWeightedDbu), 90);

    // An ideal op-amp slews without limit.
    settings.opAmp = idealOpAmp();
    for (const StageHeadroom& st : analyseHeadroom(parts, settings).stages) EXPECT_FALSE(st.slewMarginDb);
}
