#include "standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace tessera;

namespace {
struct SeriesTest : ::testing::Test {
    FilterBankState state;
    void SetUp() override { E24Init(state); }

    std::int32_t search(double ohms, bool e12, bool e24, std::optional<std::string>* status = nullptr) {
        state.section(2).E12Snap = e12;
        state.section(2).E24Snap = e24;
        std::optional<std::string> seen;
        const auto position = EReihenIndex(state, 2, ohms, seen);
        if (status) *status = seen;
        return position;
    }
    std::string label(int position) const { return state.SeriesLabels[static_cast<std::size_t>(position)].c_str(); }
};
} // namespace

TEST_F(SeriesTest, TableValuesAndLabels) {
    const auto& v = state.SeriesValues;
    EXPECT_EQ(v[0], 39);
    EXPECT_EQ(v[9], 91);
    EXPECT_EQ(v[10], 100);
    EXPECT_EQ(v[34], 1000);
    EXPECT_EQ(v[58], 10000);
    EXPECT_EQ(v[82], 100000);
    EXPECT_EQ(v[85], 130000);
    EXPECT_EQ(v[105], 910000);
    EXPECT_EQ(v[106], 1000000);
    for (int i = 1; i < kSeriesCount; ++i) EXPECT_LT(v[i - 1], v[i]);

    EXPECT_EQ(label(0), "39 R");
    EXPECT_EQ(label(27), "510 R");
    EXPECT_EQ(label(33), "910 R");
    EXPECT_EQ(label(34), "1 K");
    EXPECT_EQ(label(35), "1.1 K");
    EXPECT_EQ(label(41), "2 K");
    EXPECT_EQ(label(57), "9.1 K");
    EXPECT_EQ(label(58), "10 K");
    EXPECT_EQ(label(85), "130 K");
    EXPECT_EQ(label(105), "910 K");
    EXPECT_EQ(label(106), "1 M");
    for (const auto& l : state.SeriesLabels) EXPECT_LE(std::string(l.c_str()).size(), 5u);

    // E12 sits on the even positions.
    const int e12[] = {39, 47, 56, 68, 82, 100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
    for (int i = 0; i < 17; ++i) EXPECT_EQ(v[static_cast<std::size_t>(2 * i)], e12[i]);
    EXPECT_EQ(v[34 + 2], 1200);
}

TEST_F(SeriesTest, NearestPositionTiesGoUp) {
    std::optional<std::string> status;
    EXPECT_EQ(search(127323.95, false, true, &status), 85);
    EXPECT_EQ(status, "E24 - Setting");
    EXPECT_EQ(search(497.61, false, true), 27);
    EXPECT_EQ(search(1050, false, true), 35); // exact midpoint of 1000 and 1100
    EXPECT_EQ(search(1049.99, false, true), 34);
    EXPECT_EQ(search(1000, false, true), 34); // a table value itself
    EXPECT_EQ(search(1250, true, true), 37);  // E24 wins when both flags are set

    EXPECT_EQ(search(1250, true, false, &status), 36);
    EXPECT_EQ(status, "E12 - Setting");
    EXPECT_EQ(search(1400, true, false), 38);
    EXPECT_EQ(search(1350, true, false), 38); // midpoint of 1200 and 1500
    EXPECT_EQ(search(1340, true, false), 36);
    EXPECT_EQ(search(1200, true, false), 36);
}

TEST_F(SeriesTest, EndsOfTheTableLeaveTheStatusAlone) {
    const double awkward[] = {39, 0, -15915, -1e300, 1000000, 5e6, 1e300,
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN()};
    const std::int32_t expected[] = {0, 0, 0, 0, 106, 106, 106, 106, 0, 0};
    for (std::size_t i = 0; i < std::size(awkward); ++i) {
        for (bool e12 : {false, true}) {
            std::optional<std::string> status;
            EXPECT_EQ(search(awkward[i], e12, !e12, &status), expected[i]) << awkward[i];
            EXPECT_FALSE(status.has_value()) << awkward[i];
        }
    }
    EXPECT_EQ(search(39.0001, false, true), 0); // nearer to 39 than to 43
}

TEST_F(SeriesTest, NoSeriesSelectedSearchesLikeE24) {
    std::optional<std::string> status;
    EXPECT_EQ(search(1250, false, false, &status), 37);
    EXPECT_EQ(status, "E24 - Setting");
}

TEST_F(SeriesTest, RandomValuesSnapToTheNearestEntryOfTheirSeries) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> logOhms(std::log(20.0), std::log(2e6));
    for (int n = 0; n < 20000; ++n) {
        const double x = std::exp(logOhms(random));
        for (bool e12 : {false, true}) {
            const auto p = search(x, e12, !e12);
            ASSERT_GE(p, 0);
            ASSERT_LE(p, 106);
            if (e12) {
                ASSERT_EQ(p % 2, 0) << x;
            }
            const double chosen = std::fabs(state.SeriesValues[static_cast<std::size_t>(p)] - x);
            for (int q = 0; q < kSeriesCount; q += e12 ? 2 : 1)
                ASSERT_LE(chosen, std::fabs(state.SeriesValues[static_cast<std::size_t>(q)] - x)) << x;
        }
    }
}
