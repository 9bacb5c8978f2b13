#pragma once
// The frame window: a multiple-document area holding the six graph windows,
// the menu with its status-bar hints, the document commands and their
// prompts, the window commands, Print and Printer Setup.

#include "document.h"
#include "language.h"
#include "menu_layout.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QDialog;
class QPrinter;
class TAboutBox;
class TDialog;

namespace tessera {
class CircuitSettingsHolder;
class SettingsStore;
}

// A caption or hint of the menu table in the windows' language.
QString menuText(std::string_view text);

class TMainForm : public QMainWindow, private tessera::DocumentWindows {
    Q_OBJECT
public:
    // `prompts` answers the questions and file dialogs; the real message boxes
    // and file dialogs when null.
    explicit TMainForm(tessera::FilterEngine& engine, tessera::DocumentPrompts* prompts = nullptr);
    ~TMainForm() override;

    // The windows that exist only after the frame: the configuration dialog
    // shown by Configuration, and the About box, given by `aboutBox` (which
    // may build it when it is first asked for).
    void attachWindows(QDialog* configuration, std::function<TAboutBox&()> aboutBox);

    // Maximised, also where no window manager maximises it: the window then
    // covers the screen's available area, its decorations included.
    void showMaximisedOnScreen();

    QMdiArea* mdiArea() const { return MdiArea; }
    tessera::Document& document() { return document_; }
    // Made on first use: setting up a printer asks the print system for its
    // printers, which would hold up the start.
    QPrinter& printer();
    QAction* action(tessera::MenuCommand command) const { return actions_.at(command); }
    // The circuit settings every circuit tool shares (op-amp, summing
    // resistors, levels, resistor range), remembered between runs.
    tessera::CircuitSettingsHolder& circuitSettings() { return *circuitSettings_; }
    // The user's settings file, where everything remembered between runs is kept.
    tessera::SettingsStore& settingsStore() { return *settingsStore_; }
    // The configuration dialog's changes become steps of the edit history,
    // which starts afresh from the design as it stands; Undo and Redo work
    // from the dialog too.
    void recordEditsOf(TDialog& configuration);

signals:
    // The frame has been closed; the program ends.
    void closed();

public slots:
    void FileNewItemClick();
    void FileOpenItemClick();
    void FileImportItemClick();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void Print1Click();
    void PrinterSetup1Click();
    void FileExitItemClick();
    void UndoItemClick();
    void RedoItemClick();
    void CopyItemClick();
    void Zoomin1Click();
    void Zoomout1Click();
    // The Tools menu; each command lives in a file of its own.
    void FitItemClick();
    void ExportNetlistItemClick();
    void OpAmpItemClick();
    void TolerancesItemClick();
    void NoiseItemClick();
    void SchematicItemClick();
    void ExportPartsListItemClick();
    void ExportFrdItemClick();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void Einstellungen1Click();
    void LanguageEnglishItemClick();
    void LanguageGermanItemClick();
    void HelpAboutItemClick();
    void UpdateMenuItems();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A dropped ".tsn" file opens, a measurement imports (the first file only).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void buildMenu();
    void connectCommand(tessera::MenuCommand command);
    void listWindows();
    void reportError(const QString& message);
    void chooseLanguage(tessera::Language language);
    void fitIntoScreen();
    // Edit → Undo and Redo: their keys, and their texts and enabling kept
    // with the history.
    void followHistory();
    void showHistory();
    // A click on the button `buttonName` of `dialog` (after the dialog's own
    // handling) is the step `step`.
    void recordStepAfter(QWidget* dialog, const char* buttonName, std::string_view step);

    void setCaption(const std::string& caption) override;
    void setImportCaption(const std::string& caption) override;

    tessera::FilterEngine& engine_;
    std::unique_ptr<tessera::DocumentPrompts> ownPrompts_;
    tessera::DocumentPrompts& prompts_;
    tessera::Document document_;
    std::unique_ptr<QPrinter> printer_;
    tessera::SettingsStore* settingsStore_ = nullptr;           // a child of the frame
    tessera::CircuitSettingsHolder* circuitSettings_ = nullptr; // a child of the frame

    QMdiArea* MdiArea = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::map<tessera::MenuCommand, QAction*> actions_;
    QList<QAction*> windowListActions_;
    QDialog* configuration_ = nullptr;
    std::function<TAboutBox&()> aboutBox_;
    // The frame still has to be checked against the screen once the window
    // manager has decorated it.
    bool fitPending_ = false;
};
