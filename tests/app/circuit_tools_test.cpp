// The Tools menu's circuit commands driven through the frame's actions with
// scripted answers: the netlist export, the op-amp and the tolerances.
#include "program_fixture.h"

#include "circuit_curves.h"
#include "netlist.h"
#include "opamp_dialog.h"
#include "tolerance_dialog.h"
#include "user_prompts.h"
#include "wmf_reader.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using tessera::FileDialogKind;
using tessera::MenuCommand;

class CircuitToolsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

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
        f->trigger(MenuCommand::ExportNetlist);
        QCOMPARE(f->prompts.errors, std::vector<std::string>{"Kann Datei " + unwritable + " nicht erstellen"});
    }

    void opAmpDialogDrawsTheSecondCurvesAndRefusesBadEntries() {
        f->trigger(MenuCommand::OpAmp);
        auto* dialog = f->frame().findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
        QVERIFY(dialog != nullptr && dialog->isVisible());
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("GbwEdit"));
        const auto apply = [&](const char* text) {
            edit->setText(QString::fromLatin1(text));
            dialog->findChild<QPushButton*>(QStringLiteral("ApplyButton"))->click();
        };
        const auto rows = [&](tessera::GraphWindow w) { return f->plot(w)->FullData().rows(); };

        for (const char* bad : {"-3000000", "fast", "1e13"}) apply(bad);
        QCOMPARE(f->prompts.errors.size(), std::size_t{3});
        QCOMPARE(rows(tessera::GraphWindow::Result), 2);

        apply("3000000");
        QCOMPARE(f->prompts.errors.size(), std::size_t{3});
        for (auto w : {tessera::GraphWindow::Filter1, tessera::GraphWindow::Filter4, tessera::GraphWindow::Result}) {
            QCOMPARE(rows(w), 3);
            QCOMPARE(f->plot(w)->FullData().rowKind(2), tessera::CurveKind::RealOpAmp);
        }
        QCOMPARE(rows(tessera::GraphWindow::Import), 2);
        QCOMPARE(f->bank().Modified, 0);
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("OpAmpTable"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("-4.83 %")); // the start-up section's frequency

        // The netlist takes the chosen op-amp.
        const std::string name = f->path("real.cir");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::ExportNetlist);
        QVERIFY(fileContents(name).contains("single pole: gain-bandwidth 3000000 Hz"));

        // Pre-compensating section 1 brings its frequency back near the start-up one.
        table->selectRow(0);
        dialog->findChild<QPushButton*>(QStringLiteral("PrecompensateButton"))->click();
        const double change = table->item(0, 2)->text().remove(QStringLiteral(" %")).toDouble();
        QVERIFY2(std::fabs(table->item(0, 1)->text().remove(QStringLiteral(" Hz")).toDouble() / 19551 - 1) < 0.03,
                 qPrintable(table->item(0, 1)->text()));
        QVERIFY(change < 0); // the op-amp still lowers it; the design was raised to make up for it

        apply("");
        QCOMPARE(rows(tessera::GraphWindow::Result), 2);
        QCOMPARE(rows(tessera::GraphWindow::Filter1), 2);
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

        // A change of the design takes the bounds away and the figures with them.
        f->program->engine().stepResistor(1, tessera::Slot::R2, true);
        QCOMPARE(result->FullData().rows(), 2);
        dialog->hide();
        f->trigger(MenuCommand::Tolerances);
        QCOMPARE(parts->rowCount(), 0);
    }
};

QTEST_MAIN(CircuitToolsTest)
#include "circuit_tools_test.moc"
