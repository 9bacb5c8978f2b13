#include "plot_surface.h"

#include "overlay_area.h"
#include "pixel_stamps.h"

#include "regional.h"
#include "text_out_angle.h"
#include "wmf_writer.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <cstring>
#include <utility>

namespace tessera::plot {
namespace {

constexpr QRgb kSilver = colour::Silver;

QString text(const std::string& s) { return QString::fromStdString(s); }

// The readout boxes are filled without an outline, which leaves out their
// right column and bottom row.
void fillBox(QPainter& p, int left, int top, int right, int bottom) {
    const QRect area(QPoint(left, top), QPoint(right - 2, bottom - 2));
    if (!area.isEmpty()) p.fillRect(area, QColor::fromRgb(kSilver));
}

// The readout writes in the bitmap's own font, not the drawing's Arial:
// MS Sans Serif at 8 points.
FontSpec bitmapFont() {
    FontSpec font;
    font.face = QStringLiteral("MS Sans Serif");
    font.height = screenPixelHeight(8);
    return font;
}

// Copies the pixels into `to`, reusing its memory when the size matches.
void copyPixels(const QImage& from, QImage& to) {
    if (to.size() != from.size() || to.format() != from.format() || to.bytesPerLine() != from.bytesPerLine()) {
        to = from.copy();
        return;
    }
    if (!from.isNull()) std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

void label(QPainter& p, const FontSpec& font, int x, int y, const QString& s) {
    drawText(p, TextItem{{x, y}, s, font, colour::Black, true, kSilver});
}

} // namespace

PlotSurface::PlotSurface() = default;

void PlotSurface::setSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    invalidate();
}

void PlotSurface::setTitle(const QString& title) {
    title_ = title;
    invalidate();
}

void PlotSurface::setXlabel(const QString& label) {
    xlabel_ = label;
    invalidate();
}

void PlotSurface::setGrid(bool grid) {
    grid_ = grid;
    invalidate();
}

void PlotSurface::SetData(const PlotData& data) {
    full_ = data;
    view_ = data;
    invalidate();
}

const QImage& PlotSurface::picture() {
    settle();
    return picture_;
}

const PlotRecording& PlotSurface::recording() {
    settle();
    if (!recordingJoined_) {
        recording_ = baseRecording_;
        for (const PlotRecording* part : {&gainRecording_, &overlay_})
            recording_.items.insert(recording_.items.end(), part->items.begin(), part->items.end());
        recordingJoined_ = true;
    }
    return recording_;
}

double PlotSurface::yStep() {
    settle();
    return yStep_;
}

const MarkerState& PlotSurface::markers() {
    settle();
    return markers_;
}

bool PlotSurface::crossHairShown() {
    settle();
    return crossHair_;
}

PlotScene PlotSurface::scene() const {
    PlotScene scene;
    scene.view = &view_;
    scene.stride = full_.count();
    scene.fullXMin = full_.xMin();
    scene.width = width_;
    scene.height = height_;
    scene.title = title_;
    scene.xlabel = xlabel_;
    scene.grid = grid_;
    scene.printColours = exportPending_;
    if (!exportPending_) scene.markers = MarkerFrequencies{markers_.frequency1, markers_.frequency2};
    return scene;
}

void PlotSurface::Redraw() {
    const PlotScene s = scene();
    const char separator = decimalSeparator();
    if (exportPending_) drawExport(s, separator);
    else drawScreen(s, separator);
    stale_ = false;
    ++drawings_;
    // The fresh drawing holds no cross-hair lines.
    crossHair_ = false;
}

void PlotSurface::drawExport(const PlotScene& s, char separator) {
    DrawnPlot drawn = drawPlot(s, separator);
    yStep_ = drawn.yStep;
    exportPending_ = false;
    exportError_.clear();
    writeMetafileFile(QString::fromLatin1(kMetafileName), placeableMetafile(drawn.recording, screenDpi()),
                      &exportError_);
    if (picture_.size() != QSize(width_, height_)) picture_ = QImage(width_, height_, QImage::Format_RGB32);
    if (!picture_.isNull()) {
        QPainter painter(&picture_);
        playRecording(drawn.recording, painter);
    }
    recording_ = std::move(drawn.recording);
    recordingJoined_ = true;
    scribble();
}

void PlotSurface::drawScreen(const PlotScene& s, char separator) {
    const PlotFrame frame = PlotFrame::of(s);
    yStep_ = frame.yStep;
    const QRect whole(0, 0, width_, height_);
    StaticLayerKey key = StaticLayerKey::of(s, frame, separator);
    const bool layerKept = layerKey_ && layerKey_->base == key.base && layerImage_.size() == whole.size();
    if (!layerKept && key.base != lastBase_) {
        drawWhole(s, frame, std::move(key));
        return;
    }
    // Where the layer changed: everywhere, or where the old and new dB marks go.
    std::optional<std::vector<QRect>> layerChanged = updateLayer(std::move(key), whole);

    drawOverlay(s, frame);

    if (!layerChanged || scribbled_ || picture_.size() != layerImage_.size()) {
        copyPixels(layerImage_, picture_);
        markChanged({whole});
    } else {
        // The picture differs from the layer only where the last curves and
        // markers went, and the layer from before only where its marks moved.
        std::vector<QRect>& changed = *layerChanged;
        changed.insert(changed.end(), overlayArea_.begin(), overlayArea_.end());
        const std::vector<QRect> restore = fewerRectangles(std::move(changed));
        copyArea(layerImage_, picture_, restore);
        markChanged(restore);
    }
    scribbled_ = false;
    overlayArea_ = fewerRectangles(coveredArea(overlay_, whole));
    markChanged(overlayArea_);
    if (!picture_.isNull()) {
        QPainter painter(&picture_);
        playRecording(overlay_, painter);
    }
}

void PlotSurface::drawOverlay(const PlotScene& s, const PlotFrame& frame) {
    overlay_ = PlotRecording{width_, height_, {}};
    drawCurveRows(s, frame, columnsFor(s, frame.scale), overlay_);
    const MarkerColumns placed = drawMarkerOverlay(s, frame, overlay_);
    if (placed.first) markers_.column1 = *placed.first;
    if (placed.second) markers_.column2 = *placed.second;
    recordingJoined_ = false;
}

void PlotSurface::drawWhole(const PlotScene& s, const PlotFrame& frame, StaticLayerKey key) {
    lastBase_ = key.base;
    // The kept layer, if any, belongs to another frame; its recordings go now.
    layerKey_.reset();
    baseRecording_ = drawBaseLayer(key.base);
    gainRecording_ = drawGainMarks(key);
    drawOverlay(s, frame);

    if (picture_.size() != QSize(width_, height_)) picture_ = QImage(width_, height_, QImage::Format_RGB32);
    if (!picture_.isNull()) {
        QPainter painter(&picture_);
        for (const PlotRecording* part : {&baseRecording_, &gainRecording_, &overlay_}) playRecording(*part, painter);
    }
    // Not made from a layer: the next drawing starts from a whole one.
    scribble();
}

std::optional<std::vector<QRect>> PlotSurface::updateLayer(StaticLayerKey key, const QRect& whole) {
    if (layerKey_ && layerKey_->base == key.base && layerImage_.size() == whole.size()) {
        if (layerKey_->gain == key.gain) return std::vector<QRect>{};
        // Only the dB marks moved: back to the base where they were, then the new ones.
        std::vector<QRect> changed = gainArea_;
        copyArea(baseImage_, layerImage_, gainArea_);
        layerKey_->gain = std::move(key.gain);
        drawGainLayer(whole);
        changed.insert(changed.end(), gainArea_.begin(), gainArea_.end());
        return changed;
    }
    layerKey_ = std::move(key);
    ++layerDrawings_;
    baseRecording_ = drawBaseLayer(layerKey_->base);
    if (baseImage_.size() != whole.size()) baseImage_ = QImage(whole.size(), QImage::Format_RGB32);
    if (!baseImage_.isNull()) {
        QPainter painter(&baseImage_);
        playRecording(baseRecording_, painter);
    }
    copyPixels(baseImage_, layerImage_);
    drawGainLayer(whole);
    return std::nullopt;
}

void PlotSurface::drawGainLayer(const QRect& whole) {
    gainRecording_ = drawGainMarks(*layerKey_);
    gainArea_ = coveredArea(gainRecording_, whole);
    if (layerImage_.isNull()) return;
    playRecordingStamped(gainRecording_, layerImage_);
}

const std::vector<int>& PlotSurface::columnsFor(const PlotScene& s, const AxisScale& scale) {
    // Row 0 and the axis rarely change between drawings; their columns cost a logarithm each.
    const int n = std::max(0, s.view->count());
    std::vector<double> frequencies(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) frequencies[static_cast<std::size_t>(j)] = rowValue(*s.view, s.stride, 0, j);
    const ColumnKey key{scale.layout().L, scale.layout().R, scale.range().xMin, scale.range().xMax,
                        std::move(frequencies)};
    if (key != columnKey_) {
        columns_ = curveColumns(s, scale);
        columnKey_ = key;
    }
    return columns_;
}

void PlotSurface::markChanged(const std::vector<QRect>& area) {
    constexpr std::size_t kMostRectangles = 256;
    changed_.insert(changed_.end(), area.begin(), area.end());
    if (changed_.size() > kMostRectangles) changed_ = {QRect(0, 0, width_, height_)};
}

void PlotSurface::scribble() {
    scribbled_ = true;
    markChanged({QRect(0, 0, width_, height_)});
}

std::vector<QRect> PlotSurface::takeChangedArea() {
    settle();
    return fewerRectangles(std::exchange(changed_, {}));
}

bool PlotSurface::ExportMetafile(QString* error) {
    exportPending_ = true;
    Redraw();
    if (error) *error = exportError_;
    return exportError_.isEmpty();
}

void PlotSurface::ZoomIn() {
    if (!zoomToMarkers(full_, view_, markers_)) return;
    zoomed_ = true;
    invalidate();
}

void PlotSurface::ZoomOut() {
    view_ = full_;
    invalidate();
    zoomed_ = false;
}

void PlotSurface::invert(int left, int top, int right, int bottom) {
    if (picture_.isNull()) return;
    scribble();
    QPainter painter(&picture_);
    invertRect(painter, left, top, right, bottom);
}

void PlotSurface::press(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y) {
    // Marker placement reads the marker columns of the current drawing.
    settle();
    // Only a plain right click clears: Shift + right click keeps the markers.
    if (buttons == Qt::RightButton && modifiers == Qt::NoModifier) {
        crossHair_ = false;
        markers_.clear();
        invalidate();
        return;
    }
    const PlotLayout p = layout();
    if (!(p.L < X && X < p.R && p.T < Y && Y < p.B)) return;
    const std::optional<double> f = columnFrequency(X, p, clickRange(view_, full_));
    if (!f || buttons != Qt::LeftButton || modifiers != Qt::NoModifier) return;

    switch (placeMarker(markers_, X, *f, FullGrid::of(full_))) {
    case MarkerClick::First:
        // The cross-hair lines now in the bitmap stay there and show the first marker.
        crossHair_ = false;
        break;
    case MarkerClick::Second:
        crossHair_ = true;
        invert(markers_.column1, p.T, markers_.column2, p.B);
        break;
    case MarkerClick::Ignored: break;
    }
}

bool PlotSurface::move(int X, int Y) {
    settle();
    const PlotLayout p = layout();
    const bool inside = p.L < X && X <= p.R && p.L != p.R && p.T <= Y && Y <= p.B && view_.count() > 4;
    if (!inside) return false;
    const std::optional<double> f = columnFrequency(X, p, movementRange(view_, full_));
    if (!f) return true;

    const double y0 = view_.yMin() - yStep_;
    const double y1 = view_.yMax() + yStep_;
    const double gain = gainAtRow(Y, p, y0, y1);
    const FullGrid grid = FullGrid::of(full_);
    crossIndex_ = grid.roundedIndex(*f);
    const double fi = rowValue(full_, full_.count(), 0, crossIndex_);
    const double v = rowValue(full_, full_.count(), 1, crossIndex_);
    const AxisScale scale(p, drawableRange(view_.xMin(), view_.xMax(), full_.xMin(), view_.count()), y0, y1);
    const int xc = scale.x(fi);
    const int yc = scale.y(v);

    readout_.gridIndex = crossIndex_;
    if (picture_.isNull()) return true;
    scribble();
    QPainter painter(&picture_);
    drawReadout(painter, p, *f, gain, fi, v, xc, yc);
    moveCrossHair(painter, p, X, yc);
    return true;
}

void PlotSurface::moveCrossHair(QPainter& painter, const PlotLayout& p, int X, int yc) {
    constexpr int w = kCrossLineWidth;
    // Inversion twice restores the pixels: the old lines go without a copy of the plot.
    if (crossHair_) {
        invertRect(painter, crossColumn_, p.T, crossColumn_ + w, p.B);
        invertRect(painter, p.L, crossRow_, p.R, crossRow_ + w);
    }
    invertRect(painter, X, p.T, X + w, p.B);
    invertRect(painter, p.L, yc, p.R, yc + w);
    crossColumn_ = X;
    crossRow_ = yc;
    crossHair_ = true;
}

void PlotSurface::drawReadout(QPainter& painter, const PlotLayout& p, double f, double gain, double fi, double v,
                              int xc, int yc) {
    const char sep = decimalSeparator();
    const FontSpec font = bitmapFont();
    const QFontMetrics& m = fontMetrics(font);

    const FrequencyReadout freq = frequencyReadout(f, sep);
    const QString freqNumber = text(freq.number);
    const QString gainNumber = text(twoDecimals(gain, sep));
    readout_.frequency = freqNumber + text(freq.unit);
    readout_.gain = gainNumber + QStringLiteral(" dB");
    readout_.curveValue = text(twoDecimals(v, sep));
    readout_.gridLabel = text(gridFrequencyLabel(fi, sep));
    const int valueWidth = m.horizontalAdvance(readout_.curveValue);
    readout_.verticalCurveValue = valueWidth >= p.L - 5;

    fillBox(painter, 1, 1, 300, 20);
    label(painter, font, 10, 3, QCoreApplication::translate("Plot", "Frequency: "));
    label(painter, font, 120 - m.horizontalAdvance(freqNumber), 3, readout_.frequency);
    label(painter, font, 160, 3, QCoreApplication::translate("Plot", "Gain: "));
    label(painter, font, 235 - m.horizontalAdvance(gainNumber), 3, readout_.gain);

    // The curve value in the right margin, turned when the margin is too narrow.
    fillBox(painter, p.R + 5, 1, p.W - 1, p.B + 6);
    if (!readout_.verticalCurveValue) {
        label(painter, font, p.R + 5, yc - m.height() / 2, readout_.curveValue);
    } else {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QColor::fromRgb(kSilver));
        painter.setPen(Qt::black);
        const int top = yc + valueWidth > p.B ? yc - valueWidth : yc;
        TextOutAngle(painter, p.R + 20, top, 270, 12, readout_.curveValue);
    }

    // The grid frequency below the axis: in a row of its own when the margin
    // holds two rows, otherwise over the axis labels of a zoomed view only.
    const int h = m.height();
    const int w = m.horizontalAdvance(readout_.gridLabel);
    if (2 * h + 5 < p.T) {
        fillBox(painter, 1, p.B + h + 5, p.W, p.H);
        label(painter, font, xc - w / 2, p.B + 5 + h, readout_.gridLabel);
    } else if (zoomed_) {
        fillBox(painter, 1, p.B + 5, p.W, p.H);
        label(painter, font, xc - w / 2, p.B + 5, readout_.gridLabel);
    }
}

} // namespace tessera::plot
