#include "text_out_angle.h"

#include "plot_recording.h"

#include <QPainter>

namespace tessera::plot {

void TextOutAngle(QPainter& dc, int x, int y, int angle, int height, const QString& text) {
    if (text.isEmpty()) return;
    TextItem item;
    item.at = QPoint(x, y);
    item.text = text;
    item.font = FontSpec{QStringLiteral("Arial"), height, angle * 10, 400};
    item.colour = dc.pen().color().rgb();
    item.opaque = dc.backgroundMode() == Qt::OpaqueMode;
    item.background = dc.background().color().rgb();
    drawText(dc, item);
}

} // namespace tessera::plot
