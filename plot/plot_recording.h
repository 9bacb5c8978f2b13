#pragma once
// A recorded drawing: the few things a plot is made of, in drawing order, with
// the meaning of the Windows graphics calls they become in a metafile
// (rectangles exclude their right and bottom edge, text is placed by the
// top-left corner of its cell). A recording is played onto any QPainter: the
// control's bitmap, an SVG generator, a printer page.

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <variant>
#include <vector>

class QPainter;
class QFontMetrics;

namespace tessera::plot {

// The named colours the plot uses.
namespace colour {
constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;
constexpr QRgb Silver = 0xffc0c0c0;
constexpr QRgb Lime = 0xff00ff00;
constexpr QRgb Aqua = 0xff00ffff;
constexpr QRgb Yellow = 0xffffff00;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Fuchsia = 0xffff00ff;
constexpr QRgb Orange = 0xffffa500;
constexpr QRgb Purple = 0xff800080;
constexpr QRgb Green = 0xff008000;
} // namespace colour

enum class PenStyle { Solid, Dot, Invisible };

struct PenSpec {
    PenStyle style = PenStyle::Solid;
    QRgb colour = 0xff000000;
    bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
    bool hollow = false;
    QRgb colour = 0xffffffff;
    bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
    QString face = QStringLiteral("Arial");
    int height = 11;       // character height in pixels
    int escapement = 0;    // text direction in tenths of a degree, counter-clockwise
    int weight = 400;
    bool operator==(const FontSpec&) const = default;
};

// Filled and outlined rectangle covering left .. right-1, top .. bottom-1.
struct RectItem {
    int left = 0, top = 0, right = 0, bottom = 0;
    PenSpec pen;
    BrushSpec brush;
};

// Line from `from` towards `to`, the end pixel excluded.
struct LineItem {
    QPoint from, to;
    PenSpec pen;
};

struct PolylineItem {
    std::vector<QPoint> points;
    PenSpec pen;
};

// Text whose cell has its top-left corner at `at` (turned about that corner
// for a rotated font); with `opaque` the cell is filled with `background`.
struct TextItem {
    QPoint at;
    QString text;
    FontSpec font;
    QRgb colour = 0xff000000;
    bool opaque = true;
    QRgb background = 0xffc0c0c0;
};

// Colour inversion of left .. right-1, top .. bottom-1.
struct InvertItem {
    int left = 0, top = 0, right = 0, bottom = 0;
};

using PlotItem = std::variant<RectItem, LineItem, PolylineItem, TextItem, InvertItem>;

struct PlotRecording {
    int width = 0, height = 0;
    std::vector<PlotItem> items;
};

// The Qt font for a recorded font, and its metrics, cached per font.
QFont qtFont(const FontSpec& font);
const QFontMetrics& fontMetrics(const FontSpec& font);
// The width of a text in a recorded font, as fontMetrics(font) measures it
// (remembered per font).
int textWidth(const FontSpec& font, const QString& text);

// Character height in pixels of a font of `points` at the screen's resolution.
int screenPixelHeight(double points);
// The screen's vertical resolution in dots per inch (96 without a screen).
int screenDpi();

// Plays the items in order onto the painter in its current coordinates.
void playRecording(const PlotRecording& recording, QPainter& painter);

// Inverts the colours of left .. right-1, top .. bottom-1 (drawing it twice
// restores the pixels); also used by the live readout.
void invertRect(QPainter& painter, int left, int top, int right, int bottom);

// Draws one text item; also used by the live readout.
void drawText(QPainter& painter, const TextItem& text);

} // namespace tessera::plot
