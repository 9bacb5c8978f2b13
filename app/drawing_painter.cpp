#include "drawing_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

namespace tessera {
namespace {

QPointF qt(drawing::Point p) { return {p.x, p.y}; }

QFont fontOf(const drawing::Text& text, const QPaintDevice& device) {
    // Helvetica, as the PDF names it; the font system finds its nearest face.
    QFont font(QStringLiteral("Helvetica"));
    font.setStyleHint(QFont::SansSerif);
    // Unhinted, so that widths scale with the zoom instead of jumping.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Point sizes are converted with the device's resolution; the drawing's
    // unit is the point, so the size in units is the size in points at 72 dpi.
    font.setPointSizeF(text.size * 72.0 / device.logicalDpiY());
    font.setBold(text.bold);
    return font;
}

} // namespace

void paintDrawing(QPainter& painter, const drawing::Drawing& d) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const drawing::Polyline& line : d.lines) {
        painter.setPen(QPen(Qt::black, line.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        QPolygonF points;
        for (const drawing::Point& p : line.points) points << qt(p);
        if (line.closed)
            painter.drawPolygon(points);
        else
            painter.drawPolyline(points);
    }
    for (const drawing::Circle& c : d.circles) {
        painter.setPen(c.filled ? QPen(Qt::NoPen) : QPen(Qt::black, 0.9));
        painter.setBrush(c.filled ? Qt::black : Qt::white);
        painter.drawEllipse(qt(c.centre), c.radius, c.radius);
    }
    painter.setPen(Qt::black);
    for (const drawing::Text& t : d.texts) {
        const QFont font = fontOf(t, *painter.device());
        painter.setFont(font);
        const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
        const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
        double x = t.at.x;
        if (t.anchor == drawing::Anchor::Middle) x -= width / 2;
        if (t.anchor == drawing::Anchor::End) x -= width;
        painter.drawText(QPointF(x, t.at.y), text);
    }
    painter.restore();
}

} // namespace tessera
