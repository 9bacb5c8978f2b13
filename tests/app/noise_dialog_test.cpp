// Tools > Noise and Headroom through its widgets: its figures are the
// analyses' for the design and settings as they are, follow every change of
// the sections and of the shared settings, and a refused entry changes
// nothing.
#include "program_fixture.h"

#include "circuit_settings_holder.h"
#include "noise.h"
#include "noise_dialog.h"
#include "noise_report.h"
#include "opamp_dialog.h"
#include "section_parts.h"

#include "contimage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include <cmath>

using tessera::MenuCommand;

class NoiseDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;
    TNoiseDialog* dialog = nullptr;

    template <typename W> W* child(const char* name) {
        W* widget = dialog->findChild<W*>(QLatin1String(name));
        if (widget == nullptr) qFatal("no widget %s", name);
        return widget;
    }
    tessera::CircuitSettingsHolder& settings() { return f->frame().circuitSettings(); }
    tessera::NoiseResult expected() {
        return tessera::analyseNoise(tessera::circuitParts(f->program->engine()), settings().settings());
    }
    // The plotted density against the analysis, in dB re 1 nV/sqrt(Hz).
    void comparePlot(const tessera::NoiseResult& noise) {
        const tessera::PlotData& block = child<TControlImage>("NoisePlot")->FullData();
        QCOMPARE(block.rows(), 2);
        for (std::size_t i = 0; i < tessera::kGridPoints; i += 17)
            QCOMPARE(block.value(tessera::kGridPoints + i), 20 * std::log10(noise.densityNv[i]));
    }
    // The table of the eight op-amps against the analysis.
    void compareStages() {
        const auto cells = tessera::headroomTableCells(
            tessera::analyseHeadroom(tessera::circuitParts(f->program->engine()), settings().settings()), '.');
        auto* table = child<QTableWidget>("StagesTable");
        QCOMPARE(table->rowCount(), 8);
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                QCOMPARE(table->item(row, column)->text().toStdString(),
                         cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    void choose(const char* boxName, const QString& text) {
        auto* box = child<QComboBox>(boxName);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

private slots:
    void init() {
        f = std::make_unique<ProgramFixture>();
        f->trigger(MenuCommand::NoiseHeadroom);
        dialog = f->frame().findChild<TNoiseDialog*>(QStringLiteral("NoiseDialog"));
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QVERIFY(!dialog->isModal()); // the sections can be set while it shows their figures
    }
    void cleanup() { f.reset(); }

    void figuresFollowTheSectionsAndTheSharedSettings() {
        comparePlot(expected());
        const QString totals = label("TotalsLabel");
        QVERIFY2(totals.contains(QStringLiteral("dBu")), qPrintable(totals));
        auto* contributors = child<QTableWidget>("ContributorsTable");
        QVERIFY(contributors->rowCount() > 0);
        QCOMPARE(contributors->item(0, 0)->text().toStdString(), expected().contributors.front().part);

        compareStages();
        const QString headroom = child<QTableWidget>("StagesTable")->item(2, 5)->text();

        // A section changes: every figure follows at once.
        QVERIFY(f->program->engine().stepResistor(2, tessera::Slot::R2, true));
        comparePlot(expected());
        compareStages();
        QVERIFY(child<QTableWidget>("StagesTable")->item(2, 5)->text() != headroom);
        QVERIFY(label("TotalsLabel") != totals);

        // Another op-amp, chosen here, is everybody's op-amp.
        choose("NoiseOpAmpBox", QStringLiteral("TL072"));
        QCOMPARE(settings().opAmp().name, std::string("TL072"));
        comparePlot(expected());
        f->trigger(MenuCommand::OpAmp);
        auto* opAmp = f->frame().findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
        QCOMPARE(opAmp->findChild<QComboBox*>(QStringLiteral("OpAmpBox"))->currentText(), QStringLiteral("TL072"));
        // ... and one chosen there shows here.
        auto* opAmpBox = opAmp->findChild<QComboBox*>(QStringLiteral("OpAmpBox"));
        const int lm4562 = opAmpBox->findText(QStringLiteral("LM4562"));
        opAmpBox->setCurrentIndex(lm4562);
        emit opAmpBox->activated(lm4562);
        QCOMPARE(child<QComboBox>("NoiseOpAmpBox")->currentText(), QStringLiteral("LM4562"));
        comparePlot(expected());

        // Lower summing resistors: less noise.
        const double before = expected().aWeightedUv;
        choose("SummingBox", QStringLiteral("1 kΩ"));
        QCOMPARE(settings().settings().summingOhms, 1000.0);
        QVERIFY(expected().aWeightedUv < before);
        comparePlot(expected());
        QCOMPARE(f->bank().Modified, 1); // the one section step; settings are no part of the document
    }

    void refusedEntriesChangeNothingAndSayWhy() {
        const tessera::CircuitSettings before = settings().settings();
        QSignalSpy changes(&settings(), &tessera::CircuitSettingsHolder::changed);
        auto* apply = child<QPushButton>("ApplyButton");
        const auto enter = [&](const char* level, const char* peak, const char* low, const char* high) {
            child<QLineEdit>("InputLevelEdit")->setText(QString::fromUtf8(level));
            child<QLineEdit>("OutputPeakEdit")->setText(QString::fromUtf8(peak));
            child<QLineEdit>("ResistorLowEdit")->setText(QString::fromUtf8(low));
            child<QLineEdit>("ResistorHighEdit")->setText(QString::fromUtf8(high));
            apply->click();
        };
        enter("loud", "13.5", "1k", "1M");
        enter("4", "0", "1k", "1M");
        enter("4", "13.5", "1M", "1k");
        enter("4", "13.5", "1k", "");
        QCOMPARE(f->prompts.errors.size(), std::size_t{4});
        QVERIFY2(f->prompts.errors[0].find("loud") != std::string::npos, f->prompts.errors[0].c_str());
        QCOMPARE(label("StatusLabel").toStdString(), f->prompts.errors.back());
        QCOMPARE(changes.count(), 0);
        QCOMPARE(settings().settings(), before);

        // The start-up sections' shunt resistors (510 ohms) lie below the default range.
        QVERIFY2(label("RangeLabel").startsWith(QStringLiteral("R2 (510 Ω), R5 (510 Ω), R8 (510 Ω), R11 (510 Ω) lie")),
                 qPrintable(label("RangeLabel")));
        enter("10", "12", "500", "2.5M");
        QCOMPARE(f->prompts.errors.size(), std::size_t{4});
        QCOMPARE(changes.count(), 1);
        QCOMPARE(settings().settings().inputLevelDbu, 10.0);
        QCOMPARE(settings().settings().outputPeakV, 12.0);
        QCOMPARE(settings().settings().resistors, (tessera::ResistorRange{500, 2.5e6}));
        compareStages(); // at the new input level and output peak
        QVERIFY2(label("RangeLabel").startsWith(QStringLiteral("All page resistors")), qPrintable(label("RangeLabel")));
        QVERIFY(label("StatusLabel").isEmpty());
    }

    void aSectionThatCannotBeBuiltClearsTheFigures() {
        // Q 0.5 with 6 dB of boost needs a negative shunt resistor: "err" on the page.
        f->program->engine().commitEntry(1, tessera::Entry::Q, "0.5");
        f->program->engine().commitEntry(1, tessera::Entry::Gain, "6");
        QVERIFY(tessera::unbuildableReason(tessera::circuitParts(f->program->engine())).has_value());
        QVERIFY(!label("StatusLabel").isEmpty());
        QCOMPARE(child<QTableWidget>("ContributorsTable")->rowCount(), 0);
        QVERIFY(label("TotalsLabel").isEmpty());
        QCOMPARE(child<TControlImage>("NoisePlot")->FullData().rows(), tessera::PlotData::initialBlock().rows());

        f->program->engine().commitEntry(1, tessera::Entry::Gain, "0");
        QVERIFY(label("StatusLabel").isEmpty());
        comparePlot(expected());
    }
};

QTEST_MAIN(NoiseDialogTest)
#include "noise_dialog_test.moc"
