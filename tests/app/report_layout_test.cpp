// The report's text block, page placement and sections overview, computed
// from the engine without a printer.
#include "report_layout.h"

#include "config_file.h"
#include "filter_engine.h"
#include "frequency_grid.h"
#include "standard_series.h"

#include <QTest>

using namespace tessera;

namespace {

const ReportLine* lineAt(const std::vector<ReportLine>& lines, int row) {
    for (const ReportLine& line : lines)
        if (line.row == row) return &line;
    return nullptr;
}

} // namespace

class ReportLayoutTest : public QObject {
    Q_OBJECT
    FilterBankState state_;
    FilterEngine engine_{state_, '.'};

private slots:
    void init() {
        state_ = FilterBankState{};
        E24Init(state_);
        engine_.Reset(true);
    }

    void startUpTextBlock() {
        const auto lines = reportTextLines(engine_, "");
        QCOMPARE(lines.front().text, std::string("Configuration: "));
        QCOMPARE(lineAt(lines, 1)->text, std::string(53, '-'));
        QCOMPARE(lineAt(lines, 3)->text, std::string("Filter1:"));
        QCOMPARE(lineAt(lines, 5)->text, std::string("Frequency: 19551;  Q-Factor: 7.98;  Gain: 0.55; "));
        QCOMPARE(lineAt(lines, 6)->text, std::string("Capacitor: 1 nF;  R1: 130 K;  R2: 510 R;  R3: 1 M; "));
        QCOMPARE(lineAt(lines, 7)->text, std::string("E24 - Setting"));
        QCOMPARE(lineAt(lines, 9)->text, std::string("Filter2:"));
        QCOMPARE(lineAt(lines, 11)->text, std::string("Frequency: 19551;  Q-Factor: 7.98;  Gain: 0.55; "));
        QCOMPARE(lineAt(lines, 12)->text, std::string("Capacitor: 1 nF;  R4: 130 K;  R5: 510 R;  R6: 1 M; "));
        // Cut sections print their gain negative for the same gain factor.
        QCOMPARE(lineAt(lines, 17)->text, std::string("Frequency: 19551;  Q-Factor: 7.98;  Gain: -0.55; "));
        QCOMPARE(lineAt(lines, 24)->text, std::string("Capacitor: 1 nF;  R10: 130 K;  R11: 510 R;  R12: 1 M; "));
        QCOMPARE(lineAt(lines, 25)->text, std::string("E24 - Setting"));
        QCOMPARE(lineAt(lines, 27), nullptr); // no "Filter5:"
        QCOMPARE(lines.size(), std::size_t(3 + 4 * 3 + 3));
    }

    void namedFileAndEnteredValues() {
        FilterSection& s2 = state_.section(2);
        s2.Frequency = 1000;
        s2.Q = 2;
        s2.GainFactor = 1;
        FilterSection& s3 = state_.section(3);
        s3.Frequency = 1000;
        s3.Q = 2;
        s3.GainFactor = 1;
        const auto lines = reportTextLines(engine_, "/home/user/room.tsn");
        QCOMPARE(lines.front().text, std::string("Configuration: /home/user/room.tsn"));
        QCOMPARE(lineAt(lines, 11)->text, std::string("Frequency: 1000;  Q-Factor: 2.00;  Gain: 6.02; "));
        QCOMPARE(lineAt(lines, 17)->text, std::string("Frequency: 1000;  Q-Factor: 2.00;  Gain: -6.02; "));
    }

    void regionalComma() {
        FilterEngine commaEngine(state_, ',');
        state_.section(1).Q = 0.70711;
        QCOMPARE(reportFrequencyLine(state_, 1, ','), std::string("Frequency: 19551;  Q-Factor: 0,71;  Gain: 0,55; "));
        QCOMPARE(reportTextLines(commaEngine, "").front().text, std::string("Configuration: "));
    }

    void loadedFileTextBlock() {
        // A configuration written and read back prints its own values and name.
        state_.section(4).GainFactor = 10;
        engine_.refreshPage(4);
        const std::string name = QDir::tempPath().toStdString() + "/report_layout_test.tsn";
        QVERIFY(Speichern(engine_, name, '.').done());
        engine_.Reset(true);
        QVERIFY(LoadTSN(engine_, name).done());
        const auto lines = reportTextLines(engine_, name);
        QCOMPARE(lines.front().text, "Configuration: " + name);
        const std::string gainLine = lineAt(lines, 23)->text;
        QVERIFY2(gainLine.find(" Gain: -") != std::string::npos, gainLine.c_str());
        QCOMPARE(lineAt(lines, 25)->text, engine_.page(4).status);
        QFile::remove(QString::fromStdString(name));
    }

    void placementOfAPage3000High() {
        const ReportPlacement place = reportPlacement(2100, 3000, 50);
        QCOMPARE(place.topPlot, (Box{0, 0, 2100, 1000}));
        QCOMPARE(place.middlePlot, (Box{0, 1000, 2100, 1000}));
        QCOMPARE(place.firstLineY, 2000 + 2 * 50);
        QCOMPARE(place.lineY(5), 2100 + 250);
    }

    void placementTruncatesTheThird() {
        const ReportPlacement place = reportPlacement(100, 3001, 10);
        QCOMPARE(place.topPlot.height, 1000);
        QCOMPARE(place.middlePlot.top, 1000);
        QCOMPARE(place.firstLineY, 2020);
    }

    void textBlockFitsBelowTheMiddlePlot() {
        for (int height : {3000, 3001, 3002, 14032}) {
            const int h = maxReportLineHeight(height);
            const ReportPlacement place = reportPlacement(1000, height, h);
            QVERIFY(place.lineY(25) + h <= height);
            QVERIFY(place.lineY(25) + 2 * h > height - 28); // no more than rounding left over
        }
    }

    void overviewBlock() {
        state_.section(1).Frequency = 100;
        state_.section(1).Q = 1;
        state_.section(1).GainFactor = 3;
        state_.section(3).Frequency = 5000;
        state_.section(3).Q = 2;
        state_.section(3).GainFactor = 1;
        for (int s = 1; s <= 4; ++s) engine_.refreshFilter(s);

        const PlotData block = filterOverviewBlock(state_);
        QCOMPARE(block.size(), 12368u);
        QCOMPARE(block.count(), 256);
        QCOMPARE(block.rows(), 6);
        QCOMPARE(block.sampleRate(), 48000);
        QCOMPARE(block.aux(), 0.0);
        QCOMPARE(block.xMin(), 20.0);
        QCOMPARE(block.xMax(), 20000.0);
        double lowest = 0, highest = 0;
        for (std::size_t i = 0; i < 256; ++i) {
            QCOMPARE(block.value(i), gridFrequencies()[i]);
            double sum = 0;
            for (int s = 1; s <= 4; ++s) {
                const double v = block.value(static_cast<std::size_t>(s + 1) * 256 + i);
                QCOMPARE(v, state_.section(s).SectionCurve[i]);
                sum += v;
            }
            QCOMPARE(block.value(256 + i), sum);
            for (int row = 1; row < 6; ++row) {
                lowest = std::min(lowest, block.value(static_cast<std::size_t>(row) * 256 + i));
                highest = std::max(highest, block.value(static_cast<std::size_t>(row) * 256 + i));
            }
        }
        QCOMPARE(block.yMin(), lowest);
        QCOMPARE(block.yMax(), highest);
        QVERIFY(block.yMin() < -5.9 && block.yMax() > 11.9);
    }

    void overviewRangeAlwaysHoldsZero() {
        // After start-up all curves are close to 0 dB, boosts above and cuts below.
        const PlotData block = filterOverviewBlock(state_);
        QVERIFY(block.yMin() <= 0);
        QVERIFY(block.yMax() >= 0);
    }
};

QTEST_GUILESS_MAIN(ReportLayoutTest)
#include "report_layout_test.moc"
