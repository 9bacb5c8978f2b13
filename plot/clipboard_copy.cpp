#include "clipboard_copy.h"

#include "contimage.h"
#include "wmf_reader.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

namespace tessera::plot {

QByteArray pictureSvg(const WmfPicture& picture) {
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture.bounds().size());
    generator.setViewBox(QRect(QPoint(0, 0), picture.bounds().size()));
    generator.setResolution(picture.unitsPerInch());
    generator.setTitle(QStringLiteral("Plot"));
    {
        QPainter painter(&generator);
        picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(picture.bounds().size())));
    }
    return svg;
}

QMimeData* pictureMimeData(const WmfPicture& picture) {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kWmfMimeType), picture.bytes());
    mime->setData(QString::fromLatin1(kSvgMimeType), pictureSvg(picture));
    mime->setImageData(picture.toImage());
    return mime;
}

bool copyPlotToClipboard(TControlImage& plot, QString* error) {
    const bool exported = plot.ExportMetafile(error);
    // The screen shows screen colours again whatever became of the file.
    plot.Redraw();
    if (!exported) return false;
    WmfPicture picture;
    if (!picture.load(QString::fromLatin1(PlotSurface::kMetafileName), error)) return false;
    QGuiApplication::clipboard()->setMimeData(pictureMimeData(picture));
    return true;
}

} // namespace tessera::plot
