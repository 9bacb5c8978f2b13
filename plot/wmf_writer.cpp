#include "wmf_writer.h"

#include "wmf_format.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace tessera::plot {
namespace {

using namespace wmf;

std::uint16_t word(int value) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(value, -32768, 32767)));
}

void appendWord(QByteArray& out, std::uint16_t w) {
    out.append(static_cast<char>(w & 0xff));
    out.append(static_cast<char>(w >> 8));
}

void appendDword(QByteArray& out, std::uint32_t d) {
    appendWord(out, static_cast<std::uint16_t>(d & 0xffff));
    appendWord(out, static_cast<std::uint16_t>(d >> 16));
}

// Bytes padded to an even count, stored as WORDs.
void appendBytes(std::vector<std::uint16_t>& params, const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>(bytes[i]);
        const auto hi = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : std::uint8_t{0};
        params.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
}

void appendDwordParam(std::vector<std::uint16_t>& params, std::uint32_t d) {
    params.push_back(static_cast<std::uint16_t>(d & 0xffff));
    params.push_back(static_cast<std::uint16_t>(d >> 16));
}

class MetafileWriter {
public:
    explicit MetafileWriter(const PlotRecording& rec) {
        record(SetWindowOrg, {0, 0});
        record(SetWindowExt, {word(rec.height), word(rec.width)});
        record(SetBkMode, {Opaque});
        record(SetTextAlign, {0});
        record(SetRop2, {kR2CopyPen});
        for (const PlotItem& item : rec.items) std::visit([this](const auto& i) { write(i); }, item);
    }

    QByteArray finish(const PlotRecording& rec, int unitsPerInch) {
        record(Eof, {});
        QByteArray out;
        // Placeable header; its checksum is the XOR of its first ten WORDs.
        QByteArray placeable;
        appendDword(placeable, kPlaceableKey);
        appendWord(placeable, 0);
        for (int v : {0, 0, rec.width, rec.height}) appendWord(placeable, word(v));
        appendWord(placeable, static_cast<std::uint16_t>(unitsPerInch));
        appendDword(placeable, 0);
        std::uint16_t checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(placeable[i]) |
                                                   (static_cast<std::uint8_t>(placeable[i + 1]) << 8));
        appendWord(placeable, checksum);
        out += placeable;

        appendWord(out, 1);
        appendWord(out, kHeaderWords);
        appendWord(out, kVersion);
        appendDword(out, static_cast<std::uint32_t>(kHeaderWords + body_.size() / 2));
        appendWord(out, static_cast<std::uint16_t>(std::max<std::size_t>(1, slots_.size())));
        appendDword(out, maxRecord_);
        appendWord(out, 0);
        out += body_;
        return out;
    }

private:
    void record(Function function, const std::vector<std::uint16_t>& params) {
        const auto words = static_cast<std::uint32_t>(3 + params.size());
        maxRecord_ = std::max(maxRecord_, words);
        appendDword(body_, words);
        appendWord(body_, function);
        for (std::uint16_t p : params) appendWord(body_, p);
    }

    // A created object takes the lowest free slot of the object table.
    int create(Function function, const std::vector<std::uint16_t>& params) {
        record(function, params);
        auto free = std::find(slots_.begin(), slots_.end(), false);
        if (free == slots_.end()) free = slots_.insert(slots_.end(), false);
        *free = true;
        return static_cast<int>(free - slots_.begin());
    }

    // Selects a freshly created object and frees the one it replaces.
    void replace(std::optional<int>& current, int created) {
        record(SelectObject, {static_cast<std::uint16_t>(created)});
        if (current) {
            record(DeleteObject, {static_cast<std::uint16_t>(*current)});
            slots_[static_cast<std::size_t>(*current)] = false;
        }
        current = created;
    }

    void usePen(const PenSpec& pen) {
        if (penSlot_ && pen == pen_) return;
        const std::uint16_t style = pen.style == PenStyle::Solid ? PsSolid
                                    : pen.style == PenStyle::Dot ? PsDot
                                                                 : PsNull;
        std::vector<std::uint16_t> params{style, 1, 0};
        appendDwordParam(params, colorRef(pen.colour));
        replace(penSlot_, create(CreatePenIndirect, params));
        pen_ = pen;
    }

    void useBrush(const BrushSpec& brush) {
        if (brushSlot_ && brush == brush_) return;
        std::vector<std::uint16_t> params{brush.hollow ? BsNull : BsSolid};
        appendDwordParam(params, colorRef(brush.colour));
        params.push_back(0);
        replace(brushSlot_, create(CreateBrushIndirect, params));
        brush_ = brush;
    }

    void useFont(const FontSpec& font) {
        if (fontSlot_ && font == font_) return;
        std::vector<std::uint16_t> params{word(-font.height), 0, word(font.escapement), word(font.escapement),
                                          word(font.weight)};
        // italic, underline, strike-out, charset ANSI; precisions, quality, pitch and family.
        params.push_back(0);
        params.push_back(0);
        params.push_back(0);
        params.push_back(0);
        QByteArray face = font.face.toLatin1().left(kFaceNameBytes - 1);
        face.resize(kFaceNameBytes, '\0');
        appendBytes(params, face);
        replace(fontSlot_, create(CreateFontIndirect, params));
        font_ = font;
    }

    void write(const RectItem& r) {
        usePen(r.pen);
        useBrush(r.brush);
        record(Rectangle, {word(r.bottom), word(r.right), word(r.top), word(r.left)});
    }

    void write(const LineItem& l) {
        usePen(l.pen);
        record(MoveTo, {word(l.from.y()), word(l.from.x())});
        record(LineTo, {word(l.to.y()), word(l.to.x())});
    }

    void write(const PolylineItem& l) {
        usePen(l.pen);
        // A record counts its points in one WORD; long curves go in pieces
        // that share their end points.
        constexpr std::size_t kPiece = 8000;
        for (std::size_t start = 0; start + 1 < l.points.size(); start += kPiece - 1) {
            const std::size_t end = std::min(l.points.size(), start + kPiece);
            std::vector<std::uint16_t> params{static_cast<std::uint16_t>(end - start)};
            for (std::size_t i = start; i < end; ++i) {
                params.push_back(word(l.points[i].x()));
                params.push_back(word(l.points[i].y()));
            }
            record(Polyline, params);
        }
    }

    void write(const TextItem& t) {
        useFont(t.font);
        if (!textColour_ || *textColour_ != t.colour) {
            std::vector<std::uint16_t> params;
            appendDwordParam(params, colorRef(t.colour));
            record(SetTextColor, params);
            textColour_ = t.colour;
        }
        if (opaque_ != t.opaque) {
            record(SetBkMode, {t.opaque ? Opaque : Transparent});
            opaque_ = t.opaque;
        }
        if (t.opaque && (!background_ || *background_ != t.background)) {
            std::vector<std::uint16_t> params;
            appendDwordParam(params, colorRef(t.background));
            record(SetBkColor, params);
            background_ = t.background;
        }
        const QByteArray bytes = t.text.toLatin1().left(0x7fff);
        std::vector<std::uint16_t> params{static_cast<std::uint16_t>(bytes.size())};
        appendBytes(params, bytes);
        params.push_back(word(t.at.y()));
        params.push_back(word(t.at.x()));
        record(TextOut, params);
    }

    void write(const InvertItem& r) {
        std::vector<std::uint16_t> params;
        appendDwordParam(params, kDstInvert);
        for (int v : {r.bottom - r.top, r.right - r.left, r.top, r.left}) params.push_back(word(v));
        record(PatBlt, params);
    }

    QByteArray body_;
    std::uint32_t maxRecord_ = 0;
    std::vector<bool> slots_;
    std::optional<int> penSlot_, brushSlot_, fontSlot_;
    PenSpec pen_;
    BrushSpec brush_;
    FontSpec font_;
    std::optional<QRgb> textColour_, background_;
    bool opaque_ = true;
};

} // namespace

QByteArray placeableMetafile(const PlotRecording& recording, int unitsPerInch) {
    MetafileWriter writer(recording);
    return writer.finish(recording, unitsPerInch);
}

bool writeMetafileFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    if (error) *error = QCoreApplication::translate("Metafile", "Cannot write \"%1\": %2").arg(path, file.errorString());
    return false;
}

} // namespace tessera::plot
