// The frame window as the user meets it: start-up order and state, the menu
// with its captions and hints, menu enabling, the window commands, the
// Configuration and About commands, Zoom and Copy through the active window,
// and the real message boxes and file dialogs.
#include "program_fixture.h"

#include "about.h"
#include "splash.h"
#include "einstell.h"
#include "program_translations.h"
#include "user_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

using tessera::GraphWindow;
using tessera::MenuCommand;

namespace {

QMenu* menuNamed(TMainForm& frame, const char* name) { return frame.menuBar()->findChild<QMenu*>(QLatin1String(name)); }

// Answers the next modal message box with `key` and keeps what it showed.
struct BoxAnswer {
    QString title, text, defaultButton, escapeButton;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void answerNextBox(BoxAnswer& seen, Qt::Key key) {
    QTimer::singleShot(0, [&seen, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        seen.escapeButton = box->escapeButton() ? box->escapeButton()->text() : QString();
        QTest::keyClick(box, key);
    });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

private slots:
    // The texts checked here are the German ones the program has always shown.
    void initTestCase() { QVERIFY(tessera::useLanguage(tessera::Language::German)); }
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void startUpBuildsEveryWindowInOrder() {
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0"));
        // The whole frame, title bar and borders included, covers the screen.
        QTRY_COMPARE(f->frame().frameGeometry(), f->frame().screen()->availableGeometry());
        QStringList names;
        for (QMdiSubWindow* w : f->frame().mdiArea()->subWindowList()) names << w->objectName();
        QCOMPARE(names, (QStringList{"Filter1", "Filter2", "Filter3", "Filter4", "Import", "Result"}));
        QVERIFY(f->program->dialog().isVisible());
        QCOMPARE(f->program->dialog().windowTitle(), QStringLiteral("Filter - Configuration"));
        QVERIFY(!f->program->aboutBox().isVisible());
        QCOMPARE(f->bank().Modified, 0);
        QCOMPARE(f->bank().DialogReady, 1);
        QCOMPARE(f->plot(GraphWindow::Result)->title(), QStringLiteral("Result (dB)"));
        QCOMPARE(f->plot(GraphWindow::Filter3)->title(), QStringLiteral("Filter3 (dB)"));
        QCOMPARE(f->plot(GraphWindow::Import)->xlabel(), QStringLiteral("Frequency (Hz)"));
        // The curves were plotted by the dialog's creation: section 1 boosts near 20 kHz.
        QVERIFY(f->plot(GraphWindow::Filter1)->FullData().yMax() > 0.5);
    }

    // Nothing is drawn before the windows are on the screen; then every plot
    // draws once, with its final size and curve.
    void everyPlotDrawsOnceWhenShown() {
        std::array<TControlImage*, 6> plots{};
        for (std::size_t i = 0; i < plots.size(); ++i) {
            plots[i] = f->plot(static_cast<GraphWindow>(i));
            QCOMPARE(plots[i]->drawingCount(), 0);
        }
        QVERIFY(QTest::qWaitForWindowExposed(&f->frame()));
        for (TControlImage* plot : plots) QTRY_COMPARE(plot->drawingCount(), 1);
        QTest::qWait(50);
        for (TControlImage* plot : plots) {
            QCOMPARE(plot->drawingCount(), 1);
            int curvePoints = 0;
            for (const auto& item : plot->recording().items)
                if (const auto* curve = std::get_if<tessera::plot::PolylineItem>(&item))
                    curvePoints += static_cast<int>(curve->points.size());
            QCOMPARE(curvePoints, 256);
            QCOMPARE(plot->Picture().size(), plot->size());
        }
        QVERIFY(f->plot(GraphWindow::Filter1)->ViewData().yMax() > 0.5);
    }

    void splashWindowIsOnTheScreenBeforeTheProgramGoesOn() {
        TSplashForm splash;
        splash.showAndPaint();
        QVERIFY(splash.isExposed());
        QCOMPARE(splash.size(), QSize(407, 283));
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        auto* picture = splash.findChild<QLabel*>("Image1");
        QCOMPARE(picture->geometry(), QRect(0, 0, 407, 283));
        QVERIFY(!picture->pixmap().isNull());
    }

    void menuCaptionsAndHints() {
        const QList<QAction*> titles = f->frame().menuBar()->actions();
        QStringList captions;
        for (QAction* a : titles) captions << a->text();
        QCOMPARE(captions, (QStringList{"&File", "&Edit", "&Zoom", "&Tools", "&Window", "&Language", "&About"}));
        QCOMPARE(titles[0]->statusTip(), QStringLiteral("Dateibefehle"));
        QCOMPARE(titles[2]->statusTip(), QString());
        QCOMPARE(titles[3]->statusTip(), QStringLiteral("Werkzeuge"));
        QCOMPARE(titles[6]->statusTip(), QStringLiteral("Hilfethemen"));

        QStringList fileItems;
        for (QAction* a : menuNamed(f->frame(), "File1")->actions()) fileItems << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(fileItems, (QStringList{"&New", "&Open", "&Import", "&Save", "Save &as...", "-", "&Print",
                                          "P&rinter Setup", "-", "&Exit"}));
        QCOMPARE(f->frame().action(MenuCommand::Open)->statusTip(), QStringLiteral("Existierende Datei öffnen"));
        QCOMPARE(f->frame().action(MenuCommand::Arrange)->statusTip(),
                 QStringLiteral("Fenstersymbole am unteren Rand des Hauptfensters anordnen"));
        QCOMPARE(f->frame().action(MenuCommand::Configuration)->text(), QStringLiteral("Con&figuration"));
        QCOMPARE(f->frame().action(MenuCommand::ZoomIn)->statusTip(), QString());
        // Only Undo and Redo have keys.
        for (const auto& menu : tessera::mainMenuLayout())
            for (const auto& item : menu.items)
                if (item.command != MenuCommand::Undo && item.command != MenuCommand::Redo)
                    QVERIFY(f->frame().action(item.command)->shortcut().isEmpty());
    }

    void highlightedItemShowsItsHintInTheStatusBar() {
        QMenu* file = menuNamed(f->frame(), "File1");
        f->frame().menuBar()->setActiveAction(file->menuAction());
        QTRY_VERIFY(file->isVisible());
        file->setActiveAction(f->frame().action(MenuCommand::Print));
        QTRY_COMPARE(f->frame().statusBar()->currentMessage(), QStringLiteral("aktuelle Einstellungen drucken"));
        file->setActiveAction(f->frame().action(MenuCommand::Exit));
        QTRY_COMPARE(f->frame().statusBar()->currentMessage(), QStringLiteral("Anwendung beenden"));
        file->close();
    }

    void menuTitleShowsItsHint() {
        QAction* window = menuNamed(f->frame(), "Window1")->menuAction();
        f->frame().menuBar()->setActiveAction(window);
        QTRY_COMPARE(f->frame().statusBar()->currentMessage(), QStringLiteral("Befehle zum Anordnen von Fenstern"));
        menuNamed(f->frame(), "Window1")->close();
    }

    void menuEnablingFollowsTheChildWindows() {
        for (MenuCommand c : {MenuCommand::Save, MenuCommand::SaveAs, MenuCommand::Copy, MenuCommand::Cascade,
                              MenuCommand::Tile, MenuCommand::Arrange, MenuCommand::Minimize})
            QVERIFY(f->frame().action(c)->isEnabled());
        // A frame without child windows disables them.
        for (QMdiSubWindow* w : f->frame().mdiArea()->subWindowList()) f->frame().mdiArea()->removeSubWindow(w);
        f->frame().UpdateMenuItems();
        QVERIFY(!f->frame().action(MenuCommand::Save)->isEnabled());
        QVERIFY(!f->frame().action(MenuCommand::Minimize)->isEnabled());
        QVERIFY(f->frame().action(MenuCommand::New)->isEnabled());
        QVERIFY(f->frame().action(MenuCommand::Print)->isEnabled());
    }

    void minimizeMinimisesAllSixAndArrangeLinesThemUp() {
        f->trigger(MenuCommand::Minimize);
        const auto windows = f->frame().mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 6);
        for (QMdiSubWindow* w : windows) QVERIFY(w->isMinimized());
        f->trigger(MenuCommand::Arrange);
        const int bottom = f->frame().mdiArea()->viewport()->height();
        QCOMPARE(windows[0]->geometry().bottom() + 1, bottom);
        QCOMPARE(windows[0]->x(), 0);
        QVERIFY(windows[1]->x() >= windows[0]->geometry().right());
    }

    void tileAndCascade() {
        f->trigger(MenuCommand::Tile);
        const auto windows = f->frame().mdiArea()->subWindowList();
        const QSize area = f->frame().mdiArea()->viewport()->size();
        QCOMPARE(windows[0]->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(windows[5]->geometry().bottomRight(), QPoint(area.width() - 1, area.height() - 1));
        QVERIFY(windows[0]->width() > windows[0]->height()); // wide windows, two columns of three
        f->trigger(MenuCommand::Cascade);
        QVERIFY(windows[1]->x() > windows[0]->x());
        QVERIFY(windows[1]->y() > windows[0]->y());
    }

    void windowMenuListsTheChildWindows() {
        QMenu* menu = menuNamed(f->frame(), "Window1");
        f->frame().mdiArea()->setActiveSubWindow(f->window("Import"));
        emit menu->aboutToShow();
        QStringList listed;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith("WindowListItem")) listed << a->text() + (a->isChecked() ? "*" : "");
        QCOMPARE(listed, (QStringList{"&1 Filter1", "&2 Filter2", "&3 Filter3", "&4 Filter4", "&5 Import*", "&6 Result"}));
        menu->findChild<QAction*>("WindowListItem2")->trigger();
        QCOMPARE(f->frame().mdiArea()->activeSubWindow(), f->window("Filter2"));
    }

    void activatingASectionWindowSelectsItsPage() {
        QTabWidget* notebook = f->program->dialog().notebook();
        f->frame().mdiArea()->setActiveSubWindow(f->window("Filter3"));
        QCOMPARE(notebook->currentIndex(), 2);
        f->frame().mdiArea()->setActiveSubWindow(f->window("Result"));
        QCOMPARE(notebook->currentIndex(), 2);
        // After the frame's close, activation leaves the dialog alone.
        f->frame().close();
        f->frame().mdiArea()->setActiveSubWindow(f->window("Filter1"));
        QCOMPARE(notebook->currentIndex(), 2);
    }

    void configurationShowsTheHiddenDialog() {
        f->program->dialog().close();
        QVERIFY(!f->program->dialog().isVisible());
        f->trigger(MenuCommand::Configuration);
        QVERIFY(f->program->dialog().isVisible());
    }

    void aboutBox() {
        f->trigger(MenuCommand::About);
        TAboutBox& box = f->program->aboutBox();
        QVERIFY(box.isVisible());
        QVERIFY(!box.isModal());
        QCOMPARE(box.windowTitle(), QStringLiteral("About TESSERA 1.0"));
        QCOMPARE(box.size(), QSize(236, 99));
        QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
        auto* version = box.findChild<QLabel*>("Version");
        QCOMPARE(version->text(), QStringLiteral("Version 1.0"));
        QCOMPARE(version->pos(), QPoint(91, 26));
        QCOMPARE(version->width(), QFontMetrics(box.font()).horizontalAdvance("Version 1.0"));
        for (auto* label : box.findChildren<QLabel*>())
            QVERIFY2(label->geometry().right() < 236, qPrintable(label->objectName()));
        auto* ok = box.findChild<QPushButton*>("OKButton");
        QCOMPARE(ok->geometry(), QRect(169, 59, 61, 20));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }

    void zoomAndCopyFollowTheActiveWindowsName() {
        TControlImage* plot = f->plot(GraphWindow::Filter2);
        f->window("Filter2")->setWindowTitle("renamed");
        f->frame().mdiArea()->setActiveSubWindow(f->window("Filter2"));
        const int y = plot->height() / 2;
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(plot->width() / 3, y));
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(plot->width() / 2, y));
        f->trigger(MenuCommand::ZoomIn);
        QVERIFY(plot->zoomed());
        QVERIFY(!f->plot(GraphWindow::Filter1)->zoomed());

        QApplication::clipboard()->clear();
        f->trigger(MenuCommand::Copy);
        QVERIFY(QFile::exists("temp.wmf"));
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr && data->hasFormat("image/x-wmf"));
        QVERIFY(f->prompts.errors.empty());

        f->trigger(MenuCommand::ZoomOut);
        QVERIFY(!plot->zoomed());
    }

    void questionBoxAnswersYesByDefaultAndNoOnEscape() {
        tessera::QtPrompts prompts(&f->frame());
        BoxAnswer seen;
        answerNextBox(seen, Qt::Key_Escape);
        QVERIFY(!prompts.confirm(" File  not saved! Save?"));
        QCOMPARE(seen.title, QStringLiteral("Warnung"));
        QCOMPARE(seen.text, QStringLiteral(" File  not saved! Save?"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons.size(), 2);
        QVERIFY(seen.buttons.contains("&Ja") && seen.buttons.contains("&Nein"));
        QCOMPARE(seen.defaultButton, QStringLiteral("&Ja"));
        QCOMPARE(seen.escapeButton, QStringLiteral("&Nein"));

        BoxAnswer enter;
        answerNextBox(enter, Qt::Key_Return);
        QVERIFY(prompts.confirm("?"));
    }

    void errorBox() {
        tessera::QtPrompts prompts(&f->frame());
        BoxAnswer seen;
        answerNextBox(seen, Qt::Key_Return);
        prompts.reportError("Es läuft gerade eine Druckerausgabe!");
        QCOMPARE(seen.title, QStringLiteral("Fehler"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QStringList{"OK"});
        QCOMPARE(seen.text, QStringLiteral("Es läuft gerade eine Druckerausgabe!"));
    }

    void fileDialogs() {
        // The filters as the dialog shows them, and the patterns of each as
        // its file list applies them.
        const auto shownFilters = [](QFileDialog& dialog) {
            const auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QStringList shown;
            for (int i = 0; box && i < box->count(); ++i) shown << box->itemText(i);
            return shown;
        };
        const auto appliedPatterns = [](QFileDialog& dialog, qsizetype filter) {
            dialog.selectNameFilter(dialog.nameFilters().value(filter));
            const auto* files = dialog.findChild<QFileSystemModel*>();
            return files ? files->nameFilters() : QStringList{};
        };

        auto open = tessera::makeFileDialog(&f->frame(), tessera::FileDialogKind::Open);
        QCOMPARE(open->windowTitle(), QStringLiteral("Open"));
        QCOMPARE(shownFilters(*open), (QStringList{"tsn Files (*.tsn)", "all Files (*.*)"}));
        QCOMPARE(appliedPatterns(*open, 0), QStringList{"*.tsn"});
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(open->defaultSuffix(), QString());

        auto save = tessera::makeFileDialog(&f->frame(), tessera::FileDialogKind::SaveAs);
        QCOMPARE(save->windowTitle(), QStringLiteral("Save as"));
        QCOMPARE(shownFilters(*save).first(), QStringLiteral("tsn Files ( *.tsn)"));
        QCOMPARE(appliedPatterns(*save, 0), QStringList{"*.tsn"});
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("tsn"));
        QVERIFY(save->testOption(QFileDialog::DontConfirmOverwrite));

        auto import = tessera::makeFileDialog(&f->frame(), tessera::FileDialogKind::Import);
        QCOMPARE(import->windowTitle(), QStringLiteral("Import"));
        QCOMPARE(shownFilters(*import), (QStringList{"Tef Files (*.tds)", "MLSSA Files (*.txt)",
                                                     "Frequency response (*.frd;*.txt;*.csv)"}));
        QCOMPARE(appliedPatterns(*import, 2), (QStringList{"*.frd", "*.txt", "*.csv"}));
        QCOMPARE(appliedPatterns(*import, 0), QStringList{"*.tds"});
        QCOMPARE(import->fileMode(), QFileDialog::ExistingFile);

        auto frd = tessera::makeFileDialog(&f->frame(), tessera::FileDialogKind::ExportFrd);
        QCOMPARE(shownFilters(*frd), QStringList{"FRD file (*.frd)"});
        QCOMPARE(frd->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(frd->defaultSuffix(), QStringLiteral("frd"));
        QVERIFY(frd->testOption(QFileDialog::DontConfirmOverwrite));
    }

    void printerSetupShowsThePrintDialogOnTheReportsPrinter() {
        QString shown, title, accept;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            shown = dialog->objectName();
            title = dialog->windowTitle();
            if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
                accept = buttons->button(QDialogButtonBox::Ok)->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        f->trigger(MenuCommand::PrinterSetup);
        QCOMPARE(shown, QStringLiteral("PrinterSetupDialog1"));
        // A set-up dialog: it offers no "Print" that would not print.
        QCOMPARE(title, QStringLiteral("Printer Setup"));
        QCOMPARE(accept, QStringLiteral("OK"));
        QVERIFY(f->prompts.errors.empty());
    }

    void realPromptsDriveTheDocumentCommands() {
        // The program with its own message boxes: closing a modified document
        // and pressing Escape on the question writes nothing.
        f.reset();
        QTemporaryDir folder;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        tessera::FilterBankState state;
        {
            tessera::TesseraProgram program(state);
            program.engine().refreshresult();
            BoxAnswer seen;
            answerNextBox(seen, Qt::Key_Escape);
            program.mainForm().close();
            QCOMPARE(seen.text, QStringLiteral(" File  not saved! Save?"));
            QCOMPARE(state.DialogReady, 0);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
