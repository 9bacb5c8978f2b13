#pragma once
// The decimal logarithm the fit's search evaluates its section curves with:
// about half of a fit's instructions went to the library's log10, which the
// compiler cannot inline or vectorise. This one is plain arithmetic on the
// bits of the double (portable C++20, the same result on every platform and
// in WebAssembly), within a few units in the last place of std::log10 for
// the positive finite normal numbers a section's power ratio gives. The
// curves the fit reports are still computed by the engine.

#include "bit_copy.h"

#include <cstdint>

namespace tessera {

inline double fastLog10(double x) {
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
    constexpr double kLn2 = 0.69314718055994530942, kInverseLn10 = 0.43429448190325182765;
    return (k * kLn2 + s * series) * kInverseLn10;
}

} // namespace tessera
