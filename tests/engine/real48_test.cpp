// The single rounding from decimal text to the 48-bit real, checked against
// exact decimal expansions of the binary halfway points: a result is right
// when the decimal value lies between the halfway points on either side of
// it (on one of them only for an even mantissa).

#include "real48.h"
#include "real_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace tessera;

namespace {

// An exact positive decimal: digits × 10^exponent, no leading or trailing zeros.
struct ExactDecimal {
    std::string digits;
    long exponent = 0;
};

ExactDecimal normalized(std::string digits, long exponent) {
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return {digits, digits.empty() ? 0 : exponent};
}

int compare(const ExactDecimal& a, const ExactDecimal& b) {
    if (a.digits.empty() || b.digits.empty()) return int{!a.digits.empty()} - int{!b.digits.empty()};
    const long orderA = a.exponent + static_cast<long>(a.digits.size());
    const long orderB = b.exponent + static_cast<long>(b.digits.size());
    if (orderA != orderB) return orderA < orderB ? -1 : 1;
    const std::size_t n = std::max(a.digits.size(), b.digits.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char da = i < a.digits.size() ? a.digits[i] : '0';
        const char db = i < b.digits.size() ? b.digits[i] : '0';
        if (da != db) return da < db ? -1 : 1;
    }
    return 0;
}

// H × 2^power written out in decimal, through a base-10^9 natural number.
ExactDecimal dyadic(std::uint64_t h, int power) {
    std::vector<std::uint32_t> chunks; // little-endian, base 10^9
    for (std::uint64_t v = h; v != 0; v /= 1000000000u) chunks.push_back(static_cast<std::uint32_t>(v % 1000000000u));
    const auto multiply = [&](std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& c : chunks) {
            const std::uint64_t v = std::uint64_t{c} * factor + carry;
            c = static_cast<std::uint32_t>(v % 1000000000u);
            carry = v / 1000000000u;
        }
        if (carry != 0) chunks.push_back(static_cast<std::uint32_t>(carry));
    };
    for (int i = 0; i < std::abs(power); ++i) multiply(power > 0 ? 2 : 5);
    std::string text;
    for (auto it = chunks.rbegin(); it != chunks.rend(); ++it) {
        std::string part = std::to_string(*it);
        if (it != chunks.rbegin()) part.insert(0, 9 - part.size(), '0');
        text += part;
    }
    return normalized(text, power < 0 ? power : 0);
}

// The text of digits × 10^exponent in a random but valid spelling.
std::string spelled(const ExactDecimal& x, bool negative, std::mt19937_64& random) {
    std::string mantissa = x.digits;
    long exponent = x.exponent;
    const int pointAt = static_cast<int>(random() % (mantissa.size() + 1));
    exponent += static_cast<long>(mantissa.size()) - pointAt;
    std::string text = negative ? "-" : (random() % 4 == 0 ? "+" : "");
    text += pointAt == 0 ? "0" : mantissa.substr(0, static_cast<std::size_t>(pointAt));
    if (static_cast<std::size_t>(pointAt) < mantissa.size())
        text.append(random() % 3 == 0 ? "," : ".").append(mantissa, static_cast<std::size_t>(pointAt));
    if (exponent != 0 || random() % 5 == 0) text.append(random() % 2 ? "E" : "e").append(std::to_string(exponent));
    return std::string(random() % 3, ' ') + text;
}

constexpr std::uint64_t kTop = std::uint64_t{1} << 39; // smallest 40-bit mantissa
const ExactDecimal kUnderflowHalfway = dyadic(2 * kTop * 2 - 1, -169); // between the largest too small value and 2^-128
const ExactDecimal kOverflowHalfway = dyadic(2 * kTop * 2 - 1, 86);    // between the largest value and 2^127

// Whether `result` (or an overflow) is the correct rounding of ±x.
::testing::AssertionResult roundsCorrectly(const ExactDecimal& x, bool negative, const std::string& text) {
    double result = 0;
    try {
        const std::optional<double> value = realValue(text);
        if (!value) return ::testing::AssertionFailure() << text << " was not taken as a number";
        result = *value;
    } catch (const FloatOverflowError&) {
        if (compare(x, kOverflowHalfway) >= 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << text << " overflowed";
    }
    if (result == 0) {
        if (compare(x, kUnderflowHalfway) < 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << text << " gave 0";
    }
    if ((result < 0) != negative) return ::testing::AssertionFailure() << text << " lost its sign";
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(result), &binaryExponent);
    const double scaled = std::ldexp(fraction, 40);
    const auto mantissa = static_cast<std::uint64_t>(scaled);
    if (static_cast<double>(mantissa) != scaled)
        return ::testing::AssertionFailure() << text << " has more than 40 mantissa bits";
    const int power = binaryExponent - 40;
    const ExactDecimal above = dyadic(2 * mantissa + 1, power - 1);
    const ExactDecimal below = mantissa == kTop ? dyadic(4 * mantissa - 1, power - 2) : dyadic(2 * mantissa - 1, power - 1);
    const int toBelow = compare(x, below), toAbove = compare(x, above);
    const bool even = mantissa % 2 == 0;
    if ((toBelow > 0 || (toBelow == 0 && even)) && (toAbove < 0 || (toAbove == 0 && even)))
        return ::testing::AssertionSuccess();
    char shown[64];
    std::snprintf(shown, sizeof shown, "%a", result);
    return ::testing::AssertionFailure() << text << " gave " << shown;
}

// A reading, or nullopt for a value too large.
template <typename Read>
std::optional<double> orOverflow(Read read) {
    try {
        return read();
    } catch (const FloatOverflowError&) {
        return std::nullopt;
    }
}

// The digits of x with one unit more or less far below its last digit.
ExactDecimal nudged(const ExactDecimal& x, bool up) {
    std::string digits = x.digits;
    if (up) return normalized(digits + "0000000000000000000001", x.exponent - 22);
    digits.back() = static_cast<char>(digits.back() - 1); // the last digit is never 0
    return normalized(digits + std::string(22, '9'), x.exponent - 22);
}

} // namespace

TEST(Real48, RoundsOnceFromTheDecimalValue) {
    // Just above 1 + 2^-40, the halfway point between 1 and 1 + 2^-39.
    EXPECT_EQ(textToReal("1.00000000000090949470177292823791503906250001"), 1 + 0x1p-39);
    EXPECT_EQ(textToReal("1.0000000000009094947017729282379150390625"), 1.0); // the tie goes to even
    EXPECT_EQ(textToReal("1.00000000000090949470177292823791503906249999"), 1.0);
    EXPECT_EQ(textToReal("2,2"), 2.2000000000007276);
    EXPECT_EQ(textToReal("-3,000000000001818989403545856475830078125"), -3.0);   // ties go to
    EXPECT_EQ(textToReal("3.000000000005456968210637569427490234375"), 3 + 0x1p-37); // the even one
}

TEST(Real48, HalfwayPointsAndTheirNeighboursRoundByConstruction) {
    std::mt19937_64 random(48);
    for (int round = 0; round < 4000; ++round) {
        const std::uint64_t mantissa = kTop + random() % kTop;
        const int power = static_cast<int>(random() % 254) - 167; // 2^-128 up to below 2^127
        const ExactDecimal halfway = dyadic(2 * mantissa + 1, power - 1);
        const bool negative = random() % 2 != 0;
        const double sign = negative ? -1.0 : 1.0;
        const double lower = std::ldexp(static_cast<double>(mantissa), power);
        const double upper = std::ldexp(static_cast<double>(mantissa + 1), power);
        const std::string exact = spelled(halfway, negative, random);
        EXPECT_EQ(textToReal(exact), sign * (mantissa % 2 == 0 ? lower : upper)) << exact;
        const std::string above = spelled(nudged(halfway, true), negative, random);
        const std::string below = spelled(nudged(halfway, false), negative, random);
        EXPECT_EQ(textToReal(above), sign * upper) << above;
        EXPECT_EQ(textToReal(below), sign * lower) << below;
    }
}

TEST(Real48, RandomDecimalsRoundCorrectly) {
    std::mt19937_64 random(7);
    for (int round = 0; round < 45000; ++round) {
        // Every third one is as short as the numbers of measurement files,
        // which the reader takes on its one-operation path.
        const bool shortOne = round % 3 == 2;
        std::string digits(1 + random() % (shortOne ? 16 : round % 2 ? 17 : 60), '0');
        for (char& d : digits) d = static_cast<char>('0' + random() % 10);
        const long exponent = shortOne ? static_cast<long>(random() % 45) - 22
                                       : static_cast<long>(random() % 100) - 60 - static_cast<long>(digits.size());
        const ExactDecimal x = normalized(digits, exponent);
        const bool negative = random() % 2 != 0;
        if (x.digits.empty()) continue;
        const std::string text = spelled(x, negative, random);
        EXPECT_TRUE(roundsCorrectly(x, negative, text));
        // The files' readers take short numbers on a quick path of their own.
        EXPECT_EQ(orOverflow([&] { return textToReal(text); }), orOverflow([&] { return realValue(text).value(); })) << text;
    }
}

TEST(Real48, EdgesOfTheRange) {
    std::mt19937_64 random(3);
    for (const ExactDecimal& edge : {kUnderflowHalfway, kOverflowHalfway, dyadic(1, -128), dyadic(1, 127)})
        for (const ExactDecimal& x : {edge, nudged(edge, true), nudged(edge, false)})
            EXPECT_TRUE(roundsCorrectly(x, false, spelled(x, false, random)));
    EXPECT_EQ(textToReal("2.9387358770557187699218413430556E-39"), 0x1p-128); // 2^-128 itself
    EXPECT_EQ(textToReal("1E-45"), 0.0);
    EXPECT_EQ(textToReal("1E-400"), 0.0); // below the double's range too
    EXPECT_THROW(textToReal("1E400"), FloatOverflowError);
    EXPECT_THROW(textToReal("0.000000000000000000000000000000000000000000000000001E400"), FloatOverflowError);
    EXPECT_EQ(textToReal("100000000000000000000000000000000000000000000000000E-400"), 0.0);
    // Hundreds of digits decide a tie as well as a few do.
    EXPECT_EQ(textToReal("1.0000000000009094947017729282379150390625" + std::string(500, '0') + "1"), 1 + 0x1p-39);
    EXPECT_EQ(textToReal("1.0000000000009094947017729282379150390625" + std::string(500, '0')), 1.0);
}

TEST(Real48, MantissasAroundNineteenDigitsReadAsTheFullDecimalReaderDoes) {
    // Leading zeros count toward the digits held at once; past 19 of them
    // only the significant ones may count, or the value is lost (2^64 + 1
    // would wrap to 1).
    for (const char* text : {"0000000000000000001.5", "000000000000000000.15", "0.0000000000000000001",
                             "0.000000000000000001", "1234567890123456789", "123456789012345678.9",
                             "12345678901234567.891", "9007199254740993", "99999999999999999999E-20",
                             "18446744073709551617", "0.18446744073709551617",
                             "-0000000000000000000000000000000000000000001e-3",
                             "0.00000000000000000000000123456789012345678901e25"})
        EXPECT_EQ(realValue(text), decimalToReal48(text)) << text;
}
