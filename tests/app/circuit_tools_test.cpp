// The Tools menu's circuit commands driven through the frame's actions with
// scripted answers: the netlist export, the op-amp and the tolerances.
#include "program_fixture.h"

#include "circuit_curves.h"
#include "circuit_settings_holder.h"
#include "netlist.h"
#include "opamp_dialog.h"
#include "settings_store.h"
#include "tolerance_dialog.h"
#include "user_prompts.h"
#include "wmf_reader.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLockFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

using tessera::FileDialogKind;
using tessera::MenuCommand;

// The op-amp dialog, with its list of op-amps and the four figures of a custom one.
struct OpAmpForm {
    TOpAmpDialog* dialog;
    QComboBox* box;
    QLineEdit *gbw, *slew, *en, *in;

    explicit OpAmpForm(ProgramFixture& f) {
        f.trigger(MenuCommand::OpAmp);
        dialog = f.frame().findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
        box = dialog->findChild<QComboBox*>(QStringLiteral("OpAmpBox"));
        gbw = dialog->findChild<QLineEdit*>(QStringLiteral("GbwEdit"));
        slew = dialog->findChild<QLineEdit*>(QStringLiteral("SlewEdit"));
        en = dialog->findChild<QLineEdit*>(QStringLiteral("EnEdit"));
        in = dialog->findChild<QLineEdit*>(QStringLiteral("InEdit"));
    }
    // As the user picks a name from the list.
    void choose(const QString& name) {
        const int index = box->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void custom(const char* gbwText, const char* slewText, const char* enText, const char* inText) {
        choose(QStringLiteral("Custom"));
        gbw->setText(QString::fromLatin1(gbwText));
        slew->setText(QString::fromLatin1(slewText));
        en->setText(QString::fromLatin1(enText));
        in->setText(QString::fromLatin1(inText));
        dialog->findChild<QPushButton*>(QStringLiteral("ApplyButton"))->click();
    }
};

class CircuitToolsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    int rows(tessera::GraphWindow w) { return f->plot(w)->FullData().rows(); }
    tessera::CircuitSettingsHolder& settings() { return f->frame().circuitSettings(); }

private slots:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void netlistExportAsksBeforeOverwritingAndKeepsTheOldFileOnFailure() {
        const auto dialog = tessera::makeFileDialog(&f->frame(), FileDialogKind::ExportNetlist);
        const auto* filter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(filter && filter->count() == 1);
        QCOMPARE(filter->currentText(), QStringLiteral("SPICE netlist (*.cir)"));
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("cir"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);

        const std::string name = f->path("eq.cir");
        writeFile(name, "old");
        f->prompts.chosenFiles = {name, name};
        f->prompts.answers = {false, true};
        f->trigger(MenuCommand::ExportNetlist); // No: nothing written
        QCOMPARE(fileContents(name), QByteArray("old"));
        f->trigger(MenuCommand::ExportNetlist); // Yes
        QCOMPARE(f->prompts.questions, std::vector<std::string>(2, " File " + name + " exists! Overwrite?"));
        QCOMPARE(fileContents(name).toStdString(), tessera::netlistText(f->program->engine(), {}));
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(f->bank().Modified, 0); // exporting changes nothing of the document

        const std::string unwritable = f->path("missing-folder/eq.cir");
        f->prompts.chosenFiles = {unwritable};
        const SpokenLanguage german(tessera::Language::German); // the message as the German program says it
        f->trigger(MenuCommand::ExportNetlist);
        QCOMPARE(f->prompts.errors, std::vector<std::string>{"Kann Datei " + unwritable + " nicht erstellen"});
    }

    void opAmpChosenByNameDrivesTheCurvesTheTableAndTheNetlist() {
        OpAmpForm form(*f);
        QVERIFY(form.dialog->isVisible());
        QCOMPARE(form.box->currentText(), QStringLiteral("Ideal"));
        QCOMPARE(form.box->count(), static_cast<int>(tessera::opAmpCatalogue().size()) + 1);
        QCOMPARE(rows(tessera::GraphWindow::Result), 2);

        form.choose(QStringLiteral("TL072")); // 3 MHz, taken at once
        QCOMPARE(settings().opAmp(), *tessera::opAmpNamed("TL072"));
        QVERIFY(form.gbw->isReadOnly());
        QCOMPARE(form.gbw->text(), QStringLiteral("3000000"));
        QCOMPARE(form.slew->text(), QStringLiteral("13"));
        for (auto w : {tessera::GraphWindow::Filter1, tessera::GraphWindow::Filter4, tessera::GraphWindow::Result}) {
            QCOMPARE(rows(w), 3);
            QCOMPARE(f->plot(w)->FullData().rowKind(2), tessera::CurveKind::RealOpAmp);
        }
        QCOMPARE(rows(tessera::GraphWindow::Import), 2);
        QCOMPARE(f->bank().Modified, 0);
        auto* table = form.dialog->findChild<QTableWidget*>(QStringLiteral("OpAmpTable"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("-4.83 %")); // the start-up section's frequency

        // The netlist takes the chosen op-amp.
        const std::string name = f->path("real.cir");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::ExportNetlist);
        QVERIFY(fileContents(name).contains("single pole: gain-bandwidth 3000000 Hz"));

        // A faster part moves the section's frequency less.
        form.choose(QStringLiteral("LM4562"));
        const double lm4562 = table->item(0, 2)->text().remove(QStringLiteral(" %")).toDouble();
        QVERIFY2(lm4562 < 0 && lm4562 > -0.5, qPrintable(table->item(0, 2)->text()));

        // Pre-compensating section 1 brings its frequency back near the start-up one.
        form.choose(QStringLiteral("TL072"));
        table->selectRow(0);
        form.dialog->findChild<QPushButton*>(QStringLiteral("PrecompensateButton"))->click();
        const double change = table->item(0, 2)->text().remove(QStringLiteral(" %")).toDouble();
        QVERIFY2(std::fabs(table->item(0, 1)->text().remove(QStringLiteral(" Hz")).toDouble() / 19551 - 1) < 0.03,
                 qPrintable(table->item(0, 1)->text()));
        QVERIFY(change < 0); // the op-amp still lowers it; the design was raised to make up for it

        form.choose(QStringLiteral("Ideal"));
        QCOMPARE(rows(tessera::GraphWindow::Result), 2);
        QCOMPARE(rows(tessera::GraphWindow::Filter1), 2);
        QVERIFY(!form.dialog->findChild<QPushButton*>(QStringLiteral("PrecompensateButton"))->isEnabled());
    }

    void badCustomFiguresAreRefusedAndChangeNothing() {
        OpAmpForm form(*f);
        form.choose(QStringLiteral("NE5532"));
        const tessera::CircuitSettings before = settings().settings();
        QSignalSpy changes(&settings(), &tessera::CircuitSettingsHolder::changed);
        const auto resultCurve = [&] { return f->plot(tessera::GraphWindow::Result)->FullData().value(2 * 256 + 200); };
        const double curveBefore = resultCurve();

        // (Each figure's check is tested headless; here a refusal reaches the user.)
        form.custom("fast", "9", "5", "0.7");
        form.custom("3e6", "-9", "5", "0.7");
        QCOMPARE(f->prompts.errors.size(), std::size_t{2});
        QVERIFY2(f->prompts.errors[1].find("\"-9\"") != std::string::npos, f->prompts.errors[1].c_str());
        QCOMPARE(changes.count(), 0);
        QCOMPARE(settings().settings(), before);
        QCOMPARE(resultCurve(), curveBefore);

        // Return where Custom was picked only picks it: nothing is applied
        // before the figures are typed; Return in a figure applies them once.
        form.choose(QStringLiteral("Ideal"));
        form.choose(QStringLiteral("Custom"));
        QTest::keyClick(form.box, Qt::Key_Return);
        QCOMPARE(f->prompts.errors.size(), std::size_t{2});
        QCOMPARE(settings().opAmp(), tessera::idealOpAmp());
        form.gbw->setText(QStringLiteral("2e6"));
        form.slew->setText(QStringLiteral("4,5")); // the comma as the decimal separator too
        form.en->setText(QStringLiteral("12"));
        form.in->setText(QStringLiteral("0.25"));
        changes.clear();
        QTest::keyClick(form.in, Qt::Key_Return);
        QCOMPARE(f->prompts.errors.size(), std::size_t{2});
        QCOMPARE(changes.count(), 1);
        QCOMPARE(settings().opAmp(), tessera::customOpAmp(2e6, 4.5, 12, 0.25));
        QVERIFY(!form.gbw->isReadOnly());
        QVERIFY(resultCurve() != curveBefore);
    }

    void circuitSettingsSurviveARestartAndBadRememberedEntriesFallBack() {
        tessera::CircuitSettings chosen;
        chosen.opAmp = tessera::customOpAmp(2.5e6, 7.5, 4.25, 0.125);
        chosen.summingOhms = 4700;
        chosen.inputLevelDbu = -2.5;
        chosen.outputPeakV = 10.75;
        chosen.resistors = {470, 2.2e6};
        QVERIFY(settings().set(chosen));
        f->restart();
        QCOMPARE(settings().settings(), chosen);
        QCOMPARE(rows(tessera::GraphWindow::Result), 3); // the curves start with the remembered op-amp
        OpAmpForm form(*f);
        QCOMPARE(form.box->currentText(), QStringLiteral("Custom"));
        QCOMPARE(form.slew->text(), QStringLiteral("7.5"));

        // Settings the checks refuse are not taken, nor remembered.
        tessera::CircuitSettings bad = chosen;
        bad.summingOhms = 4800; // no E24 value
        QVERIFY(!settings().set(bad));
        bad = chosen;
        bad.resistors = {2e6, 1e3};
        QVERIFY(!settings().set(bad));
        tessera::SettingsStore store;
        QCOMPARE(tessera::CircuitSettingsHolder(store).settings(), chosen);
    }

    void aSettingThatCannotBeSavedIsSaidOnceAndHoldsForTheSession() {
        const QString file = QString::fromStdString(f->settings.file());
        QVERIFY(QDir().mkpath(file)); // a directory in the file's place
        QVERIFY(settings().setOpAmp(*tessera::opAmpNamed("TL072")));
        QVERIFY(settings().setOpAmp(*tessera::opAmpNamed("NE5532")));
        QCOMPARE(f->prompts.errors.size(), std::size_t{1});
        QVERIFY2(f->prompts.errors[0].find(f->settings.file()) != std::string::npos, f->prompts.errors[0].c_str());
        QCOMPARE(settings().opAmp().name, std::string("NE5532"));

        QVERIFY(QDir(file).removeRecursively());
        QVERIFY(settings().setOpAmp(*tessera::opAmpNamed("OPA2134")));
        f->restart();
        QCOMPARE(settings().opAmp().name, std::string("OPA2134"));
    }

    // Another program's lock on the file: the change holds, waits and is
    // saved once the lock is gone; told once if it stays.
    void aHeldLockNeitherWaitsNorLosesTheChange() {
        tessera::SettingsStore& store = f->frame().settingsStore();
        auto* retry = store.findChild<QTimer*>(QStringLiteral("settingsRetryTimer"));
        QLockFile other(QString::fromStdString(f->settings.file() + ".lock"));
        QVERIFY(QDir().mkpath(f->settings.folder.filePath(QStringLiteral("tessera"))));
        QVERIFY(other.tryLock(0));
        QVERIFY(settings().setOpAmp(*tessera::opAmpNamed("TL072")));
        QCOMPARE(settings().opAmp().name, std::string("TL072"));
        QVERIFY(!fileContents(f->settings.file()).contains("TL072"));
        QVERIFY(store.savePending() && retry->isActive());
        other.unlock();
        QTimerEvent tick(retry->timerId()); // as the event loop runs the retry
        QCoreApplication::sendEvent(retry, &tick);
        QVERIFY(fileContents(f->settings.file()).contains("TL072"));
        QVERIFY(!store.savePending() && !retry->isActive());

        QVERIFY(other.tryLock(0));
        QVERIFY(settings().setOpAmp(*tessera::opAmpNamed("NE5532")));
        for (int k = 0; k < 2 * tessera::SettingsStore::kTriesBeforeTelling; ++k) store.saveNow();
        QCOMPARE(f->prompts.errors.size(), std::size_t{1});
        QVERIFY(store.savePending());
    }

    void toleranceRunDrawsTheBoundsOnTheResultAndIntoItsMetafile() {
        f->trigger(MenuCommand::Tolerances);
        auto* dialog = f->frame().findChild<TToleranceDialog*>(QStringLiteral("TolerancesDialog"));
        QVERIFY(dialog != nullptr && dialog->isVisible());
        auto* trials = dialog->findChild<QLineEdit*>(QStringLiteral("TrialsEdit"));
        auto* parts = dialog->findChild<QTableWidget*>(QStringLiteral("PartsTable"));
        auto* run = dialog->findChild<QPushButton*>(QStringLiteral("RunButton"));
        QCOMPARE(trials->text(), QStringLiteral("1000"));
        TControlImage* result = f->plot(tessera::GraphWindow::Result);

        // Refused entries change nothing.
        for (const char* bad : {"0", "1000000000", "many"}) {
            trials->setText(QString::fromLatin1(bad));
            run->click();
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("BandLowEdit"))->setText(QStringLiteral("30000"));
        trials->setText(QStringLiteral("500"));
        run->click();
        QCOMPARE(f->prompts.errors.size(), std::size_t{4});
        QCOMPARE(result->FullData().rows(), 2);
        QCOMPARE(parts->rowCount(), 0);

        dialog->findChild<QLineEdit*>(QStringLiteral("BandLowEdit"))->setText(QStringLiteral("20"));
        run->click();
        QCOMPARE(f->prompts.errors.size(), std::size_t{4});
        QCOMPARE(result->FullData().rows(), 4);
        QCOMPARE(result->FullData().rowKind(3), tessera::CurveKind::ToleranceBound);
        QCOMPARE(parts->rowCount(), 20);
        QCOMPARE(f->bank().Modified, 0);

        // Copy and Print go through the metafile: the bounds are in it, in their print colour.
        QVERIFY(result->ExportMetafile());
        tessera::plot::WmfPicture picture;
        QVERIFY(picture.load(QStringLiteral("temp.wmf")));
        int bounds = 0;
        for (const auto& item : picture.recording().items)
            if (const auto* curve = std::get_if<tessera::plot::PolylineItem>(&item))
                bounds += curve->pen.colour == tessera::plot::colour::Red;
        QCOMPARE(bounds, 2);

        // The run takes the chosen op-amp: choosing another takes the bounds
        // away, and a new run draws them around that op-amp's curve.
        const auto bound = [&](int row, std::size_t point) { return result->FullData().value(row * 256 + point); };
        const double idealBound = bound(3, 250);
        OpAmpForm(*f).choose(QStringLiteral("TL072"));
        QCOMPARE(result->FullData().rows(), 3);
        QCOMPARE(result->FullData().rowKind(2), tessera::CurveKind::RealOpAmp);
        f->trigger(MenuCommand::Tolerances);
        run->click();
        QCOMPARE(result->FullData().rows(), 5);
        QCOMPARE(result->FullData().rowKind(4), tessera::CurveKind::ToleranceBound);
        QVERIFY2(std::fabs(bound(3, 250) - idealBound) > 0.1, qPrintable(QString::number(bound(3, 250) - idealBound)));
        // The bounds hold the op-amp's curve between them.
        QVERIFY(bound(3, 250) <= bound(2, 250) && bound(2, 250) <= bound(4, 250));

        // A change of the design takes the bounds away and the figures with them.
        f->program->engine().stepResistor(1, tessera::Slot::R2, true);
        QCOMPARE(result->FullData().rows(), 3);
        dialog->hide();
        f->trigger(MenuCommand::Tolerances);
        QCOMPARE(parts->rowCount(), 0);
    }
};

QTEST_MAIN(CircuitToolsTest)
#include "circuit_tools_test.moc"
