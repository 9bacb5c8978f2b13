#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <fast_float/fast_float.h>
#include <fmt/format.h>

namespace tessera {
namespace {

// |value| as decimal digits d0 d1 d2 ... with value = d0.d1d2... x 10^exponent.
// 60 digits are far more than a double holds, so rounding them again at a
// shorter position with "next digit >= 5" gives halves away from zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Decimal decompose(double value) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.60e", std::fabs(value));
    Decimal d;
    d.negative = std::signbit(value);
    d.digits.reserve(61);
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digits.push_back(*p);
    d.exponent = std::atoi(p + 1);
    return d;
}

// Keeps the digits down to the power of ten `lowestPower` and rounds there.
// Afterwards digits may be empty (rounded to zero) or have gained a digit.
void roundAt(Decimal& d, int lowestPower) {
    const int keep = d.exponent - lowestPower + 1;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = static_cast<std::size_t>(keep) < d.digits.size() &&
                    d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            auto& c = d.digits[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0) {
            d.digits = '1' + d.digits;
            ++d.exponent;
        }
    }
    // Drop leading zeros (a rounding to zero of the first kept digit leaves "0").
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
    } else {
        d.digits.erase(0, first);
        d.exponent -= static_cast<int>(first);
    }
}

void trimTrailingZeros(std::string& digits) {
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

// Digit of the rounded value at the given power of ten ('0' outside the digits).
char digitAt(const Decimal& d, int power) {
    const int index = d.exponent - power;
    if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(index)];
}

std::string nonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// d.dddEexp with trailing zeros dropped; no plus sign, no leading exponent zeros.
std::string exponentForm(Decimal d, char separator) {
    trimTrailingZeros(d.digits);
    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += separator;
        text.append(d.digits, 1);
    }
    text += 'E';
    text += std::to_string(d.exponent);
    return text;
}

std::string zeroText(int decimals, char separator) {
    std::string text = "0";
    if (decimals > 0) {
        text += separator;
        text.append(static_cast<std::size_t>(decimals), '0');
    }
    return text;
}

} // namespace

std::string fixedText(double value, int precision, int decimals, char separator) {
    if (!std::isfinite(value)) return nonFinite(value);
    if (value == 0) return zeroText(decimals, separator);

    Decimal d = decompose(value);
    const int lowest = std::max(d.exponent - precision + 1, -decimals);
    roundAt(d, lowest);
    if (d.digits.empty()) return zeroText(decimals, separator);
    if (d.exponent + 1 > precision) return exponentForm(d, separator);

    std::string text = d.negative ? "-" : "";
    if (d.exponent < 0) {
        text += '0';
    } else {
        for (int power = d.exponent; power >= 0; --power) text += digitAt(d, power);
    }
    if (decimals > 0) {
        text += separator;
        for (int power = -1; power >= -decimals; --power) text += digitAt(d, power);
    }
    return text;
}

std::string signedFixedText(double value, int precision, int decimals, char separator) {
    std::string text = fixedText(std::fabs(value), precision, decimals, separator);
    text.insert(text.begin(), value < 0 ? '-' : '+');
    return text;
}

std::string generalText(double value, int precision, char separator) {
    if (!std::isfinite(value)) return nonFinite(value);
    if (value == 0) return "0";

    Decimal d = decompose(value);
    roundAt(d, d.exponent - precision + 1);
    if (d.digits.empty()) return "0";
    if (d.exponent < -5 || d.exponent + 1 > precision) return exponentForm(d, separator);

    trimTrailingZeros(d.digits);
    std::string text = d.negative ? "-" : "";
    if (d.exponent < 0) {
        text += '0';
    } else {
        for (int power = d.exponent; power >= 0; --power) text += digitAt(d, power);
    }
    const int lastPower = d.exponent - static_cast<int>(d.digits.size()) + 1;
    if (lastPower < 0) {
        text += separator;
        for (int power = -1; power >= lastPower; --power) text += digitAt(d, power);
    }
    return text;
}

std::string exponentText15(double value, char separator) {
    constexpr int kDigits = 15;
    if (!std::isfinite(value)) return nonFinite(value);
    Decimal d;
    if (value != 0) {
        d = decompose(value);
        roundAt(d, d.exponent - kDigits + 1);
    }
    if (d.digits.empty()) return std::string("0") + separator + std::string(kDigits - 1, '0') + "E+0";
    d.digits.resize(kDigits, '0');

    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    text += separator;
    text.append(d.digits, 1);
    text += d.exponent < 0 ? "E-" : "E+";
    text += std::to_string(std::abs(d.exponent));
    return text;
}

namespace {

// The shortest digits that read back as a finite value: |value| =
// 0.digits × 10^point, e.g. "125" and 2 for 12.5. fmt writes them in one
// form or the other; only the digits and the point's place are kept.
struct ShortestDigits {
    std::string digits;
    int point = 0;
};

ShortestDigits shortestDigits(double value) {
    char buffer[40];
    const char* const end = fmt::format_to(buffer, "{}", std::fabs(value));
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t exponentAt = std::min(text.find('e'), text.size());
    ShortestDigits d;
    int pointAt = -1;
    for (std::size_t i = 0; i < exponentAt; ++i) {
        if (text[i] == '.') pointAt = static_cast<int>(d.digits.size());
        else d.digits += text[i];
    }
    d.point = pointAt < 0 ? static_cast<int>(d.digits.size()) : pointAt;
    if (exponentAt < text.size()) d.point += std::atoi(std::string(text.substr(exponentAt + 1)).c_str());
    const std::size_t leadingZeros = std::min(d.digits.find_first_not_of('0'), d.digits.size() - 1);
    d.digits.erase(0, leadingZeros);
    d.point -= static_cast<int>(leadingZeros);
    d.digits.erase(std::max<std::size_t>(d.digits.find_last_not_of('0') + 1, 1)); // "100" is 1 × 10^2
    return d;
}

std::string fixedForm(double value, const ShortestDigits& d) {
    const int count = static_cast<int>(d.digits.size());
    // Beyond its digits a fixed text shows the double's exact integer, as
    // to_chars does, not zeros.
    if (d.point >= count) return fmt::format("{:.0f}", value);
    std::string text = std::signbit(value) ? "-" : "";
    if (d.point <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-d.point), '0');
        text += d.digits;
    } else {
        text.append(d.digits, 0, static_cast<std::size_t>(d.point));
        text += '.';
        text.append(d.digits, static_cast<std::size_t>(d.point));
    }
    return text;
}

// d.ddde+XX: at least two exponent digits, as printf writes them.
std::string scientificForm(double value, const ShortestDigits& d) {
    std::string text = std::signbit(value) ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += '.';
        text.append(d.digits, 1);
    }
    const int exponent = d.point - 1;
    return text + fmt::format("e{}{:02}", exponent < 0 ? '-' : '+', std::abs(exponent));
}

std::string notFiniteText(double value) { return fmt::format("{}", value); }

} // namespace

std::string roundTripText(double value) {
    if (!std::isfinite(value)) return notFiniteText(value);
    const ShortestDigits d = shortestDigits(value);
    std::string fixed = fixedForm(value, d), exponent = scientificForm(value, d);
    return fixed.size() <= exponent.size() ? fixed : exponent; // the shorter, fixed on a tie
}

std::string roundTripFixedText(double value) {
    if (!std::isfinite(value)) return notFiniteText(value);
    return fixedForm(value, shortestDigits(value));
}

std::optional<double> roundTripValue(std::string_view text) {
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto read = fast_float::from_chars(text.data(), end, value);
    if (text.empty() || read.ec != std::errc{} || read.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string significantText(double value, int digits) { return fmt::format("{:.{}g}", value, digits); }

double significantValue(double value, int digits) {
    return roundTripValue(significantText(value, digits)).value_or(value);
}

} // namespace tessera
