// Edit → Undo and Redo in the whole program, driven through the real widgets:
// each kind of step is taken back and made again to the very bytes Save as
// writes, the page texts and the plotted curves; a held repeat is one step;
// Ctrl+Z in a field with typing undoes the typing only; the modified flag
// and the save prompt follow the history.
#include "program_fixture.h"

#include "arrow_buttons.h"
#include "config_file.h"
#include "einstell.h"
#include "filter_page.h"
#include "fit_dialog.h"
#include "opamp_dialog.h"
#include "page_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <functional>

using tessera::GraphWindow;
using tessera::MenuCommand;
using tessera::dialog::Control;

namespace {

// What the user sees and what Save as would write.
struct Shown {
    std::string saved;
    QStringList texts; // every field, label and selector of the four pages
    std::vector<double> plotted;
    bool operator==(const Shown&) const = default;
};

struct EditFixture : ProgramFixture {
    TDialog& dialog() { return program->dialog(); }
    template <typename W> W* control(Control control, int section) {
        return dialog().findChild<W*>(QString::fromStdString(tessera::dialog::objectName(control, section)));
    }
    tessera::EditHistory& history() { return frame().document().history(); }
    QAction* undo() { return frame().action(MenuCommand::Undo); }
    QAction* redo() { return frame().action(MenuCommand::Redo); }

    Shown shown() {
        Shown s{tessera::configurationText(program->engine(), "design.tsn", program->engine().separator()), {}, {}};
        for (int page = 1; page <= tessera::kSectionCount; ++page) {
            QWidget* tab = dialog().page(page);
            for (auto* edit : tab->findChildren<QLineEdit*>()) s.texts << edit->text();
            for (auto* label : tab->findChildren<QLabel*>()) s.texts << label->text();
            for (auto* box : tab->findChildren<QComboBox*>()) s.texts << box->currentText();
            for (auto* stepper : tab->findChildren<TUpDown*>())
                s.texts << QString::number(stepper->position()) + (stepper->isEnabled() ? "+" : "-");
        }
        for (int w = 0; w < 6; ++w) {
            const tessera::PlotData& data = plot(static_cast<GraphWindow>(w))->FullData();
            for (std::size_t i = 0; i < 2 * tessera::kGridPoints; ++i) s.plotted.push_back(data.value(i));
        }
        return s;
    }

    void importMeasurement(const char* name, double magnitude) {
        const std::string file = path(name);
        QByteArray text = "* test\r\n";
        for (double hz = 10; hz < 25000; hz *= 1.05)
            text += QByteArray::number(hz, 'f', 3) + " " +
                    QByteArray::number(magnitude * std::sin(std::log(hz)), 'f', 4) + "\r\n";
        writeFile(file, text);
        prompts.chosenFiles = {file};
        trigger(MenuCommand::Import);
    }
};

QPoint upHalf(QWidget* w) { return {w->width() / 2, w->height() / 4}; }

QStringList editMenuItems(TMainForm& frame) {
    QStringList items;
    for (QAction* a : frame.menuBar()->findChild<QMenu*>(QStringLiteral("Edit1"))->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<EditFixture> f;

private slots:
    void init() { f = std::make_unique<EditFixture>(); }
    void cleanup() { f.reset(); }

    void everyKindOfStepIsTakenBackAndMadeAgainExactly() {
        // Undo and Redo stand above Copy, greyed until there is a step.
        QCOMPARE(editMenuItems(f->frame()), (QStringList{"&Undo", "&Redo", "-", "&Copy"}));
        QVERIFY(!f->undo()->isEnabled() && !f->redo()->isEnabled());
        f->importMeasurement("first.frd", 3); // for the fit
        struct Step {
            const char* name;
            std::function<void()> make;
        };
        TFitDialog* fitDialog = nullptr;
        const std::vector<Step> steps = {
            {"Filter2 Q", [&] {
                 auto* entry = f->control<QLineEdit>(Control::QEntry, 2);
                 entry->setFocus();
                 entry->selectAll();
                 QTest::keyClicks(entry, QStringLiteral("2,5"));
                 QTest::keyClick(entry, Qt::Key_Return);
             }},
            {"Filter1 Frequency", [&] {
                 auto* spin = f->control<TSpinButton>(Control::FrequencySpin, 1);
                 QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() * 3 / 4));
             }},
            {"Filter3 Capacitor", [&] {
                 auto* box = f->control<QComboBox>(Control::CapacitorBox, 3);
                 box->setCurrentIndex(7);
                 emit box->activated(7);
             }},
            {"Filter4 E12", [&] { f->control<QPushButton>(Control::E12Button, 4)->click(); }},
            {"Filter4 R10", [&] {
                 auto* stepper = f->control<TUpDown>(Control::UpperStepper, 4);
                 QTest::mousePress(stepper, Qt::LeftButton, {}, upHalf(stepper));
                 QTest::mouseRelease(stepper, Qt::LeftButton, {}, upHalf(stepper));
             }},
            {"Fit", [&] {
                 f->trigger(MenuCommand::FitToImport);
                 fitDialog = f->frame().findChild<TFitDialog*>(QStringLiteral("FitDialog"));
                 fitDialog->findChild<QPushButton*>(QStringLiteral("FitButton"))->click();
                 fitDialog->findChild<QPushButton*>(QStringLiteral("ApplyButton"))->click();
                 fitDialog->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
             }},
            {"Pre-compensate", [&] {
                 f->trigger(MenuCommand::OpAmp);
                 auto* opAmp = f->frame().findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
                 auto* box = opAmp->findChild<QComboBox*>(QStringLiteral("OpAmpBox"));
                 box->setCurrentIndex(box->findText(QStringLiteral("TL072")));
                 emit box->activated(box->currentIndex());
                 opAmp->findChild<QPushButton*>(QStringLiteral("PrecompensateButton"))->click();
                 opAmp->close();
             }},
            {"Import", [&] { f->importMeasurement("second.frd", -4); }},
        };
        for (const Step& step : steps) {
            const Shown before = f->shown();
            const std::size_t undoSteps = f->history().undoSteps();
            step.make();
            const Shown after = f->shown();
            QVERIFY2(after.saved != before.saved || after.texts != before.texts, step.name);
            QCOMPARE(f->history().undoSteps(), undoSteps + 1);
            QCOMPARE(f->undo()->text(), QStringLiteral("&Undo ") + QLatin1String(step.name));
            f->trigger(MenuCommand::Undo);
            QVERIFY2(f->shown() == before, step.name);
            QVERIFY(f->redo()->isEnabled());
            QCOMPARE(f->redo()->text(), QStringLiteral("&Redo ") + QLatin1String(step.name));
            f->trigger(MenuCommand::Redo);
            QVERIFY2(f->shown() == after, step.name);
        }
    }

    void aHeldSpinIsOneStepFromPressToRelease() {
        const Shown before = f->shown();
        auto* spin = f->control<TSpinButton>(Control::GainSpin, 1);
        QTimer* repeat = spin->findChild<QTimer*>(QStringLiteral("repeatTimer"));
        QTest::mousePress(spin, Qt::LeftButton, {}, upHalf(spin));
        for (int tick = 0; tick < 6; ++tick) QMetaObject::invokeMethod(repeat, "timeout");
        QTest::mouseRelease(spin, Qt::LeftButton, {}, upHalf(spin));
        const Shown held = f->shown();
        QVERIFY(held != before);
        QCOMPARE(f->history().undoSteps(), std::size_t{1});
        QTest::mouseClick(spin, Qt::LeftButton, {}, upHalf(spin)); // the release ended the step
        QCOMPARE(f->history().undoSteps(), std::size_t{2});
        f->trigger(MenuCommand::Undo);
        QVERIFY(f->shown() == held);
        f->trigger(MenuCommand::Undo);
        QVERIFY(f->shown() == before);

        // A held stepper likewise.
        auto* stepper = f->control<TUpDown>(Control::LowerStepper, 2);
        repeat = stepper->findChild<QTimer*>(QStringLiteral("repeatTimer"));
        QTest::mousePress(stepper, Qt::LeftButton, {}, QPoint(stepper->width() / 2, stepper->height() * 3 / 4));
        for (int tick = 0; tick < 4; ++tick) QMetaObject::invokeMethod(repeat, "timeout");
        QTest::mouseRelease(stepper, Qt::LeftButton, {}, QPoint(stepper->width() / 2, stepper->height() * 3 / 4));
        QCOMPARE(f->history().undoSteps(), std::size_t{1});
        QCOMPARE(f->history().undoName(), std::string("Filter2 R6"));
        f->trigger(MenuCommand::Undo);
        QVERIFY(f->shown() == before);
    }

    void ctrlZInAFieldWithTypingUndoesTheTypingThenTheDesign() {
        const Shown start = f->shown();
        auto* spin = f->control<TSpinButton>(Control::FrequencySpin, 3);
        QTest::mouseClick(spin, Qt::LeftButton, {}, upHalf(spin));
        const Shown spun = f->shown();

        TDialog& dialog = f->dialog();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.notebook()->setCurrentIndex(2);
        auto* entry = f->control<QLineEdit>(Control::QEntry, 3);
        entry->setFocus();
        QTRY_VERIFY(entry->hasFocus());
        const QString shownQ = entry->text();
        QTest::keyClick(entry, Qt::Key_End);
        QTest::keyClicks(entry, QStringLiteral("12"));
        QCOMPARE(entry->text(), shownQ + "12");

        QTest::keyClick(entry, Qt::Key_Z, Qt::ControlModifier); // the typing
        QCOMPARE(entry->text(), shownQ);
        QCOMPARE(f->history().undoSteps(), std::size_t{1});
        QVERIFY(f->shown() == spun);
        QTest::keyClick(entry, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // the typing again
        QCOMPARE(entry->text(), shownQ + "12");
        QTest::keyClick(entry, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(entry->text(), shownQ);

        QTest::keyClick(entry, Qt::Key_Z, Qt::ControlModifier); // nothing typed left: the spin
        QCOMPARE(f->history().undoSteps(), std::size_t{0});
        QVERIFY(f->shown() == start);
        QTest::keyClick(entry, Qt::Key_Y, Qt::ControlModifier); // and the spin again, not the typing
        QVERIFY(f->shown() == spun);
        QCOMPARE(entry->text(), shownQ);

        // The capacitor selector's typing likewise.
        f->trigger(MenuCommand::Undo);
        f->control<QPushButton>(Control::E12Button, 2)->click();
        dialog.notebook()->setCurrentIndex(1);
        auto* box = f->control<QComboBox>(Control::CapacitorBox, 2);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(box->currentText(), QStringLiteral("1 nFx"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); // the typing
        QCOMPARE(box->currentText(), QStringLiteral("1 nF"));
        QCOMPARE(f->history().undoSteps(), std::size_t{1});
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); // then E12
        QCOMPARE(f->history().undoSteps(), std::size_t{0});
        QVERIFY(f->shown() == start);
    }

    void theModifiedFlagAndTheSavePromptFollowTheHistory() {
        const std::string name = f->path("kept.tsn");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        QCOMPARE(f->bank().Modified, 0);

        auto* spin = f->control<TSpinButton>(Control::QSpin, 4);
        QTest::mouseClick(spin, Qt::LeftButton, {}, upHalf(spin));
        QCOMPARE(f->bank().Modified, 1);
        f->trigger(MenuCommand::Save); // Save leaves the history as it is
        QVERIFY(f->undo()->isEnabled());
        f->trigger(MenuCommand::Undo); // now away from the state saved
        QCOMPARE(f->bank().Modified, 1);
        f->trigger(MenuCommand::Redo);
        QCOMPARE(f->bank().Modified, 0);
        f->trigger(MenuCommand::New); // nothing to save: no question
        QVERIFY(f->prompts.questions.empty());
        QVERIFY(!f->undo()->isEnabled()); // New starts afresh

        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::Open);
        QVERIFY(!f->undo()->isEnabled()); // so does Open
        f->importMeasurement("measured.frd", 2);
        f->trigger(MenuCommand::Undo);
        QCOMPARE(f->bank().Modified, 0);
        f->frame().close(); // closes without asking
        QVERIFY(f->prompts.questions.empty());
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
