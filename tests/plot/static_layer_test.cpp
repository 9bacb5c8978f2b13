// The screen keeps its static layer (background, frame, grid, labels, title)
// as an image and draws only the curves over a copy of it. Whatever the data,
// size, grid setting, zoom or markers, the picture must match a complete
// drawing of the same scene pixel for pixel.

#include "frequency_grid.h"
#include "pixel_stamps.h"
#include "plot_surface.h"
#include "plot_test_data.h"
#include "regional.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tessera;
using namespace tessera::plot;

namespace {

QImage completeDrawing(PlotSurface& plot) {
    const MarkerState& m = plot.markers();
    return plot_test::completeDrawing({&plot.fullData(), &plot.viewData(), QSize(plot.width(), plot.height()),
                                       plot.title(), plot.xlabel(), plot.grid(),
                                       MarkerFrequencies{m.frequency1, m.frequency2}});
}

using plot_test::differingPixels;

#define EXPECT_SAME_AS_COMPLETE(plot, what)                                                                  \
    EXPECT_EQ(differingPixels((plot).picture(), completeDrawing(plot)), 0) << (what)

PlotData peak(double centre, double height) { return plot_test::peakBlock(centre, height); }

// Six rows as the report's overview has them: four further curves under the main one.
PlotData sixRows() {
    PlotData block = PlotData::forRows(6, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20, 20000);
    block.setYRange(-12, 9);
    for (int j = 0; j < kGridPoints; ++j) {
        const auto at = static_cast<std::size_t>(j);
        block.setValue(at, gridFrequencies()[at]);
        for (int row = 1; row < 6; ++row)
            block.setValue(static_cast<std::size_t>(row * kGridPoints) + at, (row - 3) * 3 + 6 * std::sin(j / 20.0 + row));
    }
    return block;
}

class StaticLayer : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator('.'); }
    PlotSurface plot;
};

TEST_F(StaticLayer, CurvesOverTheKeptLayerMatchACompleteDrawing) {
    EXPECT_SAME_AS_COMPLETE(plot, "no data yet");
    plot.setTitle("Filter1 (dB)");
    plot.setXlabel("Frequency (Hz)");
    const std::pair<int, int> sizes[] = {{500, 500}, {1000, 700}, {300, 200}, {120, 80}, {61, 37}};
    for (const auto& [w, h] : sizes) {
        plot.setSize(w, h);
        EXPECT_SAME_AS_COMPLETE(plot, "resized");
        for (const bool grid : {false, true}) {
            plot.setGrid(grid);
            const QString at = QStringLiteral("%1 x %2, grid %3: ").arg(w).arg(h).arg(grid);
            EXPECT_SAME_AS_COMPLETE(plot, (at + "grid switched").toStdString());
            plot.SetData(plot_test::rampBlock());
            EXPECT_SAME_AS_COMPLETE(plot, (at + "ramp").toStdString());
            plot.SetData(peak(1000, 8));
            EXPECT_SAME_AS_COMPLETE(plot, (at + "boost").toStdString());
            plot.SetData(peak(200, -15));
            EXPECT_SAME_AS_COMPLETE(plot, (at + "cut").toStdString());
            plot.SetData(plot_test::gridBlock([](int) { return 0.0; }, 0, 0));
            EXPECT_SAME_AS_COMPLETE(plot, (at + "flat").toStdString());
            plot.SetData(sixRows());
            EXPECT_SAME_AS_COMPLETE(plot, (at + "six rows").toStdString());
        }
    }
}

TEST_F(StaticLayer, CurveChangesInTheSameRangesReuseTheLayer) {
    plot.setSize(1000, 700);
    plot.SetData(peak(1000, 8));
    // A first drawing (a window's first paint) makes no layer: most windows
    // are never drawn again with the same frame.
    EXPECT_SAME_AS_COMPLETE(plot, "first drawing");
    EXPECT_EQ(plot.staticLayerCount(), 0);
    plot.SetData(peak(950, 8));
    EXPECT_SAME_AS_COMPLETE(plot, "second drawing");
    const int layers = plot.staticLayerCount();
    EXPECT_EQ(layers, 1);
    // A spin tick: the curve moves, its range by less than shows.
    for (double centre = 900; centre < 1200; centre += 50) {
        PlotData block = peak(centre, 8);
        block.setYRange(-centre * 1e-7, 8 + centre * 1e-6);
        plot.SetData(block);
        EXPECT_SAME_AS_COMPLETE(plot, "moved curve");
    }
    EXPECT_EQ(plot.staticLayerCount(), layers);
    // Readout lines and boxes drawn into the picture go with the next drawing.
    ASSERT_TRUE(plot.move(400, 300));
    plot.SetData(peak(700, 8));
    EXPECT_SAME_AS_COMPLETE(plot, "after a readout");
    EXPECT_EQ(plot.staticLayerCount(), layers);
    // A new frame is drawn whole once, then kept from its second drawing on;
    // going back to the old frame after that starts over.
    plot.setTitle("Result (dB)");
    EXPECT_SAME_AS_COMPLETE(plot, "new title");
    EXPECT_EQ(plot.staticLayerCount(), layers);
    plot.SetData(peak(750, 8));
    EXPECT_SAME_AS_COMPLETE(plot, "new title, moved curve");
    EXPECT_EQ(plot.staticLayerCount(), layers + 1);
    plot.setTitle("Filter1 (dB)");
    plot.SetData(peak(800, 8));
    EXPECT_SAME_AS_COMPLETE(plot, "old title again");
    plot.SetData(peak(850, 8));
    EXPECT_SAME_AS_COMPLETE(plot, "old title, moved curve");
    EXPECT_EQ(plot.staticLayerCount(), layers + 2);
}

TEST_F(StaticLayer, MarkersZoomAndExportKeepThePictureExact) {
    plot_test::ScratchDirectory scratch;
    plot.setSize(800, 600);
    plot.SetData(peak(1000, -9));
    plot.press(Qt::LeftButton, Qt::NoModifier, 300, 300);
    plot.Redraw();
    EXPECT_SAME_AS_COMPLETE(plot, "first marker");
    plot.press(Qt::LeftButton, Qt::NoModifier, 500, 300);
    plot.Redraw();
    EXPECT_SAME_AS_COMPLETE(plot, "band");
    plot.ZoomIn();
    ASSERT_TRUE(plot.zoomed());
    EXPECT_SAME_AS_COMPLETE(plot, "zoomed with the band");
    plot.SetData(peak(1100, -9));  // keeps the zoomed flag, shows the full data
    EXPECT_SAME_AS_COMPLETE(plot, "new data while zoomed");
    ASSERT_TRUE(plot.ExportMetafile());
    EXPECT_EQ(plot.picture().pixel(100, 100), colour::White);  // print colours until the next drawing
    plot.Redraw();
    EXPECT_SAME_AS_COMPLETE(plot, "after the export");
    plot.press(Qt::RightButton, Qt::NoModifier, 10, 10);
    EXPECT_SAME_AS_COMPLETE(plot, "markers cleared");
    plot.ZoomOut();
    EXPECT_SAME_AS_COMPLETE(plot, "zoomed out");
}

TEST_F(StaticLayer, ChangesDrawOnceWhenLookedAt) {
    EXPECT_EQ(plot.drawingCount(), 0);
    plot.setTitle("Filter2 (dB)");
    plot.setXlabel("Frequency (Hz)");
    plot.setGrid(true);
    plot.setSize(420, 300);
    plot.SetData(peak(1000, 5));
    plot.SetData(peak(2000, 5));
    EXPECT_EQ(plot.drawingCount(), 0);
    EXPECT_EQ(plot.yStep(), 1);
    EXPECT_EQ(plot.drawingCount(), 1);
    (void)plot.picture();
    (void)plot.recording();
    EXPECT_EQ(plot.drawingCount(), 1);
}


// The dB marks are copied from pixels kept the first time an item was drawn.
// Over any background, at any place (edges included), the copies must equal
// what the painter draws; items that blend with what lies under them are
// left to the painter.
TEST(KeptPixels, CopiedItemsEqualPaintedOnes) {
    std::mt19937 random(7);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    QImage background(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.setPixel(x, y, y % 7 == 0 ? colour::Silver : qRgb(below(256), below(256), below(256)));

    const QString labels[] = {"-12", "4", "0", "1.5", "20k", "-0.25", "100"};
    PlotRecording recording{400, 300, {}};
    for (int i = 0; i < 300; ++i) {
        const QPoint at(below(440) - 20, below(340) - 20);
        const PenSpec pen{below(2) ? PenStyle::Dot : PenStyle::Solid, below(2) ? colour::Silver : colour::Black};
        FontSpec font = plotFont(below(2) ? 8 : 5);
        switch (below(4)) {
        case 0: recording.items.emplace_back(LineItem{at, at + QPoint(below(300), 0), pen}); break;
        case 1: recording.items.emplace_back(LineItem{at, at + QPoint(0, below(200) - 100), pen}); break;
        case 2: recording.items.emplace_back(LineItem{at, at + QPoint(below(60), below(60)), pen}); break;
        default:
            if (below(10) == 0) font.escapement = 900;
            recording.items.emplace_back(TextItem{at, labels[below(7)], font, colour::Black, below(8) != 0, colour::Silver});
        }
    }
    QImage painted = background.copy();
    {
        QPainter painter(&painted);
        playRecording(recording, painter);
    }
    for (int round = 0; round < 2; ++round) {
        QImage copied = background.copy();
        const int kept = playRecordingStamped(recording, copied);
        EXPECT_EQ(plot_test::differingPixels(copied, painted), 0) << "round " << round;
        EXPECT_GT(kept, 150) << "round " << round;
    }
}

} // namespace
