#include "plot_drawing.h"

#include "readout.h"

#include <QFontMetrics>

#include <cmath>

namespace tessera::plot {
namespace {

using colour::Black;
using colour::Lime;
using colour::Silver;
using colour::White;

// Collects items with the current pen, brush and font, as a drawing surface would.
class Recorder {
public:
    Recorder(int width, int height, QRgb textBackground) : background_(textBackground) {
        out_.width = width;
        out_.height = height;
    }

    void setFont(const FontSpec& font) { font_ = font; }
    const FontSpec& font() const { return font_; }
    int textWidth(const QString& text) const { return fontMetrics(font_).horizontalAdvance(text); }
    int textHeight() const { return fontMetrics(font_).height(); }

    void rect(int l, int t, int r, int b, QRgb fill, QRgb outline) {
        out_.items.emplace_back(RectItem{l, t, r, b, PenSpec{PenStyle::Solid, outline}, BrushSpec{false, fill}});
    }
    void line(int x1, int y1, int x2, int y2, QRgb colour, PenStyle style = PenStyle::Solid) {
        out_.items.emplace_back(LineItem{{x1, y1}, {x2, y2}, PenSpec{style, colour}});
    }
    void polyline(std::vector<QPoint> points, QRgb colour) {
        out_.items.emplace_back(PolylineItem{std::move(points), PenSpec{PenStyle::Solid, colour}});
    }
    void text(int x, int y, const QString& text) {
        if (text.isEmpty()) return;
        out_.items.emplace_back(TextItem{{x, y}, text, font_, Black, true, background_});
    }
    void invert(int l, int t, int r, int b) { out_.items.emplace_back(InvertItem{l, t, r, b}); }

    PlotRecording take() { return std::move(out_); }

private:
    PlotRecording out_;
    QRgb background_;
    FontSpec font_ = plotFont(8);
};

QString text(const std::string& s) { return QString::fromStdString(s); }

void drawFrequencyAxis(Recorder& rec, const AxisScale& scale, bool grid, const ColourSet& c, char sep) {
    const PlotLayout& p = scale.layout();
    const QString low = text(lowEndLabel(scale.range().xMin, sep));
    rec.text(p.L - rec.textWidth(low) - 3, p.B + 6, low);
    const HighEndLabel high = highEndLabel(scale.range().xMax, sep);
    rec.text(p.R + high.gap, p.B + 6, text(high.text));

    for (const FrequencyTick& tick : frequencyTicks(scale)) {
        if (tick.major) {
            rec.text(tick.x - 7, p.B + 6, text(tick.label));
            rec.line(tick.x, p.B + 5, tick.x, p.B - 6, c.outline);
        }
        if (grid)
            rec.line(tick.x, p.B, tick.x, p.T, c.grid, tick.major ? PenStyle::Solid : PenStyle::Dot);
    }
}

void drawGainAxis(Recorder& rec, const AxisScale& scale, double yStep, bool grid, const ColourSet& c,
                  char sep) {
    const PlotLayout& p = scale.layout();
    const int h = rec.textHeight();
    for (const GainTick& tick : gainTicks(scale, yStep)) {
        rec.line(p.L - 5, tick.y, p.L + 6, tick.y, c.outline);
        if (grid) rec.line(p.L + 6, tick.y, p.R, tick.y, c.grid, tick.zero ? PenStyle::Solid : PenStyle::Dot);
        const QString label = text(gainLabel(tick, sep));
        rec.text(p.L - 10 - rec.textWidth(label), tick.y - h / 2, label);
    }
}

void drawCurve(Recorder& rec, const PlotScene& s, const AxisScale& scale, int row, QRgb colour) {
    const int n = s.view->count();
    if (n < 1) return;
    std::vector<QPoint> points;
    points.reserve(static_cast<std::size_t>(n));
    points.emplace_back(scale.layout().L, scale.y(rowValue(*s.view, s.stride, row, 0)));
    for (int j = 1; j < n; ++j)
        points.emplace_back(scale.x(rowValue(*s.view, s.stride, 0, j)),
                            scale.y(rowValue(*s.view, s.stride, row, j)));
    rec.polyline(std::move(points), colour);
}

} // namespace

ColourSet ColourSet::screen() { return {Silver, Black, Black, Lime, White, Silver}; }
ColourSet ColourSet::print() { return {White, Black, White, Black, Silver, Silver}; }

FontSpec plotFont(double points) {
    FontSpec font;
    font.face = QStringLiteral("Arial");
    font.height = screenPixelHeight(points);
    return font;
}

double rowValue(const PlotData& block, std::int32_t stride, int row, int j) {
    const long long index = static_cast<long long>(row) * stride + j;
    if (index < 0 || static_cast<std::size_t>(index) >= block.valueCapacity()) return 0;
    return block.value(static_cast<std::size_t>(index));
}

DrawnPlot drawPlot(const PlotScene& s, char separator) {
    const ColourSet c = s.printColours ? ColourSet::print() : ColourSet::screen();
    const PlotLayout p = PlotLayout::of(s.width, s.height);
    const PlotData& view = *s.view;

    DrawnPlot result;
    result.yStep = yStepForSpan(std::fabs(view.yMax() - view.yMin()));
    const FrequencyRange range = drawableRange(view.xMin(), view.xMax(), s.fullXMin, view.count());
    const AxisScale scale(p, range, view.yMin() - result.yStep, view.yMax() + result.yStep);

    Recorder rec(s.width, s.height, c.background);
    rec.rect(0, 0, s.width, s.height, c.background, c.outline);

    // Both tests measure the title in the 8-point font.
    const int titleHeight = rec.textHeight();
    if (p.T > 2.5 * titleHeight) {
        rec.text(p.cx - rec.textWidth(s.title) / 2, p.T / 2, s.title);
        rec.text(p.cx - rec.textWidth(s.xlabel) / 2, p.B + p.T / 2, s.xlabel);
    }
    rec.rect(p.L, p.T, p.R, p.B, c.plotArea, c.outline);
    if (titleHeight + 6 > p.T) rec.setFont(plotFont(5));

    drawFrequencyAxis(rec, scale, s.grid, c, separator);
    drawGainAxis(rec, scale, result.yStep, s.grid, c, separator);

    // Further curves first, the main curve on top.
    for (int row = 2; row < view.rows(); ++row) drawCurve(rec, s, scale, row, c.furtherCurves);
    if (view.rows() >= 2) drawCurve(rec, s, scale, 1, c.mainCurve);

    if (s.markers && !s.printColours) {
        const MarkerFrequencies& m = *s.markers;
        if (m.first > 0 && m.second > 0 && view.xMin() > 0 && view.xMax() > 0) {
            const int col1 = std::max(scale.x(m.first), p.L);
            const int col2 = std::min(scale.x(m.second), p.R);
            rec.invert(col1, p.T, col2, p.B);
            result.marker1Column = col1;
            result.marker2Column = col2;
        }
        if (m.first > 0) {
            // With a band this inverts its left edge back: the edge shows in normal colours.
            const int col1 = scale.x(m.first);
            rec.invert(col1, p.T, col1 + kCrossLineWidth, p.B);
            result.marker1Column = col1;
        }
    }
    result.recording = rec.take();
    return result;
}

} // namespace tessera::plot
