#pragma once
// Reads a placeable Windows metafile (at least everything the plot's writer
// produces: pens, brushes, fonts, rectangles, lines, polylines, text, colour
// inversion) and paints it stretched into a target rectangle on any QPainter:
// the clipboard's renderings and the printed report use it.

#include "plot_recording.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace tessera::plot {

class WmfPicture {
public:
    // Replaces the picture with the file's; false with a message when the
    // file cannot be read or is not a placeable metafile.
    bool load(const QString& path, QString* error = nullptr);
    bool loadBytes(const QByteArray& bytes, QString* error = nullptr);

    bool isNull() const { return bytes_.isEmpty(); }
    // The bounding box of the placeable header, in logical units.
    QRect bounds() const { return bounds_; }
    int unitsPerInch() const { return unitsPerInch_; }
    // The file as read.
    const QByteArray& bytes() const { return bytes_; }
    // What the records draw, in logical units.
    const PlotRecording& recording() const { return recording_; }

    // Paints the picture so that its logical frame fills `target`.
    void paint(QPainter& painter, const QRectF& target) const;
    // The picture at its natural size (one pixel per logical unit).
    QImage toImage() const;

private:
    QByteArray bytes_;
    QRect bounds_;
    QRect frame_;        // window origin and extent when the records set them
    int unitsPerInch_ = 96;
    PlotRecording recording_;
};

} // namespace tessera::plot
