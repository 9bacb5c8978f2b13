#include "curve_clip.h"

#include <algorithm>
#include <cmath>

namespace tessera::plot {
namespace {

struct Span {
    double t0 = 0, t1 = 1;
};

// Narrows the span of the segment a + t·d to where p·t <= q holds
// (Liang–Barsky); false when nothing is left.
bool narrow(double p, double q, Span& span) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) span.t0 = std::max(span.t0, t);
    else span.t1 = std::min(span.t1, t);
    return span.t0 <= span.t1;
}

QPoint at(QPoint a, double dx, double dy, double t) {
    return {static_cast<int>(std::lround(a.x() + t * dx)), static_cast<int>(std::lround(a.y() + t * dy))};
}

} // namespace

std::vector<std::vector<QPoint>> clipPolyline(const std::vector<QPoint>& points, const QRect& area) {
    const auto inside = [&](QPoint p) { return area.contains(p); };
    if (std::all_of(points.begin(), points.end(), inside)) return {points};

    std::vector<std::vector<QPoint>> pieces;
    std::vector<QPoint> piece;
    const auto finish = [&] {
        if (piece.size() >= 2) pieces.push_back(std::move(piece));
        piece.clear();
    };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPoint a = points[i], b = points[i + 1];
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        Span span;
        const bool visible = narrow(-dx, a.x() - area.left(), span) && narrow(dx, area.right() - a.x(), span) &&
                             narrow(-dy, a.y() - area.top(), span) && narrow(dy, area.bottom() - a.y(), span);
        if (!visible) {
            finish();
            continue;
        }
        if (span.t0 > 0 || piece.empty()) {
            finish();
            piece.push_back(span.t0 > 0 ? at(a, dx, dy, span.t0) : a);
        }
        piece.push_back(span.t1 < 1 ? at(a, dx, dy, span.t1) : b);
        if (span.t1 < 1) finish();
    }
    finish();
    return pieces;
}

} // namespace tessera::plot
