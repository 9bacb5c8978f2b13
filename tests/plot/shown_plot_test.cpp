// What a shown plot control puts on the screen: after every change the
// window holds exactly the complete drawing, although the control repaints
// only the pixels that changed.

#include "contimage.h"
#include "plot_test_data.h"
#include "regional.h"

#include <QScreen>
#include <QtTest>

using namespace tessera;
using namespace tessera::plot;

namespace {

QImage onScreen(QWidget& widget) { return widget.screen()->grabWindow(widget.winId()).toImage(); }

QImage completeDrawing(TControlImage& plot) {
    const MarkerState& m = plot.markers();
    return plot_test::completeDrawing({&plot.FullData(), &plot.ViewData(), plot.size(), plot.title(),
                                       plot.xlabel(), plot.grid(), MarkerFrequencies{m.frequency1, m.frequency2}});
}

} // namespace

class ShownPlotTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setDecimalSeparator('.'); }

    void screenMatchesTheCompleteDrawingAfterEveryChange() {
        TControlImage plot;
        plot.setTitle("Result (dB)");
        plot.setXlabel("Frequency (Hz)");
        plot.resize(640, 480);
        plot.SetData(plot_test::peakBlock(1000, 6));
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QTRY_COMPARE(plot_test::differingPixels(onScreen(plot), completeDrawing(plot)), 0);
        QCOMPARE(plot.drawingCount(), 1);

        // Held spin buttons: the peak walks and grows, its range with it, so
        // the dB marks move now and then; a grid switch and a zoom between.
        for (int tick = 0; tick < 12; ++tick) {
            PlotData block = plot_test::peakBlock(800 + 60 * tick, 6 + 0.4 * tick);
            block.setYRange(-0.05 * (tick % 4), block.yMax());
            plot.SetData(block);
            if (tick == 5) plot.setGrid(false);
            if (tick == 8) {
                QTest::mouseClick(&plot, Qt::LeftButton, {}, QPoint(200, 240));
                QTest::mouseClick(&plot, Qt::LeftButton, {}, QPoint(400, 240));
                plot.ZoomIn();
            }
            QTRY_COMPARE(plot_test::differingPixels(onScreen(plot), completeDrawing(plot)), 0);
        }
    }
};

QTEST_MAIN(ShownPlotTest)
#include "shown_plot_test.moc"
