#pragma once
// The dB marks of a plot move whenever the curve's range moves, and drawing
// their dotted grid lines and labels through a painter costs the painter's
// whole setup, pen stroking and text shaping for every one of them. The same
// few items come back at other rows again and again, so the pixels an item
// paints are kept the first time, relative to where it is anchored, and
// copied where it goes next.
//
// Only items whose pixels do not depend on what lies under them are kept:
// aliased lines and texts in an opaque cell. An item that blends with the
// pixels around it (a glyph reaching past its cell, say) is drawn by the
// painter every time, so the result always equals playing the recording.

#include "plot_recording.h"

#include <QImage>

namespace tessera::plot {

// Plays the items in order into a 32-bit image, as playRecording does onto a
// painter of that image, copying kept pixels for lines and texts. Returns how
// many items were copied rather than painted.
int playRecordingStamped(const PlotRecording& recording, QImage& image);

} // namespace tessera::plot
