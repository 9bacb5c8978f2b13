#pragma once
// The program's motif, a response curve with two boosts and two cuts over a
// frequency grid, and the pictures made of it alone: the window icon in each
// of its sizes and the panel of the splash picture. Needs no application
// object, so that the build can draw these pictures ahead of time.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>

#include <array>

class QPainter;

namespace tessera {

// The motif's panel and curve, also in the About box's small logo.
inline const QColor kMotifPanel(18, 38, 66);
inline const QColor kMotifCurve(255, 196, 40);

// The motif alone, fitted into `area`: a dark panel, grid lines and the curve.
void paintResponseMotif(QPainter& painter, const QRectF& area);

inline constexpr std::array<int, 5> kProgramIconSizes = {16, 32, 48, 64, 128};
// Where the splash picture shows the motif.
inline constexpr QRect kSplashMotifArea(20, 20, 367, 150);
// The curve's round ends reach a little beyond the panel.
inline constexpr int kSplashMotifMargin = 4;

// The icon of `size` x `size` pixels, on a transparent ground.
QImage renderProgramIcon(int size);
// The splash picture's motif with a transparent margin of kSplashMotifMargin
// pixels all round, to be laid over the picture's ground.
QImage renderSplashMotif();

} // namespace tessera
