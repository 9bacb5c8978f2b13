#include "user_prompts.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace tessera {

namespace {
const char* const kYesName = "YesButton";
const char* const kNoName = "NoButton";

// A title or filter of the file dialogs' table in the windows' language.
QString fileDialogText(const std::string& text) { return QCoreApplication::translate(kFileDialogTextContext, text.c_str()); }

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Qt reads a filter's patterns from the blank-separated list in its last
// parentheses, so a description such as "(*.frd;*.txt;*.csv)" alone would
// match no file. The patterns follow in Qt's form, and the dialog, told to
// hide that part, shows the description exactly as written.
QString qtFilterText(const NameFilter& filter) {
    return fromUtf8(filter.description) + QStringLiteral(" (") + fromUtf8(filter.patterns).replace(u';', u' ') +
           QLatin1Char(')');
}
} // namespace

std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, QCoreApplication::translate("Prompts", "Warning"), text,
                                             QMessageBox::NoButton, parent);
    QPushButton* yes = box->addButton(QCoreApplication::translate("Prompts", "&Yes"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QCoreApplication::translate("Prompts", "&No"), QMessageBox::NoRole);
    yes->setObjectName(QLatin1String(kYesName));
    no->setObjectName(QLatin1String(kNoName));
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    return box;
}

namespace {
std::unique_ptr<QMessageBox> makeOkBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                       const QString& text) {
    auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::NoButton, parent);
    QPushButton* ok = box->addButton(QCoreApplication::translate("Prompts", "OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}
} // namespace

std::unique_ptr<QMessageBox> makeErrorBox(QWidget* parent, const QString& text) {
    return makeOkBox(parent, QMessageBox::Critical, QCoreApplication::translate("Prompts", "Error"), text);
}

std::unique_ptr<QMessageBox> makeInformationBox(QWidget* parent, const QString& text) {
    return makeOkBox(parent, QMessageBox::Information, QCoreApplication::translate("Prompts", "Information"), text);
}

std::unique_ptr<QProgressDialog> makeReadingDialog(QWidget* parent, const QString& fileName) {
    auto dialog = std::make_unique<QProgressDialog>(QCoreApplication::translate("Prompts", "Reading %1").arg(fileName),
                                                    QCoreApplication::translate("Prompts", "Cancel"),
                                                    0, 1000, parent);
    dialog->setObjectName(QStringLiteral("ReadingDialog"));
    dialog->setWindowTitle(QCoreApplication::translate("Prompts", "Reading"));
    dialog->setWindowModality(Qt::ApplicationModal);
    // Above the always-on-top configuration dialog, which would hide it.
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog->setMinimumDuration(0); // the delay is DelayedProgress's
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return dialog;
}

namespace {

// The dialog of one read, shown once the read has taken half a second; each
// block lets the dialog's events run so that Cancel is seen.
class ReadingWatch : public DelayedProgress {
public:
    ReadingWatch(QWidget* parent, QString fileName) : parent_(parent), fileName_(std::move(fileName)) {}

protected:
    bool update(std::uint64_t done, std::uint64_t total) override {
        if (!dialog_) {
            dialog_ = makeReadingDialog(parent_, fileName_);
            dialog_->show();
        }
        dialog_->setValue(total == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(done, total) * 1000 / total));
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    }

private:
    QWidget* parent_;
    QString fileName_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace

bool answeredYes(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    return clicked != nullptr && clicked->objectName() == QLatin1String(kYesName);
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, FileDialogKind kind) {
    const FileDialogLayout& layout = fileDialogLayout(kind);
    auto dialog = std::make_unique<QFileDialog>(parent, fileDialogText(layout.title));
    QStringList filters;
    for (const NameFilter& filter : splitFilter(fileDialogText(layout.filter).toStdString()))
        filters << qtFilterText(filter);
    dialog->setOption(QFileDialog::HideNameFilterDetails); // before the filters, which it shortens
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(fromUtf8(layout.defaultExtension));
    if (layout.saves) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // The command asks about an existing file itself.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(layout.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    dialog->selectFile(fromUtf8(layout.initialName));
    return dialog;
}

bool QtPrompts::confirm(const std::string& question) {
    const auto box = makeQuestionBox(parent_, fromUtf8(question));
    box->exec();
    return answeredYes(*box);
}

void QtPrompts::reportError(const std::string& message) { makeErrorBox(parent_, fromUtf8(message))->exec(); }

void QtPrompts::inform(const std::string& message) { makeInformationBox(parent_, fromUtf8(message))->exec(); }

std::unique_ptr<ReadProgress> QtPrompts::watchReading(const std::string& fileName) {
    return std::make_unique<ReadingWatch>(parent_, fromUtf8(fileName));
}

std::optional<std::string> QtPrompts::chooseFile(FileDialogKind kind) {
    const auto dialog = makeFileDialog(parent_, kind);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().constFirst().toStdString();
}

} // namespace tessera
