// The fit's choice of the quietest parts: never more than 1 % above the best
// RMS error it found, never noisier, and the noise it reports is the noise
// of the parts Apply leaves.
#include "fit.h"
#include "fit_apply.h"

#include "filter_engine.h"
#include "frequency_grid.h"
#include "noise.h"
#include "section_parts.h"
#include "section_response.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

using namespace tessera;

namespace {

struct Bank {
    std::unique_ptr<FilterBankState> state = std::make_unique<FilterBankState>();
    FilterEngine engine{*state};
    Bank() {
        E24Init(*state);
        engine.Reset(true);
    }
};

// Dips and peaks of random sections on a random level.
void importRoom(FilterBankState& state, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    Curve room{};
    for (int k = 0; k < 4; ++k) {
        const Curve c = sectionCurveDb(50 * std::pow(300.0, unit(random)), 0.7 + 4 * unit(random),
                                       0.2 + 2 * unit(random), k % 2 == 0);
        for (std::size_t i = 0; i < kGridPoints; ++i) room[i] -= c[i];
    }
    const double level = 10 * unit(random) - 5;
    for (std::size_t i = 0; i < kGridPoints; ++i) state.ImportedResponse[i] = room[i] + level;
}

} // namespace

TEST(FitNoise, QuietestPartsStayWithinOnePercentOfTheBestErrorAndAreNeverNoisier) {
    int quieter = 0;
    for (unsigned seed : {3u, 8u, 21u}) {
        for (const char* name : {"NE5532", "TL072", "Ideal"}) {
            Bank bank;
            importRoom(*bank.state, seed);
            FitSettings settings;
            settings.circuit.opAmp = *opAmpNamed(name);
            settings.circuit.summingOhms = 4700;
            settings.series = seed % 2 ? Series::E24 : Series::E12;
            settings.search.randomStarts = 0; // the choice, not the search, is tested here
            FitSettings best = settings;
            best.search.quietest = false;
            const FitOutcome plain = fitSections(*bank.state, best), quiet = fitSections(*bank.state, settings);
            ASSERT_TRUE(plain.done() && quiet.done());
            EXPECT_LE(quiet.result.after.rms, 1.01 * plain.result.after.rms + 1e-9) << seed << " " << name;
            EXPECT_LE(quiet.result.noiseAfterUv, plain.result.noiseAfterUv * (1 + 1e-12)) << seed << " " << name;
            quieter += quiet.result.noiseAfterUv < plain.result.noiseAfterUv;

            // The noise reported is that of the parts as Apply sets them,
            // and before, that of the parts now.
            EXPECT_DOUBLE_EQ(quiet.result.noiseBeforeUv, aWeightedNoiseUv(circuitParts(bank.engine), settings.circuit));
            applyFit(bank.engine, quiet.result);
            EXPECT_NEAR(quiet.result.noiseAfterUv, aWeightedNoiseUv(circuitParts(bank.engine), settings.circuit),
                        1e-9 * quiet.result.noiseAfterUv);
        }
    }
    EXPECT_GE(quieter, 3); // the choice has something to choose
}

TEST(FitNoise, KeptCapacitorsAreNotChangedForNoise) {
    Bank bank;
    importRoom(*bank.state, 5);
    FitSettings settings;
    settings.chooseCapacitors = false;
    settings.circuit.opAmp = *opAmpNamed("NE5532");
    const FitOutcome fit = fitSections(*bank.state, settings);
    ASSERT_TRUE(fit.done());
    for (int s = 1; s <= kSectionCount; ++s) EXPECT_EQ(fit.result.section(s).capacitance, bank.state->section(s).Capacitance);
    EXPECT_GT(fit.result.noiseAfterUv, 0);
}
