#include "plot_recording.h"

#include <QFontMetrics>
#include <QHash>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>
#include <memory>

namespace tessera::plot {
namespace {

struct CachedFont {
    FontSpec wanted;
    QFont font;
    QFontMetrics metrics;
    // A plot writes the same few labels again and again; measuring one
    // shapes it each time.
    QHash<QString, int> widths;

    int width(const QString& text) {
        constexpr qsizetype kMostWidths = 512;
        if (const auto known = widths.constFind(text); known != widths.constEnd()) return *known;
        if (widths.size() >= kMostWidths) widths.clear();
        return widths[text] = metrics.horizontalAdvance(text);
    }
};

// A plot uses two or three fonts; a short list is the whole cache.
std::vector<std::unique_ptr<CachedFont>>& fontCache() {
    static std::vector<std::unique_ptr<CachedFont>> cache;
    return cache;
}

// Fonts must go before the application that owns the font system.
void releaseFonts() { fontCache().clear(); }

CachedFont& cachedFont(const FontSpec& wanted) {
    auto& cache = fontCache();
    for (const auto& entry : cache)
        if (entry->wanted == wanted) return *entry;
    static const bool releasedAtExit = [] {
        qAddPostRoutine(releaseFonts);
        return true;
    }();
    (void)releasedAtExit;
    constexpr std::size_t kLimit = 32;
    if (cache.size() >= kLimit) cache.erase(cache.begin());
    QFont font(wanted.face);
    font.setPixelSize(std::max(1, wanted.height));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight / 10 * 10, 100, 900)));
    cache.push_back(std::make_unique<CachedFont>(CachedFont{wanted, font, QFontMetrics(font), {}}));
    return *cache.back();
}

QPen qtPen(const PenSpec& wanted) {
    if (wanted.style == PenStyle::Invisible) return QPen(Qt::NoPen);
    QPen pen(QColor::fromRgb(wanted.colour), 1, wanted.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

// Rectangle from corner coordinates with the right and bottom edge excluded.
QRect cornerRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void play(QPainter& p, const RectItem& r) {
    const bool outlined = r.pen.style != PenStyle::Invisible;
    // Without an outline the filled area shrinks by one pixel on the right and bottom.
    const QRect area = outlined ? cornerRect(r.left, r.top, r.right, r.bottom)
                                : cornerRect(r.left, r.top, r.right - 1, r.bottom - 1);
    if (area.isEmpty()) return;
    if (!r.brush.hollow) p.fillRect(area, QColor::fromRgb(r.brush.colour));
    if (outlined) {
        p.setPen(qtPen(r.pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

void play(QPainter& p, const LineItem& l) {
    if (l.pen.style == PenStyle::Invisible || l.from == l.to) return;
    QPoint end = l.to;
    // The end pixel belongs to the next line, as with the metafile's LineTo.
    if (l.from.x() == l.to.x()) end.ry() += l.to.y() > l.from.y() ? -1 : 1;
    else if (l.from.y() == l.to.y()) end.rx() += l.to.x() > l.from.x() ? -1 : 1;
    p.setPen(qtPen(l.pen));
    p.drawLine(l.from, end);
}

void play(QPainter& p, const PolylineItem& l) {
    if (l.pen.style == PenStyle::Invisible || l.points.size() < 2) return;
    p.setPen(qtPen(l.pen));
    p.drawPolyline(l.points.data(), static_cast<int>(l.points.size()));
}

void play(QPainter& p, const TextItem& t) { drawText(p, t); }

void play(QPainter& p, const InvertItem& r) { invertRect(p, r.left, r.top, r.right, r.bottom); }

} // namespace

QFont qtFont(const FontSpec& font) { return cachedFont(font).font; }

const QFontMetrics& fontMetrics(const FontSpec& font) { return cachedFont(font).metrics; }

int textWidth(const FontSpec& font, const QString& text) { return cachedFont(font).width(text); }

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int screenPixelHeight(double points) {
    return static_cast<int>(std::lround(points * screenDpi() / 72.0));
}

void invertRect(QPainter& painter, int left, int top, int right, int bottom) {
    const QRect area = cornerRect(left, top, right, bottom);
    if (area.isEmpty()) return;
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(area, Qt::black);
    painter.setCompositionMode(mode);
}

void drawText(QPainter& painter, const TextItem& t) {
    if (t.text.isEmpty()) return;
    CachedFont& f = cachedFont(t.font);
    const bool turned = t.font.escapement % 3600 != 0;
    if (turned) {
        painter.save();
        painter.translate(t.at);
        painter.rotate(-t.font.escapement / 10.0);
    }
    const QPoint origin = turned ? QPoint(0, 0) : t.at;
    if (t.opaque)
        painter.fillRect(QRect(origin, QSize(f.width(t.text), f.metrics.height())),
                         QColor::fromRgb(t.background));
    painter.setFont(f.font);
    painter.setPen(QColor::fromRgb(t.colour));
    painter.drawText(origin + QPoint(0, f.metrics.ascent()), t.text);
    if (turned) painter.restore();
}

void playRecording(const PlotRecording& recording, QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PlotItem& item : recording.items)
        std::visit([&painter](const auto& i) { play(painter, i); }, item);
    painter.restore();
}

} // namespace tessera::plot
