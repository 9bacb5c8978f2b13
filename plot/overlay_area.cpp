#include "overlay_area.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>
#include <optional>

namespace tessera::plot {
namespace {

long long areaOf(const QRect& r) { return static_cast<long long>(r.width()) * r.height(); }

// The box of two corners, with a margin around it, inside `bounds`.
QRect box(QPoint a, QPoint b, int margin, const QRect& bounds) {
    return QRect(a, b).normalized().adjusted(-margin, -margin, margin, margin) & bounds;
}

constexpr long long kSlack = 512;  // pixels a join may waste: fewer boxes beat a tight fit

// True when the joint box of a and b covers little more than they do.
bool worthJoining(const QRect& a, const QRect& b) {
    return areaOf(a | b) <= areaOf(a) + areaOf(b) + kSlack;
}

// Joins the boxes of a polyline's segments while the joined box stays close
// to the pixels it stands for; a new box starts where joining would cover
// much more than the two boxes do.
void addCurve(const std::vector<QPoint>& points, const QRect& bounds, std::vector<QRect>& out) {
    QRect current;
    for (std::size_t i = 1; i < points.size(); ++i) {
        // A one-pixel pen stays inside the box of its end points; one pixel
        // more on each side leaves room for how the end pixel is rounded.
        const QRect segment = box(points[i - 1], points[i], 1, bounds);
        if (segment.isEmpty()) continue;
        if (current.isEmpty()) {
            current = segment;
            continue;
        }
        if (worthJoining(current, segment)) {
            current |= segment;
        } else {
            out.push_back(current);
            current = segment;
        }
    }
    if (!current.isEmpty()) out.push_back(current);
}

// The cell of a text with room for glyphs that reach past it.
std::optional<QRect> textArea(const TextItem& t, const QRect& bounds) {
    if (t.font.escapement % 3600 != 0) return std::nullopt;
    const QFontMetrics& m = fontMetrics(t.font);
    const int margin = m.height() / 4 + 2;
    return box(t.at, t.at + QPoint(textWidth(t.font, t.text), m.height()), margin, bounds);
}

} // namespace

std::vector<QRect> coveredArea(const PlotRecording& overlay, const QRect& bounds) {
    std::vector<QRect> out;
    const auto add = [&](const QRect& r) {
        if (!r.isEmpty()) out.push_back(r);
    };
    for (const PlotItem& item : overlay.items) {
        if (const auto* curve = std::get_if<PolylineItem>(&item)) {
            addCurve(curve->points, bounds, out);
        } else if (const auto* line = std::get_if<LineItem>(&item)) {
            // A level or upright line at whole coordinates covers exactly its
            // own row or column (a grid line that moves leaves one row to restore).
            const bool straight = line->from.x() == line->to.x() || line->from.y() == line->to.y();
            add(box(line->from, line->to, straight ? 0 : 1, bounds));
        } else if (const auto* r = std::get_if<RectItem>(&item)) {
            add(box({r->left, r->top}, {r->right, r->bottom}, 0, bounds));
        } else if (const auto* inverted = std::get_if<InvertItem>(&item)) {
            add(box({inverted->left, inverted->top}, {inverted->right, inverted->bottom}, 0, bounds));
        } else if (const auto* text = std::get_if<TextItem>(&item)) {
            const std::optional<QRect> area = textArea(*text, bounds);
            if (!area) return {bounds};  // turned text may go anywhere
            add(*area);
        }
    }
    return out;
}

std::vector<QRect> fewerRectangles(std::vector<QRect> area) {
    std::sort(area.begin(), area.end(),
              [](const QRect& a, const QRect& b) { return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left()); });
    // Sorted by their top rows, neighbours lie near the end of the list.
    constexpr std::size_t kLookBack = 8;
    std::vector<QRect> out;
    for (const QRect& r : area) {
        bool joined = false;
        for (std::size_t k = out.size(); k > 0 && k + kLookBack > out.size() && !joined; --k) {
            if (worthJoining(out[k - 1], r)) {
                out[k - 1] |= r;
                joined = true;
            }
        }
        if (!joined) out.push_back(r);
    }
    return out;
}

void copyArea(const QImage& from, QImage& to, const std::vector<QRect>& area) {
    const QRect bounds = from.rect() & to.rect();
    const qsizetype fromLine = from.bytesPerLine(), toLine = to.bytesPerLine();
    const uchar* source = from.constBits();
    uchar* target = to.bits();
    for (const QRect& wanted : area) {
        const QRect r = wanted & bounds;
        if (r.isEmpty()) continue;
        const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(target + y * toLine + r.left() * 4, source + y * fromLine + r.left() * 4, bytes);
    }
}

} // namespace tessera::plot
