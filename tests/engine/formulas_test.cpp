#include "section_formulas.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tessera;

namespace {
struct Ideal {
    double r1, r2, r3;
};
Ideal ideal(double C, double f, double Q, double A) {
    FilterBankState state;
    RBerechnen(state, C, f, Q, A);
    return {state.IdealR1, state.IdealR2, state.IdealR3};
}
} // namespace

TEST(RBerechnen, DesignExamples) {
    const Ideal start = ideal(1e-9, 20000, 8, 0);
    EXPECT_NEAR(start.r2, 127323.95, 0.005);
    EXPECT_EQ(start.r1, 1000000.0); // A = 0: the largest standard value, not infinite
    EXPECT_NEAR(start.r3, 497.61, 0.005);

    const Ideal unity = ideal(10e-9, 1000, 1, 1);
    EXPECT_NEAR(unity.r2, 31830.99, 0.005);
    EXPECT_NEAR(unity.r1, 15915.49, 0.005);
    EXPECT_NEAR(unity.r3, 15915.49, 0.005);

    const Ideal unbuildable = ideal(10e-9, 1000, 0.5, 1); // A > 2 Q^2
    EXPECT_NEAR(unbuildable.r3, -15915.49, 0.005);
    EXPECT_NEAR(ideal(10e-9, 1000, 0.5, 0.4).r3, 79577.47, 0.005);
}

TEST(RBerechnen, ZeroInputsTakeTheFallbacks) {
    const Ideal noFrequency = ideal(1e-9, 0, 1, 1);
    EXPECT_EQ(noFrequency.r2, 1000000.0);
    EXPECT_LT(noFrequency.r3, 0); // D = -1/(R1 R2)
    const Ideal noCapacitor = ideal(0, 1000, 1, 1);
    EXPECT_EQ(noCapacitor.r2, 1000000.0);
    EXPECT_LT(noCapacitor.r3, 0);
    EXPECT_GT(ideal(1e-9, 1000, 1, 0).r3, 0);
    // Negative inputs go through the formulas unguarded.
    EXPECT_LT(ideal(1e-9, -1000, 1, 1).r2, 0);
}

TEST(RealisedValues, FromStandardPartsAndBack) {
    EXPECT_EQ(fBerechnen(0, 1, 1, 1), 20000.0);
    EXPECT_EQ(fBerechnen(1e-9, 1, 0, 1), 20000.0);
    EXPECT_EQ(fBerechnen(1e-9, 1, 1, 0), 20000.0);
    EXPECT_EQ(fBerechnen(1e-9, 0, 1, 1), 20000.0);
    EXPECT_DOUBLE_EQ(ABerechnen(0, 130000), 0.065);
    EXPECT_DOUBLE_EQ(ABerechnen(1000000, 130000), 0.065);
    const double f = fBerechnen(1e-9, 1000000, 130000, 510);
    EXPECT_NEAR(f, 19551.23, 0.005);
    EXPECT_NEAR(QBerechnen(1e-9, f, 130000), 7.985, 0.0005);

    // The ideal values computed back give the wanted section.
    const Ideal r = ideal(22e-9, 347.5, 2.3, 3.1);
    const double f2 = fBerechnen(22e-9, r.r1, r.r2, r.r3);
    EXPECT_NEAR(f2, 347.5, 1e-9);
    EXPECT_NEAR(QBerechnen(22e-9, f2, r.r2), 2.3, 1e-12);
    EXPECT_NEAR(ABerechnen(r.r1, r.r2), 3.1, 1e-12);
}

TEST(IdealResistorText, WholeKiloOhmsAboveOneThousand) {
    EXPECT_EQ(idealResistorText(127323.95, '.'), "127 K");
    EXPECT_EQ(idealResistorText(1000000, '.'), "1000 K");
    EXPECT_EQ(idealResistorText(1600, '.'), "2 K");
    EXPECT_EQ(idealResistorText(1000.4, '.'), "1 K");
    EXPECT_EQ(idealResistorText(1000, '.'), "1000");
    EXPECT_EQ(idealResistorText(497.61, '.'), "498");
    EXPECT_EQ(idealResistorText(15915.49, '.'), "16 K");
    EXPECT_EQ(idealResistorText(0, '.'), "0");
    EXPECT_EQ(idealResistorText(-15915.49, '.'), "err");
    EXPECT_EQ(idealResistorText(std::numeric_limits<double>::quiet_NaN(), '.'), "err");
    EXPECT_EQ(idealResistorText(2.5e12, '.'), "2.5E9 K"); // more than seven integer digits
}

TEST(ShownGain, BoostAndCutSections) {
    EXPECT_NEAR(shownGainDb(1, 1), 6.0206, 1e-4);
    EXPECT_NEAR(shownGainDb(3, 1), -6.0206, 1e-4);
    EXPECT_NEAR(shownGainDb(2, 10), 20.8279, 1e-4);
    EXPECT_EQ(shownGainDb(4, 0), 0.0);
}
