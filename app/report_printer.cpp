#include "report_printer.h"

#include "report_layout.h"

#include "contimage.h"
#include "wmf_reader.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace tessera {

namespace {

const QString kMetafile = QStringLiteral("temp.wmf");

QRectF rectOf(const Box& box) { return QRectF(box.left, box.top, box.width, box.height); }

// Has the plot write its drawing in print colours and stretches it into `box`.
bool printPlot(QPainter& painter, TControlImage& plot, const Box& box, QString* error) {
    plot::WmfPicture picture;
    if (!plot.ExportMetafile(error) || !picture.load(kMetafile, error)) return false;
    picture.paint(painter, rectOf(box));
    return true;
}

PrintOutcome cancelJob(QPrinter& printer, QPainter& painter) {
    printer.abort();
    painter.end();
    return PrintOutcome::MetafileFailed;
}

// The printer's default font, made smaller where the text block would run
// off the page, and without ligatures so that every text prints letter by letter.
void fitTextBlock(QPainter& painter, int maxLineHeight) {
    QFont font = painter.font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(font);
    for (int attempt = 0; attempt < 8 && painter.fontMetrics().height() > maxLineHeight; ++attempt) {
        const double scale = double(maxLineHeight) / painter.fontMetrics().height();
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale * 0.98));
        painter.setFont(font);
    }
}

} // namespace

bool printerUsable(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return printer.isValid() && !printer.printerName().isEmpty();
}

PrintOutcome printReport(QPrinter& printer, TControlImage& resultPlot, const FilterEngine& engine,
                         std::string_view fileName, QString* error) {
    if (!printerUsable(printer)) return PrintOutcome::NoPrinter;
    const int pageWidth = printer.width();
    const int pageHeight = printer.height();
    if (pageWidth <= 0 || pageHeight <= 0) return PrintOutcome::EmptyPage;

    printer.setDocName(QCoreApplication::applicationFilePath());
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::NoPrinter;

    fitTextBlock(painter, maxReportLineHeight(pageHeight));
    const QFontMetrics metrics = painter.fontMetrics();
    const ReportPlacement place = reportPlacement(pageWidth, pageHeight, metrics.height());

    resultPlot.setTitle(QCoreApplication::translate("Report", "Result (dB)"));
    resultPlot.setXlabel(QCoreApplication::translate("Report", "Frequency (Hz)"));
    if (!printPlot(painter, resultPlot, place.topPlot, error)) return cancelJob(printer, painter);

    resultPlot.SetData(filterOverviewBlock(engine.state()));
    resultPlot.setTitle(QCoreApplication::translate("Report", "Filters (dB)"));
    if (!printPlot(painter, resultPlot, place.middlePlot, error)) return cancelJob(printer, painter);

    painter.setPen(Qt::black);
    for (const ReportLine& line : reportTextLines(engine, fileName))
        painter.drawText(0, place.lineY(line.row) + metrics.ascent(), QString::fromStdString(line.text));
    painter.end();
    return PrintOutcome::Printed;
}

} // namespace tessera
