// The fit dialog through its widgets: Fit and Apply leave exactly the
// predicted state and show it on the configuration pages; Close leaves
// everything as it was.
#include "program_fixture.h"

#include "fit_apply.h"
#include "fit_dialog.h"
#include "einstell.h"
#include "number_text.h"
#include "page_layout.h"

#include "circuit_settings_holder.h"
#include "fit.h"
#include "fit_target.h"
#include "measurement_import.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <cstring>

using tessera::GraphWindow;
using tessera::MenuCommand;

namespace {

void importRoom(ProgramFixture& f) {
    QByteArray mlssa = "MLSSA export\r\n\"Hz\",\"dB\"\r\n";
    for (double hz = 10; hz < 25000; hz *= 1.02) {
        const double dip = std::log(hz / 150), peak = std::log(hz / 4000);
        const double db = 2 - 5 * std::exp(-dip * dip / 0.08) + 4 * std::exp(-peak * peak / 0.15);
        mlssa += QByteArray::number(hz, 'f', 3) + "," + QByteArray::number(db, 'f', 3) + "\r\n";
    }
    const std::string measurement = f.path("room.txt");
    writeFile(measurement, mlssa);
    f.prompts.chosenFiles = {measurement};
    f.trigger(MenuCommand::Import);
}

TFitDialog* openFitDialog(ProgramFixture& f) {
    f.trigger(MenuCommand::FitToImport);
    auto* dialog = f.frame().findChild<TFitDialog*>(QStringLiteral("FitDialog"));
    if (dialog != nullptr && !QTest::qWaitForWindowExposed(dialog)) return nullptr;
    return dialog;
}

template <typename W> W* child(QWidget* dialog, const char* name) {
    return dialog->findChild<W*>(QString::fromLatin1(name));
}

bool sameBits(const tessera::Curve& a, const tessera::Curve& b) { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }

} // namespace

class FitDialogTest : public QObject {
    Q_OBJECT
private slots:
    void fitAndApplyGiveThePredictedStateOnEveryPage() {
        ProgramFixture f;
        importRoom(f);
        f.bank().Modified = 0;
        TFitDialog* dialog = openFitDialog(f);
        QVERIFY(dialog != nullptr);
        QCOMPARE(child<QLineEdit>(dialog, "BandLowEdit")->text(), QStringLiteral("20"));
        QCOMPARE(child<QLineEdit>(dialog, "BandHighEdit")->text(), QStringLiteral("20000"));
        QVERIFY(!child<QPushButton>(dialog, "ApplyButton")->isEnabled());

        // Typed with a decimal comma and a decimal point; section 4 left out.
        child<QLineEdit>(dialog, "BandLowEdit")->setText(QStringLiteral("30,5"));
        child<QLineEdit>(dialog, "TiltEdit")->setText(QStringLiteral("-0.5"));
        child<QCheckBox>(dialog, "Section4Check")->setChecked(false);
        const tessera::FilterSection section4 = f.bank().section(4);
        QTest::mouseClick(child<QPushButton>(dialog, "FitButton"), Qt::LeftButton);
        QVERIFY2(dialog->result().has_value(), qPrintable(child<QLabel>(dialog, "MessageLabel")->text()));
        const tessera::FitResult fit = *dialog->result();
        QCOMPARE(fit.band.first, tessera::gridBand(30.5, 20000).first);
        QVERIFY(!child<QLabel>(dialog, "ErrorAfterLabel")->text().isEmpty());
        QCOMPARE(child<TControlImage>(dialog, "PreviewPlot")->FullData().rows(), 4);
        QCOMPARE(f.bank().Modified, std::uint8_t{0}); // Fit alone changes nothing

        QTest::mouseClick(child<QPushButton>(dialog, "ApplyButton"), Qt::LeftButton);
        QVERIFY(sameBits(tessera::resultCurve(f.bank()), fit.predictedResult));
        QCOMPARE(f.plot(GraphWindow::Result)->FullData().value(256 + 100), fit.predictedResult[100]);
        QCOMPARE(f.bank().Modified, std::uint8_t{1});
        QCOMPARE(f.bank().section(4).Frequency, section4.Frequency);
        QVERIFY(sameBits(f.bank().section(4).SectionCurve, section4.SectionCurve));
        for (int s = 1; s <= 3; ++s) {
            const tessera::FittedSection& fs = fit.section(s);
            QCOMPARE(f.bank().section(s).Frequency, fs.frequency);
            const auto entry = f.program->dialog().findChild<QLineEdit*>(QString::fromStdString(
                tessera::dialog::objectName(tessera::dialog::Control::FrequencyEntry, s)));
            QVERIFY(entry != nullptr);
            QCOMPARE(entry->text().toStdString(),
                     tessera::fixedText(fs.frequency, 5, 0, f.program->engine().separator()));
            QCOMPARE(f.plot(tessera::sectionWindow(s))->FullData().value(256 + 50), f.bank().section(s).SectionCurve[50]);
        }
        QVERIFY(!child<QPushButton>(dialog, "ApplyButton")->isEnabled());
        QTest::mouseClick(child<QPushButton>(dialog, "CloseButton"), Qt::LeftButton);
    }

    void closeWithoutApplyAndRefusalsChangeNothing() {
        ProgramFixture f;
        TFitDialog* empty = openFitDialog(f);
        QVERIFY(empty != nullptr);
        QTest::mouseClick(child<QPushButton>(empty, "FitButton"), Qt::LeftButton);
        QVERIFY(child<QLabel>(empty, "MessageLabel")->text().contains(QStringLiteral("import")));
        QVERIFY(!child<QPushButton>(empty, "ApplyButton")->isEnabled());
        QTest::mouseClick(child<QPushButton>(empty, "CloseButton"), Qt::LeftButton);
        QTRY_VERIFY(f.frame().findChild<TFitDialog*>(QStringLiteral("FitDialog")) == nullptr);

        importRoom(f);
        f.bank().Modified = 0;
        const tessera::Curve combined = f.bank().CombinedCurve;
        const double frequency = f.bank().section(1).Frequency;
        TFitDialog* dialog = openFitDialog(f);
        child<QLineEdit>(dialog, "MaxBoostEdit")->setText(QStringLiteral("loud"));
        QTest::mouseClick(child<QPushButton>(dialog, "FitButton"), Qt::LeftButton);
        QVERIFY(child<QLabel>(dialog, "MessageLabel")->text().contains(QStringLiteral("loud")));
        child<QLineEdit>(dialog, "MaxBoostEdit")->setText(QStringLiteral("6"));
        QTest::mouseClick(child<QPushButton>(dialog, "FitButton"), Qt::LeftButton);
        QVERIFY(dialog->result().has_value());
        QTest::mouseClick(child<QPushButton>(dialog, "CloseButton"), Qt::LeftButton);
        QVERIFY(sameBits(f.bank().CombinedCurve, combined));
        QCOMPARE(f.bank().section(1).Frequency, frequency);
        QCOMPARE(f.bank().Modified, std::uint8_t{0});
    }

    void clicksWhileAFitRunsWaitForIt() {
        ProgramFixture f;
        importRoom(f);
        TFitDialog* dialog = openFitDialog(f);
        QVERIFY(dialog != nullptr);
        auto* fit = child<QPushButton>(dialog, "FitButton");
        QTest::mouseClick(fit, Qt::LeftButton);
        QVERIFY(child<QPushButton>(dialog, "ApplyButton")->isEnabled());
        f.bank().Modified = 0;
        const tessera::Curve combined = f.bank().CombinedCurve;

        // Delivered by the fit's first progress report: Apply of the last
        // result would change what is being fitted; a second Fit and Close wait.
        bool delivered = false, anotherFitOrClose = true;
        QTimer::singleShot(0, dialog, [&] {
            QTest::mouseClick(child<QPushButton>(dialog, "ApplyButton"), Qt::LeftButton);
            anotherFitOrClose = fit->isEnabled() || child<QPushButton>(dialog, "CloseButton")->isEnabled();
            delivered = true;
        });
        child<QCheckBox>(dialog, "Section1Check")->setChecked(false);
        QTest::mouseClick(fit, Qt::LeftButton);
        QVERIFY(delivered);
        QVERIFY(!anotherFitOrClose);
        QCOMPARE(f.bank().Modified, std::uint8_t{0});
        QVERIFY(sameBits(f.bank().CombinedCurve, combined));
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->result().has_value());
        QVERIFY(!dialog->result()->section(1).fitted);

        // Cancel of the progress display (the fit runs on while the dialog
        // takes events): no result, and nothing changed.
        QTimer::singleShot(0, dialog, [&] {
            if (auto* progress = dialog->findChild<QProgressDialog*>(QStringLiteral("FitProgress"))) progress->cancel();
        });
        QTest::mouseClick(fit, Qt::LeftButton);
        QVERIFY(!dialog->result().has_value());
        QCOMPARE(child<QLabel>(dialog, "MessageLabel")->text(), QStringLiteral("The fit was cancelled."));
        QVERIFY(!child<QPushButton>(dialog, "ApplyButton")->isEnabled());
        QVERIFY(sameBits(f.bank().CombinedCurve, combined));
        QCOMPARE(f.bank().Modified, std::uint8_t{0});

        QTest::mouseClick(fit, Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "ApplyButton"), Qt::LeftButton);
        QVERIFY(sameBits(tessera::resultCurve(f.bank()), dialog->result()->predictedResult));
    }

    void targetCurveAndSmoothingDriveThePreviewAndTheFit() {
        ProgramFixture f;
        importRoom(f);
        TFitDialog* dialog = openFitDialog(f);
        QVERIFY(dialog != nullptr);
        auto* line = child<QRadioButton>(dialog, "TargetLineRadio");
        auto* curve = child<QRadioButton>(dialog, "TargetCurveRadio");
        auto* file = child<QLabel>(dialog, "TargetFileLabel");
        auto* preview = child<TControlImage>(dialog, "PreviewPlot");
        QVERIFY(line->isChecked());
        QCOMPARE(preview->FullData().rows(), 3); // frequencies, Result, measurement

        // Cancelled before any curve was read: the line stays.
        f.prompts.chosenFiles = {std::nullopt};
        QTest::mouseClick(curve, Qt::LeftButton);
        QVERIFY(line->isChecked());
        QCOMPARE(f.prompts.dialogs.back(), tessera::FileDialogKind::TargetCurve);

        const std::string house = f.path("house.csv");
        writeFile(house, "Hz,dB\n20,6\n200,2\n1000,0\n10000,-2\n20000,-3\n");
        f.prompts.chosenFiles = {house};
        QTest::mouseClick(curve, Qt::LeftButton);
        QVERIFY(curve->isChecked());
        QCOMPARE(file->text(), QStringLiteral("house.csv"));
        QCOMPARE(preview->FullData().rows(), 4); // and the target
        const auto expectedTarget = tessera::readTargetCurve(house).curve;
        QVERIFY(expectedTarget.has_value());
        QVERIFY(dialog->form().target == expectedTarget);

        // A file Import refuses: its message, and the curve read before stays.
        const std::string bad = f.path("bad.frd");
        writeFile(bad, "100 1\n50 2\n");
        tessera::FilterBankState scratch = f.bank();
        tessera::FilterEngine engine(scratch);
        const tessera::FileOutcome refused = tessera::importMeasurement(engine, bad);
        QVERIFY(refused.refused());
        f.prompts.chosenFiles = {bad};
        QTest::mouseClick(curve, Qt::LeftButton);
        QCOMPARE(child<QLabel>(dialog, "MessageLabel")->text().toStdString(), tessera::inProgramLanguage(refused.message));
        QVERIFY(curve->isChecked());
        QCOMPARE(file->text(), QStringLiteral("house.csv"));

        // 1/6 octave: the preview shows the smoothed measurement at once.
        auto* smoothing = child<QComboBox>(dialog, "SmoothingCombo");
        smoothing->setCurrentIndex(smoothing->findText(QStringLiteral("1/6 octave")));
        const tessera::Curve smoothed = tessera::smoothedCurve(f.bank().ImportedResponse, 6);
        QCOMPARE(preview->FullData().value(2 * 256 + 120), smoothed[120]);

        QTest::mouseClick(child<QPushButton>(dialog, "FitButton"), Qt::LeftButton);
        QVERIFY2(dialog->result().has_value(), qPrintable(child<QLabel>(dialog, "MessageLabel")->text()));
        tessera::FitSettings settings;
        settings.smoothing = 6;
        settings.target = expectedTarget;
        const tessera::FitOutcome direct = tessera::fitSections(f.bank(), settings);
        QVERIFY(direct.done());
        QCOMPARE(dialog->result()->after.rms, direct.result.after.rms);
        QVERIFY(sameBits(dialog->result()->target, direct.result.target));
        QCOMPARE(preview->FullData().value(2 * 256 + 120), smoothed[120]);
        QCOMPARE(preview->FullData().value(3 * 256 + 30), direct.result.target[30]);

        // Back to the line: the fit shown is gone, the target with it.
        QTest::mouseClick(line, Qt::LeftButton);
        QVERIFY(!dialog->result().has_value());
        QVERIFY(!child<QPushButton>(dialog, "ApplyButton")->isEnabled());
        QVERIFY(!dialog->form().target.has_value());
        QCOMPARE(preview->FullData().rows(), 3);
    }

    void theFitWorksWithTheProgramsCircuitSettingsAndShowsTheNoise() {
        ProgramFixture f;
        importRoom(f);
        tessera::CircuitSettings circuit = f.frame().circuitSettings().settings();
        circuit.opAmp = *tessera::opAmpNamed("TL072");
        circuit.summingOhms = 4700;
        circuit.resistors = {2200, 220000};
        QVERIFY(f.frame().circuitSettings().set(circuit));
        TFitDialog* dialog = openFitDialog(f);
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->circuitSettings() == circuit);
        QVERIFY(child<QLabel>(dialog, "CircuitLabel")->text().contains(QStringLiteral("TL072")));
        QTest::mouseClick(child<QPushButton>(dialog, "FitButton"), Qt::LeftButton);
        QVERIFY(dialog->result().has_value());
        tessera::FitSettings settings;
        settings.circuit = circuit;
        const tessera::FitOutcome direct = tessera::fitSections(f.bank(), settings);
        QVERIFY(direct.done());
        QCOMPARE(dialog->result()->noiseAfterUv, direct.result.noiseAfterUv);
        const char separator = f.program->engine().separator();
        QCOMPARE(child<QLabel>(dialog, "NoiseBeforeLabel")->text().toStdString(),
                 tessera::noiseText(direct.result.noiseBeforeUv, separator));
        QCOMPARE(child<QLabel>(dialog, "NoiseAfterLabel")->text().toStdString(),
                 tessera::noiseText(direct.result.noiseAfterUv, separator));
        // A change of the settings while the dialog is open reaches it.
        circuit.opAmp = *tessera::opAmpNamed("NE5532");
        QVERIFY(f.frame().circuitSettings().set(circuit));
        QVERIFY(child<QLabel>(dialog, "CircuitLabel")->text().contains(QStringLiteral("NE5532")));
    }

    void bandIsTakenFromTheMarkers() {
        ProgramFixture f;
        importRoom(f);
        TControlImage* plot = f.plot(GraphWindow::Import);
        f.window(QStringLiteral("Import"))->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(plot));
        const int y = plot->height() / 2;
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(plot->width() * 2 / 3, y));
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(plot->width() / 3, y));
        QVERIFY(plot->markers().bothSet());
        TFitDialog* dialog = openFitDialog(f);
        // The band as typed holds both marked grid points and nothing beyond.
        tessera::FitSettings settings;
        QVERIFY(!tessera::readFitForm(dialog->form(), settings));
        const tessera::GridBand band = tessera::gridBand(settings.bandLow, settings.bandHigh);
        QCOMPARE(band.first, plot->markers().index1);
        QCOMPARE(band.last, plot->markers().index2);
    }
};

QTEST_MAIN(FitDialogTest)
#include "fit_dialog_test.moc"
