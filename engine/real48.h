#pragma once
// The 48-bit real, this system's number format for every value read from a
// text: a binary mantissa of 40 bits (the leading one included) and
// magnitudes from 2^-128 up to, not including, 2^127. It carries about 12
// significant decimal digits.

#include <string_view>

namespace tessera {

inline constexpr double kReal48Smallest = 0x1p-128; // smaller magnitudes become 0
inline constexpr double kReal48Limit = 0x1p127;     // this magnitude and above cannot be held

// The nearest 48-bit real to a decimal number text, rounded once from the
// decimal value itself (a tie goes to the even mantissa). `number` must
// already have the real syntax with "." as the point: an optional sign,
// digits with an optional fraction (at least one digit in all) and an
// optional exponent. A result below kReal48Smallest in magnitude is 0; one
// that reaches kReal48Limit throws FloatOverflowError. No allocation.
double decimalToReal48(std::string_view number);
// The same, for a reader that has already found the double nearest to the
// text's value (`nearest`; one unit in the last place off does no harm):
// the text decides only where that double lies within a unit of a halfway
// point between two 48-bit reals.
double nearestToReal48(double nearest, std::string_view number);

// A binary value rounded to the nearest 48-bit real (a tie to the even
// mantissa), with the same range rules.
double toReal48(long double value);

} // namespace tessera
