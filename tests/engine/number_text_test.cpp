#include "number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>

using namespace tessera;

TEST(FixedText, RoundsToTheCoarserOfSignificantDigitsAndDecimals) {
    EXPECT_EQ(fixedText(0.70711, 5, 2, '.'), "0.71");
    EXPECT_EQ(fixedText(12.3456, 5, 2, '.'), "12.35");
    EXPECT_EQ(fixedText(12.3456, 3, 2, '.'), "12.30"); // three digits, written with two decimals
    EXPECT_EQ(fixedText(8, 5, 2, '.'), "8.00");
    EXPECT_EQ(fixedText(1000.4, 5, 0, '.'), "1000");
    EXPECT_EQ(fixedText(19551.23, 5, 0, '.'), "19551");
    EXPECT_EQ(fixedText(7.9849, 5, 2, '.'), "7.98");
    EXPECT_EQ(fixedText(20.8278537, 3, 2, '.'), "20.80");
    EXPECT_EQ(fixedText(20.8278537, 5, 2, '.'), "20.83");
    EXPECT_EQ(fixedText(0.001, 5, 0, '.'), "0");
}

TEST(FixedText, HalvesGoAwayFromZero) {
    EXPECT_EQ(fixedText(0.125, 5, 2, '.'), "0.13");  // exact binary half
    EXPECT_EQ(fixedText(-0.125, 5, 2, '.'), "-0.13");
    EXPECT_EQ(fixedText(2.5, 5, 0, '.'), "3");
    EXPECT_EQ(fixedText(-2.5, 5, 0, '.'), "-3");
    EXPECT_EQ(fixedText(0.5, 7, 0, '.'), "1");
    // 1.005 is stored just below the half: no rounding up.
    EXPECT_EQ(fixedText(1.005, 5, 2, '.'), "1.00");
}

TEST(FixedText, MinusOnlyForValuesThatStayNegative) {
    EXPECT_EQ(fixedText(-0.001, 5, 2, '.'), "0.00");
    EXPECT_EQ(fixedText(-0.0, 5, 2, '.'), "0.00");
    EXPECT_EQ(fixedText(-0.55, 5, 2, '.'), "-0.55");
    EXPECT_EQ(fixedText(-6.0206, 3, 2, '.'), "-6.02");
}

TEST(FixedText, ExponentFormWhenTheIntegerPartIsTooLong) {
    EXPECT_EQ(fixedText(5773490, 5, 0, '.'), "5.7735E6");
    EXPECT_EQ(fixedText(99999.7, 5, 0, '.'), "1E5"); // the carry makes six digits
    EXPECT_EQ(fixedText(99999.4, 5, 0, '.'), "99999");
    EXPECT_EQ(fixedText(20000000, 5, 0, '.'), "2E7");
    EXPECT_EQ(fixedText(-123456789, 7, 0, '.'), "-1.234568E8");
    EXPECT_EQ(fixedText(5773490, 5, 0, ','), "5,7735E6");
}

TEST(FixedText, UsesTheGivenSeparator) {
    EXPECT_EQ(fixedText(0.70711, 5, 2, ','), "0,71");
    EXPECT_EQ(fixedText(-0.55, 5, 2, ','), "-0,55");
    EXPECT_EQ(fixedText(3, 5, 0, ','), "3");
}

TEST(SignedFixedText, ASignAlwaysEvenWhereTheDigitsRoundToZero) {
    EXPECT_EQ(signedFixedText(4.83, 4, 2, '.'), "+4.83");
    EXPECT_EQ(signedFixedText(-4.826, 4, 2, ','), "-4,83");
    EXPECT_EQ(signedFixedText(0, 4, 2, '.'), "+0.00");
    EXPECT_EQ(signedFixedText(-0.0, 4, 2, '.'), "+0.00");
    EXPECT_EQ(signedFixedText(-0.004, 4, 2, '.'), "-0.00");
    EXPECT_EQ(signedFixedText(0.004, 4, 2, '.'), "+0.00");
    EXPECT_EQ(signedFixedText(-98.34, 5, 1, '.'), "-98.3");
}

TEST(GeneralText, ShortestFormWithoutTrailingZeros) {
    EXPECT_EQ(generalText(-12, 4, '.'), "-12");
    EXPECT_EQ(generalText(0.07000000000000001, 4, '.'), "0.07");
    EXPECT_EQ(generalText(200, 4, '.'), "200");
    EXPECT_EQ(generalText(-0.2, 4, '.'), "-0.2");
    EXPECT_EQ(generalText(0.5, 4, ','), "0,5");
    EXPECT_EQ(generalText(1234.5, 4, '.'), "1235");
    EXPECT_EQ(generalText(0, 4, '.'), "0");
    EXPECT_EQ(generalText(1.23456, 4, '.'), "1.235");
}

TEST(GeneralText, ExponentFormBelowOneHundredThousandthOrBeyondThePrecision) {
    EXPECT_EQ(generalText(12345, 4, '.'), "1.235E4");
    EXPECT_EQ(generalText(10000, 4, '.'), "1E4");
    EXPECT_EQ(generalText(9999, 4, '.'), "9999");
    EXPECT_EQ(generalText(0.00001, 4, '.'), "0.00001");
    EXPECT_EQ(generalText(0.000009, 4, '.'), "9E-6");
    EXPECT_EQ(generalText(-0.0000012346, 4, ','), "-1,235E-6");
}

TEST(ExponentText15, ConfigurationFileForm) {
    EXPECT_EQ(exponentText15(1000, '.'), "1.00000000000000E+3");
    EXPECT_EQ(exponentText15(2, '.'), "2.00000000000000E+0");
    EXPECT_EQ(exponentText15(0.5, '.'), "5.00000000000000E-1");
    EXPECT_EQ(exponentText15(-3.25, '.'), "-3.25000000000000E+0");
    EXPECT_EQ(exponentText15(0, '.'), "0.00000000000000E+0");
    EXPECT_EQ(exponentText15(1000, ','), "1,00000000000000E+3");
    EXPECT_EQ(exponentText15(1e-9, '.'), "1.00000000000000E-9");
    EXPECT_EQ(exponentText15(19551.229795363, '.'), "1.95512297953630E+4");
    EXPECT_EQ(exponentText15(1.0 / 3.0, '.'), "3.33333333333333E-1");
    EXPECT_EQ(exponentText15(2.0 / 3.0, '.'), "6.66666666666667E-1");
    EXPECT_EQ(exponentText15(9.999999999999999, '.'), "1.00000000000000E+1");
    EXPECT_EQ(exponentText15(-1e300, '.'), "-1.00000000000000E+300");
}

// The portable texts are the native C++ library's to_chars forms to the
// byte, and the round-trip text reads back as the same double: doubles of
// every bit pattern, short decimals, and integers past 2^53 (where a fixed
// text shows the double's exact value).
TEST(RoundTripText, IsToCharsAndReadsBackExactly) {
    std::mt19937_64 random(25);
    const auto toChars = [](double value, auto... format) {
        char text[400];
        return std::string(text, std::to_chars(text, text + sizeof text, value, format...).ptr);
    };
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        switch (i % 3) {
        case 0: value = std::bit_cast<double>(random()); break;
        case 1: value = static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / std::pow(10.0, i % 9); break;
        case 2: value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 40) + 20); break;
        }
        if (!std::isfinite(value)) continue;
        const int digits = 1 + i % 17;
        ASSERT_EQ(roundTripText(value), toChars(value)) << i;
        ASSERT_EQ(significantText(value, digits), toChars(value, std::chars_format::general, digits)) << i;
        if (std::fabs(value) < 1e30) {
            ASSERT_EQ(roundTripFixedText(value), toChars(value, std::chars_format::fixed)) << i;
        }
        ASSERT_EQ(roundTripValue(roundTripText(value)), value) << i;
    }
    EXPECT_EQ(roundTripValue("1e400"), std::nullopt); // beyond the double's range
    EXPECT_EQ(roundTripValue("inf"), std::nullopt);
    EXPECT_EQ(roundTripValue("1.5x"), std::nullopt);
    EXPECT_EQ(roundTripValue(""), std::nullopt);
}
