#pragma once
// The program's own pictures, drawn with QPainter: the splash picture, the
// About box's two logos and the window icon. All show the same motif, a
// response curve with two boosts and two cuts over a frequency grid.

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace tessera {

inline constexpr int kSplashWidth = 407;
inline constexpr int kSplashHeight = 283;

// The motif alone, fitted into `area`: a dark panel, grid lines and the curve.
void paintResponseMotif(QPainter& painter, const QRectF& area);

// The whole splash picture, 407 x 283.
QPixmap splashPicture();
// The About box's wide logo (motif with the name) and its small square one.
void paintWideLogo(QPainter& painter, const QRectF& area);
void paintSmallLogo(QPainter& painter, const QRectF& area);

QIcon programIcon();

} // namespace tessera
