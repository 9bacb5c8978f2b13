// What a drawing holds, item by item, for the worked figures and the edge
// cases of the plot's layout.

#include "filter_bank_state.h"
#include "plot_surface.h"
#include "plot_test_data.h"
#include "recording_query.h"
#include "regional.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

using namespace tessera;
using namespace tessera::plot;
using plot_test::itemsOf;
using plot_test::textsAtRow;

namespace {

constexpr QRgb kSilver = colour::Silver;
constexpr QRgb kLime = colour::Lime;
constexpr QRgb kBlack = colour::Black;
constexpr QRgb kWhite = colour::White;

struct Labelled {
    QString text;
    int x;
    bool operator==(const Labelled&) const = default;
};

std::vector<Labelled> labels(const std::vector<TextItem>& texts) {
    std::vector<Labelled> out;
    for (const TextItem& t : texts) out.push_back({t.text, t.at.x()});
    return out;
}

// The dB labels: the texts that end 10 pixels left of the frame.
std::vector<QString> gainLabels(const PlotRecording& r, int L) {
    std::vector<QString> out;
    for (const TextItem& t : itemsOf<TextItem>(r))
        if (t.at.x() + plot_test::textWidth(t) == L - 10) out.push_back(t.text);
    return out;
}

std::vector<LineItem> gridLines(const PlotRecording& r) {
    std::vector<LineItem> out;
    for (const LineItem& l : itemsOf<LineItem>(r))
        if (l.pen.colour == kSilver) out.push_back(l);
    return out;
}

class PlotDrawing : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator('.'); }
    PlotSurface plot;
};

TEST_F(PlotDrawing, WorkedFiguresOfA500By500Plot) {
    plot.SetData(plot_test::rampBlock());
    const PlotRecording& r = plot.recording();
    EXPECT_EQ(plot.yStep(), 2);

    // Frequency labels 7 pixels left of their ticks, end labels at both ends.
    std::vector<TextItem> row = textsAtRow(r, 456);
    ASSERT_EQ(row.size(), 10u);
    EXPECT_EQ(row[0].text, "20");
    EXPECT_EQ(row[0].at.x() + plot_test::textWidth(row[0]), 47);
    EXPECT_EQ(labels({row[1]}), (std::vector<Labelled>{{"20k", 456}}));
    const std::vector<Labelled> ticks(labels({row.begin() + 2, row.end()}));
    EXPECT_EQ(ticks, (std::vector<Labelled>{{"50", 96}, {"100", 136}, {"200", 176}, {"500", 229},
                                            {"1k", 270}, {"2k", 310}, {"5k", 363}, {"10k", 403}}));

    // Tick lines below the labels, black, from B + 5 up to B - 6.
    std::vector<int> tickColumns;
    for (const LineItem& l : itemsOf<LineItem>(r))
        if (l.from.y() == 455 && l.to.y() == 444 && l.from.x() == l.to.x() && l.pen.colour == kBlack)
            tickColumns.push_back(l.from.x());
    EXPECT_EQ(tickColumns, (std::vector<int>{103, 143, 183, 236, 277, 317, 370, 410}));

    // 26 vertical grid lines from 30 Hz to 10 kHz: solid at 1, 2, 5, dotted elsewhere.
    std::vector<LineItem> vertical;
    for (const LineItem& l : gridLines(r))
        if (l.from.x() == l.to.x()) vertical.push_back(l);
    ASSERT_EQ(vertical.size(), 26u);
    EXPECT_EQ(vertical.front().from, QPoint(73, 450));
    EXPECT_EQ(vertical.front().to, QPoint(73, 50));
    EXPECT_EQ(vertical.front().pen.style, PenStyle::Dot);
    for (const LineItem& l : vertical) {
        const bool major = std::find(tickColumns.begin(), tickColumns.end(), l.from.x()) != tickColumns.end();
        EXPECT_EQ(l.pen.style, major ? PenStyle::Solid : PenStyle::Dot) << l.from.x();
    }

    EXPECT_EQ(gainLabels(r, 50),
              (std::vector<QString>{"-12", "-10", "-8", "-6", "-4", "-2", "0", "2", "4"}));
    // Only the 0 dB line (widened range -14.3 .. 5.1: row 155) is solid.
    for (const LineItem& l : gridLines(r))
        if (l.from.y() == l.to.y()) {
            EXPECT_EQ(l.pen.style, l.from.y() == 155 ? PenStyle::Solid : PenStyle::Dot) << l.from.y();
        }

    const auto curves = itemsOf<PolylineItem>(r);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0].pen.colour, kLime);
    ASSERT_EQ(curves[0].points.size(), 256u);
    EXPECT_EQ(curves[0].points.front(), QPoint(50, 409));
    EXPECT_EQ(curves[0].points.back(), QPoint(450, 91));

    // Title centred in the top margin, x label in the bottom margin.
    plot.setTitle("Filter1 (dB)");
    const auto title = textsAtRow(plot.recording(), 25);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].at.x(), 250 - plot_test::textWidth(title[0]) / 2);
    EXPECT_EQ(textsAtRow(plot.recording(), 475).at(0).text, "Frequency");
}

TEST_F(PlotDrawing, EmptyControlDrawsTheDefaultFrame) {
    const PlotRecording& r = plot.recording();
    EXPECT_EQ(plot.yStep(), 50);
    const auto row = textsAtRow(r, 456);
    ASSERT_GE(row.size(), 2u);
    EXPECT_EQ(row[0].text, "6");
    EXPECT_EQ(row[1].text, "24k");
    EXPECT_EQ(gainLabels(r, 50),
              (std::vector<QString>{"-200", "-150", "-100", "-50", "0", "50", "100", "150", "200"}));
    EXPECT_TRUE(itemsOf<PolylineItem>(r).empty());
    const auto rects = itemsOf<RectItem>(r);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].right, 500);
    EXPECT_EQ(rects[0].brush.colour, kSilver);
    EXPECT_EQ(rects[1].left, 50);
    EXPECT_EQ(rects[1].bottom, 450);
    EXPECT_EQ(rects[1].brush.colour, kBlack);
}

TEST_F(PlotDrawing, StepJumpsFromFiveToFiftyAtAHundredDecibels) {
    plot.SetData(plot_test::gridBlock([](int) { return 0.0; }, -50, 50));
    EXPECT_EQ(plot.yStep(), 50);
    plot.SetData(plot_test::gridBlock([](int) { return 0.0; }, -49.9, 50));
    EXPECT_EQ(plot.yStep(), 5);
}

TEST_F(PlotDrawing, FlatCurveGetsTheSmallestStep) {
    plot.SetData(plot_test::gridBlock([](int) { return 1.0; }, 1, 1));
    EXPECT_EQ(plot.yStep(), 0.01);
    // Widened to 0.99 .. 1.01: the curve runs through the middle.
    EXPECT_EQ(itemsOf<PolylineItem>(plot.recording()).at(0).points.at(10).y(), 250);
    EXPECT_EQ(gainLabels(plot.recording(), 50), (std::vector<QString>{"1"}));
}

TEST_F(PlotDrawing, GridOffKeepsTicksAndLabels) {
    plot.SetData(plot_test::rampBlock());
    plot.setGrid(false);
    EXPECT_TRUE(gridLines(plot.recording()).empty());
    EXPECT_EQ(gainLabels(plot.recording(), 50).size(), 9u);
    EXPECT_EQ(textsAtRow(plot.recording(), 456).size(), 10u);
}

TEST_F(PlotDrawing, ShortPlotLeavesOutTitleAndShrinksLabels) {
    plot.setTitle("Result (dB)");
    plot.setSize(300, 150);  // T = 15: no room for the title, labels in 5 points
    plot.Redraw();
    const auto texts = itemsOf<TextItem>(plot.recording());
    ASSERT_FALSE(texts.empty());
    for (const TextItem& t : texts) {
        EXPECT_NE(t.text, "Result (dB)");
        EXPECT_EQ(t.font.height, screenPixelHeight(5)) << t.text.toStdString();
    }
    plot.setSize(300, 200);  // T = 20: still no title, labels back to 8 points
    plot.Redraw();
    for (const TextItem& t : itemsOf<TextItem>(plot.recording())) {
        EXPECT_NE(t.text, "Result (dB)");
        EXPECT_EQ(t.font.height, screenPixelHeight(8));
    }
}

TEST_F(PlotDrawing, EndLabelsAndFirstTickFollowTheRange) {
    PlotData block = plot_test::rampBlock();
    block.setXRange(0.5, 1000);
    plot.SetData(block);
    const auto row = textsAtRow(plot.recording(), 456);
    ASSERT_GE(row.size(), 3u);
    EXPECT_EQ(row[1].text, "1000");
    EXPECT_EQ(row[1].at.x(), 453);
    // Ticks start at 1 Hz, at column 86 of log10(2) / log10(2000) across 400 pixels.
    EXPECT_EQ(labels({row[2]}), (std::vector<Labelled>{{"1", 79}}));
}

TEST_F(PlotDrawing, FurtherCurvesUnderTheMainCurve) {
    PlotData block = PlotData::forRows(6, kGridPoints);
    block.setXRange(20, 20000);
    block.setYRange(-10, 10);
    for (int j = 0; j < kGridPoints; ++j) block.setValue(static_cast<std::size_t>(j), 20 * std::pow(1000.0, j / 255.0));
    plot.SetData(block);
    const auto curves = itemsOf<PolylineItem>(plot.recording());
    ASSERT_EQ(curves.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(curves[static_cast<std::size_t>(i)].pen.colour, kWhite);
    EXPECT_EQ(curves[4].pen.colour, kLime);
}

TEST_F(PlotDrawing, FurtherCurvesAreCutToTheFrameAndTheMainCurveKeepsItsPixels) {
    // The range follows the main curve (a gentle wave); an op-amp row swings
    // far beyond it and a tolerance row jumps by a thousand dB at every point.
    const auto main = [](int j) { return 3 * std::sin(j / 20.0); };
    const PlotData plain = plot_test::gridBlock(main, -3, 3);
    PlotData block = PlotData::forRows(4, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20, 20000);
    block.setYRange(-3, 3);
    for (int j = 0; j < kGridPoints; ++j) {
        const auto at = [&](int row) { return static_cast<std::size_t>(row * kGridPoints + j); };
        block.setValue(at(0), plain.value(at(0)));
        block.setValue(at(1), main(j));
        block.setValue(at(2), 40 * std::sin(j / 10.0));
        block.setValue(at(3), j % 2 ? 1000.0 : -1000.0);
    }
    block.setRowKind(2, CurveKind::RealOpAmp);
    block.setRowKind(3, CurveKind::ToleranceBound);

    const auto draw = [](const PlotData& view) {
        PlotScene scene;
        scene.view = &view;
        scene.stride = view.count();
        scene.fullXMin = view.xMin();
        return drawPlot(scene, '.').recording;
    };
    const PlotRecording plainDrawing = draw(plain);
    const PlotRecording drawing = draw(block);
    const PlotLayout p = PlotLayout::of(drawing.width, drawing.height);
    const QRect area(QPoint(p.L, p.T), QPoint(p.R, p.B));

    const auto curves = itemsOf<PolylineItem>(drawing);
    ASSERT_GE(curves.size(), 3u);
    EXPECT_EQ(curves.back().points, itemsOf<PolylineItem>(plainDrawing).back().points);
    EXPECT_EQ(curves.back().pen.colour, kLime);
    for (const PolylineItem& curve : curves)
        for (const QPoint& at : curve.points) EXPECT_TRUE(area.contains(at)) << at.x() << ',' << at.y();

    // Played out, neither further colour shows outside the frame, both inside,
    // and the frame and everything around it are as without the further rows.
    const auto play = [](const PlotRecording& r) {
        QImage image(r.width, r.height, QImage::Format_RGB32);
        QPainter painter(&image);
        playRecording(r, painter);
        return image;
    };
    const QImage shown = play(drawing), plainShown = play(plainDrawing);
    int aquaInside = 0, yellowInside = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (!area.contains(x, y)) {
                ASSERT_EQ(pixel, plainShown.pixel(x, y)) << x << ',' << y;
                continue;
            }
            aquaInside += pixel == colour::Aqua;
            yellowInside += pixel == colour::Yellow;
        }
    EXPECT_GT(aquaInside, 100);
    EXPECT_GT(yellowInside, 100);
}

TEST_F(PlotDrawing, PixelsExactlyHalfwayGoToTheEvenNeighbour) {
    // Zoomed to grid points 0 .. 5 in a plot 106 wide (L = 10, R = 96): the
    // four steps are 21.5 pixels wide, so points 1 and 3 fall on halves.
    const PlotData full = plot_test::rampBlock();
    PlotData view = full;
    MarkerState m;
    m.frequency1 = FullGrid::of(full).frequency(0);
    m.frequency2 = FullGrid::of(full).frequency(5);
    m.index1 = 0, m.index2 = 5;
    ASSERT_TRUE(zoomToMarkers(full, view, m));
    PlotScene scene;
    scene.view = &view;
    scene.stride = full.count();
    scene.fullXMin = full.xMin();
    scene.width = 106;
    scene.height = 100;
    const DrawnPlot drawn = drawPlot(scene, '.');
    const auto zoomedCurves = itemsOf<PolylineItem>(drawn.recording);
    ASSERT_EQ(zoomedCurves.size(), 1u);
    std::vector<int> columns;
    for (const QPoint& at : zoomedCurves[0].points) columns.push_back(at.x());
    EXPECT_EQ(columns, (std::vector<int>{10, 32, 53, 74, 96}));

    // 0 .. 10 dB (step 2, widened -2 .. 12) in a plot 210 high (T = 21,
    // B = 189): 0.125 dB lies 25.5 pixels up, 7.875 dB 118.5 pixels up.
    plot.setSize(300, 210);
    plot.SetData(plot_test::gridBlock([](int j) { return j == 10 ? 0.125 : j == 20 ? 7.875 : 0.0; }, 0, 10));
    const auto curve = itemsOf<PolylineItem>(plot.recording()).at(0).points;
    EXPECT_EQ(curve.at(10).y(), 189 - 26);
    EXPECT_EQ(curve.at(20).y(), 189 - 118);
}

TEST_F(PlotDrawing, ExportDrawsInPrintColoursUntilTheNextRedraw) {
    plot_test::ScratchDirectory scratch;
    plot.SetData(plot_test::rampBlock());
    ASSERT_TRUE(plot.ExportMetafile());
    const auto rects = itemsOf<RectItem>(plot.recording());
    EXPECT_EQ(rects.at(0).brush.colour, kWhite);
    EXPECT_EQ(rects.at(1).brush.colour, kWhite);
    EXPECT_EQ(itemsOf<PolylineItem>(plot.recording()).at(0).pen.colour, kBlack);
    EXPECT_EQ(plot.picture().pixel(100, 100), kWhite);
    plot.Redraw();
    EXPECT_EQ(plot.picture().pixel(100, 100), kBlack);
    EXPECT_EQ(plot.picture().pixel(2, 2), kSilver);
}

TEST_F(PlotDrawing, LabelsUseTheRegionalSeparator) {
    setDecimalSeparator(',');
    plot.SetData(plot_test::gridBlock([](int) { return 0.0; }, -0.4, 0.4));  // step 0.1
    const auto texts = gainLabels(plot.recording(), 50);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "-0,3"), texts.end());
    setDecimalSeparator('.');
}

// The top readout line as the bitmap writes it: its own font (MS Sans Serif at
// 8 points, not the drawing's Arial), "Frequency: " at column 10, the number
// ending at column 120, "Gain: " at 160 and the gain ending at 235.
TEST_F(PlotDrawing, ReadoutLineIsWrittenInTheBitmapFont) {
    plot.SetData(plot_test::rampBlock());
    ASSERT_TRUE(plot.move(300, 250));
    const ReadoutTexts& shown = plot.lastReadout();
    ASSERT_EQ(shown.frequency, "1.50 kHz");
    const QString gainNumber = shown.gain.chopped(3);

    QImage expected(plot.picture().size(), QImage::Format_RGB32);
    expected.fill(kSilver);
    {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(screenPixelHeight(8));
        QPainter p(&expected);
        p.setFont(font);
        p.setPen(Qt::black);
        const QFontMetrics m(font);
        const int baseline = 3 + m.ascent();
        p.drawText(10, baseline, QStringLiteral("Frequency: "));
        p.drawText(120 - m.horizontalAdvance(QStringLiteral("1.50")), baseline, shown.frequency);
        p.drawText(160, baseline, QStringLiteral("Gain: "));
        p.drawText(235 - m.horizontalAdvance(gainNumber), baseline, shown.gain);
    }
    const QRect line(1, 1, 298, 18);
    EXPECT_EQ(plot.picture().copy(line), expected.copy(line));
}

} // namespace
