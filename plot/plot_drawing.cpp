#include "plot_drawing.h"

#include "curve_clip.h"
#include "readout.h"

#include <QFontMetrics>

#include <bit>
#include <cmath>
#include <iterator>
#include <unordered_map>

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
    int textWidth(const QString& text) const { return plot::textWidth(font_, text); }
    int textHeight() const { return fontMetrics(font_).height(); }

    void rect(int l, int t, int r, int b, QRgb fill, QRgb outline) {
        out_.items.emplace_back(RectItem{l, t, r, b, PenSpec{PenStyle::Solid, outline}, BrushSpec{false, fill}});
    }
    void line(int x1, int y1, int x2, int y2, QRgb colour, PenStyle style = PenStyle::Solid) {
        out_.items.emplace_back(LineItem{{x1, y1}, {x2, y2}, PenSpec{style, colour}});
    }
    void text(int x, int y, const QString& text) {
        if (text.isEmpty()) return;
        out_.items.emplace_back(TextItem{{x, y}, text, font_, Black, true, background_});
    }

    PlotRecording take() { return std::move(out_); }

private:
    PlotRecording out_;
    QRgb background_;
    FontSpec font_ = plotFont(8);
};

QString text(const std::string& s) { return QString::fromStdString(s); }

void drawFrequencyAxis(Recorder& rec, const PlotLayout& p, const FrequencyMarks& marks, bool grid,
                       const ColourSet& c) {
    const QString low = text(marks.lowEnd);
    rec.text(p.L - rec.textWidth(low) - 3, p.B + 6, low);
    rec.text(p.R + marks.highEnd.gap, p.B + 6, text(marks.highEnd.text));

    for (const FrequencyTick& tick : marks.ticks) {
        if (tick.major) {
            rec.text(tick.x - 7, p.B + 6, text(tick.label));
            rec.line(tick.x, p.B + 5, tick.x, p.B - 6, c.outline);
        }
        if (grid)
            rec.line(tick.x, p.B, tick.x, p.T, c.grid, tick.major ? PenStyle::Solid : PenStyle::Dot);
    }
}

void drawGainAxis(Recorder& rec, const PlotLayout& p, const std::vector<GainMark>& marks, bool grid,
                  const ColourSet& c) {
    const int h = rec.textHeight();
    for (const GainMark& tick : marks) {
        rec.line(p.L - 5, tick.y, p.L + 6, tick.y, c.outline);
        if (grid) rec.line(p.L + 6, tick.y, p.R, tick.y, c.grid, tick.zero ? PenStyle::Solid : PenStyle::Dot);
        const QString label = text(tick.label);
        rec.text(p.L - 10 - rec.textWidth(label), tick.y - h / 2, label);
    }
}

// The axis labels shrink to 5 points when the 8-point title would not fit
// the top margin.
void useAxisFont(Recorder& rec, const PlotLayout& p) {
    if (rec.textHeight() + 6 > p.T) rec.setFont(plotFont(5));
}

ColourSet coloursOf(const StaticLayerKey::Base& base) {
    return base.printColours ? ColourSet::print() : ColourSet::screen();
}

} // namespace

ColourSet ColourSet::screen() {
    return {Silver, Black, Black, Lime, White, Silver, colour::Aqua, colour::Yellow, colour::Fuchsia, colour::Orange};
}
ColourSet ColourSet::print() {
    return {White, Black, White, Black, Silver, Silver, colour::Blue, colour::Red, colour::Purple, colour::Green};
}

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

PlotFrame PlotFrame::of(const PlotScene& s) {
    const PlotData& view = *s.view;
    const double yStep = yStepForSpan(std::fabs(view.yMax() - view.yMin()));
    const FrequencyRange range = drawableRange(view.xMin(), view.xMax(), s.fullXMin, view.count());
    return PlotFrame{s.printColours ? ColourSet::print() : ColourSet::screen(), yStep,
                     AxisScale(PlotLayout::of(s.width, s.height), range, view.yMin() - yStep,
                               view.yMax() + yStep)};
}

namespace {

// The marks are worked out for every drawing, and their labels are written
// digit by digit; while a curve changes, the frequency axis stays the same
// and the dB labels come from a few values. Both are remembered (the plots
// are drawn on one thread).
struct AxisMemo {
    int left = 0, right = 0;
    double xMin = 0, xMax = 0;
    char separator = 0;
    FrequencyMarks marks;
};

const FrequencyMarks* rememberedAxis(const AxisScale& scale, char separator, std::vector<AxisMemo>& memo) {
    for (const AxisMemo& m : memo)
        if (m.left == scale.layout().L && m.right == scale.layout().R && m.xMin == scale.range().xMin &&
            m.xMax == scale.range().xMax && m.separator == separator)
            return &m.marks;
    return nullptr;
}

std::string rememberedGainLabel(const GainTick& tick, char separator) {
    if (tick.zero) return gainLabel(tick, separator);
    // By the value's bits: -0 and 0 may be written differently.
    static std::unordered_map<char, std::unordered_map<std::uint64_t, std::string>> labels;
    constexpr std::size_t kMostLabels = 4096;
    auto& known = labels[separator];
    const auto key = std::bit_cast<std::uint64_t>(tick.value);
    if (const auto found = known.find(key); found != known.end()) return found->second;
    if (known.size() >= kMostLabels) known.clear();
    return known[key] = gainLabel(tick, separator);
}

} // namespace

FrequencyMarks FrequencyMarks::of(const AxisScale& scale, char separator) {
    // The six windows come in a few sizes.
    static std::vector<AxisMemo> memo;
    constexpr std::size_t kMostAxes = 16;
    if (const FrequencyMarks* known = rememberedAxis(scale, separator, memo)) return *known;
    FrequencyMarks marks{lowEndLabel(scale.range().xMin, separator), highEndLabel(scale.range().xMax, separator),
                         frequencyTicks(scale)};
    if (memo.size() >= kMostAxes) memo.erase(memo.begin());
    memo.push_back(AxisMemo{scale.layout().L, scale.layout().R, scale.range().xMin, scale.range().xMax, separator, marks});
    return marks;
}

std::vector<GainMark> gainMarks(const AxisScale& scale, double yStep, char separator) {
    std::vector<GainMark> marks;
    for (const GainTick& tick : gainTicks(scale, yStep))
        marks.push_back(GainMark{tick.y, tick.zero, rememberedGainLabel(tick, separator)});
    return marks;
}

StaticLayerKey StaticLayerKey::of(const PlotScene& s, const PlotFrame& frame, char separator) {
    return StaticLayerKey{Base{s.width, s.height, s.title, s.xlabel, s.grid, s.printColours, screenDpi(),
                               FrequencyMarks::of(frame.scale, separator)},
                          gainMarks(frame.scale, frame.yStep, separator)};
}

PlotRecording drawBaseLayer(const StaticLayerKey::Base& base) {
    const ColourSet c = coloursOf(base);
    const PlotLayout p = PlotLayout::of(base.width, base.height);

    Recorder rec(base.width, base.height, c.background);
    rec.rect(0, 0, base.width, base.height, c.background, c.outline);

    // Both tests measure the title in the 8-point font.
    const int titleHeight = rec.textHeight();
    if (p.T > 2.5 * titleHeight) {
        rec.text(p.cx - rec.textWidth(base.title) / 2, p.T / 2, base.title);
        rec.text(p.cx - rec.textWidth(base.xlabel) / 2, p.B + p.T / 2, base.xlabel);
    }
    rec.rect(p.L, p.T, p.R, p.B, c.plotArea, c.outline);
    useAxisFont(rec, p);
    drawFrequencyAxis(rec, p, base.frequency, base.grid, c);
    return rec.take();
}

PlotRecording drawGainMarks(const StaticLayerKey& layer) {
    const ColourSet c = coloursOf(layer.base);
    const PlotLayout p = PlotLayout::of(layer.base.width, layer.base.height);
    Recorder rec(layer.base.width, layer.base.height, c.background);
    useAxisFont(rec, p);
    drawGainAxis(rec, p, layer.gain, layer.base.grid, c);
    return rec.take();
}

PlotRecording drawStaticLayer(const StaticLayerKey& layer) {
    PlotRecording recording = drawBaseLayer(layer.base);
    PlotRecording gain = drawGainMarks(layer);
    std::move(gain.items.begin(), gain.items.end(), std::back_inserter(recording.items));
    return recording;
}

QRgb curveColour(const ColourSet& colours, const PlotData& block, int row) {
    if (row == 1) return colours.mainCurve;
    switch (block.rowKind(row)) {
    case CurveKind::RealOpAmp: return colours.realOpAmp;
    case CurveKind::ToleranceBound: return colours.toleranceBounds;
    case CurveKind::Measurement: return colours.measurement;
    case CurveKind::FitTarget: return colours.fitTarget;
    case CurveKind::Further: break;
    }
    return colours.furtherCurves;
}

std::vector<int> curveColumns(const PlotScene& s, const AxisScale& scale) {
    const int n = s.view->count();
    std::vector<int> columns;
    if (n < 1) return columns;
    columns.reserve(static_cast<std::size_t>(n));
    columns.push_back(scale.layout().L);
    for (int j = 1; j < n; ++j) columns.push_back(scale.x(rowValue(*s.view, s.stride, 0, j)));
    return columns;
}

namespace {

void drawCurve(const PlotScene& s, const AxisScale& scale, const std::vector<int>& columns, int row, QRgb colour,
               PlotRecording& out) {
    std::vector<QPoint> points;
    points.reserve(columns.size());
    for (std::size_t j = 0; j < columns.size(); ++j)
        points.emplace_back(columns[j], scale.y(rowValue(*s.view, s.stride, row, static_cast<int>(j))));
    // The frame's lines belong to the area: the main curve starts on the left one.
    const PlotLayout& p = scale.layout();
    for (std::vector<QPoint>& piece : clipPolyline(points, QRect(QPoint(p.L, p.T), QPoint(p.R, p.B))))
        out.items.emplace_back(PolylineItem{std::move(piece), PenSpec{PenStyle::Solid, colour}});
}

} // namespace

void drawCurveRows(const PlotScene& s, const PlotFrame& frame, const std::vector<int>& columns,
                   PlotRecording& out) {
    if (columns.empty()) return;
    const int rows = s.view->rows();
    for (int row = 2; row < rows; ++row)
        drawCurve(s, frame.scale, columns, row, curveColour(frame.colours, *s.view, row), out);
    if (rows >= 2) drawCurve(s, frame.scale, columns, 1, curveColour(frame.colours, *s.view, 1), out);
}

MarkerColumns drawMarkerOverlay(const PlotScene& s, const PlotFrame& frame, PlotRecording& out) {
    MarkerColumns placed;
    if (!s.markers || s.printColours) return placed;
    const PlotLayout& p = frame.scale.layout();
    const PlotData& view = *s.view;
    const MarkerFrequencies& m = *s.markers;
    if (m.first > 0 && m.second > 0 && view.xMin() > 0 && view.xMax() > 0) {
        const int col1 = std::max(frame.scale.x(m.first), p.L);
        const int col2 = std::min(frame.scale.x(m.second), p.R);
        out.items.emplace_back(InvertItem{col1, p.T, col2, p.B});
        placed.first = col1;
        placed.second = col2;
    }
    if (m.first > 0) {
        // With a band this inverts its left edge back: the edge shows in normal colours.
        const int col1 = frame.scale.x(m.first);
        out.items.emplace_back(InvertItem{col1, p.T, col1 + kCrossLineWidth, p.B});
        placed.first = col1;
    }
    return placed;
}

DrawnPlot drawPlot(const PlotScene& s, char separator) {
    const PlotFrame frame = PlotFrame::of(s);
    DrawnPlot result;
    result.yStep = frame.yStep;
    result.recording = drawStaticLayer(StaticLayerKey::of(s, frame, separator));
    drawCurveRows(s, frame, curveColumns(s, frame.scale), result.recording);
    const MarkerColumns placed = drawMarkerOverlay(s, frame, result.recording);
    result.marker1Column = placed.first;
    result.marker2Column = placed.second;
    return result;
}

} // namespace tessera::plot
