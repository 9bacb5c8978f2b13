#pragma once
// The message boxes and file dialogs of the frame window. Each box is built
// by a function of its own, so that its texts, buttons and defaults can be
// checked; QtPrompts shows them modally and returns the answer.

#include "document.h"

#include <QString>

#include <memory>

class QFileDialog;
class QMessageBox;
class QProgressDialog;
class QWidget;

namespace tessera {

// "Warning", warning icon, "&Yes" (default) and "&No" (Escape); under German
// "Warnung", "&Ja" and "&Nein". Every text in the windows' language.
std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text);
// "Error" ("Fehler"), error icon, "OK".
std::unique_ptr<QMessageBox> makeErrorBox(QWidget* parent, const QString& text);
// "Information" ("Hinweis"), information icon, "OK".
std::unique_ptr<QMessageBox> makeInformationBox(QWidget* parent, const QString& text);
// The Open, Save as or Import dialog with its title, filters and checks.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, FileDialogKind kind);

// "Reading" with "Reading <file>", a bar in thousandths and "Cancel";
// application-modal, so that nothing else runs while a file is read.
std::unique_ptr<QProgressDialog> makeReadingDialog(QWidget* parent, const QString& fileName);

// True when `box` was answered with its Yes button.
bool answeredYes(const QMessageBox& box);

class QtPrompts : public DocumentPrompts {
public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}

    bool confirm(const std::string& question) override;
    void reportError(const std::string& message) override;
    void inform(const std::string& message) override;
    std::optional<std::string> chooseFile(FileDialogKind kind) override;
    // The reading dialog, once a read takes longer than half a second.
    std::unique_ptr<ReadProgress> watchReading(const std::string& fileName) override;

private:
    QWidget* parent_;
};

} // namespace tessera
