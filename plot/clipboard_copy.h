#pragma once
// Copy: puts a plot on the clipboard as it is printed (white background,
// black frame and main curve), through the metafile file "temp.wmf": the
// plot exports it, is redrawn in screen colours, and the file is read back.
// The clipboard gets the metafile bytes ("image/x-wmf"), the same drawing as
// SVG ("image/svg+xml") and as a bitmap, so it pastes into office programs,
// vector editors and image editors.

#include <QByteArray>
#include <QString>

class TControlImage;
class QMimeData;

namespace tessera::plot {

class WmfPicture;

inline constexpr const char* kWmfMimeType = "image/x-wmf";
inline constexpr const char* kSvgMimeType = "image/svg+xml";

// False with the file error when "temp.wmf" cannot be written or read; the
// clipboard then keeps its contents.
bool copyPlotToClipboard(TControlImage& plot, QString* error = nullptr);

// The clipboard contents for a picture read from a metafile.
QMimeData* pictureMimeData(const WmfPicture& picture);
// The picture as an SVG document of its natural size.
QByteArray pictureSvg(const WmfPicture& picture);

} // namespace tessera::plot
