#include "Main.h"

#include "about.h"
#include "artwork.h"
#include "circuit_settings_holder.h"
#include "language_choice.h"
#include "program_translations.h"
#include "report_printer.h"
#include "settings_store.h"
#include "user_prompts.h"
#include "window_arrangement.h"

#include "clipboard_copy.h"
#include "contimage.h"
#include "graph_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <optional>

using tessera::MenuCommand;

namespace {
QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kResultWindow = QStringLiteral("Result");

const std::map<MenuCommand, tessera::Language> kLanguageChoices = {
    {MenuCommand::LanguageEnglish, tessera::Language::English},
    {MenuCommand::LanguageGerman, tessera::Language::German},
};

// The first of the dropped files, when it is a local file that the frame
// opens or imports; several files: only the first counts.
std::optional<std::string> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return std::nullopt;
    const QUrl first = data->urls().constFirst();
    if (!first.isLocalFile()) return std::nullopt;
    std::string name = first.toLocalFile().toStdString();
    if (tessera::dropActionFor(name) == tessera::DropAction::None) return std::nullopt;
    return name;
}

// The frame reads a dropped file and never takes it away: the drop is taken
// as a copy (or else a link), never as the move that sources such as Qt's
// propose first, after which a source may remove its file.
bool acceptAsReading(QDropEvent* event) {
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    return false;
}

// Window titles take "[*]" as the place of a modified mark; a file name
// that contains it must show it as it is.
QString literalTitle(const std::string& text) {
    return qtText(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// The title as the window shows it, as the text of a menu item: "&" would
// mark an access key.
QString titleMenuText(QString title) {
    return title.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]")).replace(u'&', QStringLiteral("&&"));
}
} // namespace

QString menuText(std::string_view text) {
    return QCoreApplication::translate(tessera::kMenuTextContext, std::string(text).c_str());
}

TMainForm::TMainForm(tessera::FilterEngine& engine, tessera::DocumentPrompts* prompts)
    : engine_(engine),
      ownPrompts_(prompts ? nullptr : std::make_unique<tessera::QtPrompts>(this)),
      prompts_(prompts ? *prompts : *ownPrompts_),
      document_(engine, prompts_, *this), settingsStore_(new tessera::SettingsStore(tessera::SettingsStore::userFile(), this)),
      circuitSettings_(new tessera::CircuitSettingsHolder(*settingsStore_, this)) {
    setObjectName(QStringLiteral("MainForm"));
    connect(settingsStore_, &tessera::SettingsStore::notSaved, this, &TMainForm::reportError);
    setWindowTitle(qtText(tessera::startCaption()));
    // The application's icon where the program has set it: drawing it again
    // would cost the start as much as building a graph window.
    const QIcon applicationIcon = QApplication::windowIcon();
    setWindowIcon(applicationIcon.isNull() ? tessera::programIcon() : applicationIcon);
    QFont frameFont(QStringLiteral("MS Sans Serif"));
    frameFont.setPixelSize(14);
    setFont(frameFont);
    setAcceptDrops(true);

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(25);
    QFont barFont = bar->font();
    barFont.setPixelSize(15);
    bar->setFont(barFont);
    setStatusBar(bar);

    buildMenu();
    followHistory();
    FormCreate();
}

TMainForm::~TMainForm() {
    // FormDestroy: no more menu updates from the area while it goes away.
    disconnect(MdiArea, nullptr, this, nullptr);
}

void TMainForm::FormCreate() {
    // Hints reach the status bar through the status-tip events of the menu;
    // a changed active window updates the menu.
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateMenuItems);
    engine_.state().Modified = 0;
    engine_.state().DialogReady = 0;
}

QPrinter& TMainForm::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TMainForm::showMaximisedOnScreen() {
    // Without a window manager "maximised" means nothing, so also fill the
    // screen by hand; move() places the frame, so its title bar stays visible.
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.topLeft());
        resize(available.size());
    }
    showMaximized();
    // Checked only once the window system has answered the maximise: on the
    // way there the frame passes through sizes that a maximise will correct.
    fitPending_ = true;
    QTimer::singleShot(0, this, &TMainForm::fitIntoScreen);
}

// A window manager that decorates the frame but does not maximise it leaves
// the frame as large as the screen plus its title bar and borders, so that
// the status bar hangs below the screen's edge. Once the decorations are
// known, shrink the frame so that all of it lies on the available area.
void TMainForm::fitIntoScreen() {
    if (!fitPending_ || !isVisible()) return;
    const QScreen* screen = this->screen();
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    if (screen == nullptr || outer == client) return; // not decorated (yet)
    fitPending_ = false;
    const QRect available = screen->availableGeometry();
    const auto box = [](const QRect& r) { return tessera::Box{r.x(), r.y(), r.width(), r.height()}; };
    if (const auto fitted = tessera::clientFittingArea(box(available), box(outer), box(client))) {
        move(available.topLeft());
        resize(fitted->width, fitted->height);
    }
}

void TMainForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    fitIntoScreen();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitIntoScreen();
}

void TMainForm::attachWindows(QDialog* configuration, std::function<TAboutBox&()> aboutBox) {
    configuration_ = configuration;
    aboutBox_ = std::move(aboutBox);
    UpdateMenuItems();
}

void TMainForm::buildMenu() {
    auto* languages = new QActionGroup(this);
    for (const tessera::MenuLayout& layout : tessera::mainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(menuText(layout.caption));
        menu->setObjectName(qtText(layout.objectName));
        menu->menuAction()->setObjectName(qtText(layout.objectName) + QStringLiteral("Title"));
        menu->menuAction()->setStatusTip(menuText(layout.hint));
        for (const tessera::MenuItemLayout& item : layout.items) {
            if (item.separatorBefore) menu->addSeparator();
            QAction* action = menu->addAction(menuText(item.caption));
            action->setObjectName(qtText(item.objectName));
            action->setStatusTip(menuText(item.hint));
            action->setCheckable(item.checkable);
            actions_[item.command] = action;
            connectCommand(item.command);
        }
        if (layout.listsWindows) {
            windowMenu_ = menu;
            connect(menu, &QMenu::aboutToShow, this, &TMainForm::listWindows);
        }
    }
    // The language the windows speak now is checked.
    for (const auto& [command, language] : kLanguageChoices) {
        languages->addAction(actions_.at(command));
        actions_.at(command)->setChecked(language == tessera::windowLanguage());
    }
}

void TMainForm::connectCommand(MenuCommand command) {
    static const std::map<MenuCommand, void (TMainForm::*)()> handlers = {
        {MenuCommand::New, &TMainForm::FileNewItemClick},
        {MenuCommand::Open, &TMainForm::FileOpenItemClick},
        {MenuCommand::Import, &TMainForm::FileImportItemClick},
        {MenuCommand::Save, &TMainForm::FileSaveItemClick},
        {MenuCommand::SaveAs, &TMainForm::FileSaveAsItemClick},
        {MenuCommand::Print, &TMainForm::Print1Click},
        {MenuCommand::PrinterSetup, &TMainForm::PrinterSetup1Click},
        {MenuCommand::Exit, &TMainForm::FileExitItemClick},
        {MenuCommand::Undo, &TMainForm::UndoItemClick},
        {MenuCommand::Redo, &TMainForm::RedoItemClick},
        {MenuCommand::Copy, &TMainForm::CopyItemClick},
        {MenuCommand::ZoomIn, &TMainForm::Zoomin1Click},
        {MenuCommand::ZoomOut, &TMainForm::Zoomout1Click},
        {MenuCommand::FitToImport, &TMainForm::FitItemClick},
        {MenuCommand::ExportNetlist, &TMainForm::ExportNetlistItemClick},
        {MenuCommand::OpAmp, &TMainForm::OpAmpItemClick},
        {MenuCommand::Tolerances, &TMainForm::TolerancesItemClick},
        {MenuCommand::NoiseHeadroom, &TMainForm::NoiseItemClick},
        {MenuCommand::Schematic, &TMainForm::SchematicItemClick},
        {MenuCommand::ExportPartsList, &TMainForm::ExportPartsListItemClick},
        {MenuCommand::ExportFrd, &TMainForm::ExportFrdItemClick},
        {MenuCommand::Cascade, &TMainForm::WindowCascadeItemClick},
        {MenuCommand::Tile, &TMainForm::WindowTileItemClick},
        {MenuCommand::Arrange, &TMainForm::WindowArrangeItemClick},
        {MenuCommand::Minimize, &TMainForm::WindowMinimizeItemClick},
        {MenuCommand::Configuration, &TMainForm::Einstellungen1Click},
        {MenuCommand::LanguageEnglish, &TMainForm::LanguageEnglishItemClick},
        {MenuCommand::LanguageGerman, &TMainForm::LanguageGermanItemClick},
        {MenuCommand::About, &TMainForm::HelpAboutItemClick},
    };
    connect(actions_.at(command), &QAction::triggered, this, handlers.at(command));
}

// The child windows at the end of the Window menu, the active one checked.
void TMainForm::listWindows() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
    if (windows.isEmpty()) return;
    windowListActions_ << windowMenu_->addSeparator();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(titleMenuText(window->windowTitle()));
        QAction* action = windowMenu_->addAction(text);
        action->setObjectName(QStringLiteral("WindowListItem%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(window == MdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] {
            if (window->isMinimized()) window->showNormal();
            MdiArea->setActiveSubWindow(window);
        });
        windowListActions_ << action;
    }
}

void TMainForm::UpdateMenuItems() {
    const bool hasChildren = !MdiArea->subWindowList().isEmpty();
    for (const auto& [command, action] : actions_)
        if (tessera::menuItem(command).needsChildWindow) action->setEnabled(hasChildren);
}

void TMainForm::setCaption(const std::string& caption) { setWindowTitle(literalTitle(caption)); }

void TMainForm::setImportCaption(const std::string& caption) {
    for (QMdiSubWindow* window : MdiArea->subWindowList())
        if (window->objectName() == QLatin1String("Import")) window->setWindowTitle(literalTitle(caption));
}

void TMainForm::reportError(const QString& message) { prompts_.reportError(message.toStdString()); }

// --- File ------------------------------------------------------------------

void TMainForm::FileNewItemClick() { document_.fileNew(); }
void TMainForm::FileOpenItemClick() { document_.fileOpen(); }
void TMainForm::FileImportItemClick() { document_.fileImport(); }
void TMainForm::FileSaveItemClick() { document_.fileSave(); }
void TMainForm::FileSaveAsItemClick() { document_.fileSaveAs(); }
void TMainForm::FileExitItemClick() { close(); }

void TMainForm::PrinterSetup1Click() {
    QPrintDialog dialog(&printer(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    // The dialog only chooses the printer and its settings; File > Print prints.
    dialog.setWindowTitle(tr("Printer Setup"));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(tr("OK"));
    dialog.exec();
}

void TMainForm::Print1Click() {
    showMaximisedOnScreen();
    const auto windows = MdiArea->subWindowList();
    for (QMdiSubWindow* window : windows)
        if (window->objectName() == kResultWindow) window->showMaximized();
    TControlImage* resultPlot = findPlotByWindowName(MdiArea, kResultWindow);
    if (resultPlot == nullptr) return;

    if (printer().printerState() == QPrinter::Active) {
        reportError(qtText(tessera::printerBusyText()));
    } else {
        QString error;
        switch (tessera::printReport(printer(), *resultPlot, engine_, document_.fileName(), &error)) {
        case tessera::PrintOutcome::Printed: break;
        case tessera::PrintOutcome::NoPrinter: reportError(qtText(tessera::noPrinterText())); break;
        case tessera::PrintOutcome::EmptyPage: reportError(qtText(tessera::emptyPageText())); break;
        case tessera::PrintOutcome::MetafileFailed: reportError(error); break;
        }
    }
    // Whatever happened, the result window shows the result again.
    resultPlot->setTitle(tr("Result (dB)"));
    engine_.refreshresult();
}

// --- Edit and Zoom -----------------------------------------------------------

void TMainForm::CopyItemClick() {
    QString error;
    if (TControlImage* plot = activePlot(MdiArea); plot && !tessera::plot::copyPlotToClipboard(*plot, &error))
        reportError(error);
}

void TMainForm::Zoomin1Click() {
    if (TControlImage* plot = activePlot(MdiArea)) plot->ZoomIn();
}

void TMainForm::Zoomout1Click() {
    if (TControlImage* plot = activePlot(MdiArea)) plot->ZoomOut();
}

// --- Window ------------------------------------------------------------------

void TMainForm::WindowCascadeItemClick() { MdiArea->cascadeSubWindows(); }

void TMainForm::WindowTileItemClick() {
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* window : MdiArea->subWindowList())
        if (!window->isMinimized() && window->isVisible()) shown << window;
    const QSize area = MdiArea->viewport()->size();
    const auto boxes = tessera::tileHorizontally(static_cast<int>(shown.size()), area.width(), area.height());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const tessera::Box& box = boxes[static_cast<std::size_t>(i)];
        if (shown[i]->isMaximized()) shown[i]->showNormal();
        shown[i]->setGeometry(box.left, box.top, box.width, box.height);
    }
}

void TMainForm::WindowArrangeItemClick() {
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* window : MdiArea->subWindowList())
        if (window->isMinimized()) icons << window;
    if (icons.isEmpty()) return;
    const QSize area = MdiArea->viewport()->size();
    const QSize icon = icons.constFirst()->size();
    const auto boxes = tessera::iconRow(static_cast<int>(icons.size()), area.width(), area.height(), icon.width(),
                                        icon.height());
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const tessera::Box& box = boxes[static_cast<std::size_t>(i)];
        icons[i]->move(box.left, box.top);
    }
}

void TMainForm::WindowMinimizeItemClick() {
    const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) (*it)->showMinimized();
}

void TMainForm::Einstellungen1Click() {
    if (configuration_ == nullptr) return;
    configuration_->show();
    configuration_->raise();
    configuration_->activateWindow();
}

void TMainForm::HelpAboutItemClick() {
    if (aboutBox_) aboutBox_().showCentred();
}

// --- Language ------------------------------------------------------------------

void TMainForm::LanguageEnglishItemClick() { chooseLanguage(tessera::Language::English); }
void TMainForm::LanguageGermanItemClick() { chooseLanguage(tessera::Language::German); }

// Remembered for the next start, when the windows are built in it; the
// windows of this run keep their texts.
void TMainForm::chooseLanguage(tessera::Language language) {
    tessera::rememberLanguage(*settingsStore_, language);
    if (language == tessera::windowLanguage()) return;
    prompts_.inform((language == tessera::Language::German
                         ? tr("The windows show German texts from the next start of TESSERA on.")
                         : tr("The windows show English texts from the next start of TESSERA on."))
                        .toStdString());
}

// --- Drag and drop ---------------------------------------------------------

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) acceptAsReading(event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFile(event->mimeData())) acceptAsReading(event);
}

void TMainForm::dropEvent(QDropEvent* event) {
    const auto name = droppedFile(event->mimeData());
    if (!name || !acceptAsReading(event)) return;
    document_.fileDropped(*name);
}

// --- Closing -------------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event) {
    // The user asked for a save that did not happen: keep the work open.
    if (!document_.beforeClose()) {
        event->ignore();
        return;
    }
    engine_.state().DialogReady = 0;
    event->accept();
    emit closed();
}
