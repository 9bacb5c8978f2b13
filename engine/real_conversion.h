#pragma once
// Text-to-number conversion of the numeric entry field. Every number the
// program reads from a text (typed entries, capacitor texts, files) goes
// through here. Accepts "." or one "," as decimal separator; a text that is
// not a number yields a fallback. Values pass through the 48-bit real of the
// original number format (40-bit mantissa).

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessera {

// A value too large for the 48-bit real (above about 1.7e38).
class FloatOverflowError : public std::overflow_error {
public:
    FloatOverflowError() : std::overflow_error("Gleitkommaüberlauf") {}
};

// An integer conversion whose value lies outside the 32-bit range.
class InvalidOperationError : public std::domain_error {
public:
    InvalidOperationError() : std::domain_error("Ungültige Gleitkommaoperation") {}
};

// Rounds to the 48-bit real: 40-bit mantissa (nearest, ties to even),
// magnitudes below 2^-128 become 0; 2^127 and above throw FloatOverflowError.
double toReal48(long double value);

// Result of parsing a text by the real number syntax.
struct RealParse {
    bool accepted = false;
    std::size_t rejectedAt = 0; // 1-based position of the first rejected character
    long double value = 0;      // before the 48-bit rounding
};
RealParse parseRealSyntax(std::string_view text);

// The conversion with its fallback text. `valErr` empty counts as "0".
double textToReal(std::string_view text, std::string_view valErr = "0");

// The integer reading of the field (`Number`): with `runden` false the integer
// syntax (decimal or $hex); with `runden` true the real syntax, rounded half to
// even. `numErr` when the text does not convert.
std::int32_t textToNumber(std::string_view text, bool runden = false, std::int32_t numErr = 0);

// Writing `Number`: plain decimal text.
std::string numberToText(std::int32_t value);

} // namespace tessera
