#include "filter_engine.h"
#include "standard_series.h"

#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace tessera;

namespace {
struct EngineTest : EngineFixture {
    void expectCombinedIsSum(double tolerance = 1e-9) {
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            double sum = 0;
            for (const auto& s : state.sections) sum += s.SectionCurve[i];
            ASSERT_NEAR(state.CombinedCurve[i], sum, tolerance) << "point " << i;
        }
    }
};
} // namespace

TEST_F(EngineTest, ResetGivesTheStartUpState) {
    state.ImportedResponse.fill(3);
    engine.Reset(true);
    for (int s = 1; s <= 4; ++s) {
        const FilterSection& section = state.section(s);
        EXPECT_EQ(section.Capacitance, 1e-9);
        EXPECT_EQ(section.E24Snap, 1);
        EXPECT_EQ(section.E12Snap, 0);
        EXPECT_EQ(section.SeriesIndex[0], 106);
        EXPECT_EQ(section.SeriesIndex[1], 85);
        EXPECT_EQ(section.SeriesIndex[2], 27);
        EXPECT_NEAR(section.Frequency, 19551.23, 0.005);
        EXPECT_NEAR(section.Q, 7.9849, 0.00005);
        EXPECT_DOUBLE_EQ(section.GainFactor, 0.065);

        const PageTexts& page = engine.page(s);
        EXPECT_EQ(page.entryText(Entry::Frequency), "19551");
        EXPECT_EQ(page.entryText(Entry::Q), "7.98");
        EXPECT_EQ(page.entryText(Entry::Gain), s <= 2 ? "0.55" : "-0.55");
        EXPECT_EQ(page.resistorLabel[0], "1 M");
        EXPECT_EQ(page.resistorLabel[1], "130 K");
        EXPECT_EQ(page.resistorLabel[2], "510 R");
        EXPECT_EQ(page.status, "E24 - Setting");
        EXPECT_EQ(page.capacitor, "1 nF");
        EXPECT_EQ(page.stepper[0].position, 100); // slot R1 stands at the stepper's end
        EXPECT_EQ(page.stepper[1].position, 85);
        EXPECT_EQ(page.stepper[2].position, 27);
        for (const Stepper& stepper : page.stepper) {
            EXPECT_TRUE(stepper.enabled);
            EXPECT_EQ(stepper.increment, 1);
        }
    }
    for (double y : state.ImportedResponse) EXPECT_EQ(y, 0.0);
    for (double y : state.CombinedCurve) EXPECT_NEAR(y, 0.0, 1e-12); // boosts and cuts cancel
    expectCombinedIsSum(0);
    EXPECT_EQ(state.Modified, 1); // the callers clear it

    // Import first, then the four sections each with its result plot.
    const std::vector<GraphWindow> expected = {
        GraphWindow::Import,  GraphWindow::Filter1, GraphWindow::Result, GraphWindow::Filter2,
        GraphWindow::Result,  GraphWindow::Filter3, GraphWindow::Result, GraphWindow::Filter4,
        GraphWindow::Result};
    EXPECT_EQ(plots.order, expected);
    const PlotData& imported = plots.last(GraphWindow::Import);
    EXPECT_EQ(imported.yMin(), 0.0);
    EXPECT_EQ(imported.yMax(), 0.0);
}

TEST_F(EngineTest, ResetWithoutClearingKeepsTheImportAndTheE12Choice) {
    state.ImportedResponse.fill(2);
    state.section(2).E12Snap = 1;
    engine.Reset(false);
    EXPECT_EQ(plots.blocks.count(GraphWindow::Import), 0u);
    EXPECT_EQ(state.ImportedResponse[100], 2.0);
    EXPECT_EQ(state.section(2).E12Snap, 1); // both flags set: E24 snapping, steps of 2
    EXPECT_EQ(state.section(2).E24Snap, 1);
    EXPECT_EQ(engine.page(2).stepper[1].increment, 2);
    EXPECT_EQ(engine.page(2).status, "E24 - Setting");
    EXPECT_DOUBLE_EQ(plots.last(GraphWindow::Result).value(256 + 7), state.CombinedCurve[7] + 2);
}

TEST_F(EngineTest, RepeatedChangesNeverAccumulateOldCurves) {
    engine.Reset(true);
    for (int n = 0; n < 5; ++n) {
        state.section(1).GainFactor = 1 + n;
        engine.refreshFilter(1);
    }
    expectCombinedIsSum(1e-12);
}

// Any mix of edits, snaps, steps, loads of odd values and resets keeps the
// combined curve equal to the sum of the four section curves.
TEST_F(EngineTest, CombinedCurveStaysTheSumUnderRandomOperations) {
    std::mt19937 random(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    engine.Reset(true);
    for (int n = 0; n < 3000; ++n) {
        const int s = pick(1, 4);
        const Entry entry = static_cast<Entry>(pick(0, 2));
        switch (pick(0, 9)) {
        case 0: engine.spin(s, entry, pick(0, 1) == 1); break;
        case 1: engine.commitEntry(s, entry, std::to_string(pick(-30, 30000) / 7.0)); break;
        case 2: engine.selectSeries(s, pick(0, 1) ? Series::E12 : Series::E24); break;
        case 3: engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(pick(0, 12))]); break;
        case 4: engine.stepResistor(s, static_cast<Slot>(pick(0, 2)), pick(0, 1) == 1); break;
        case 5: engine.refreshPage(s); break;
        case 6:
            state.section(s).Frequency = pick(1, 90000);
            state.section(s).GainFactor = pick(0, 100) / 3.0;
            engine.refreshFilter(s);
            break;
        case 7: state.ImportedResponse[static_cast<std::size_t>(pick(0, 255))] = pick(-50, 50); break;
        case 8: if (pick(0, 20) == 0) engine.Reset(pick(0, 1) == 1); break;
        default: engine.spin(s, Entry::Gain, true); break;
        }
        if (n % 50 == 0) expectCombinedIsSum();
        for (const auto& section : state.sections)
            for (auto position : section.SeriesIndex) ASSERT_TRUE(position >= 0 && position <= 106);
    }
    expectCombinedIsSum();
}
