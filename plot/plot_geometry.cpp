#include "plot_geometry.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace tessera::plot {
namespace {

constexpr double kPixelLimit = 32767;
// A tick walk never needs more steps than this; it only guards against
// ranges that are not numbers.
constexpr int kMaxTicks = 10000;
constexpr double kZeroTolerance = 1e-9;

} // namespace

double settled(double value) {
    constexpr int kBits = 30;
    // Beyond this the quantum would exceed the precision of a double.
    constexpr double kLimit = 4194304;  // 2^22
    if (!(std::fabs(value) < kLimit)) return value;
    return std::ldexp(std::nearbyint(std::ldexp(value, kBits)), -kBits);
}

int pixel(double value) {
    if (std::isnan(value)) return 0;
    // Round to nearest with halves to even (the default rounding mode).
    return static_cast<int>(std::nearbyint(settled(std::clamp(value, -kPixelLimit, kPixelLimit))));
}

PlotLayout PlotLayout::of(int width, int height) {
    PlotLayout p;
    p.W = width;
    p.H = height;
    p.cx = width / 2;
    p.L = width / 10;
    p.T = height / 10;
    p.R = width - width / 10;
    p.B = height - height / 10;
    return p;
}

double yStepForSpan(double span) {
    struct Band { double from, step; };
    // The step jumps from 5 dB straight to 50 dB at a span of 100 dB.
    static constexpr Band bands[] = {{100, 50}, {22, 5}, {10, 2}, {2.2, 1},
                                     {1, 0.2},  {0.22, 0.1}, {0.1, 0.02}};
    for (const Band& band : bands)
        if (span >= band.from) return band.step;
    return 0.01;
}

FrequencyRange drawableRange(double viewXMin, double viewXMax, double fullXMin, int viewCount) {
    FrequencyRange r{viewXMin, viewXMax};
    if (viewCount > 1) {
        if (r.xMax == 0) r.xMax = 2 * fullXMin;
        if (r.xMin == 0) r.xMin = fullXMin;
    }
    if (r.xMax == 0) r.xMax = 40;
    if (r.xMin == 0) r.xMin = 20;
    if (r.xMax == r.xMin) r.xMax = r.xMin + 1;
    return r;
}

AxisScale::AxisScale(const PlotLayout& layout, FrequencyRange range, double y0, double y1)
    : layout_(layout), range_(range), y0_(y0), y1_(y1),
      decades_(std::log10(range.xMax / range.xMin)) {}

int AxisScale::x(double frequency) const {
    return pixel(std::log10(frequency / range_.xMin) / decades_ * (layout_.R - layout_.L) + layout_.L);
}

int AxisScale::y(double value) const {
    return layout_.B - pixel((value - y0_) / (y1_ - y0_) * (layout_.B - layout_.T));
}

TickStart firstTick(double xMin) {
    // The decimal digits of Trunc(xMin): its length gives the decade, its
    // first digit the mantissa below the first tick.
    const double whole = std::trunc(std::clamp(xMin, 0.0, 1e17));
    const std::string digits = std::to_string(static_cast<std::int64_t>(whole));
    TickStart t;
    t.decade = 1;
    for (std::size_t i = 1; i < digits.size(); ++i) t.decade *= 10;
    t.mantissa = (digits[0] - '0') + 1;
    if (t.mantissa == 10) {
        t.mantissa = 1;
        t.decade *= 10;
    }
    return t;
}

std::vector<FrequencyTick> frequencyTicks(const AxisScale& scale) {
    std::vector<FrequencyTick> ticks;
    const int R = scale.layout().R;
    TickStart t = firstTick(scale.range().xMin);
    int x = scale.layout().L;
    for (int guard = 0; x < R && guard < kMaxTicks; ++guard) {
        const double frequency = static_cast<double>(t.mantissa) * static_cast<double>(t.decade);
        x = scale.x(frequency);
        if (x >= R) break;
        FrequencyTick tick;
        tick.x = x;
        tick.major = t.mantissa == 1 || t.mantissa == 2 || t.mantissa == 5;
        if (tick.major) {
            const std::int64_t value = t.mantissa * t.decade;
            tick.label = t.decade < 1000 ? std::to_string(value) : std::to_string(value / 1000) + "k";
        }
        ticks.push_back(std::move(tick));
        if (t.mantissa < 9) {
            ++t.mantissa;
        } else {
            t.mantissa = 1;
            t.decade *= 10;
        }
    }
    return ticks;
}

std::vector<GainTick> gainTicks(const AxisScale& scale, double yStep) {
    std::vector<GainTick> ticks;
    double v = yStep * (std::nearbyint(scale.y0() / yStep) + 1);
    for (int guard = 0; guard < kMaxTicks; ++guard) {
        const int y = scale.y(v);
        if (y <= scale.layout().T) break;
        ticks.push_back({y, std::fabs(v) < kZeroTolerance, v});
        v += yStep;
    }
    return ticks;
}

std::string gainLabel(const GainTick& tick, char separator) {
    return tick.zero ? std::string("0") : generalText(tick.value, 4, separator);
}

std::string lowEndLabel(double xMin, char separator) { return fixedText(xMin, 5, 0, separator); }

HighEndLabel highEndLabel(double xMax, char separator) {
    if (xMax > 1000) return {fixedText(xMax * 0.001, 5, 0, separator) + "k", 6};
    return {fixedText(xMax, 5, 0, separator), 3};
}

} // namespace tessera::plot
