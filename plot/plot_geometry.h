#pragma once
// The numbers of a plot drawing that do not depend on fonts or widgets: the
// layout from one-tenth margins, the dB grid step, the mapping of frequency
// and gain to pixels, and the tick walks along both axes.

#include <cstdint>
#include <string>
#include <vector>

namespace tessera::plot {

// A position as exact arithmetic gives it: within rounding noise of a
// multiple of 2^-30 it becomes that multiple, so a pixel or grid position
// that is exactly whole or exactly half stays so whatever the logarithms
// lost in their last bits.
double settled(double value);

// Pixel values are kept inside the signed 16-bit range of metafile
// coordinates; a curve value far outside the plot still lands off-screen.
// Halves go to the even neighbour.
int pixel(double value);

struct PlotLayout {
    int W = 0, H = 0;
    int cx = 0;            // centre column
    int L = 0, T = 0;      // top-left corner of the plot area
    int R = 0, B = 0;      // bottom-right corner of the plot area

    static PlotLayout of(int width, int height);
};

// The dB grid step for a span of |YMax - YMin|.
double yStepForSpan(double span);

// A frequency range after the fallbacks for zero ends: the view's ends, the
// full data's left end and the view's point count decide.
struct FrequencyRange {
    double xMin = 0, xMax = 0;
};
FrequencyRange drawableRange(double viewXMin, double viewXMax, double fullXMin, int viewCount);

// Frequency and gain to pixels for one drawing: x over log10(f / xMin),
// y over the widened dB range y0 .. y1.
class AxisScale {
public:
    AxisScale(const PlotLayout& layout, FrequencyRange range, double y0, double y1);
    int x(double frequency) const;
    int y(double value) const;
    const PlotLayout& layout() const { return layout_; }
    FrequencyRange range() const { return range_; }
    double y0() const { return y0_; }
    double y1() const { return y1_; }

private:
    PlotLayout layout_;
    FrequencyRange range_;
    double y0_, y1_;
    double decades_;
};

// The first frequency tick above xMin: mantissa M (1..9) times decade P.
struct TickStart {
    int mantissa = 1;
    std::int64_t decade = 1;
};
TickStart firstTick(double xMin);

struct FrequencyTick {
    int x = 0;
    bool major = false;      // mantissa 1, 2 or 5: labelled, tick line, solid grid line
    std::string label;       // "50", "1k"; empty for minor ticks
    bool operator==(const FrequencyTick&) const = default;
};
// Every tick left of R, from the first tick upwards.
std::vector<FrequencyTick> frequencyTicks(const AxisScale& scale);

struct GainTick {
    int y = 0;
    bool zero = false;       // the 0 dB line
    double value = 0;
};
// The dB ticks from the first multiple of yStep above y0 while above T.
std::vector<GainTick> gainTicks(const AxisScale& scale, double yStep);

// End labels of the frequency axis: "20" and "20k" for 20 .. 20000 Hz.
std::string lowEndLabel(double xMin, char separator);
struct HighEndLabel {
    std::string text;
    int gap = 3;             // pixels right of R
    bool operator==(const HighEndLabel&) const = default;
};
HighEndLabel highEndLabel(double xMax, char separator);

} // namespace tessera::plot

namespace tessera::plot {
// "0" for the 0 dB line, otherwise the value in four significant digits.
std::string gainLabel(const GainTick& tick, char separator);
} // namespace tessera::plot
