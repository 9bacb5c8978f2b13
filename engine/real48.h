#pragma once
// The 48-bit real, this system's number format for every value read from a
// text: a binary mantissa of 40 bits (the leading one included) and
// magnitudes from 2^-128 up to, not including, 2^127. It carries about 12
// significant decimal digits.

#include "bit_copy.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace tessera {

inline constexpr double kReal48Smallest = 0x1p-128; // smaller magnitudes become 0
inline constexpr double kReal48Limit = 0x1p127;     // this magnitude and above cannot be held

namespace real48 {
// The double's 53-bit significand loses 13 bits on the way to 40.
inline constexpr int kDroppedBits = 13;
inline constexpr std::uint64_t kDroppedMask = (std::uint64_t{1} << kDroppedBits) - 1;
inline constexpr std::uint64_t kHalfway = std::uint64_t{1} << (kDroppedBits - 1);

// Whether the double's dropped bits lie within a unit of the halfway point,
// where only the decimal digits can decide.
inline bool nearHalfway(std::uint64_t bits) {
    const std::uint64_t dropped = bits & kDroppedMask;
    return dropped + 1 >= kHalfway && dropped <= kHalfway + 1;
}

// A double's bits rounded to 40 mantissa bits, nearest, ties to even; a
// carry moves into the exponent.
inline std::uint64_t roundedBits(std::uint64_t bits) {
    return (bits + kHalfway - 1 + ((bits >> kDroppedBits) & 1)) & ~kDroppedMask;
}

// nearestToReal48 for every double: the range's edges and the halfway points.
double nearestToReal48Anywhere(double nearest, std::string_view number);
} // namespace real48

// The nearest 48-bit real to a decimal number text, rounded once from the
// decimal value itself (a tie goes to the even mantissa). `number` must
// already have the real syntax with "." as the point: an optional sign,
// digits with an optional fraction (at least one digit in all) and an
// optional exponent. A result below kReal48Smallest in magnitude is 0; one
// that reaches kReal48Limit throws FloatOverflowError. No allocation.
double decimalToReal48(std::string_view number);
// The 48-bit real nearest to `nearest` when the double alone decides it:
// inside the range (below half the limit the rounding cannot reach it) and
// away from a halfway point. False, leaving `rounded`, otherwise.
inline bool roundedInsideTheRange(double nearest, double& rounded) {
    const double magnitude = std::fabs(nearest);
    const std::uint64_t bits = bitCopy<std::uint64_t>(nearest);
    if (magnitude < kReal48Smallest || magnitude >= kReal48Limit / 2 || real48::nearHalfway(bits)) return false;
    rounded = bitCopy<double>(real48::roundedBits(bits));
    return true;
}

// decimalToReal48 for a reader that has already found the double nearest to
// the text's value (`nearest`; one unit in the last place off does no harm):
// the text decides only where that double lies within a unit of a halfway
// point between two 48-bit reals.
inline double nearestToReal48(double nearest, std::string_view number) {
    double rounded = 0;
    return roundedInsideTheRange(nearest, rounded) ? rounded : real48::nearestToReal48Anywhere(nearest, number);
}

// A binary value rounded to the nearest 48-bit real (a tie to the even
// mantissa), with the same range rules.
double toReal48(long double value);

} // namespace tessera
