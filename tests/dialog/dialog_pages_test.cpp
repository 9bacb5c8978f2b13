// The configuration dialog driven through its real controls: start-up texts,
// typed entries, spin buttons, series buttons, capacitor selector and
// resistor steppers on all four pages.

#include "dialog_harness.h"
#include "page_layout.h"
#include "program_translations.h"
#include "regional.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

using tessera::GraphWindow;

namespace {

void chooseCapacitor(QComboBox* box, int item) {
    box->showPopup();
    QAbstractItemView* list = box->view();
    const QRect rect = list->visualRect(list->model()->index(item, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// Closes the next modal box and keeps its title and text.
struct ModalBoxCatcher {
    QString title, text;
    QTimer timer;
    ModalBoxCatcher() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->close();
                timer.stop();
            }
        });
        timer.start();
    }
};

double shownNumber(const QString& text) { return QString(text).replace(',', '.').toDouble(); }

} // namespace

class DialogPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogHarness> h;

    Trealedit* edit(const QString& name) { return h->child<Trealedit>(name); }
    QString text(const QString& name) { return h->dialog->findChild<QWidget*>(name)->property("text").toString(); }
    ArrowPair* arrows(const QString& name) { return h->child<ArrowPair>(name); }
    void sectionColumn() {
        QTest::addColumn<int>("s");
        for (int s = 1; s <= 4; ++s) QTest::addRow("page %d", s) << s;
    }

private slots:
    // The texts checked here are the German ones the program has always shown.
    void initTestCase() { QVERIFY(tessera::useLanguage(tessera::Language::German)); }
    void init() { h = std::make_unique<DialogHarness>(); }
    void cleanup() {
        h.reset();
        tessera::setDecimalSeparator('.');
        tessera::useLanguage(tessera::Language::German);
    }

    void windowAtCreation() {
        TDialog& d = *h->dialog;
        QCOMPARE(d.windowTitle(), QString("Filter - Configuration"));
        QVERIFY(d.isVisible());
        QVERIFY(!d.isModal());
        QVERIFY(d.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(d.minimumSize(), d.maximumSize());

        auto* notebook = h->child<QTabWidget>("TabbedNotebook1");
        QCOMPARE(notebook->geometry(), QRect(d.width() / 40, d.height() / 33, d.width() - 2 * (d.width() / 40),
                                             d.height() - 2 * (d.height() / 33)));
        QCOMPARE(notebook->count(), 4);
        for (int s = 1; s <= 4; ++s) QCOMPARE(notebook->tabText(s - 1), named("Filter", s));
        QCOMPARE(notebook->currentIndex(), 0);
        QVERIFY(h->child<Trealedit>("realedit1")->isHidden());

        QCOMPARE(h->state->DialogReady, 1);
        QCOMPARE(h->state->Modified, 0);
        const std::vector<std::pair<GraphWindow, QString>> expected = {
            {GraphWindow::Filter1, "Filter1 (dB)"}, {GraphWindow::Filter2, "Filter2 (dB)"},
            {GraphWindow::Filter3, "Filter3 (dB)"}, {GraphWindow::Filter4, "Filter4 (dB)"},
            {GraphWindow::Import, "Import (dB)"},   {GraphWindow::Result, "Result (dB)"}};
        QCOMPARE(h->titles.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QVERIFY(h->titles[i].window == expected[i].first);
            QCOMPARE(h->titles[i].title, expected[i].second);
            QCOMPARE(h->titles[i].xLabel, QString("Frequency (Hz)"));
        }
        // Every section window, the import and the result have been drawn.
        for (GraphWindow w : {GraphWindow::Filter1, GraphWindow::Filter4, GraphWindow::Import, GraphWindow::Result})
            QVERIFY(std::count(h->sink.windows.begin(), h->sink.windows.end(), w) > 0);
    }

    void closeBoxOnlyHides() {
        TDialog& d = *h->dialog;
        d.selectPage(3);
        typeInto(edit("GueteEdit3"), "2");
        const std::size_t plots = h->sink.windows.size();
        QTest::keyClick(&d, Qt::Key_Escape); // not a way to close this window
        QVERIFY(d.isVisible());
        d.close();
        QVERIFY(d.isHidden());
        d.show();
        QCOMPARE(h->child<QTabWidget>("TabbedNotebook1")->currentIndex(), 2);
        QCOMPARE(text("GueteEdit3"), QString("2.00"));
        QCOMPARE(h->sink.windows.size(), plots);

        h->dialog.reset();
        QCOMPARE(h->state->DialogReady, 0);
    }

    void selectPageFollowsGraphWindows() {
        auto* notebook = h->child<QTabWidget>("TabbedNotebook1");
        h->dialog->selectPage(2);
        QCOMPARE(notebook->tabText(notebook->currentIndex()), QString("Filter2"));
        h->state->DialogReady = 0; // closing: graph windows leave the dialog alone
        h->dialog->selectPage(4);
        QCOMPARE(notebook->currentIndex(), 1);
    }

    void startUpTexts_data() { sectionColumn(); }
    void startUpTexts() {
        QFETCH(int, s);
        h->dialog->selectPage(s);
        QCOMPARE(text(freqEditName(s)), QString("19551"));
        QCOMPARE(text(named("GueteEdit", s)), QString("7.98"));
        QCOMPARE(text(named("HubEdit", s)), QString(s <= 2 ? "0.55" : "-0.55"));
        auto* status = h->child<QLabel>(named("StatusLabel", s));
        QCOMPARE(status->text(), QString("E24 - Setting"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::red));

        // Rows top to bottom: R(3s-2) shows slot R2, R(3s-1) slot R3, R(3s) slot R1.
        const QStringList captions[4] = {{"Label6", "Label7", "Label5"},
                                         {"Label14", "Label13", "Label16"},
                                         {"Label21", "Label19", "Label23"},
                                         {"Label28", "Label27", "Label30"}};
        const char* slotNames[3] = {"R2", "R3", "R1"};
        const QString values[3] = {"130 K", "510 R", "1 M"};
        const int positions[3] = {85, 27, 100}; // R1 snaps to 106, its stepper ends at 100
        for (int row = 0; row < 3; ++row) {
            auto* designator = h->child<QLabel>(captions[s - 1][row]);
            QCOMPARE(designator->text(), QString("R%1:").arg(3 * s - 2 + row));
            auto* value = h->child<QLabel>(QString(slotNames[row]) + "Label" + QString::number(s));
            auto* stepper = h->child<TUpDown>(QString(slotNames[row]) + "UpDown" + QString::number(s));
            QCOMPARE(value->text(), values[row]);
            QCOMPARE(value->y(), designator->y());
            QCOMPARE(stepper->y(), designator->y());
            QCOMPARE(stepper->position(), positions[row]);
            QCOMPARE(stepper->increment(), 1);
            QVERIFY(stepper->isEnabled());
        }

        auto* capacitors = h->child<QComboBox>(named("KondensBox", s));
        QCOMPARE(capacitors->currentText(), QString("1 nF"));
        QStringList items;
        for (int i = 0; i < capacitors->count(); ++i) items << capacitors->itemText(i);
        QCOMPARE(items, QStringList({"1 nF", "1.5 nF", "2.2 nF", "3.3 nF", "4.7 nF", "6.8 nF", "10 nF", "15 nF",
                                     "22 nF", "33 nF", "47 nF", "68 nF", "100 nF"}));
        QCOMPARE(h->child<QPushButton>(s == 1 ? "E12" : named("E12Button", s))->text(), QString("E12"));
        QCOMPARE(h->child<QPushButton>(s == 1 ? "E24" : named("E24Button", s))->text(), QString("E24"));
        for (const char* spin : {"FreqButton", "GueteButton", "HubButton"}) QVERIFY(arrows(named(spin, s)));
    }

    // Captions take the size of their text; no text runs into another control
    // and nothing leaves the page.
    void captionsFitTheirPlaces_data() { sectionColumn(); }
    void captionsFitTheirPlaces() {
        QFETCH(int, s);
        h->dialog->selectPage(s);
        const int captionNumbers[4][4] = {{1, 2, 3, 4}, {8, 9, 10, 18}, {11, 12, 15, 25}, {17, 20, 22, 32}};
        const QString captionTexts[4] = {"Frequency (Hz): ", "Q - Factor: ", "Filter - Gain (dB): ", "Capacitor:"};
        const QFontMetrics metrics(h->dialog->font());
        for (int i = 0; i < 4; ++i) {
            auto* label = h->child<QLabel>(named("Label", captionNumbers[s - 1][i]));
            QCOMPARE(label->text(), captionTexts[i]);
            QCOMPARE(label->size(), QSize(metrics.horizontalAdvance(captionTexts[i]), metrics.height()));
        }

        QWidget* page = h->child<QTabWidget>("TabbedNotebook1")->currentWidget();
        std::vector<std::pair<QString, QRect>> inked;
        for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QRect r = w->geometry();
            if (auto* label = qobject_cast<QLabel*>(w)) {
                const QString shown = label->text().trimmed();
                r.setWidth(QFontMetrics(label->font()).horizontalAdvance(shown));
                r.setHeight(QFontMetrics(label->font()).height());
                QVERIFY2(label->width() >= r.width() && label->height() >= r.height(),
                         qPrintable(label->objectName() + " cuts its text"));
            }
            QVERIFY2(page->rect().contains(r), qPrintable(w->objectName() + " leaves the page"));
            for (const auto& [other, otherRect] : inked)
                QVERIFY2(!r.intersects(otherRect), qPrintable(w->objectName() + " overlaps " + other));
            inked.emplace_back(w->objectName(), r);
        }
        QCOMPARE(inked.size(), std::size_t(23));
    }

    void gainSpinAtZeroStaysAtZero_data() { sectionColumn(); }
    void gainSpinAtZeroStaysAtZero() {
        QFETCH(int, s);
        h->dialog->selectPage(s);
        typeInto(edit(named("HubEdit", s)), "0");
        QCOMPARE(text(named("HubEdit", s)), QString("0.00"));
        clickHalf(arrows(named("HubButton", s)), true);
        QCOMPARE(text(named("HubEdit", s)), QString("0.00"));
        QCOMPARE(h->state->section(s).GainFactor, 0.0);
    }

    void typedGainsAndTheirLimits() {
        h->dialog->selectPage(1);
        typeInto(edit("HubEdit1"), "25");
        QCOMPARE(text("HubEdit1"), QString("20.80"));
        clickHalf(arrows("HubButton1"), true);
        QCOMPARE(text("HubEdit1"), QString("20.83"));
        QCOMPARE(h->state->section(1).GainFactor, 10.0);
        typeInto(edit("HubEdit1"), "-6");
        QCOMPARE(text("HubEdit1"), QString("0.00"));

        for (int s : {3, 4}) {
            h->dialog->selectPage(s);
            typeInto(edit(named("HubEdit", s)), "6");
            QCOMPARE(text(named("HubEdit", s)), QString("-6.00"));
            const double cut = h->state->section(s).GainFactor;
            typeInto(edit(named("HubEdit", s)), "-6");
            QCOMPARE(text(named("HubEdit", s)), QString("-6.00"));
            QCOMPARE(h->state->section(s).GainFactor, cut);
            // On a cut page the up half deepens the cut.
            clickHalf(arrows(named("HubButton", s)), true);
            QVERIFY(shownNumber(text(named("HubEdit", s))) < -6.1);
            clickHalf(arrows(named("HubButton", s)), false);
            clickHalf(arrows(named("HubButton", s)), false);
            QVERIFY(shownNumber(text(named("HubEdit", s))) > -5.9);
        }
    }

    void frequencyAndQLimits_data() { sectionColumn(); }
    void frequencyAndQLimits() {
        QFETCH(int, s);
        h->dialog->selectPage(s);
        const QString f = freqEditName(s), q = named("GueteEdit", s), gain = named("HubEdit", s);
        typeInto(edit(f), "19000");
        clickHalf(arrows(named("FreqButton", s)), true);
        QCOMPARE(text(f), QString("20000"));
        typeInto(edit(f), "21");
        clickHalf(arrows(named("FreqButton", s)), false);
        QCOMPARE(text(f), QString("20"));
        typeInto(edit(f), "25000");
        QCOMPARE(text(f), QString("20000"));
        typeInto(edit(f), "5");
        QCOMPARE(text(f), QString("20"));
        typeInto(edit(f), "no number");
        QCOMPARE(text(f), QString("20"));

        typeInto(edit(q), "0.3");
        clickHalf(arrows(named("GueteButton", s)), false);
        QCOMPARE(text(q), QString("0.10"));
        typeInto(edit(q), "7.9");
        clickHalf(arrows(named("GueteButton", s)), true);
        QCOMPARE(text(q), QString("8.00"));
        typeInto(edit(q), "0.707");
        QCOMPARE(text(q), QString("0.71"));

        typeInto(edit(gain), "12.345");
        QCOMPARE(text(gain), QString(s <= 2 ? "12.30" : "-12.30"));
        QVERIFY(std::abs(h->state->section(s).GainFactor - (std::pow(10.0, 12.345 / 20) - 1)) < 1e-9);
    }

    // Enter and the spin buttons leave series mode: ideal resistors, steppers
    // off, empty status line; only the changed entry is rewritten.
    void editsEnterExactMode() {
        h->dialog->selectPage(2);
        typeInto(edit("GueteEdit2"), "3", 0);
        typeInto(edit("Freqedit2"), "1000");
        QCOMPARE(text("GueteEdit2"), QString("3")); // typed, not committed
        QCOMPARE(text("StatusLabel2"), QString());
        QCOMPARE(text("R2Label2"), QString("2542 K")); // Q / (pi C f) at 1 kHz
        for (const char* stepper : {"R1UpDown2", "R2UpDown2", "R3UpDown2"}) QVERIFY(!arrows(stepper)->isEnabled());
        QCOMPARE(h->state->section(2).E24Snap, 0);
        QVERIFY(h->sink.windows.back() == GraphWindow::Result);
        QVERIFY(h->sink.windows[h->sink.windows.size() - 2] == GraphWindow::Filter2);
    }

    void escapeRestoresAndLeavingKeepsTypedText() {
        h->dialog->selectPage(4);
        typeInto(edit("GueteEdit4"), "123", Qt::Key_Escape);
        QCOMPARE(text("GueteEdit4"), QString("7.98"));
        QVERIFY(h->dialog->isVisible());
        typeInto(edit("HubEdit4"), "12", 0);
        h->child<Trealedit>("FreqEdit4")->setFocus();
        QCOMPARE(text("HubEdit4"), QString("12"));
        QCOMPARE(text("StatusLabel4"), QString("E24 - Setting"));
        QCOMPARE(h->state->section(4).GainFactor, 0.065);
    }

    void seriesButtonsAndCapacitor() {
        h->dialog->selectPage(3);
        QTest::mouseClick(h->child<QPushButton>("E12Button3"), Qt::LeftButton);
        QCOMPARE(text("StatusLabel3"), QString("E12 - Setting"));
        for (const char* name : {"R1UpDown3", "R2UpDown3", "R3UpDown3"}) {
            auto* stepper = h->child<TUpDown>(name);
            QCOMPARE(stepper->increment(), 2);
            QCOMPARE(h->state->section(3).SeriesIndex[name[1] - '1'] % 2, 0);
        }

        // A capacitor chosen in E12 mode snaps to E24 but keeps the E12 step.
        chooseCapacitor(h->child<QComboBox>("KondensBox3"), 2);
        QCOMPARE(h->child<QComboBox>("KondensBox3")->currentText(), QString("2.2 nF"));
        QCOMPARE(h->state->section(3).Capacitance, 2.2e-9);
        QCOMPARE(text("StatusLabel3"), QString("E24 - Setting"));
        QCOMPARE(h->child<TUpDown>("R2UpDown3")->increment(), 2);

        QTest::mouseClick(h->child<QPushButton>("E24Button3"), Qt::LeftButton);
        QCOMPARE(h->child<TUpDown>("R2UpDown3")->increment(), 1);
        QCOMPARE(h->state->section(3).E12Snap, 0);
    }

    // A typed text that is not one of the items gives way to the capacitor in
    // use, on Enter and on leaving the box; a typed item counts as chosen.
    void typedCapacitorIsChosenOrGivesWay() {
        h->dialog->show();
        h->dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->dialog.get())); // focus moves only in the active window
        h->dialog->selectPage(2);
        auto* box = h->child<QComboBox>("KondensBox2");
        const auto typeIntoBox = [box](const QString& typed, int key) {
            box->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
            QTest::keyClicks(box->lineEdit(), typed);
            if (key != 0) QTest::keyClick(box->lineEdit(), static_cast<Qt::Key>(key));
        };
        typeIntoBox("5 nF", Qt::Key_Return);
        QCOMPARE(box->currentText(), QString("1 nF"));
        QCOMPARE(h->state->section(2).Capacitance, 1e-9);

        typeIntoBox("4.7 nF", Qt::Key_Return);
        QCOMPARE(box->currentText(), QString("4.7 nF"));
        QCOMPARE(h->state->section(2).Capacitance, 4.7e-9);

        typeIntoBox("7", 0);
        QVERIFY(box->lineEdit()->hasFocus());
        h->child<Trealedit>(freqEditName(2))->setFocus();
        QCOMPARE(box->currentText(), QString("4.7 nF"));
        QCOMPARE(h->engine.page(2).capacitor, std::string("4.7 nF"));
        QCOMPARE(box->count(), 13);
    }

    void steppersStopAtTheirEnds() {
        h->dialog->selectPage(1);
        auto* lower = h->child<TUpDown>("R1UpDown1");
        const std::size_t plots = h->sink.windows.size();
        clickHalf(lower, true); // already at 100
        QCOMPARE(lower->position(), 100);
        QCOMPARE(h->sink.windows.size(), plots);
        QCOMPARE(text("R1Label1"), QString("1 M"));
        clickHalf(lower, false);
        QCOMPARE(lower->position(), 99);
        QCOMPARE(text("R1Label1"), QString("510 K"));
        QCOMPARE(text("HubEdit1"), QString("1.04")); // A = 130 K / (2 x 510 K)

        // Realised values inside the entry ranges keep the series name;
        // outside them the status line is emptied.
        auto* middle = h->child<TUpDown>("R3UpDown1");
        clickHalf(middle, true);
        QCOMPARE(text("R3Label1"), QString("560 R"));
        QCOMPARE(text("StatusLabel1"), QString("E24 - Setting"));
        while (middle->position() > 0) clickHalf(middle, false);
        QCOMPARE(text("R3Label1"), QString("39 R"));
        QCOMPARE(text("StatusLabel1"), QString());
        const QString frequency = text("FreqEdit1");
        clickHalf(middle, false);
        QCOMPARE(middle->position(), 0);
        QCOMPARE(text("FreqEdit1"), frequency);
        QVERIFY(shownNumber(frequency) > 20000);
    }

    void numberTooLargeShowsErrorAndChangesNothing_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addRow("German") << true << "Fehler" << "Die Zahl ist zu groß.";
        QTest::addRow("English") << false << "Error" << "The number is too large.";
    }

    void numberTooLargeShowsErrorAndChangesNothing() {
        QFETCH(bool, german);
        tessera::useLanguage(german ? tessera::Language::German : tessera::Language::English);
        h->dialog->selectPage(1);
        const tessera::FilterSection before = h->state->section(1);
        const std::size_t plots = h->sink.windows.size();
        ModalBoxCatcher box;
        typeInto(edit("FreqEdit1"), "1E40");
        QTEST(box.title, "title");
        QTEST(box.text, "message");
        QCOMPARE(text("FreqEdit1"), QString("1E40"));
        QCOMPARE(h->state->section(1).Frequency, before.Frequency);
        QCOMPARE(text("StatusLabel1"), QString("E24 - Setting"));
        QCOMPARE(h->sink.windows.size(), plots);
    }

    void decimalCommaShownAndTypedBack() {
        h.reset();
        tessera::setDecimalSeparator(',');
        h = std::make_unique<DialogHarness>(tessera::decimalSeparator());
        for (int s = 1; s <= 4; ++s) {
            QCOMPARE(text(named("GueteEdit", s)), QString("7,98"));
            QCOMPARE(text(named("HubEdit", s)), QString(s <= 2 ? "0,55" : "-0,55"));
        }
        h->dialog->selectPage(3);
        typeInto(edit("GueteEdit3"), "0,707");
        QCOMPARE(text("GueteEdit3"), QString("0,71"));
        typeInto(edit("HubEdit3"), "12,345");
        QCOMPARE(text("HubEdit3"), QString("-12,30"));
        clickHalf(arrows("GueteButton3"), true);
        QCOMPARE(text("GueteEdit3"), QString("0,91"));
        // The capacitor items keep their point.
        chooseCapacitor(h->child<QComboBox>("KondensBox3"), 1);
        QCOMPARE(h->state->section(3).Capacitance, 1.5e-9);
        QVERIFY(text("GueteEdit3").contains(','));
    }
};

QTEST_MAIN(DialogPagesTest)
#include "dialog_pages_test.moc"
