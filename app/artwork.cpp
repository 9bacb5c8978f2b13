#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tessera {

namespace {

const QColor kPanel(18, 38, 66);
const QColor kGrid(60, 96, 140);
const QColor kCurve(255, 196, 40);

// Two boosts and two cuts at fixed places of the unit interval, in [-1, 1].
double motifCurve(double x) {
    struct Bump { double centre, width, height; };
    static const Bump bumps[] = {{0.18, 0.07, 0.8}, {0.42, 0.06, 0.55}, {0.64, 0.05, -0.7}, {0.84, 0.06, -0.45}};
    double y = 0;
    for (const Bump& b : bumps) y += b.height * std::exp(-std::pow((x - b.centre) / b.width, 2));
    return y;
}

} // namespace

void paintResponseMotif(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPanel);
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
    painter.setPen(QPen(kCurve, pen * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

QPixmap splashPicture() {
    QPixmap picture(kSplashWidth, kSplashHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kSplashHeight);
    sky.setColorAt(0, QColor(230, 236, 244));
    sky.setColorAt(1, QColor(188, 202, 222));
    painter.fillRect(picture.rect(), sky);

    paintResponseMotif(painter, QRectF(20, 20, 367, 150));

    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(kPanel);
    painter.drawText(QRectF(20, 178, 367, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TESSERA 1.0"));

    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(13);
    painter.setFont(small);
    painter.drawText(QRectF(20, 226, 367, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Design of a four-section active equaliser"));
    painter.drawText(QRectF(20, 248, 367, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Two boost and two cut band-pass sections"));
    painter.setPen(QPen(kPanel, 2));
    painter.drawRect(QRectF(1, 1, kSplashWidth - 2, kSplashHeight - 2));
    return picture;
}

void paintWideLogo(QPainter& painter, const QRectF& area) {
    paintResponseMotif(painter, area);
    painter.save();
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(6, static_cast<int>(area.height() * 0.3)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(area.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("TESSERA"));
    painter.restore();
}

void paintSmallLogo(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPanel);
    // Four bars: two up, two down, the sections of the equaliser.
    const double bar = area.width() / 9;
    const double heights[] = {0.35, 0.25, -0.3, -0.2};
    for (int k = 0; k < 4; ++k) {
        const double x = area.left() + bar * (1 + 2 * k);
        const double h = heights[k] * area.height();
        const QRectF r(x, area.center().y() - std::max(h, 0.0), bar, std::abs(h));
        painter.fillRect(r, k < 2 ? kCurve : QColor(120, 180, 255));
    }
    painter.restore();
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintResponseMotif(painter, QRectF(0, 0, size, size));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tessera
