#pragma once
// The program's own pictures: the splash picture, the About box's two logos
// and the window icon. All show the motif of motif.h.

#include "motif.h"

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace tessera {

inline constexpr int kSplashWidth = 407;
inline constexpr int kSplashHeight = 283;

// The whole splash picture, 407 x 283.
QPixmap splashPicture();
// The About box's wide logo (motif with the name) and its small square one.
void paintWideLogo(QPainter& painter, const QRectF& area);
void paintSmallLogo(QPainter& painter, const QRectF& area);

// The window icon in each of kProgramIconSizes.
QIcon programIcon();

} // namespace tessera
