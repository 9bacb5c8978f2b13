#include "real48.h"

#include "bit_copy.h"
#include "real_conversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include <fast_float/fast_float.h>

namespace tessera {
namespace {

using real48::kDroppedBits;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;

// The significant digits of a decimal text: value = digits × 10^exponent,
// plus something below the last kept digit when `sticky`. 200 digits are
// more than enough to decide against any halfway point in the 48-bit range:
// such a point has at most about 135 significant digits.
struct Decimal {
    static constexpr int kKept = 200;
    std::array<char, kKept> digits{};
    int count = 0;          // kept digits, the first one not zero
    std::int64_t dropped = 0; // significant digits beyond the kept ones
    bool sticky = false;    // a dropped digit is not zero
    std::int64_t exponent = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

Decimal decimalOf(std::string_view number) {
    Decimal d;
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    std::int64_t fractionDigits = 0;
    bool inFraction = false;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            inFraction = true;
            continue;
        }
        if (!isDigit(c)) break;
        if (inFraction) ++fractionDigits;
        if (d.count == 0 && c == '0') continue; // leading zeros carry no digit
        if (d.count < Decimal::kKept) {
            d.digits[static_cast<std::size_t>(d.count++)] = c;
        } else {
            ++d.dropped;
            d.sticky = d.sticky || c != '0';
        }
    }
    std::int64_t written = 0;
    if (i < number.size()) { // the exponent: "E" or "e", a sign, digits
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
        for (; i < number.size(); ++i)
            written = std::min<std::int64_t>(written * 10 + (number[i] - '0'), 1'000'000'000'000);
        if (negative) written = -written;
    }
    d.exponent = written - fractionDigits + d.dropped;
    d.dropped = 0; // now counted in the exponent
    return d;
}

// A small unsigned big integer, only for the rare exact decision.
class BigInteger {
public:
    explicit BigInteger(std::uint64_t value) {
        while (value != 0) {
            limbs_[size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t v = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(v);
            carry = v >> 32;
        }
        if (carry != 0) limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
    void multiplyByPowerOf5(std::int64_t n) {
        for (; n >= 13; n -= 13) multiplyAdd(1220703125u, 0); // 5^13
        std::uint32_t rest = 1;
        for (; n > 0; --n) rest *= 5;
        multiplyAdd(rest, 0);
    }
    void shiftLeft(std::int64_t bits) {
        const auto limbs = static_cast<int>(bits / 32);
        const auto rest = static_cast<int>(bits % 32);
        if (size_ == 0) return;
        if (rest != 0) multiplyAdd(std::uint32_t{1} << rest, 0);
        if (limbs == 0) return;
        for (int i = size_ - 1; i >= 0; --i) limbs_[i + limbs] = limbs_[i];
        std::fill(limbs_.begin(), limbs_.begin() + limbs, 0u);
        size_ += limbs;
    }
    friend int compare(const BigInteger& a, const BigInteger& b) {
        if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
        for (int i = a.size_ - 1; i >= 0; --i)
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

private:
    // 200 decimal digits times 5^250 and a shift stay far below 4096 bits.
    std::array<std::uint32_t, 128> limbs_{};
    int size_ = 0;
};

// Sign of |text value| − halfway × 2^power, decided exactly.
int compareWithHalfway(const Decimal& decimal, std::uint64_t halfway, int power) {
    BigInteger digits(0);
    for (int i = 0; i < decimal.count; ++i) digits.multiplyAdd(10, static_cast<std::uint32_t>(decimal.digits[i] - '0'));
    BigInteger point(halfway);
    std::int64_t digitsShift = 0, pointShift = 0;
    if (decimal.exponent >= 0) {
        digits.multiplyByPowerOf5(decimal.exponent);
        digitsShift += decimal.exponent;
    } else {
        point.multiplyByPowerOf5(-decimal.exponent);
        pointShift -= decimal.exponent;
    }
    (power >= 0 ? pointShift : digitsShift) += power >= 0 ? power : -power;
    const std::int64_t common = std::min(digitsShift, pointShift);
    digits.shiftLeft(digitsShift - common);
    point.shiftLeft(pointShift - common);
    const int order = compare(digits, point);
    return order == 0 && decimal.sticky ? 1 : order;
}

// The double's bits rounded to 40 mantissa bits with the decision taken on
// the decimal text, for a double that lies within one unit of a halfway point.
std::uint64_t exactlyRounded(std::string_view number, std::uint64_t bits) {
    const std::uint64_t significand = (bits & kFractionMask) | (kFractionMask + 1);
    const int power = static_cast<int>((bits >> 52) & 0x7FF) - 1075; // double = significand × 2^power
    const std::uint64_t lower = (significand + 1) >> kDroppedBits;   // the candidate below the halfway point
    const int order = compareWithHalfway(decimalOf(number), 2 * lower + 1, power + kDroppedBits - 1);
    const bool up = order > 0 || (order == 0 && (lower & 1) != 0);
    const double magnitude = std::ldexp(static_cast<double>(lower + (up ? 1 : 0)), power + kDroppedBits);
    return bitCopy<std::uint64_t>(magnitude) | (bits & (std::uint64_t{1} << 63));
}

} // namespace

double decimalToReal48(std::string_view number) {
    const char* first = number.data();
    const char* const last = first + number.size();
    if (first != last && *first == '+') ++first; // from_chars takes a minus sign only
    double value = 0;
    // Beyond the double's range the value is infinite or 0, far beyond the
    // 48-bit real's range either way.
    const auto [end, error] = fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    if (error != std::errc() || end != last) return 0.0; // not reached for a checked text
    return nearestToReal48(value, number);
}

double real48::nearestToReal48Anywhere(double nearest, std::string_view number) {
    const double magnitude = std::fabs(nearest);
    if (magnitude >= 2 * kReal48Limit) throw FloatOverflowError();
    if (magnitude < kReal48Smallest / 4) return 0.0; // cannot round up to the smallest
    std::uint64_t bits = bitCopy<std::uint64_t>(nearest);
    // Near a halfway point the double may sit on its other side than the
    // decimal value: only the decimal digits can decide.
    bits = nearHalfway(bits) ? exactlyRounded(number, bits) : roundedBits(bits);
    const double rounded = bitCopy<double>(bits);
    if (std::fabs(rounded) >= kReal48Limit) throw FloatOverflowError();
    if (std::fabs(rounded) < kReal48Smallest) return 0.0;
    return rounded;
}

double toReal48(long double value) {
    if (std::isnan(value) || std::isinf(value)) throw FloatOverflowError(); // cannot be held either
    if (value == 0) return 0.0;
    int exponent = 0;
    const long double mantissa = std::frexp(value, &exponent); // 0.5 <= |m| < 1
    const long double rounded = std::ldexp(std::nearbyint(std::ldexp(mantissa, 40)), exponent - 40);
    if (std::fabs(rounded) >= kReal48Limit) throw FloatOverflowError();
    if (std::fabs(rounded) < kReal48Smallest) return 0.0;
    return static_cast<double>(rounded);
}

} // namespace tessera
