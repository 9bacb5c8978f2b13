#include "wmf_reader.h"

#include "wmf_format.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>

#include <optional>
#include <variant>

namespace tessera::plot {
namespace {

using namespace wmf;

// Reads little-endian words of one record; reading past its end gives 0.
class RecordReader {
public:
    RecordReader(const std::uint8_t* data, std::size_t words) : data_(data), words_(words) {}
    std::size_t words() const { return words_; }
    std::uint16_t u16(std::size_t i) const {
        return i < words_ ? static_cast<std::uint16_t>(data_[2 * i] | (data_[2 * i + 1] << 8)) : 0;
    }
    int i16(std::size_t i) const { return static_cast<std::int16_t>(u16(i)); }
    std::uint32_t u32(std::size_t i) const { return u16(i) | (static_cast<std::uint32_t>(u16(i + 1)) << 16); }
    QByteArray bytes(std::size_t firstWord, std::size_t count) const {
        const std::size_t available = firstWord < words_ ? 2 * (words_ - firstWord) : 0;
        return QByteArray(reinterpret_cast<const char*>(data_ + 2 * firstWord),
                          static_cast<qsizetype>(std::min(count, available)));
    }

private:
    const std::uint8_t* data_;
    std::size_t words_;
};

struct OtherObject {};
using GdiObject = std::variant<std::monostate, PenSpec, BrushSpec, FontSpec, OtherObject>;

struct DeviceState {
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    QRgb textColour = 0xff000000;
    QRgb background = 0xffffffff;
    bool opaque = true;
    std::uint16_t align = 0;
    QPoint position;
};

class RecordPlayer {
public:
    explicit RecordPlayer(PlotRecording& out) : out_(out) {}
    std::optional<QRect> frame() const {
        if (!extent_) return std::nullopt;
        return QRect(origin_, *extent_);
    }

    // False at the end-of-file record.
    bool play(std::uint16_t function, const RecordReader& r) {
        switch (function) {
        case Eof: return false;
        case SetWindowOrg: origin_ = QPoint(r.i16(1), r.i16(0)); break;
        case SetWindowExt: extent_ = QSize(r.i16(1), r.i16(0)); break;
        case SetBkMode: state_.opaque = r.u16(0) == Opaque; break;
        case SetBkColor: state_.background = fromColorRef(r.u32(0)); break;
        case SetTextColor: state_.textColour = fromColorRef(r.u32(0)); break;
        case SetTextAlign: state_.align = r.u16(0); break;
        case SaveDc: saved_.push_back(state_); break;
        case RestoreDc: restore(r.i16(0)); break;
        case CreatePenIndirect: {
            const std::uint16_t style = r.u16(0) & 0x0f;
            add(PenSpec{style == PsNull ? PenStyle::Invisible : style == PsSolid ? PenStyle::Solid : PenStyle::Dot,
                        fromColorRef(r.u32(3))});
            break;
        }
        case CreateBrushIndirect: add(BrushSpec{r.u16(0) == BsNull, fromColorRef(r.u32(1))}); break;
        case CreateFontIndirect: add(readFont(r)); break;
        case CreatePalette:
        case CreatePatternBrush:
        case DibCreatePatternBrush:
        case CreateRegion: add(OtherObject{}); break;
        case SelectObject: select(r.u16(0)); break;
        case DeleteObject:
            if (r.u16(0) < objects_.size()) objects_[r.u16(0)] = std::monostate{};
            break;
        case MoveTo: state_.position = QPoint(r.i16(1), r.i16(0)); break;
        case LineTo: {
            const QPoint to(r.i16(1), r.i16(0));
            out_.items.emplace_back(LineItem{state_.position, to, state_.pen});
            state_.position = to;
            break;
        }
        case Polyline:
        case Polygon: polyline(r, function == Polygon); break;
        case Rectangle:
            out_.items.emplace_back(RectItem{r.i16(3), r.i16(2), r.i16(1), r.i16(0), state_.pen, state_.brush});
            break;
        case TextOut: {
            const std::size_t length = r.u16(0);
            const std::size_t after = 1 + (length + 1) / 2;
            text(QPoint(r.i16(after + 1), r.i16(after)), r.bytes(1, length));
            break;
        }
        case ExtTextOut: {
            const std::size_t length = r.u16(2);
            const std::uint16_t options = r.u16(3);
            const std::size_t first = (options & (kEtoOpaque | kEtoClipped)) ? 8 : 4;
            text(QPoint(r.i16(1), r.i16(0)), r.bytes(first, length));
            break;
        }
        case PatBlt: patBlt(r); break;
        default: break; // records that do not draw anything the plot uses
        }
        return true;
    }

private:
    static FontSpec readFont(const RecordReader& r) {
        FontSpec font;
        font.height = std::abs(r.i16(0));
        font.escapement = r.i16(2);
        font.weight = r.i16(4) > 0 ? r.i16(4) : 400;
        const QByteArray face = r.bytes(9, kFaceNameBytes);
        font.face = QString::fromLatin1(face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0')));
        if (font.height == 0) font.height = 12;
        return font;
    }

    void add(GdiObject object) {
        for (auto& slot : objects_)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(object);
                return;
            }
        objects_.push_back(std::move(object));
    }

    void select(std::size_t index) {
        if (index >= objects_.size()) return;
        const GdiObject& object = objects_[index];
        if (const auto* pen = std::get_if<PenSpec>(&object)) state_.pen = *pen;
        else if (const auto* brush = std::get_if<BrushSpec>(&object)) state_.brush = *brush;
        else if (const auto* font = std::get_if<FontSpec>(&object)) state_.font = *font;
    }

    void restore(int which) {
        // Negative counts back from the last save, positive names a save level.
        const long long target = which < 0 ? static_cast<long long>(saved_.size()) + which
                                           : static_cast<long long>(which) - 1;
        if (target < 0 || target >= static_cast<long long>(saved_.size())) return;
        state_ = saved_[static_cast<std::size_t>(target)];
        saved_.resize(static_cast<std::size_t>(target));
    }

    void polyline(const RecordReader& r, bool closed) {
        const std::size_t count = std::min<std::size_t>(r.u16(0), (r.words() - 1) / 2);
        PolylineItem line{{}, state_.pen};
        line.points.reserve(count + 1);
        for (std::size_t i = 0; i < count; ++i) line.points.emplace_back(r.i16(1 + 2 * i), r.i16(2 + 2 * i));
        if (closed && !line.points.empty()) line.points.push_back(line.points.front());
        out_.items.emplace_back(std::move(line));
    }

    void text(QPoint at, const QByteArray& bytes) {
        TextItem t{at, QString::fromLatin1(bytes), state_.font, state_.textColour, state_.opaque, state_.background};
        // Other alignments are turned into the top-left placement of a text item.
        const QFontMetrics& m = fontMetrics(t.font);
        if ((state_.align & kTaBaseline) == kTaBaseline) t.at.ry() -= m.ascent();
        else if (state_.align & kTaBottom) t.at.ry() -= m.height();
        if ((state_.align & kTaCenter) == kTaCenter) t.at.rx() -= m.horizontalAdvance(t.text) / 2;
        else if (state_.align & kTaRight) t.at.rx() -= m.horizontalAdvance(t.text);
        out_.items.emplace_back(std::move(t));
    }

    void patBlt(const RecordReader& r) {
        constexpr std::uint32_t kPatCopy = 0x00F00021;
        const int h = r.i16(2), w = r.i16(3), y = r.i16(4), x = r.i16(5);
        if (r.u32(0) == kDstInvert) out_.items.emplace_back(InvertItem{x, y, x + w, y + h});
        else if (r.u32(0) == kPatCopy)
            out_.items.emplace_back(RectItem{x, y, x + w + 1, y + h + 1, PenSpec{PenStyle::Invisible, 0}, state_.brush});
    }

    PlotRecording& out_;
    DeviceState state_;
    std::vector<DeviceState> saved_;
    std::vector<GdiObject> objects_;
    QPoint origin_;
    std::optional<QSize> extent_;
};

bool fail(QString* error, const QString& message) {
    if (error) *error = message;
    return false;
}

} // namespace

bool WmfPicture::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QCoreApplication::translate("Metafile", "Cannot open \"%1\": %2").arg(path, file.errorString()));
    return loadBytes(file.readAll(), error);
}

bool WmfPicture::loadBytes(const QByteArray& bytes, QString* error) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    const RecordReader header(data, std::min<std::size_t>(size, kPlaceableHeaderBytes) / 2);
    if (size < kPlaceableHeaderBytes + 2 * kHeaderWords || header.u32(0) != kPlaceableKey)
        return fail(error, QCoreApplication::translate("Metafile", "Not a placeable metafile."));
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 10; ++i) checksum ^= header.u16(i);
    if (checksum != header.u16(10)) return fail(error, QCoreApplication::translate("Metafile", "The metafile's header checksum is wrong."));

    const RecordReader meta(data + kPlaceableHeaderBytes, kHeaderWords);
    std::size_t offset = kPlaceableHeaderBytes + 2 * static_cast<std::size_t>(std::max<int>(meta.u16(1), kHeaderWords));

    PlotRecording recording;
    RecordPlayer player(recording);
    while (offset + 6 <= size) {
        const RecordReader head(data + offset, 3);
        const std::uint32_t words = head.u32(0);
        if (words < 3 || words > (size - offset) / 2) break;  // damaged: keep what was read
        if (!player.play(head.u16(2), RecordReader(data + offset + 6, words - 3))) break;
        offset += 2 * static_cast<std::size_t>(words);
    }

    bytes_ = bytes;
    bounds_ = QRect(QPoint(header.i16(3), header.i16(4)),
                    QSize(header.i16(5) - header.i16(3), header.i16(6) - header.i16(4)));
    unitsPerInch_ = header.u16(7) ? header.u16(7) : 96;
    frame_ = player.frame().value_or(bounds_);
    recording.width = bounds_.width();
    recording.height = bounds_.height();
    recording_ = std::move(recording);
    return true;
}

void WmfPicture::paint(QPainter& painter, const QRectF& target) const {
    if (isNull() || frame_.width() == 0 || frame_.height() == 0) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / frame_.width(), target.height() / frame_.height());
    painter.translate(-frame_.topLeft());
    playRecording(recording_, painter);
    painter.restore();
}

QImage WmfPicture::toImage() const {
    QImage image(bounds_.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(bounds_.size())));
    return image;
}

} // namespace tessera::plot
