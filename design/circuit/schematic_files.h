#pragma once
// The drawing as files, written by the program itself: SVG with every text
// as a real <text> element (so designators and values can be searched and
// read back), and a one-page PDF 1.4 with the base-14 Helvetica, its lines
// and circles (four Bezier arcs each) as vector paths, page size the
// drawing's. The window's Export and `tessera-design schematic` both use
// these, so both give the same file.

#include "file_outcome.h"
#include "schematic_drawing.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

enum class DrawingFormat { Svg, Pdf };

std::string svgText(const drawing::Drawing& d);
std::string pdfBytes(const drawing::Drawing& d);

// The format a file name asks for by its ending (".svg", ".pdf", any
// letter case); nullopt for anything else.
std::optional<DrawingFormat> drawingFormatFor(std::string_view fileName);

// Writes the drawing with the safe save; Refused with "Kann Datei %s nicht
// erstellen" (the old file left as it was) when it cannot be written.
FileOutcome writeDrawing(const drawing::Drawing& d, DrawingFormat format, const std::string& fileName);

} // namespace tessera
