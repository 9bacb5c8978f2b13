#include "pixel_stamps.h"

#include <QHashFunctions>
#include <QPainter>

#include <cstring>
#include <optional>
#include <unordered_map>

namespace tessera::plot {
namespace {

// Painted pixels of one row, relative to the anchor.
struct Run {
    int dx = 0, dy = 0, length = 0;
    std::size_t first = 0;  // into Stamp::pixels
};

struct Stamp {
    bool kept = false;  // false: the painter draws the item every time
    QRect box;          // the painted pixels, relative to the anchor
    std::vector<Run> runs;
    std::vector<QRgb> pixels;
};

// What an item draws, apart from where it is anchored.
struct StampKey {
    bool text = false;
    QPoint delta;  // a line's end relative to its start
    PenSpec pen;
    QString words;
    FontSpec font;
    QRgb colour = 0, background = 0;
    bool operator==(const StampKey&) const = default;
};

struct StampKeyHash {
    std::size_t operator()(const StampKey& k) const {
        return qHashMulti(0, k.text, k.delta.x(), k.delta.y(), static_cast<int>(k.pen.style), k.pen.colour, k.words,
                          k.font.face, k.font.height, k.font.weight, k.colour, k.background);
    }
};

struct Anchored {
    StampKey key;
    QPoint at;
    PlotItem atOrigin;  // the item moved so that its anchor is (0, 0)
    QRect reach;        // where its pixels can go, relative to the anchor
};

// Lines and unturned texts in an opaque cell can be kept; the rest cannot.
std::optional<Anchored> anchoredItem(const PlotItem& item) {
    if (const auto* line = std::get_if<LineItem>(&item)) {
        if (line->pen.style == PenStyle::Invisible || line->from == line->to) return std::nullopt;
        const QPoint delta = line->to - line->from;
        return Anchored{StampKey{false, delta, line->pen, {}, {}, 0, 0}, line->from,
                        LineItem{{0, 0}, delta, line->pen}, QRect(QPoint(0, 0), delta).normalized()};
    }
    if (const auto* t = std::get_if<TextItem>(&item)) {
        if (!t->opaque || t->text.isEmpty() || t->font.escapement % 3600 != 0) return std::nullopt;
        TextItem moved = *t;
        moved.at = {0, 0};
        const QRect cell(0, 0, textWidth(t->font, t->text), fontMetrics(t->font).height());
        return Anchored{StampKey{true, {}, {}, t->text, t->font, t->colour, t->background}, t->at, std::move(moved),
                        cell};
    }
    return std::nullopt;
}

// Draws the item into two scratch images, one black and one white, and keeps
// the pixels that came out the same in both: those the item sets whatever
// lies under them. A pixel that differs from both backgrounds in different
// ways blends with what lies under it, and then the item is not kept.
Stamp makeStamp(const Anchored& item) {
    const int margin = item.reach.height() / 2 + 4;
    const QRect area = item.reach.adjusted(-margin, -margin, margin, margin);
    QImage dark(area.size(), QImage::Format_RGB32), light(area.size(), QImage::Format_RGB32);
    dark.fill(colour::Black);
    light.fill(colour::White);
    PlotItem shifted = item.atOrigin;
    std::visit(
        [&](auto& i) {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, LineItem>) {
                i.from -= area.topLeft();
                i.to -= area.topLeft();
            } else if constexpr (std::is_same_v<T, TextItem>) {
                i.at -= area.topLeft();
            }
        },
        shifted);
    const PlotRecording one{area.width(), area.height(), {shifted}};
    for (QImage* scratch : {&dark, &light}) {
        QPainter painter(scratch);
        playRecording(one, painter);
    }

    Stamp stamp;
    for (int y = 0; y < area.height(); ++y) {
        const auto* d = reinterpret_cast<const QRgb*>(dark.constScanLine(y));
        const auto* l = reinterpret_cast<const QRgb*>(light.constScanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            if (d[x] == colour::Black && l[x] == colour::White) continue;
            const bool edge = x == 0 || y == 0 || x == area.width() - 1 || y == area.height() - 1;
            if (d[x] != l[x] || edge) return Stamp{};
            const QPoint at = QPoint(x, y) + area.topLeft();
            Run* last = stamp.runs.empty() ? nullptr : &stamp.runs.back();
            if (last && last->dy == at.y() && last->dx + last->length == at.x()) ++last->length;
            else stamp.runs.push_back(Run{at.x(), at.y(), 1, stamp.pixels.size()});
            stamp.pixels.push_back(d[x]);
            stamp.box |= QRect(at, QSize(1, 1));
        }
    }
    stamp.kept = !stamp.runs.empty();
    return stamp;
}

const Stamp& stampFor(const Anchored& item) {
    static std::unordered_map<StampKey, Stamp, StampKeyHash> kept;
    // A plot shows a few dozen different marks; a long session of range
    // changes must not make the list grow without end.
    constexpr std::size_t kMostStamps = 1024;
    if (const auto found = kept.find(item.key); found != kept.end()) return found->second;
    if (kept.size() >= kMostStamps) kept.clear();
    return kept.emplace(item.key, makeStamp(item)).first->second;
}

bool stampInto(const Stamp& stamp, QPoint at, QImage& image) {
    // The kept pixels are those of a 32-bit image without alpha.
    if (!stamp.kept || image.format() != QImage::Format_RGB32 || !image.rect().contains(stamp.box.translated(at)))
        return false;
    uchar* bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    for (const Run& run : stamp.runs)
        std::memcpy(bits + (at.y() + run.dy) * line + (at.x() + run.dx) * 4, stamp.pixels.data() + run.first,
                    static_cast<std::size_t>(run.length) * 4);
    return true;
}

} // namespace

int playRecordingStamped(const PlotRecording& recording, QImage& image) {
    int copied = 0;
    std::optional<QPainter> painter;
    for (const PlotItem& item : recording.items) {
        if (const std::optional<Anchored> anchored = anchoredItem(item)) {
            const Stamp& stamp = stampFor(*anchored);
            // The painter writes into the image as it goes; it is closed
            // before pixels are copied in, so the order of items holds.
            if (stamp.kept) painter.reset();
            if (stampInto(stamp, anchored->at, image)) {
                ++copied;
                continue;
            }
        }
        if (!painter) painter.emplace(&image);
        playRecording(PlotRecording{recording.width, recording.height, {item}}, *painter);
    }
    return copied;
}

} // namespace tessera::plot
