#include "tolerance.h"

#include "circuit_curves.h"
#include "circuit_fixture.h"
#include "frequency_grid.h"
#include "random_stream.h"
#include "stage_response.h"

#include <algorithm>
#include <map>
#include <set>

using namespace tessera;
using namespace tessera::circuit_test;

namespace {
// Start-up sections, with section 2 a strong, narrow boost at 1 kHz.
Design boostedDesign() {
    Design design;
    design.engine->commitEntry(2, Entry::Frequency, "1000");
    design.engine->commitEntry(2, Entry::Q, "6");
    design.engine->commitEntry(2, Entry::Gain, "12");
    design.engine->selectSeries(2, Series::E24);
    return design;
}
} // namespace

TEST(Tolerance, FastCombinedResponseIsTheSumOfTheSectionsEvenWithUnequalCapacitors) {
    Design design;
    design.randomise(51, Parts::Mixed);
    CircuitParts parts = circuitParts(*design.engine);
    const Curve nominal = combinedDb(parts);
    for (std::size_t i = 0; i < kGridPoints; ++i) EXPECT_NEAR(nominal[i], design.state->CombinedCurve[i], 1e-4) << i;

    RandomStream random(7);
    for (SectionParts& p : parts) {
        p.C1 *= 1 + 0.2 * (random.uniform() - 0.5);
        p.C2 *= 1 + 0.2 * (random.uniform() - 0.5);
        p.R3 *= 1 + 0.2 * (random.uniform() - 0.5);
    }
    const Curve drawn = combinedDb(parts);
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double sum = 0;
        for (int s = 1; s <= kSectionCount; ++s)
            sum += sectionDb(parts[static_cast<std::size_t>(s - 1)], isBoostSection(s), 0, grid[i]);
        EXPECT_NEAR(drawn[i], sum, 1e-9) << i;
    }
}

TEST(Tolerance, TheRandomStreamIsTheSameEverywhere) {
    // xoshiro256** seeded through splitmix64 from seed 1, by its definition.
    RandomStream random(1);
    EXPECT_EQ(random.next(), 0xb3f2af6d0fc710c5ULL);
    EXPECT_EQ(random.next(), 0x853b559647364ceaULL);
    EXPECT_EQ(random.next(), 0x92f89756082a4514ULL);
}

TEST(Tolerance, SameSeedSameResultAndBoundsThatHoldTheNominal) {
    const Design design = boostedDesign();
    const CircuitParts parts = circuitParts(*design.engine);
    ToleranceSettings settings;
    const auto first = runTolerance(parts, settings);
    const auto again = runTolerance(parts, settings);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->lowest, again->lowest);
    EXPECT_EQ(first->highest, again->highest);
    settings.seed = 2;
    EXPECT_NE(runTolerance(parts, settings)->highest, first->highest);

    for (std::size_t i = 0; i < kGridPoints; ++i) {
        EXPECT_LE(first->lowest[i], first->nominal[i]);
        EXPECT_GE(first->highest[i], first->nominal[i]);
    }
    // The largest deviation sits by the boost and is what the bounds show.
    const auto k = static_cast<std::size_t>(first->largestDeviationPoint);
    EXPECT_GT(gridFrequencies()[k], 500);
    EXPECT_LT(gridFrequencies()[k], 2000);
    EXPECT_DOUBLE_EQ(first->largestDeviationDb,
                     std::max(first->highest[k] - first->nominal[k], first->nominal[k] - first->lowest[k]));

    // Tighter parts, the same draws: a smaller spread.
    ToleranceSettings tight;
    tight.resistorPercent = 0.1;
    tight.capacitorPercent = 1;
    EXPECT_LT(runTolerance(parts, tight)->largestDeviationDb, first->largestDeviationDb / 3);

    // A band away from the boost sees less of it.
    ToleranceSettings low = settings;
    low.band = gridBand(20, 100);
    EXPECT_LT(runTolerance(parts, low)->largestDeviationDb, first->largestDeviationDb / 3);
}

TEST(Tolerance, PartsAreRankedByTheirShareOfTheSpread) {
    const Design design = boostedDesign();
    const auto result = runTolerance(circuitParts(*design.engine), ToleranceSettings{});
    ASSERT_TRUE(result);
    std::set<std::string> names;
    double total = 0;
    for (const PartShare& p : result->ranking) {
        names.insert(p.designator);
        total += p.share;
    }
    EXPECT_EQ(names.size(), 20u);
    EXPECT_TRUE(names.count("R12") && names.count("C8"));
    EXPECT_NEAR(total, 1, 1e-12);
    EXPECT_TRUE(std::is_sorted(result->ranking.begin(), result->ranking.end(),
                               [](const PartShare& a, const PartShare& b) { return a.share > b.share; }));
    // Section 2's capacitors (5 %) move its narrow boost most.
    const std::set<std::string> top = {result->ranking[0].designator, result->ranking[1].designator};
    EXPECT_EQ(top, (std::set<std::string>{"C3", "C4"}));
}

TEST(Tolerance, CancellingGivesNothingAndProgressReachesTheEnd) {
    const Design design;
    const CircuitParts parts = circuitParts(*design.engine);
    ToleranceSettings settings;
    settings.trials = 3000;
    std::vector<int> seen;
    EXPECT_TRUE(runTolerance(parts, settings, [&](int done, int total) {
        EXPECT_EQ(total, 3000);
        seen.push_back(done);
        return true;
    }));
    EXPECT_EQ(seen.back(), 3000);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_FALSE(runTolerance(parts, settings, [](int done, int) { return done < 1000; }));
}

TEST(Tolerance, BoundsOnTheResultWindowGoAwayWhenThePartsChange) {
    struct Capture : PlotSink {
        std::map<GraphWindow, PlotData> last;
        void setData(GraphWindow w, const PlotData& b) override { last.insert_or_assign(w, b); }
    } windows;
    Design design = boostedDesign();
    CircuitCurves curves(*design.engine, windows);
    design.engine->setPlotSink(&curves);
    design.state->ImportedResponse.fill(1.5);
    design.engine->refreshresult();
    const auto result = runTolerance(circuitParts(*design.engine), ToleranceSettings{});
    curves.setToleranceBounds(ToleranceBounds{result->parts, result->lowest, result->highest});

    const PlotData& block = windows.last.at(GraphWindow::Result);
    ASSERT_EQ(block.rows(), 4);
    EXPECT_EQ(block.rowKind(2), CurveKind::ToleranceBound);
    EXPECT_EQ(block.rowKind(3), CurveKind::ToleranceBound);
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        EXPECT_DOUBLE_EQ(block.value(2 * kGridPoints + i), result->lowest[i] + 1.5);
        EXPECT_DOUBLE_EQ(block.value(3 * kGridPoints + i), result->highest[i] + 1.5);
    }
    EXPECT_LE(block.yMin(), *std::min_element(result->lowest.begin(), result->lowest.end()) + 1.5);

    design.engine->stepResistor(2, Slot::R3, true);
    EXPECT_FALSE(curves.hasToleranceBounds());
    EXPECT_EQ(windows.last.at(GraphWindow::Result).rows(), 2);
}

TEST(Tolerance, RunsWithTheChosenOpAmpsModelAsTheOpAmpCurvesDo) {
    Design design;
    design.randomise(55, Parts::Mixed);
    const CircuitParts parts = circuitParts(*design.engine);
    ToleranceSettings settings;
    settings.trials = 20;
    settings.opAmp = *opAmpNamed("TL072");
    const auto withOpAmp = runTolerance(parts, settings);
    ASSERT_TRUE(withOpAmp);
    // The nominal curve is the op-amp curves' sum, not the ideal response.
    const auto& grid = gridFrequencies();
    double largestShift = 0;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double sum = 0;
        for (int s = 1; s <= kSectionCount; ++s)
            sum += sectionDb(parts[static_cast<std::size_t>(s - 1)], isBoostSection(s), settings.opAmp.gbw, grid[i]);
        EXPECT_NEAR(withOpAmp->nominal[i], sum, 1e-9) << grid[i] << " Hz";
        largestShift = std::max(largestShift, std::fabs(withOpAmp->nominal[i] - combinedDb(parts)[i]));
    }
    EXPECT_GT(largestShift, 0.01); // a 3 MHz op-amp moves the high sections
    EXPECT_EQ(combinedDb(parts, settings.opAmp), withOpAmp->nominal);
}
