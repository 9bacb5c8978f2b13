#pragma once
// Record numbers and constants of the Windows metafile format shared by the
// writer and the reader.

#include <cstdint>

namespace tessera::plot::wmf {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableHeaderBytes = 22;
constexpr int kHeaderWords = 9;
constexpr std::uint16_t kVersion = 0x0300;

enum Function : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkColor = 0x0201,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetTextAlign = 0x012E,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PatBlt = 0x061D,
    ExtTextOut = 0x0A32,
    // Records that create objects the plot never uses but that take a slot
    // in the object table.
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    DibCreatePatternBrush = 0x0142,
    CreateRegion = 0x06FF,
};

enum PenStyleCode : std::uint16_t { PsSolid = 0, PsDot = 2, PsNull = 5 };
enum BrushStyleCode : std::uint16_t { BsSolid = 0, BsNull = 1 };
enum BkModeCode : std::uint16_t { Transparent = 1, Opaque = 2 };
constexpr std::uint16_t kMmText = 1;
constexpr std::uint16_t kR2CopyPen = 13;
constexpr std::uint32_t kDstInvert = 0x00550009;
constexpr std::uint16_t kTaUpdateCp = 0x0001;
constexpr std::uint16_t kTaBaseline = 0x0018;
constexpr std::uint16_t kTaBottom = 0x0008;
constexpr std::uint16_t kTaCenter = 0x0006;
constexpr std::uint16_t kTaRight = 0x0002;
constexpr std::uint16_t kEtoOpaque = 0x0002;
constexpr std::uint16_t kEtoClipped = 0x0004;
constexpr int kFaceNameBytes = 32;

// 0x00BBGGRR from an opaque colour and back.
constexpr std::uint32_t colorRef(std::uint32_t argb) {
    return ((argb >> 16) & 0xff) | (argb & 0xff00) | ((argb & 0xff) << 16);
}
constexpr std::uint32_t fromColorRef(std::uint32_t ref) {
    return 0xff000000u | ((ref & 0xff) << 16) | (ref & 0xff00) | ((ref >> 16) & 0xff);
}

} // namespace tessera::plot::wmf
