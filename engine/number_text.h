#pragma once
// The number texts the program shows, prints and stores. Each takes the
// decimal separator as an argument: the program reads it once at start from
// the regional settings. The round-trip and significant-digit texts have
// the forms of C++'s to_chars, made by one portable formatter (fmt) and read
// by one parser (fast_float), so that every build writes the same bytes.

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// Rounded (halves away from zero) to at most P significant digits and at most
// D decimals, whichever keeps fewer digits; exactly D decimals. An integer part
// longer than P digits switches to the exponent form, e.g. 5.7735E6.
std::string fixedText(double value, int precision, int decimals, char separator);

// fixedText with a sign always, taken from the value before rounding: a
// change too small to show reads "+0.00" when it is none or a rise and
// "-0.00" when it is a fall.
std::string signedFixedText(double value, int precision, int decimals, char separator);

// Rounded to P significant digits, shortest form without trailing zeros;
// exponent form below 0.00001 or with more than P integer digits.
std::string generalText(double value, int precision, char separator);

// The shortest text that reads back as the same double, '.' as the point
// (what scripts and stored settings get), e.g. 0.30000000000000004, 1e+20.
std::string roundTripText(double value);
// The same digits always in fixed form, e.g. 0.00001, 123.45 (drawing
// coordinates, which have no exponent form).
std::string roundTripFixedText(double value);
// The double a roundTripText (or any decimal text in that syntax: optional
// minus, digits, point, exponent) stands for, read whole; nullopt for any
// other text and for a value beyond the double's range.
std::optional<double> roundTripValue(std::string_view text);

// At most `digits` significant digits, '.' as the point, trailing zeros
// dropped ("%.6g" without the C library's locale), e.g. 4700, 1.5, 2.2e-09.
std::string significantText(double value, int digits);
// The double that significantText(value, digits) reads back as.
double significantValue(double value, int digits);

// Configuration-file form: 15 significant digits, e.g. 1.00000000000000E+3.
std::string exponentText15(double value, char separator);

} // namespace tessera
