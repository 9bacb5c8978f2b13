#include "motif.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tessera {

namespace {

const QColor kGrid(60, 96, 140);

// Two boosts and two cuts at fixed places of the unit interval, in [-1, 1].
double motifCurve(double x) {
    struct Bump { double centre, width, height; };
    static const Bump bumps[] = {{0.18, 0.07, 0.8}, {0.42, 0.06, 0.55}, {0.64, 0.05, -0.7}, {0.84, 0.06, -0.45}};
    double y = 0;
    for (const Bump& b : bumps) y += b.height * std::exp(-std::pow((x - b.centre) / b.width, 2));
    return y;
}

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

void paintResponseMotif(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kMotifPanel);
    const double pen = std::max(1.0, area.height() / 60);
    painter.setPen(QPen(kGrid, pen / 2));
    for (int k = 1; k < 6; ++k) {
        const double x = area.left() + area.width() * k / 6;
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    for (int k = 1; k < 4; ++k) {
        const double y = area.top() + area.height() * k / 4;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    QPainterPath path;
    const int steps = 200;
    for (int i = 0; i <= steps; ++i) {
        const double u = static_cast<double>(i) / steps;
        const QPointF p(area.left() + u * area.width(),
                        area.center().y() - motifCurve(u) * area.height() * 0.4);
        if (i == 0) path.moveTo(p); else path.lineTo(p);
    }
    painter.setPen(QPen(kMotifCurve, pen * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

QImage renderProgramIcon(int size) {
    QImage image = transparentImage(size, size);
    QPainter painter(&image);
    paintResponseMotif(painter, QRectF(0, 0, size, size));
    return image;
}

QImage renderSplashMotif() {
    const QRect outer = kSplashMotifArea.adjusted(-kSplashMotifMargin, -kSplashMotifMargin, kSplashMotifMargin,
                                                  kSplashMotifMargin);
    QImage image = transparentImage(outer.width(), outer.height());
    QPainter painter(&image);
    paintResponseMotif(painter, QRectF(kSplashMotifArea.translated(-outer.topLeft())));
    return image;
}

} // namespace tessera
