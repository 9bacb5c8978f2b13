#include "real_conversion.h"

#include "real48.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessera {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Where the real syntax accepts or rejects a text.
struct Syntax {
    bool accepted = false;
    std::size_t rejectedAt = 0;  // index of the first rejected character
    std::size_t numberStart = 0; // after the leading blanks
    bool mantissaDigits = false; // "E5" has none and counts as 0
};

Syntax scanRealSyntax(std::string_view text) {
    Syntax r;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto reject = [&](std::size_t at) {
        r.rejectedAt = at;
        return r;
    };

    while (i < n && text[i] == ' ') ++i;
    r.numberStart = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissaStart = i;
    while (i < n && isDigit(text[i])) ++i;
    r.mantissaDigits = i > mantissaStart;
    if (i < n && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        while (i < n && isDigit(text[i])) ++i;
        if (i == fractionStart) return reject(i);
        r.mantissaDigits = true;
    }
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < n && isDigit(text[i])) ++i;
        if (i == exponentStart) return reject(i);
    } else if (!r.mantissaDigits) {
        return reject(i); // empty text, a lone sign, a lone point
    }
    if (i != n) return reject(i);
    r.accepted = true;
    return r;
}

double acceptedValue(std::string_view text, const Syntax& syntax) {
    return syntax.mantissaDigits ? decimalToReal48(text.substr(syntax.numberStart)) : 0.0;
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

} // namespace

std::optional<double> realValue(std::string_view text) {
    const Syntax first = scanRealSyntax(text);
    if (first.accepted) return acceptedValue(text, first);
    if (first.rejectedAt < text.size() && text[first.rejectedAt] == ',') return withCommaAsPoint(text, first.rejectedAt);
    return std::nullopt;
}

double textToReal(std::string_view text, std::string_view valErr) {
    if (valErr.empty()) valErr = "0";
    if (auto value = realValue(text)) return *value;
    // The fallback text must convert by itself; a fallback that does not
    // convert gives 0 rather than recursing without end.
    if (auto fallback = realValue(valErr)) return *fallback;
    return 0.0;
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
