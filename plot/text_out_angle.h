#pragma once
// Text in a turned Arial font drawn straight onto a painter: `angle` in
// degrees counter-clockwise, `height` the character height in pixels, (x, y)
// the top-left corner of the text cell before turning. The cell is filled
// with the painter's background colour when its background mode is opaque.

#include <QString>

class QPainter;

namespace tessera::plot {

void TextOutAngle(QPainter& dc, int x, int y, int angle, int height, const QString& text);

} // namespace tessera::plot
