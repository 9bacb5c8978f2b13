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

void TControlImage::SetData(const tessera::PlotData& data) {
    surface_.setSize(width(), height());
    surface_.SetData(data);
    update();
}

void TControlImage::Redraw() {
    surface_.setSize(width(), height());
    surface_.invalidate();
    update();
}

bool TControlImage::ExportMetafile(QString* error) {
    surface_.setSize(width(), height());
    const bool written = surface_.ExportMetafile(error);
    update();
    return written;
}

void TControlImage::ZoomIn() {
    surface_.ZoomIn();
    update();
}

void TControlImage::ZoomOut() {
    surface_.ZoomOut();
    update();
}

void TControlImage::setTitle(const QString& title) {
    surface_.setTitle(title);
    update();
}

void TControlImage::setXlabel(const QString& label) {
    surface_.setXlabel(label);
    update();
}

void TControlImage::setGrid(bool grid) {
    surface_.setGrid(grid);
    update();
}

void TControlImage::paintEvent(QPaintEvent* event) {
    // The one place where a shown control draws: changes made since the last
    // paint come together in one drawing.
    const QImage& picture = surface_.picture();
    QPainter painter(this);
    painter.drawImage(event->rect(), picture, event->rect());
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
