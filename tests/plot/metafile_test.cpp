// "temp.wmf": the placeable header, a round trip through our reader, and a
// rendering by an independent reader (wmf2svg from libwmf).

#include "plot_surface.h"
#include "plot_test_data.h"
#include "recording_query.h"
#include "regional.h"
#include "wmf_reader.h"
#include "wmf_writer.h"
#include "../external_program.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tessera;
using namespace tessera::plot;
using plot_test::itemsOf;

namespace {

std::uint16_t word(const QByteArray& b, int offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[offset]) |
                                      (static_cast<std::uint8_t>(b[offset + 1]) << 8));
}
std::uint32_t dword(const QByteArray& b, int offset) { return word(b, offset) | (std::uint32_t{word(b, offset + 2)} << 16); }

class Metafile : public ::testing::Test {
protected:
    void SetUp() override {
        setDecimalSeparator('.');
        plot.setSize(640, 420);
        plot.setTitle("Filter2 (dB)");
        plot.setXlabel("Frequency (Hz)");
        plot.SetData(plot_test::rampBlock());
        ASSERT_TRUE(plot.ExportMetafile());
        QFile file("temp.wmf");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    plot_test::ScratchDirectory scratch;
    PlotSurface plot;
    QByteArray bytes;
};

TEST_F(Metafile, PlaceableHeaderDescribesThePlot) {
    ASSERT_GT(bytes.size(), 22 + 18);
    EXPECT_EQ(dword(bytes, 0), 0x9AC6CDD7u);
    EXPECT_EQ(word(bytes, 4), 0);
    EXPECT_EQ(static_cast<std::int16_t>(word(bytes, 6)), 0);
    EXPECT_EQ(static_cast<std::int16_t>(word(bytes, 8)), 0);
    EXPECT_EQ(static_cast<std::int16_t>(word(bytes, 10)), 640);
    EXPECT_EQ(static_cast<std::int16_t>(word(bytes, 12)), 420);
    std::uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2) checksum ^= word(bytes, i);
    EXPECT_EQ(word(bytes, 20), checksum);

    // Metafile header: in memory, 9 words, version 3, size of the whole metafile.
    EXPECT_EQ(word(bytes, 22), 1);
    EXPECT_EQ(word(bytes, 24), 9);
    EXPECT_EQ(word(bytes, 26), 0x0300);
    EXPECT_EQ(dword(bytes, 28) * 2, static_cast<std::uint32_t>(bytes.size() - 22));
    // Walk the records: the largest is the header's MaxRecord, the last is EOF.
    int offset = 22 + 18;
    std::uint32_t largest = 0, last = 0xffff;
    while (offset < bytes.size()) {
        const std::uint32_t size = dword(bytes, offset);
        ASSERT_GE(size, 3u);
        largest = std::max(largest, size);
        last = word(bytes, offset + 4);
        offset += static_cast<int>(2 * size);
    }
    EXPECT_EQ(offset, bytes.size());
    EXPECT_EQ(last, 0u);
    EXPECT_EQ(dword(bytes, 34), largest);
}

TEST_F(Metafile, ReadsBackWhatWasDrawn) {
    WmfPicture picture;
    QString error;
    ASSERT_TRUE(picture.load("temp.wmf", &error)) << error.toStdString();
    EXPECT_EQ(picture.bounds(), QRect(0, 0, 640, 420));

    const auto written = itemsOf<TextItem>(plot.recording());
    const auto read = itemsOf<TextItem>(picture.recording());
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].text, written[i].text);
        EXPECT_EQ(read[i].at, written[i].at);
        EXPECT_EQ(read[i].font, written[i].font);
        EXPECT_EQ(read[i].background, 0xffffffff);
    }
    EXPECT_EQ(itemsOf<PolylineItem>(picture.recording()).at(0).points,
              itemsOf<PolylineItem>(plot.recording()).at(0).points);
    EXPECT_EQ(itemsOf<LineItem>(picture.recording()).size(), itemsOf<LineItem>(plot.recording()).size());

    // Played back at its natural size it is the bitmap the export showed.
    EXPECT_EQ(picture.toImage().convertToFormat(QImage::Format_RGB32), plot.picture());
}

TEST_F(Metafile, PaintsStretchedIntoATarget) {
    WmfPicture picture;
    ASSERT_TRUE(picture.loadBytes(bytes));
    QImage half(320, 210, QImage::Format_RGB32);
    half.fill(Qt::red);
    QPainter painter(&half);
    picture.paint(painter, QRectF(0, 0, 320, 210));
    painter.end();
    // The frame's left edge (column 64) lands on column 32; the plot area is white.
    EXPECT_EQ(half.pixel(32, 100), 0xff000000);
    EXPECT_EQ(half.pixel(60, 60), 0xffffffff);
    EXPECT_NE(half.pixel(319, 209), 0xffff0000);
}

TEST_F(Metafile, RejectsDamagedFiles) {
    WmfPicture picture;
    QString error;
    QByteArray wrongKey = bytes;
    wrongKey[0] = 0;
    EXPECT_FALSE(picture.loadBytes(wrongKey, &error));
    EXPECT_FALSE(error.isEmpty());
    QByteArray wrongChecksum = bytes;
    wrongChecksum[20] = static_cast<char>(wrongChecksum[20] ^ 1);
    EXPECT_FALSE(picture.loadBytes(wrongChecksum));
    EXPECT_FALSE(picture.loadBytes(bytes.left(30)));
    // A cut-off file keeps the records that are whole.
    ASSERT_TRUE(picture.loadBytes(bytes.left(bytes.size() / 2)));
    EXPECT_LT(picture.recording().items.size(), plot.recording().items.size());
    EXPECT_FALSE(picture.load("no such file.wmf", &error));
}

TEST_F(Metafile, DamagedRecordsNeverReadOutsideTheFile) {
    // Flipped bytes past the header (the checksum still holds): sizes, counts
    // and object indices become nonsense, and the reader must stay inside.
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = bytes;
        for (int i = 0; i < 8; ++i) {
            const int at = 40 + static_cast<int>(next() % static_cast<std::uint32_t>(damaged.size() - 40));
            damaged[at] = static_cast<char>(next() >> 24);
        }
        WmfPicture picture;
        if (picture.loadBytes(damaged)) (void)picture.toImage();
    }
}

TEST_F(Metafile, IndependentReaderRendersCurvesAndLabels) {
    const QString missing = missingProgram(WMF2SVG_PATH, WMF2SVG_PACKAGE);
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    QProcess wmf2svg;
    wmf2svg.start(WMF2SVG_PATH, {"-o", "temp.svg", "temp.wmf"});
    ASSERT_TRUE(wmf2svg.waitForFinished(30000));
    ASSERT_EQ(wmf2svg.exitCode(), 0) << wmf2svg.readAllStandardError().toStdString()
                                     << "\n(its fonts come from the Debian package fonts-urw-base35)";
    QFile file("temp.svg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());

    EXPECT_TRUE(svg.contains(R"(width="640" height="420")"));
    QStringList texts;
    for (const auto& m : QRegularExpression(R"(>([^<>]+)</text>)").globalMatch(svg)) texts << m.captured(1).trimmed();
    for (const char* label : {"Filter2 (dB)", "Frequency (Hz)", "20", "20k", "50", "100", "1k", "10k", "-12", "0", "4"})
        EXPECT_TRUE(texts.contains(label)) << label;
    // The curve: one polyline through all 256 points.
    const QRegularExpressionMatch curve = QRegularExpression(R"re(<polyline[^>]*points="([^"]*)")re").match(svg);
    ASSERT_TRUE(curve.hasMatch());
    EXPECT_EQ(curve.captured(1).trimmed().split(QRegularExpression(R"(\s+)")).size(), 256);
}

} // namespace
