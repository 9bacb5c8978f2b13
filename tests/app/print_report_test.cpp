// The printed report, printed to a PDF file through the File menu and read
// back with pdftotext and pdftoppm.
#include "program_fixture.h"
#include "../external_program.h"

#include "document_texts.h"
#include "report_layout.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>

using tessera::GraphWindow;
using tessera::MenuCommand;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Share of pixels in the rows [top, bottom) of `image` that are not white.
double inkShare(const QImage& image, int top, int bottom) {
    qint64 ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) ++ink;
    return double(ink) / (double(image.width()) * (bottom - top));
}

} // namespace

class PrintReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    QString printToPdf(const char* name) {
        const QString pdf = QString::fromStdString(f->path(name));
        f->frame().printer().setOutputFormat(QPrinter::PdfFormat);
        f->frame().printer().setOutputFileName(pdf);
        f->trigger(MenuCommand::Print);
        return pdf;
    }

private slots:
    void initTestCase() {
        for (const QString& missing :
             {missingProgram(PDFTOTEXT_PATH, PDFTOTEXT_PACKAGE), missingProgram(PDFTOPPM_PATH, PDFTOPPM_PACKAGE)})
            QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void reportOfTheStartUpValues() {
        const QString pdf = printToPdf("report.pdf");
        QVERIFY(f->prompts.errors.empty());
        QVERIFY(QFile::exists(pdf));
        const QString text = run(PDFTOTEXT_PATH, {"-layout", pdf, "-"});
        QVERIFY(!text.isEmpty());
        for (const tessera::ReportLine& line : tessera::reportTextLines(f->program->engine(), "")) {
            const QString expected = QString::fromStdString(line.text).simplified();
            QVERIFY2(text.simplified().contains(expected), qPrintable(expected));
        }
        QCOMPARE(text.count("E24 - Setting"), 4); // the last line is on the page too
        QVERIFY(text.contains("Gain: -0.55;"));
        // The plots' own texts come from the metafiles.
        QVERIFY(text.contains("Result (dB)"));
        QVERIFY(text.contains("Filters (dB)"));
        QVERIFY(QFile::exists("temp.wmf"));
    }

    void plotsFillTheTopAndMiddleThirds() {
        const QString pdf = printToPdf("plots.pdf");
        const QString prefix = QString::fromStdString(f->path("page"));
        run(PDFTOPPM_PATH, {"-r", "40", "-png", "-singlefile", pdf, prefix});
        QImage page(prefix + ".png");
        QVERIFY(!page.isNull());
        const int third = page.height() / 3;
        QVERIFY(inkShare(page, 0, third) > 0.005);
        QVERIFY(inkShare(page, third, 2 * third) > 0.005);
        // Between the plots' frames lies white page: each plot is drawn inside its third.
        QVERIFY(inkShare(page, 2 * third + 2, 2 * third + third / 20) < 0.001);
    }

    void reportOfALoadedFile() {
        const std::string name = f->path("loaded.tsn");
        f->bank().section(3).GainFactor = 1;
        f->bank().section(3).Frequency = 1000;
        f->program->engine().refreshPage(3);
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        f->trigger(MenuCommand::New);
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::Open);

        const QString text = run(PDFTOTEXT_PATH, {printToPdf("loaded.pdf"), "-"});
        QVERIFY(text.contains(QString::fromStdString("Configuration: " + name)));
        const QString gainLine = QString::fromStdString(tessera::reportFrequencyLine(f->bank(), 3, '.'));
        QVERIFY(gainLine.contains("Gain: -"));
        QVERIFY2(text.simplified().contains(gainLine.simplified()), qPrintable(gainLine));
    }

    void resultPlotIsRestoredAfterwards() {
        printToPdf("restore.pdf");
        TControlImage* result = f->plot(GraphWindow::Result);
        QCOMPARE(result->title(), QStringLiteral("Result (dB)"));
        QCOMPARE(result->FullData().rows(), 2);
        QCOMPARE(f->bank().Modified, 1);
        QVERIFY(f->window("Result")->isMaximized());
    }

    void noUsablePrinterShowsAnErrorAndRestores() {
        f->frame().printer().setOutputFormat(QPrinter::PdfFormat);
        f->frame().printer().setOutputFileName(QString());
        f->trigger(MenuCommand::Print);
        QCOMPARE(f->prompts.errors, std::vector<std::string>{tessera::noPrinterText()});
        QCOMPARE(f->plot(GraphWindow::Result)->title(), QStringLiteral("Result (dB)"));
        QCOMPARE(f->bank().Modified, 1);
    }

    void unwritableMetafileCancelsTheJob() {
        const QString pdf = QString::fromStdString(f->path("cancelled.pdf"));
        QDir().mkdir(QString::fromStdString(f->path("temp.wmf"))); // a folder where the file should go
        printToPdf("cancelled.pdf");
        QCOMPARE(f->prompts.errors.size(), std::size_t(1));
        QCOMPARE(f->plot(GraphWindow::Result)->title(), QStringLiteral("Result (dB)"));
        QCOMPARE(f->plot(GraphWindow::Result)->FullData().rows(), 2);
        Q_UNUSED(pdf);
    }
};

QTEST_MAIN(PrintReportTest)
#include "print_report_test.moc"
