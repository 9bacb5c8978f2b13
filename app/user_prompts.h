#pragma once
// The message boxes and file dialogs of the frame window. Each box is built
// by a function of its own, so that its texts, buttons and defaults can be
// checked; QtPrompts shows them modally and returns the answer.

#include "document.h"

#include <QString>

#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace tessera {

// "Warnung", warning icon, "&Ja" (default) and "&Nein" (Escape).
std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text);
// "Fehler", error icon, "OK".
std::unique_ptr<QMessageBox> makeErrorBox(QWidget* parent, const QString& text);
// The Open, Save as or Import dialog with its title, filters and checks.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, FileDialogKind kind);

// True when `box` was answered with its "&Ja" button.
bool answeredYes(const QMessageBox& box);

class QtPrompts : public DocumentPrompts {
public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}

    bool confirm(const std::string& question) override;
    void reportError(const std::string& message) override;
    std::optional<std::string> chooseFile(FileDialogKind kind) override;

private:
    QWidget* parent_;
};

} // namespace tessera
