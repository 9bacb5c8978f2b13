// Edit → Undo and Redo over the document's edit history, and what makes its
// steps outside the document commands: the configuration dialog's pages,
// the fit's Apply and Pre-compensate.
#include "Main.h"

#include "einstell.h"
#include "filter_page.h"

#include <QAbstractButton>
#include <QAction>

using tessera::MenuCommand;

void TMainForm::followHistory() {
    action(MenuCommand::Undo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    action(MenuCommand::Redo)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    document_.history().setObserver([this] { showHistory(); });
    showHistory();
}

void TMainForm::showHistory() {
    const tessera::EditHistory& history = document_.history();
    const auto show = [this](MenuCommand command, bool possible, const std::string& step) {
        const auto& item = tessera::menuItem(command);
        QString text = menuText(item.caption);
        if (!step.empty()) text += QLatin1Char(' ') + QString::fromStdString(step).replace(u'&', QStringLiteral("&&"));
        action(command)->setText(text);
        action(command)->setEnabled(possible);
    };
    show(MenuCommand::Undo, history.canUndo(), history.undoName());
    show(MenuCommand::Redo, history.canRedo(), history.redoName());
}

void TMainForm::UndoItemClick() { document_.history().undo(); }
void TMainForm::RedoItemClick() { document_.history().redo(); }

void TMainForm::recordEditsOf(TDialog& configuration) {
    configuration.addActions({action(MenuCommand::Undo), action(MenuCommand::Redo)});
    tessera::EditHistory& history = document_.history();
    for (int s = 1; s <= tessera::kSectionCount; ++s) {
        FilterPage* page = configuration.page(s);
        connect(page, &FilterPage::stepMade, this, [&history](const QString& name) { history.record(name.toStdString()); });
        connect(page, &FilterPage::holdStarted, this, [&history] { history.beginGroup(); });
        connect(page, &FilterPage::holdEnded, this, [&history] { history.endGroup(); });
        connect(page, &FilterPage::entryReverted, this, [&history] { history.takeIn(); });
    }
    history.restart();
}

void TMainForm::recordStepAfter(QWidget* dialog, const char* buttonName, std::string_view step) {
    if (auto* button = dialog->findChild<QAbstractButton*>(QLatin1String(buttonName)))
        connect(button, &QAbstractButton::clicked, this, [this, step] { document_.history().record(step); });
}
