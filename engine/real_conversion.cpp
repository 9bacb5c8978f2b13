#include "real_conversion.h"

#include "real48.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace tessera {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Where the real syntax accepts or rejects a text, and on the way the
// value's first significant digits: the files' numbers are short, and for
// them one exact operation gives the nearest double, so the text is read
// once (the rest go through the full decimal reader).
struct Syntax {
    bool accepted = false;
    std::size_t rejectedAt = 0;  // index of the first rejected character
    bool complete = false;       // a whole number came before it
    std::size_t numberStart = 0; // after the leading blanks
    bool mantissaDigits = false; // "E5" has none and counts as 0
    bool negative = false;
    // value = digits × 10^exponent while `exact`: at most 19 significant
    // digits, an exponent of a few digits.
    std::uint64_t digits = 0;
    std::int64_t exponent = 0;
    bool exact = true;
};

constexpr int kMostDigits = 19; // below 2^64

// Reads the run of digits at text[i] into `digits` (digits × 10 + digit
// each, wrapping beyond 19 digits as that would) and returns where it ends.
// Digit by digit: the lengths of a file's numbers repeat, so the loop's end
// is foreseen, and no address waits for a computed length.
[[gnu::always_inline]] inline std::size_t readDigits(std::string_view text, std::size_t i, std::uint64_t& digits) {
    const char* p = text.data() + i;
    const char* const end = text.data() + text.size();
    std::uint64_t v = digits;
    for (; p != end; ++p) {
        const auto d = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (d > 9) break;
        v = v * 10 + d;
    }
    digits = v;
    return static_cast<std::size_t>(p - text.data());
}

// The value of a mantissa of more than kMostDigits digits: leading zeros
// count for nothing, and beyond kMostDigits significant digits it is not
// exact (the full decimal reader takes it then).
struct Significant {
    std::uint64_t digits = 0;
    std::int64_t exponent = 0;
    bool exact = true;
};
[[gnu::noinline]] Significant significantDigits(std::string_view integer, std::string_view fraction) {
    Significant s;
    int significant = 0;
    const auto take = [&](char c, bool inFraction) {
        if (significant == 0 && c == '0') {
            if (inFraction) --s.exponent; // a leading zero of the fraction
            return;
        }
        if (significant == kMostDigits) {
            s.exact = false;
            return;
        }
        s.digits = s.digits * 10 + static_cast<std::uint64_t>(c - '0');
        ++significant;
        if (inFraction) --s.exponent;
    };
    for (const char c : integer) take(c, false);
    for (const char c : fraction) take(c, true);
    return s;
}

// Inlined where it is used, its findings kept in locals until a way out
// builds the result, so that they stay in registers. A quick scan leaves a
// mantissa of more than kMostDigits digits not exact, to the full path.
enum class Scan { Quick, Full };
template <Scan kScan = Scan::Full>
[[gnu::always_inline]] inline Syntax scanRealSyntax(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;
    const std::size_t numberStart = i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const auto rejected = [](std::size_t at) { return Syntax{.rejectedAt = at}; };
    // Up to 19 digits, leading zeros included, fit the integer as they stand
    // (a zero adds no value); only a longer mantissa is read again digit by
    // digit, counting its significant digits.
    const std::size_t mantissaStart = i;
    std::uint64_t digits = 0;
    i = readDigits(text, i, digits);
    const std::size_t integerEnd = i;
    bool mantissaDigits = i > mantissaStart;
    std::size_t fractionStart = i;
    if (i < n && text[i] == '.') {
        fractionStart = ++i;
        i = readDigits(text, i, digits);
        if (i == fractionStart) return rejected(i);
        mantissaDigits = true;
    }
    std::int64_t exponent = -static_cast<std::int64_t>(i - fractionStart);
    bool exact = true;
    if ((integerEnd - mantissaStart) + (i - fractionStart) > static_cast<std::size_t>(kMostDigits)) {
        exact = false;
        if constexpr (kScan == Scan::Full) {
            const Significant s = significantDigits(text.substr(mantissaStart, integerEnd - mantissaStart),
                                                    text.substr(fractionStart, i - fractionStart));
            digits = s.digits;
            exponent = s.exponent;
            exact = s.exact;
        }
    }
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        const std::size_t exponentStart = i;
        std::uint64_t written = 0;
        i = readDigits(text, i, written);
        if (i == exponentStart) return rejected(i);
        // Beyond 100000 an exponent only makes the value far too large or
        // small; a run too long to hold is read again, capped digit by digit.
        if (i - exponentStart > static_cast<std::size_t>(kMostDigits)) {
            written = 0;
            for (std::size_t k = exponentStart; k < i; ++k) written = std::min<std::uint64_t>(written * 10 + static_cast<std::uint64_t>(text[k] - '0'), 100000);
        }
        const auto capped = static_cast<std::int64_t>(std::min<std::uint64_t>(written, 100000));
        exponent += negativeExponent ? -capped : capped;
    } else if (!mantissaDigits) { // empty text, a lone sign, a lone point
        return rejected(i);
    }
    return Syntax{.accepted = i == n, .rejectedAt = i, .complete = true, .numberStart = numberStart,
                  .mantissaDigits = mantissaDigits, .negative = negative, .digits = digits, .exponent = exponent,
                  .exact = exact};
}

// Exact powers of ten of a double.
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The nearest double to an accepted number with mantissa digits, when one
// operation gives it: digits and a power of ten that a double both holds
// exactly give it correctly rounded, as the decimal reader would find it.
[[gnu::always_inline]] inline bool nearestByOneOperation(const Syntax& syntax, double& nearest) {
    constexpr std::uint64_t kExactInteger = std::uint64_t{1} << 53;
    if (!syntax.exact || syntax.digits > kExactInteger || syntax.exponent < -22 || syntax.exponent > 22) return false;
    const auto digits = static_cast<double>(syntax.digits);
    const double power = kPowersOfTen[static_cast<std::size_t>(syntax.exponent < 0 ? -syntax.exponent : syntax.exponent)];
    const double magnitude = syntax.exponent < 0 ? digits / power : digits * power;
    nearest = syntax.negative ? -magnitude : magnitude;
    return true;
}

double acceptedValue(std::string_view text, const Syntax& syntax) {
    if (!syntax.mantissaDigits) return 0.0;
    const std::string_view number = text.substr(syntax.numberStart);
    double nearest = 0;
    if (nearestByOneOperation(syntax, nearest)) return nearestToReal48(nearest, number);
    return decimalToReal48(number);
}

// The value of a number that needs neither its digits again nor more than
// one operation and the plain 48-bit rounding: the files' numbers, read
// by a path without calls. False for the rest, which the full path reads.
[[gnu::always_inline]] inline bool quickValue(const Syntax& syntax, double& value) {
    double nearest = 0;
    return syntax.mantissaDigits && nearestByOneOperation(syntax, nearest) && roundedInsideTheRange(nearest, value);
}

// The text again with the comma at `at` read as the point.
std::optional<double> withCommaAsPoint(std::string_view text, std::size_t at) {
    std::array<char, 256> shortCopy;
    std::string longCopy;
    char* copy = shortCopy.data();
    if (text.size() > shortCopy.size()) {
        longCopy.resize(text.size());
        copy = longCopy.data();
    }
    std::copy(text.begin(), text.end(), copy);
    copy[at] = '.';
    const std::string_view retry(copy, text.size());
    const Syntax second = scanRealSyntax(retry);
    if (!second.accepted) return std::nullopt;
    return acceptedValue(retry, second);
}

// textToReal by the full path.
[[gnu::noinline]] double textToRealFully(std::string_view text, std::string_view valErr) {
    if (auto value = realValue(text)) return *value;
    if (valErr.empty()) valErr = "0";
    // The fallback text must convert by itself; a fallback that does not
    // convert gives 0 rather than recursing without end.
    if (auto fallback = realValue(valErr)) return *fallback;
    return 0.0;
}

// textToRealBeforeComma by the full path. The scan stops at the first
// character outside the number's syntax; a comma there after a whole number
// is the field's end, and the field alone scans the same up to its end.
// Anything else is read as a field found by its comma.
[[gnu::noinline]] FieldValue textToRealBeforeCommaFully(std::string_view text, std::string_view valErr) {
    const Syntax r = scanRealSyntax(text);
    if (r.accepted) return {acceptedValue(text, r), std::string_view::npos};
    if (r.complete && text[r.rejectedAt] == ',') return {acceptedValue(text.substr(0, r.rejectedAt), r), r.rejectedAt};
    const std::size_t comma = text.find(',');
    return {textToRealFully(text.substr(0, comma), valErr), comma};
}

} // namespace

std::optional<double> realValue(std::string_view text) {
    const Syntax first = scanRealSyntax(text);
    if (first.accepted) return acceptedValue(text, first);
    if (first.rejectedAt < text.size() && text[first.rejectedAt] == ',') return withCommaAsPoint(text, first.rejectedAt);
    return std::nullopt;
}

// The two readers every number of a file passes through: the quick path
// inline, the rest read again by the full one.
FieldValue textToRealBeforeComma(std::string_view text, std::string_view valErr) {
    const Syntax r = scanRealSyntax<Scan::Quick>(text);
    double value = 0;
    if (r.complete && (r.accepted || text[r.rejectedAt] == ',') && quickValue(r, value))
        return {value, r.accepted ? std::string_view::npos : r.rejectedAt};
    return textToRealBeforeCommaFully(text, valErr);
}

double textToReal(std::string_view text, std::string_view valErr) {
    const Syntax r = scanRealSyntax<Scan::Quick>(text);
    double value = 0;
    if (r.accepted && quickValue(r, value)) return value;
    return textToRealFully(text, valErr);
}

std::int32_t textToNumber(std::string_view text, bool runden, std::int32_t numErr) {
    if (runden) {
        const std::optional<double> value = realValue(text);
        if (!value) return numErr;
        const double rounded = std::nearbyint(*value); // halves to even
        if (rounded < -2147483648.0 || rounded > 2147483647.0) throw InvalidOperationError();
        return static_cast<std::int32_t>(rounded);
    }

    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && text[i] == '$') {
        ++i;
        if (i == n) return numErr;
        std::uint64_t v = 0;
        for (; i < n; ++i) {
            const char c = text[i];
            int digit;
            if (isDigit(c)) digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else return numErr;
            v = v * 16 + static_cast<std::uint64_t>(digit);
            if (v > 0xFFFFFFFFull) return numErr;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) return numErr;
    std::int64_t v = 0;
    for (; i < n; ++i) {
        if (!isDigit(text[i])) return numErr;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return numErr;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return numErr;
    return static_cast<std::int32_t>(v);
}

std::string numberToText(std::int32_t value) { return std::to_string(value); }

} // namespace tessera
