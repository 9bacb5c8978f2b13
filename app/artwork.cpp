#include "artwork.h"

#include "packed_artwork.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessera {

QPixmap splashPicture() {
    QPixmap picture(kSplashWidth, kSplashHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kSplashHeight);
    sky.setColorAt(0, QColor(230, 236, 244));
    sky.setColorAt(1, QColor(188, 202, 222));
    painter.fillRect(picture.rect(), sky);

    // The motif as the build drew it, laid over the ground with its margin.
    painter.drawImage(kSplashMotifArea.topLeft() - QPoint(kSplashMotifMargin, kSplashMotifMargin),
                      unpackImage(packedSplashMotif()));

    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(kMotifPanel);
    painter.drawText(QRectF(20, 178, 367, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TESSERA 1.0"));

    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(13);
    painter.setFont(small);
    painter.drawText(QRectF(20, 226, 367, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Design of a four-section active equaliser"));
    painter.drawText(QRectF(20, 248, 367, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Two boost and two cut band-pass sections"));
    painter.setPen(QPen(kMotifPanel, 2));
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
    painter.fillRect(area, kMotifPanel);
    // Four bars: two up, two down, the sections of the equaliser.
    const double bar = area.width() / 9;
    const double heights[] = {0.35, 0.25, -0.3, -0.2};
    for (int k = 0; k < 4; ++k) {
        const double x = area.left() + bar * (1 + 2 * k);
        const double h = heights[k] * area.height();
        const QRectF r(x, area.center().y() - std::max(h, 0.0), bar, std::abs(h));
        painter.fillRect(r, k < 2 ? kMotifCurve : QColor(120, 180, 255));
    }
    painter.restore();
}

QIcon programIcon() {
    QIcon icon;
    for (const PackedImage& packed : packedProgramIcons()) icon.addPixmap(QPixmap::fromImage(unpackImage(packed)));
    return icon;
}

} // namespace tessera
