#pragma once
// Paints a drawing of plain primitives (design/circuit/schematic_drawing.h)
// with QPainter in the drawing's own units: the caller scales the painter,
// and since lines, circles and font sizes are all given in those units the
// picture stays clean at any zoom.

#include "schematic_drawing.h"

class QPainter;

namespace tessera {

void paintDrawing(QPainter& painter, const drawing::Drawing& d);

} // namespace tessera
