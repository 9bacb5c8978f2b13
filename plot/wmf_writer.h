#pragma once
// Writes a recorded plot as a placeable Windows metafile: the 22-byte
// placeable header, the metafile header, then pens, brushes, fonts,
// rectangles, lines, polylines and text records in drawing order.

#include "plot_recording.h"

#include <QByteArray>
#include <QString>

namespace tessera::plot {

// The metafile bytes of a recording whose logical units are pixels at
// `unitsPerInch`; the bounding box is 0, 0 .. width, height.
QByteArray placeableMetafile(const PlotRecording& recording, int unitsPerInch);

// Writes the bytes to `path`, replacing the file; false with a message on failure.
bool writeMetafileFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace tessera::plot
