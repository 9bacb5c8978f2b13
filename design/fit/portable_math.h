#pragma once
// The logarithms and exponentials the fit's search computes with: plain
// arithmetic (+, -, *, / and exact scalings by powers of two, which IEEE
// rounds alike everywhere) on the bits of the double, so that every build
// gives the same bits. The C libraries do not: glibc's and WebAssembly's
// musl exp, log, log10 and pow differ in a last bit now and then, and the
// search, which compares designs, would then now and then choose other
// parts in the browser than on the desktop. Each is within a few units in
// the last place of the library's for finite arguments; the curves the fit
// reports are still computed by the engine.
//
// fastLog10 also carried about half of a fit's instructions when it was the
// library's log10, which the compiler cannot inline or vectorise.

#include "bit_copy.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

namespace tessera {

namespace portable_math_detail {

constexpr double kLn2 = 0.69314718055994530942, kInverseLn10 = 0.43429448190325182765;

// ln x, for positive finite normal x, as k ln 2 + ln m.
inline double positiveLn(double x) {
    // x = 2^k * m with m in [sqrt(1/2), sqrt(2)): the bits of x less those of
    // sqrt(1/2) carry k in the exponent field.
    constexpr std::uint64_t kHalfRoot = 0x3fe6a09e667f3bcdULL;
    const std::uint64_t shifted = bitCopy<std::uint64_t>(x) - kHalfRoot;
    const double m = bitCopy<double>((shifted & 0x000fffffffffffffULL) + kHalfRoot);
    // k (the top twelve bits as a signed number) as a double without an
    // integer conversion: the double 2^52 + 1024 + k, less 2^52 + 1024.
    const std::uint64_t biased = ((shifted >> 52) + 1024) & 4095;
    const double k = bitCopy<double>(0x4330000000000000ULL | biased) - 4503599627371520.0;
    // ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| <= 0.1716: the series to s^17.
    const double s = (m - 1) / (m + 1), s2 = s * s;
    const double series =
        2 + s2 * (2.0 / 3 + s2 * (2.0 / 5 + s2 * (2.0 / 7 + s2 * (2.0 / 9 + s2 * (2.0 / 11 + s2 * (2.0 / 13 + s2 * (2.0 / 15 + s2 * (2.0 / 17))))))));
    return k * kLn2 + s * series;
}

inline bool positiveNormal(double x) { return x >= std::numeric_limits<double>::min() && x <= std::numeric_limits<double>::max(); }

} // namespace portable_math_detail

// log10 x for the positive finite normal numbers a section's power ratio
// gives (the search's inner loop: no checks).
inline double fastLog10(double x) {
    return portable_math_detail::positiveLn(x) * portable_math_detail::kInverseLn10;
}

// ln x; outside the positive normal numbers, the library's answer (infinities,
// NaN, subnormals: no search decision rests on them).
inline double portableLog(double x) {
    return portable_math_detail::positiveNormal(x) ? portable_math_detail::positiveLn(x) : std::log(x);
}

inline double portableLog10(double x) {
    return portable_math_detail::positiveNormal(x) ? fastLog10(x) : std::log10(x);
}

// e^x.
inline double portableExp(double x) {
    if (!(x > -708 && x < 709)) return std::exp(x); // NaN, and where the result leaves the normal numbers
    // x = n ln 2 + r, |r| <= ln 2 / 2: ln 2 in two parts, the first with
    // zeros in its low bits so that n times it is exact.
    constexpr double kLn2High = 0x1.62e42fee00000p-1, kLn2Low = 0x1.a39ef35793c76p-33;
    const double n = std::nearbyint(x * 1.4426950408889634074);
    const double r = (x - n * kLn2High) - n * kLn2Low;
    // e^r by its Taylor series to r^13 (the next term is below 2^-56 of it).
    double sum = 1.0 / 6227020800;
    for (const double c : {1.0 / 479001600, 1.0 / 39916800, 1.0 / 3628800, 1.0 / 362880, 1.0 / 40320, 1.0 / 5040,
                           1.0 / 720, 1.0 / 120, 1.0 / 24, 1.0 / 6, 0.5, 1.0, 1.0})
        sum = sum * r + c;
    return std::ldexp(sum, static_cast<int>(n));
}

// 10^x.
inline double portableExp10(double x) { return portableExp(x * 2.30258509299404568402); }

} // namespace tessera
