#include "contimage.h"

#include <QMouseEvent>
#include <QPainter>

TControlImage::TControlImage(QWidget* parent) : QWidget(parent), savedCursor_(cursor()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(500, 500);
    surface_.setSize(500, 500);
}

namespace {

// One region for many rectangles, joined pairwise: adding them one by one
// to a growing region costs the square of their number.
QRegion regionOf(const std::vector<QRect>& area) {
    std::vector<QRegion> parts(area.begin(), area.end());
    for (std::size_t step = 1; step < parts.size(); step *= 2)
        for (std::size_t i = 0; i + step < parts.size(); i += 2 * step) parts[i] += parts[i + step];
    return parts.empty() ? QRegion() : parts.front();
}

} // namespace

void TControlImage::SetData(const tessera::PlotData& data) {
    surface_.SetData(data);
    showChanges();
}

void TControlImage::Redraw() {
    surface_.invalidate();
    showChanges();
}

bool TControlImage::ExportMetafile(QString* error) {
    surface_.setSize(width(), height());
    const bool written = surface_.ExportMetafile(error);
    showChanges();
    return written;
}

void TControlImage::ZoomIn() {
    surface_.ZoomIn();
    showChanges();
}

void TControlImage::ZoomOut() {
    surface_.ZoomOut();
    showChanges();
}

void TControlImage::setTitle(const QString& title) {
    surface_.setTitle(title);
    showChanges();
}

void TControlImage::setXlabel(const QString& label) {
    surface_.setXlabel(label);
    showChanges();
}

void TControlImage::setGrid(bool grid) {
    surface_.setGrid(grid);
    showChanges();
}

void TControlImage::showChanges() {
    surface_.setSize(width(), height());
    // Not on the screen yet (or hidden): the next paint draws everything once.
    if (!painted_ || !isVisible()) {
        update();
        return;
    }
    // On the screen: draw now and show only the pixels that changed.
    update(regionOf(surface_.takeChangedArea()));
}

void TControlImage::paintEvent(QPaintEvent* event) {
    // The one place where a shown control draws: changes made since the last
    // paint come together in one drawing.
    const QImage& picture = surface_.picture();
    // A paint of the whole control shows every change made so far.
    if (event->rect().contains(rect())) surface_.takeChangedArea();
    painted_ = true;
    QPainter painter(this);
    for (const QRect& area : event->region()) painter.drawImage(area, picture, area);
}

void TControlImage::resizeEvent(QResizeEvent*) {
    // The next paint draws at the new size.
    surface_.setSize(width(), height());
}

void TControlImage::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    surface_.press(event->buttons(), event->modifiers(), at.x(), at.y());
    update();
}

void TControlImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (surface_.move(at.x(), at.y())) setCursor(Qt::CrossCursor);
    else setCursor(savedCursor_);
    update();
}
