#include "real_conversion.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace tessera {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// strtold in the "C" locale, whatever the process locale says about the point.
long double parseCLocale(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    return strtold_l(text.c_str(), nullptr, cLocale);
}

} // namespace

double toReal48(long double value) {
    if (std::isnan(value)) throw FloatOverflowError(); // cannot be held either
    if (value == 0) return 0.0;
    if (std::isinf(value)) throw FloatOverflowError();
    int exponent = 0;
    const long double mantissa = std::frexp(value, &exponent); // 0.5 <= |m| < 1
    const long double rounded = std::nearbyint(std::ldexp(mantissa, 40));
    const long double result = std::ldexp(rounded, exponent - 40);
    const long double magnitude = std::fabs(result);
    if (magnitude >= 0x1p127L) throw FloatOverflowError();
    if (magnitude < 0x1p-128L) return 0.0;
    return static_cast<double>(result);
}

RealParse parseRealSyntax(std::string_view text) {
    RealParse r;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto reject = [&](std::size_t at) {
        r.accepted = false;
        r.rejectedAt = at + 1;
        return r;
    };

    while (i < n && text[i] == ' ') ++i;
    const std::size_t numberStart = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissaStart = i;
    while (i < n && isDigit(text[i])) ++i;
    bool mantissaDigits = i > mantissaStart;
    if (i < n && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        while (i < n && isDigit(text[i])) ++i;
        if (i == fractionStart) return reject(i);
        mantissaDigits = true;
    }
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < n && isDigit(text[i])) ++i;
        if (i == exponentStart) return reject(i);
    } else if (!mantissaDigits) {
        return reject(i); // empty text, a lone sign, a lone point
    }
    if (i != n) return reject(i);

    r.accepted = true;
    if (!mantissaDigits) {
        r.value = 0; // "E5": no mantissa digit counts as 0
    } else {
        r.value = parseCLocale(std::string(text.substr(numberStart)));
    }
    return r;
}

namespace {

// The real syntax with the one-comma retry; nullopt when rejected.
std::optional<long double> parseWithComma(std::string_view text) {
    RealParse first = parseRealSyntax(text);
    if (first.accepted) return first.value;
    const std::size_t at = first.rejectedAt - 1;
    if (at < text.size() && text[at] == ',') {
        std::string retry(text);
        retry[at] = '.';
        RealParse second = parseRealSyntax(retry);
        if (second.accepted) return second.value;
    }
    return std::nullopt;
}

} // namespace

double textToReal(std::string_view text, std::string_view valErr) {
    if (valErr.empty()) valErr = "0";
    if (auto value = parseWithComma(text)) return toReal48(*value);
    // The fallback text must convert by itself; a fallback that does not
    // convert gives 0 rather than recursing without end.
    if (auto fallback = parseWithComma(valErr)) return toReal48(*fallback);
    return 0.0;
}

std::int32_t textToNumber(std::string_view text, bool runden, std::int32_t numErr) {
    if (runden) {
        auto value = parseWithComma(text);
        if (!value) return numErr;
        const long double real = toReal48(*value);
        const long double rounded = std::nearbyint(real); // halves to even
        if (rounded < -2147483648.0L || rounded > 2147483647.0L) throw InvalidOperationError();
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
