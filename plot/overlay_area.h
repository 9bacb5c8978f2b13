#pragma once
// The part of a plot's picture that some of its items cover, as a short list
// of rectangles: a change of the curves or of the dB marks only has to
// restore, redraw and show these pixels, not the whole bitmap.

#include "plot_recording.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace tessera::plot {

// Rectangles inside `bounds` that together hold every pixel the items of
// `overlay` can touch. A curve becomes a chain of boxes along its run: flat
// stretches share one long box, steep ones get narrow boxes of their own.
std::vector<QRect> coveredArea(const PlotRecording& overlay, const QRect& bounds);

// The same pixels (or a few more) in fewer rectangles: neighbours that
// nearly fill their joint box are joined.
std::vector<QRect> fewerRectangles(std::vector<QRect> area);

// Copies the pixels of every rectangle of `area` from `from` into `to`; both
// images have the same size and a 32-bit format.
void copyArea(const QImage& from, QImage& to, const std::vector<QRect>& area);

} // namespace tessera::plot
