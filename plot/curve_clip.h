#pragma once
// Curves cut to the plot area. The plot scales by the main curve only, so a
// further curve (op-amp response, tolerance bound, fit preview) can run far
// outside the frame; the metafile has no clipping of its own, so the curve's
// geometry is cut instead, which keeps screen, metafile and print alike.

#include <QPoint>
#include <QRect>

#include <vector>

namespace tessera::plot {

// The pieces of the polyline inside `area` (edges included), in order. A
// polyline wholly inside comes back unchanged as the one piece; where a
// segment crosses an edge it ends or starts at the crossing, rounded to the
// nearest pixel.
std::vector<std::vector<QPoint>> clipPolyline(const std::vector<QPoint>& points, const QRect& area);

} // namespace tessera::plot
