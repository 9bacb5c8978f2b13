// The fit's own logarithms and exponentials: within a few units in the last
// place of the C library's over the ranges the search uses (a wrong
// coefficient or reduction shows as thousands), and the
// library's answer outside the positive normal numbers.
#include "portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace tessera {
namespace {

struct Case {
    const char* name;
    double (*portable)(double);
    double (*library)(double);
    double low, high; // arguments drawn evenly from [low, high], or their logarithms where logScale
    bool logScale;
};

double libraryExp10(double x) { return std::pow(10.0, x); }
double libraryLog(double x) { return std::log(x); }
double libraryLog10(double x) { return std::log10(x); }
double libraryExp(double x) { return std::exp(x); }

TEST(PortableMath, AgreesWithTheLibraryWithinAFewUnitsInTheLastPlace) {
    const Case cases[] = {
        {"log", portableLog, libraryLog, -700, 700, true},
        {"log10", portableLog10, libraryLog10, -700, 700, true},
        {"log10 near 1", portableLog10, libraryLog10, 0.5, 2, false},
        {"exp", portableExp, libraryExp, -707, 708, false},
        {"exp near 0", portableExp, libraryExp, -1, 1, false},
        {"exp10 of gains", portableExp10, libraryExp10, -3, 3, false}, // dB / 10 of a section
    };
    std::uint64_t state = 0x9e3779b97f4a7c15ULL;
    const auto unit = [&] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return static_cast<double>(state >> 11) * 0x1.0p-53;
    };
    for (const Case& c : cases) {
        double worst = 0;
        for (int i = 0; i < 200000; ++i) {
            const double t = c.low + (c.high - c.low) * unit();
            const double x = c.logScale ? std::exp(t) : t;
            const double expected = c.library(x), got = c.portable(x);
            // Units of the last place of the expected value (absolute near a zero of log).
            const double ulp = std::max(std::fabs(expected) * 0x1.0p-52, 0x1.0p-1074);
            worst = std::max(worst, std::fabs(got - expected) / ulp);
        }
        EXPECT_LE(worst, 8) << c.name;
    }
}

TEST(PortableMath, OutsideTheNormalNumbersTheLibrarysAnswer) {
    constexpr double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (const double x : {0.0, -1.0, inf, -inf, nan, 1e-310})
        EXPECT_EQ(std::isnan(portableLog(x)), std::isnan(std::log(x))) << x;
    EXPECT_EQ(portableLog(0.0), -inf);
    EXPECT_EQ(portableLog10(inf), inf);
    EXPECT_EQ(portableExp(-inf), 0);
    EXPECT_EQ(portableExp(inf), inf);
    EXPECT_EQ(portableExp(800), inf);
    EXPECT_TRUE(std::isnan(portableExp(nan)));
    EXPECT_EQ(portableExp(0), 1);
}

} // namespace
} // namespace tessera
