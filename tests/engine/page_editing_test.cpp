#include "filter_engine.h"
#include "number_text.h"
#include "real_conversion.h"
#include "section_formulas.h"
#include "standard_series.h"

#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessera;

namespace {
struct EditingTest : EngineFixture {
    void SetUp() override {
        EngineFixture::SetUp();
        engine.Reset(true);
        pages.changes.clear();
    }
    const std::string& text(int s, Entry e) { return engine.page(s).entryText(e); }
    FilterSection& section(int s) { return state.section(s); }
    double shownGainDbFor(int s) { return shownGainDb(s, section(s).GainFactor); }
    static std::string fixedTextOf(double f) { return fixedText(f, 5, 0, '.'); }
};
} // namespace

TEST_F(EditingTest, TypedGainIsClampedAndShownWithThreeDigits) {
    engine.commitEntry(1, Entry::Gain, "25");
    EXPECT_EQ(section(1).GainFactor, 10.0);
    EXPECT_EQ(text(1, Entry::Gain), "20.80");
    engine.spin(1, Entry::Gain, true); // keeps the maximum, shown with five digits
    EXPECT_EQ(section(1).GainFactor, 10.0);
    EXPECT_EQ(text(1, Entry::Gain), "20.83");

    engine.commitEntry(1, Entry::Gain, "-6");
    EXPECT_EQ(section(1).GainFactor, 0.0);
    EXPECT_EQ(text(1, Entry::Gain), "0.00");

    for (const char* typed : {"6", "-6"}) {
        engine.commitEntry(3, Entry::Gain, typed);
        EXPECT_EQ(text(3, Entry::Gain), "-6.00") << typed;
    }
    engine.commitEntry(2, Entry::Gain, "12.345");
    EXPECT_EQ(text(2, Entry::Gain), "12.30");
    EXPECT_NEAR(section(2).GainFactor, std::pow(10.0, 12.345 / 20) - 1, 1e-10);
    engine.commitEntry(2, Entry::Gain, "150");
    EXPECT_EQ(section(2).GainFactor, 10.0);
}

TEST_F(EditingTest, GainSpinActsOnTheFactor) {
    engine.commitEntry(1, Entry::Gain, "0");
    engine.spin(1, Entry::Gain, true);
    EXPECT_EQ(section(1).GainFactor, 0.0); // 0 x 1.05 stays 0
    engine.commitEntry(1, Entry::Gain, "0.1");
    const double a = section(1).GainFactor;
    engine.spin(1, Entry::Gain, false);
    EXPECT_NEAR(section(1).GainFactor, a / 1.05, 1e-15);
    EXPECT_GT(section(1).GainFactor, 0.0);

    engine.commitEntry(4, Entry::Gain, "-3");
    const double before = shownGainDbFor(4);
    engine.spin(4, Entry::Gain, true);
    EXPECT_LT(shownGainDbFor(4), before); // up deepens the cut
}

TEST_F(EditingTest, FrequencyAndQStepsStopAtTheirLimits) {
    engine.commitEntry(1, Entry::Frequency, "19000");
    engine.spin(1, Entry::Frequency, true);
    EXPECT_EQ(section(1).Frequency, 20000.0);
    EXPECT_EQ(text(1, Entry::Frequency), "20000");
    engine.commitEntry(1, Entry::Frequency, "21");
    engine.spin(1, Entry::Frequency, false);
    EXPECT_EQ(section(1).Frequency, 20.0);
    engine.commitEntry(1, Entry::Frequency, "1000");
    engine.spin(1, Entry::Frequency, true);
    EXPECT_DOUBLE_EQ(section(1).Frequency, 1100.0);
    EXPECT_EQ(text(1, Entry::Frequency), "1100");

    engine.commitEntry(2, Entry::Q, "0.5");
    engine.spin(2, Entry::Q, false);
    engine.spin(2, Entry::Q, false); // 0.3 - 0.2 counts as reaching the minimum
    EXPECT_EQ(section(2).Q, 0.1);
    engine.commitEntry(2, Entry::Q, "0.3"); // typed: 40-bit 0.3 lies a hair above
    engine.spin(2, Entry::Q, false);
    EXPECT_NEAR(section(2).Q, 0.1, 1e-12);
    EXPECT_EQ(text(2, Entry::Q), "0.10");
    engine.commitEntry(2, Entry::Q, "7.9");
    engine.spin(2, Entry::Q, true);
    EXPECT_EQ(section(2).Q, 8.0);
    EXPECT_EQ(text(2, Entry::Q), "8.00");
    engine.commitEntry(2, Entry::Q, "0.707");
    EXPECT_EQ(text(2, Entry::Q), "0.71");

    engine.commitEntry(3, Entry::Frequency, "25000");
    EXPECT_EQ(section(3).Frequency, 20000.0);
    engine.commitEntry(3, Entry::Frequency, "5");
    EXPECT_EQ(section(3).Frequency, 20.0);
    engine.commitEntry(3, Entry::Frequency, "not a number");
    EXPECT_EQ(section(3).Frequency, 20.0);
    engine.commitEntry(3, Entry::Q, "");
    EXPECT_EQ(section(3).Q, 0.1);
}

TEST_F(EditingTest, ExactModeShowsIdealResistorsAndRewritesOnlyTheChangedEntry) {
    pages.changes.clear();
    engine.commitEntry(1, Entry::Frequency, "1000");
    engine.commitEntry(1, Entry::Q, "1");
    engine.commitEntry(1, Entry::Gain, "6.0206");
    const PageTexts& page = engine.page(1);
    EXPECT_EQ(page.status, "");
    EXPECT_EQ(section(1).E24Snap, 0);
    EXPECT_EQ(section(1).E12Snap, 0);
    EXPECT_EQ(page.resistorLabel[0], "159 K"); // 1 nF: ten times the 10 nF example
    EXPECT_EQ(page.resistorLabel[1], "318 K");
    EXPECT_EQ(page.resistorLabel[2], "159 K");
    for (const Stepper& stepper : page.stepper) EXPECT_FALSE(stepper.enabled);

    pages.changes.clear();
    engine.spin(1, Entry::Q, true);
    EXPECT_EQ(pages.allFor(1) & AllEntryTexts, unsigned{QText});

    engine.commitEntry(1, Entry::Q, "0.1"); // A = 1 > 2 Q^2: unbuildable
    EXPECT_EQ(page.resistorLabel[2], "err");
}

TEST_F(EditingTest, EscapeRestoresTheStoredValueText) {
    engine.commitEntry(2, Entry::Q, "2.345");
    engine.spin(2, Entry::Q, true);
    EXPECT_EQ(text(2, Entry::Q), "2.55");
    pages.changes.clear();
    engine.revertEntry(2, Entry::Q);
    EXPECT_EQ(text(2, Entry::Q), "2.55");
    EXPECT_EQ(pages.allFor(2), unsigned{QText});
    engine.revertEntry(3, Entry::Gain);
    EXPECT_EQ(text(3, Entry::Gain), "-0.55");
}

TEST_F(EditingTest, SeriesButtonsClampThenSnap) {
    section(1).Frequency = 90000;
    section(1).Q = 0.01;
    section(1).GainFactor = 50;
    engine.selectSeries(1, Series::E12);
    EXPECT_EQ(engine.page(1).status, "E12 - Setting");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(section(1).SeriesIndex[static_cast<std::size_t>(k)] % 2, 0);
        EXPECT_EQ(engine.page(1).stepper[static_cast<std::size_t>(k)].increment, 2);
    }
    EXPECT_EQ(section(1).E12Snap, 1);
    EXPECT_EQ(section(1).E24Snap, 0);

    // A capacitor in E12 mode: E24 snapping, steps of two.
    engine.selectCapacitor(1, "2.2 nF");
    EXPECT_EQ(section(1).Capacitance, static_cast<double>(2.2000000000007276L * 1e-9L));
    EXPECT_EQ(engine.page(1).status, "E24 - Setting");
    EXPECT_EQ(engine.page(1).stepper[0].increment, 2);
    EXPECT_EQ(engine.page(1).capacitor, "2.2 nF");
    EXPECT_EQ(section(1).E12Snap, 1);
    EXPECT_EQ(section(1).E24Snap, 1);

    engine.selectSeries(1, Series::E24);
    EXPECT_EQ(engine.page(1).stepper[0].increment, 1);
}

TEST_F(EditingTest, ResistorStepperMovesWithinItsRange) {
    const PageTexts& page = engine.page(1);
    // R1 stands at 106 in the table but the stepper at its end, 100.
    EXPECT_FALSE(engine.stepResistor(1, Slot::R1, true));
    EXPECT_EQ(section(1).SeriesIndex[0], 106);
    EXPECT_TRUE(engine.stepResistor(1, Slot::R1, false));
    EXPECT_EQ(section(1).SeriesIndex[0], 99); // continues from the stepper's own position
    EXPECT_EQ(page.resistorLabel[0], "510 K");
    EXPECT_DOUBLE_EQ(section(1).GainFactor, 130000.0 / (2 * 510000.0));
    EXPECT_EQ(page.status, "E24 - Setting"); // still inside the ranges

    for (int n = 0; n < 30; ++n) engine.stepResistor(1, Slot::R3, false);
    EXPECT_EQ(section(1).SeriesIndex[2], 0);
    EXPECT_FALSE(engine.stepResistor(1, Slot::R3, false));
    EXPECT_GT(section(1).Frequency, 20000.0);  // 39 ohms: far above the range
    EXPECT_EQ(page.status, "");                // the only sign of it
    EXPECT_EQ(text(1, Entry::Frequency), fixedTextOf(section(1).Frequency));

    engine.commitEntry(1, Entry::Frequency, "1000"); // exact mode: steppers off
    EXPECT_FALSE(engine.stepResistor(1, Slot::R2, true));
}

TEST_F(EditingTest, TooLargeANumberChangesNothing) {
    const FilterSection before = section(2);
    const PageTexts pageBefore = engine.page(2);
    EXPECT_THROW(engine.commitEntry(2, Entry::Frequency, "1E40"), FloatOverflowError);
    EXPECT_THROW(engine.selectCapacitor(2, "1E99 nF"), FloatOverflowError);
    EXPECT_EQ(section(2).Frequency, before.Frequency);
    EXPECT_EQ(section(2).Capacitance, before.Capacitance);
    EXPECT_EQ(section(2).E24Snap, before.E24Snap);
    EXPECT_EQ(engine.page(2).entry, pageBefore.entry);
    EXPECT_EQ(engine.page(2).capacitor, pageBefore.capacitor);
}

TEST(EditingSeparator, ADecimalCommaIsShownAndReadBack) {
    FilterBankState state;
    E24Init(state);
    FilterEngine engine(state, ',');
    engine.Reset(true);
    engine.commitEntry(1, Entry::Q, "0,707");
    EXPECT_EQ(engine.page(1).entryText(Entry::Q), "0,71");
    EXPECT_EQ(engine.page(3).entryText(Entry::Gain), "-0,55");
    engine.selectSeries(1, Series::E24);
    EXPECT_NE(engine.page(1).entryText(Entry::Q).find(','), std::string::npos);
}
