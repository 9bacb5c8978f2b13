#pragma once
// Text-to-number conversion of the numeric entry field. Every number the
// program reads from a text (typed entries, capacitor texts, files) goes
// through here. Accepts "." or one "," as decimal separator; a text that is
// not a number yields a fallback. Every value is rounded once, from the
// decimal text, to the 48-bit real (real48.h).

#include "messages.h"
#include "real48.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessera {

// A value too large for the 48-bit real (above about 1.7e38). What the user
// is told is kNumberTooLarge in the program's language; what() holds its
// German text.
class FloatOverflowError : public std::overflow_error {
public:
    FloatOverflowError() : std::overflow_error(std::string(kNumberTooLarge.german)) {}
};

// An integer conversion whose value lies outside the 32-bit range.
class InvalidOperationError : public std::domain_error {
public:
    InvalidOperationError() : std::domain_error(std::string(kInvalidFloatOperation.german)) {}
};

// The value of a text by the real syntax (leading blanks, optional sign,
// digits with an optional "." and fraction, optional exponent, nothing after),
// with one "," accepted in place of the point; nullopt when the text is not a
// number. Throws FloatOverflowError for a value too large. Allocates nothing
// for texts up to 256 characters: the number path of every file reader.
std::optional<double> realValue(std::string_view text);

// The conversion with its fallback text: realValue(text), else
// realValue(valErr), else 0. `valErr` empty counts as "0".
double textToReal(std::string_view text, std::string_view valErr = "0");

// A field's value and where it ends: textToReal(text.substr(0, end), valErr)
// for end = text.find(','), npos when the text holds no comma. A field whose
// number runs up to the comma is read in one pass, without searching for it.
struct FieldValue {
    double value = 0;
    std::size_t end = std::string_view::npos;
};
FieldValue textToRealBeforeComma(std::string_view text, std::string_view valErr = "0");

// The integer reading of the field (`Number`): with `runden` false the integer
// syntax (decimal or $hex); with `runden` true the real syntax, rounded half to
// even. `numErr` when the text does not convert.
std::int32_t textToNumber(std::string_view text, bool runden = false, std::int32_t numErr = 0);

// Writing `Number`: plain decimal text.
std::string numberToText(std::int32_t value);

} // namespace tessera
