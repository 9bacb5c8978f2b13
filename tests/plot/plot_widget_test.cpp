// The plot control and the graph windows driven as a user drives them: real
// mouse events on the widgets, windows found by name, Copy to the clipboard.

#include "clipboard_copy.h"
#include "contimage.h"
#include "graph_window.h"
#include "plot_test_data.h"
#include "recording_query.h"
#include "regional.h"
#include "wmf_reader.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QtTest>

using namespace tessera;
using namespace tessera::plot;
using plot_test::itemsOf;

namespace {

constexpr QRgb kBlack = colour::Black;
constexpr QRgb kWhite = colour::White;
// A pixel of the plot area clear of grid lines and curve (500 x 500, ramp data).
const QPoint kClearPixel(250, 400);

void leftClick(QWidget* w, int x, int y = 250) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(x, y)); }

// A pointer move delivered through the plot's window. Moving a widget's
// pointer moves the real cursor instead, whose motion an X server reports
// only later, so a test could look before the move arrived.
void movePointer(QWidget* toplevel, QPoint at) { QTest::mouseMove(toplevel->windowHandle(), at); }

} // namespace

class PlotWidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TControlImage> shownPlot() {
        auto plot = std::make_unique<TControlImage>();
        plot->SetData(plot_test::rampBlock());
        plot->show();
        // Pointer events reach a window only once the window system shows it.
        if (!QTest::qWaitForWindowExposed(plot.get())) qFatal("the plot window was never exposed");
        return plot;
    }

private slots:
    void initTestCase() { setDecimalSeparator('.'); }

    void clicksAtColumns51And52PlaceMarkersOnGridPoints0And1() {
        auto plot = shownPlot();
        leftClick(plot.get(), 51);
        QCOMPARE(plot->markers().index1, 0);
        QCOMPARE(plot->markers().frequency1, 20.0);
        QCOMPARE(plot->markers().frequency2, 0.0);
        leftClick(plot.get(), 52);
        QCOMPARE(plot->markers().index2, 1);
        QVERIFY(std::abs(plot->markers().frequency2 - 20.549) < 0.0005);
    }

    void secondClickLeftOfFirstSwapsAndInvertsTheBand() {
        auto plot = shownPlot();
        QCOMPARE(plot->Picture().pixel(kClearPixel), kBlack);
        leftClick(plot.get(), 300);
        leftClick(plot.get(), 200);
        QCOMPARE(plot->markers().column1, 200);
        QCOMPARE(plot->markers().column2, 300);
        QVERIFY(plot->markers().frequency1 < plot->markers().frequency2);
        QCOMPARE(plot->Picture().pixel(kClearPixel), kWhite);

        // A third click changes nothing; nor do clicks on the frame or in a margin.
        const MarkerState before = plot->markers();
        leftClick(plot.get(), 400);
        QCOMPARE(plot->markers().column2, before.column2);
        QCOMPARE(plot->Picture().pixel(kClearPixel), kWhite);
    }

    void clicksOnTheFrameOrInAMarginPlaceNoMarker() {
        auto plot = shownPlot();
        leftClick(plot.get(), 50);
        leftClick(plot.get(), 30);
        leftClick(plot.get(), 300, 450);
        leftClick(plot.get(), 300, 20);
        QVERIFY(!plot->markers().firstPlaced);
        QCOMPARE(plot->markers().frequency1, 0.0);
    }

    void shiftRightClickKeepsMarkersPlainRightClickClears() {
        auto plot = shownPlot();
        leftClick(plot.get(), 200);
        leftClick(plot.get(), 300);
        QTest::mouseClick(plot.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(250, 250));
        QVERIFY(plot->markers().bothSet());
        QCOMPARE(plot->Picture().pixel(kClearPixel), kWhite);
        // Anywhere on the control, margins included.
        QTest::mouseClick(plot.get(), Qt::RightButton, {}, QPoint(10, 480));
        QVERIFY(!plot->markers().bothSet());
        QVERIFY(!plot->markers().firstPlaced);
        QCOMPARE(plot->Picture().pixel(kClearPixel), kBlack);
    }

    void readoutFollowsThePointerWithoutRedrawing() {
        auto plot = shownPlot();
        const QImage clean = plot->Picture().copy();
        movePointer(plot.get(), QPoint(51, 250));
        QCOMPARE(plot->lastReadout().gridIndex, 1);
        QCOMPARE(plot->lastReadout().frequency, QString("20.35   Hz"));
        QCOMPARE(plot->lastReadout().gain, QString("-4.60 dB"));
        QCOMPARE(plot->lastReadout().curveValue, QString("-12.24"));
        QCOMPARE(plot->lastReadout().gridLabel, QString("20.5"));
        QCOMPARE(plot->cursor().shape(), Qt::CrossCursor);
        // The vertical line at the pointer column is the plot inverted.
        QCOMPARE(plot->Picture().pixel(51, 300), ~clean.pixel(51, 300) | 0xff000000);

        // Moving on erases the old lines by inverting them again.
        movePointer(plot.get(), QPoint(300, 250));
        QCOMPARE(plot->Picture().pixel(51, 300), clean.pixel(51, 300));
        QCOMPARE(plot->Picture().pixel(300, 300), ~clean.pixel(300, 300) | 0xff000000);
        // The drawing itself was not redone: the plot area away from the lines is as it was.
        QCOMPARE(plot->Picture().copy(60, 60, 200, 100), clean.copy(60, 60, 200, 100));

        movePointer(plot.get(), QPoint(20, 250));
        QCOMPARE(plot->cursor().shape(), Qt::ArrowCursor);
    }

    void curveValueTurnsVerticalInANarrowMargin() {
        auto plot = shownPlot();
        movePointer(plot.get(), QPoint(300, 250));
        QVERIFY(!plot->lastReadout().verticalCurveValue);
        plot->resize(150, 500);  // right margin of 15 pixels
        movePointer(plot.get(), QPoint(100, 250));
        QVERIFY(plot->lastReadout().verticalCurveValue);
    }

    void zoomShowsTheBandAndZoomOutRestores() {
        auto plot = shownPlot();
        plot->ZoomOut();  // without a zoom: the same picture
        QCOMPARE(plot->ViewData().bytes(), plot->FullData().bytes());
        leftClick(plot.get(), 150);
        leftClick(plot.get(), 350);
        const int k = plot->markers().index2 - plot->markers().index1;
        plot->ZoomIn();
        QVERIFY(plot->zoomed());
        QCOMPARE(plot->ViewData().count(), k);
        QCOMPARE(itemsOf<PolylineItem>(plot->recording()).at(0).points.size(), std::size_t(k));
        plot->ZoomOut();
        QVERIFY(!plot->zoomed());
        QCOMPARE(plot->ViewData().bytes(), plot->FullData().bytes());
        QVERIFY(plot->markers().bothSet());
    }

    void narrowZoomRefusesFurtherZoomAndReadout() {
        auto plot = shownPlot();
        leftClick(plot.get(), 51);
        leftClick(plot.get(), 51);  // both markers on grid point 0
        plot->ZoomIn();
        QVERIFY(!plot->zoomed());

        QTest::mouseClick(plot.get(), Qt::RightButton, {}, QPoint(250, 250));
        leftClick(plot.get(), 51);
        leftClick(plot.get(), 56);  // grid points 0 and 3
        plot->ZoomIn();
        QCOMPARE(plot->ViewData().count(), 3);
        const QByteArray view(reinterpret_cast<const char*>(plot->ViewData().bytes().data()),
                              static_cast<qsizetype>(plot->ViewData().size()));
        plot->ZoomIn();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(plot->ViewData().bytes().data()),
                            static_cast<qsizetype>(plot->ViewData().size())), view);
        const QImage before = plot->Picture().copy();
        movePointer(plot.get(), QPoint(250, 250));
        QCOMPARE(plot->Picture(), before);
    }

    void graphWindowsAreNamedAndFilled() {
        QMdiArea area;
        GraphWindows windows(&area);
        area.resize(1000, 800);
        area.show();
        const QStringList names{"Filter1", "Filter2", "Filter3", "Filter4", "Import", "Result"};
        QCOMPARE(area.subWindowList(QMdiArea::CreationOrder).size(), 6);
        for (int i = 0; i < 6; ++i) {
            auto* w = area.subWindowList(QMdiArea::CreationOrder).at(i);
            QCOMPARE(w->objectName(), names[i]);
            QCOMPARE(w->windowTitle(), names[i]);
            QCOMPARE(w->font().family(), QString("MS Sans Serif"));
            QCOMPARE(w->font().pixelSize(), 13);
            auto* plot = w->findChild<TControlImage*>("ControlImage1");
            QVERIFY(plot);
            QCOMPARE(plot->title(), QString("Title"));
            QCOMPARE(plot->xlabel(), QString("xLabel"));
            QCOMPARE(plot, windows.windows()[static_cast<std::size_t>(i)]->ControlImage1());
        }
        QCOMPARE(windows.window(GraphWindow::Filter3)->section(), 3);
        QCOMPARE(windows.window(GraphWindow::Result)->section(), 0);

        GraphPlotSink sink(windows);
        const PlotData block = plot_test::rampBlock();
        sink.setData(GraphWindow::Filter2, block);
        QVERIFY(windows.plot(GraphWindow::Filter2)->FullData().bytes() == block.bytes());
        QVERIFY(windows.plot(GraphWindow::Filter1)->FullData().bytes() != block.bytes());
    }

    void resizingAWindowRedrawsItsPlotAtTheClientSize() {
        QMdiArea area;
        GraphWindows windows(&area);
        area.resize(1000, 800);
        area.show();
        TGraphWindow* result = windows.window(GraphWindow::Result);
        TControlImage* plot = result->ControlImage1();
        result->resize(result->size() - plot->size() + QSize(300, 200));
        QCOMPARE(plot->size(), QSize(300, 200));
        QCOMPARE(plot->Picture().size(), QSize(300, 200));
        const auto rects = itemsOf<RectItem>(plot->recording());
        QCOMPARE(rects.at(1).left, 30);
        QCOMPARE(rects.at(1).top, 20);
        QCOMPARE(rects.at(1).right, 270);
        QCOMPARE(rects.at(1).bottom, 180);
    }

    void plotsAreFoundByWindowNameNotCaption() {
        QMdiArea area;
        GraphWindows windows(&area);
        windows.window(GraphWindow::Import)->setWindowTitle("Import measurement.tds");
        QCOMPARE(findPlotByWindowName(&area, "Import"), windows.plot(GraphWindow::Import));
        QCOMPARE(findPlotByWindowName(&area, "Result"), windows.plot(GraphWindow::Result));
        QCOMPARE(findPlotByWindowName(&area, "import"), nullptr);
        QCOMPARE(findPlotByWindowName(&area, "Import measurement.tds"), nullptr);
        QCOMPARE(findPlotByWindowName(&area, ""), nullptr);
    }

    void activatingASectionWindowSelectsItsPageOnlyWhenReady() {
        QMdiArea area;
        GraphWindows windows(&area);
        area.resize(1000, 800);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        bool ready = false;
        std::vector<int> pages;
        windows.setReadiness([&] { return ready; });
        windows.setSectionActivatedHook([&](int section) { pages.push_back(section); });

        area.setActiveSubWindow(windows.window(GraphWindow::Filter3));
        QVERIFY(pages.empty());  // start-up: no dialog yet
        ready = true;
        area.setActiveSubWindow(windows.window(GraphWindow::Filter1));
        area.setActiveSubWindow(windows.window(GraphWindow::Result));
        area.setActiveSubWindow(windows.window(GraphWindow::Import));
        area.setActiveSubWindow(windows.window(GraphWindow::Filter3));
        QCOMPARE(pages, (std::vector<int>{1, 3}));
        QCOMPARE(activePlot(&area), windows.plot(GraphWindow::Filter3));
    }

    void closingAWindowOnlyMinimisesIt() {
        QMdiArea area;
        GraphWindows windows(&area);
        area.show();
        TGraphWindow* filter4 = windows.window(GraphWindow::Filter4);
        QVERIFY(!filter4->close());
        QVERIFY(filter4->isMinimized());
        QCOMPARE(area.subWindowList().size(), 6);
        QCOMPARE(findPlotByWindowName(&area, "Filter4"), filter4->ControlImage1());
    }

    void copyPutsTheZoomedPlotOnTheClipboardInPrintColours() {
        plot_test::ScratchDirectory scratch;
        auto plot = shownPlot();
        plot->setTitle("Filter2 (dB)");
        leftClick(plot.get(), 150);
        leftClick(plot.get(), 350);
        plot->ZoomIn();
        const int k = plot->ViewData().count();

        QString error;
        QVERIFY2(copyPlotToClipboard(*plot, &error), qPrintable(error));
        // The window shows screen colours again.
        QCOMPARE(plot->Picture().pixel(2, 2), colour::Silver);

        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QFile file("temp.wmf");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(mime->data(kWmfMimeType), file.readAll());
        QVERIFY(mime->data(kSvgMimeType).contains("Filter2 (dB)"));
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        QCOMPARE(image.size(), QSize(500, 500));
        QCOMPARE(image.pixel(kClearPixel), kWhite);

        WmfPicture picture;
        QVERIFY(picture.loadBytes(mime->data(kWmfMimeType)));
        const auto curves = itemsOf<PolylineItem>(picture.recording());
        QCOMPARE(curves.size(), std::size_t(1));
        QCOMPARE(curves[0].points.size(), std::size_t(k));
        QCOMPARE(curves[0].pen.colour, kBlack);
        QVERIFY(itemsOf<InvertItem>(picture.recording()).empty());  // no markers in a copy

        // A second copy of another plot replaces the first.
        TControlImage other;
        other.setTitle("Result (dB)");
        QVERIFY(copyPlotToClipboard(other));
        QVERIFY(QGuiApplication::clipboard()->mimeData()->data(kSvgMimeType).contains("Result (dB)"));
    }

    void failedCopyKeepsTheClipboard() {
        plot_test::ScratchDirectory scratch;
        QVERIFY(QDir(scratch.path()).mkdir("temp.wmf"));  // the file cannot be written
        QGuiApplication::clipboard()->setText("kept");
        TControlImage plot;
        QString error;
        QVERIFY(!copyPlotToClipboard(plot, &error));
        QVERIFY(error.contains("temp.wmf"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
        QCOMPARE(plot.Picture().pixel(2, 2), colour::Silver);
    }
};

QTEST_MAIN(PlotWidgetTest)
#include "plot_widget_test.moc"
