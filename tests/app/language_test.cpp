// The windows in one language. Under English no German word is left in any
// text the tests can reach: the menu and its hints, every tool window and
// dialog, the message boxes and file dialogs, the printed report's words,
// Qt's own dialogs. Under German every text is the one the program has
// always shown, Qt's own dialogs German. The Language menu's choice is
// remembered for the next start.
#include "program_fixture.h"

#include "contimage.h"
#include "document_texts.h"
#include "einstell.h"
#include "language_choice.h"
#include "program_translations.h"
#include "report_layout.h"
#include "user_prompts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

using tessera::Language;
using tessera::MenuCommand;

namespace {

// Words and letters of the program's German texts that no English text has.
const QRegularExpression kGerman(
    QStringLiteral("[äöüÄÖÜß]|\\b(Datei|Dateien|nicht|Kann|Kein|Fehler|Warnung|Hinweis|Ja|Nein|Drucker|Druckerausgabe|"
                   "speichern|öffnen|Fenster|Zahl|gültig|Bitte|wählen|Seite|gedruckt|Anwendung|beenden|"
                   "Bearbeiten|Werkzeuge|Hilfethemen|Einrichten|Einstellungen|aktuelle|erzeugen|importieren|"
                   "anordnen|verkleinern|anzeigen|zurücknehmen|wiederholen|kopieren|Zwischenablage|Schaltung|"
                   "exportieren|Kurve|aktiven|Rauschen|berechnen|Sprache|Texte|ab|dem|der|die|das|und|ist|zu|"
                   "eine|einen|mit|wurde|nichts|Abbrechen|Speichern|Öffnen|Suchen|Dateiname|Dateityp)\\b"));

void addText(QStringList& texts, const QString& text) {
    if (!text.isEmpty()) texts << text;
}

// Every text a user can read in `root` and its children.
QStringList visibleTexts(QWidget* root) {
    QStringList texts;
    addText(texts, root->windowTitle());
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        addText(texts, w->toolTip());
        addText(texts, w->statusTip());
        if (auto* label = qobject_cast<QLabel*>(w)) addText(texts, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) addText(texts, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) addText(texts, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) addText(texts, edit->placeholderText());
        if (auto* plot = qobject_cast<TControlImage*>(w)) addText(texts, plot->title());
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i) addText(texts, combo->itemText(i));
        if (auto* table = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < table->columnCount(); ++c)
                if (table->horizontalHeaderItem(c)) addText(texts, table->horizontalHeaderItem(c)->text());
        for (QAction* action : w->actions()) {
            addText(texts, action->text());
            addText(texts, action->statusTip());
        }
    }
    return texts;
}

QStringList messageBoxTexts(QMessageBox& box) {
    QStringList texts = visibleTexts(&box);
    for (QAbstractButton* button : box.buttons()) texts << button->text();
    return texts;
}

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    // Every tool window and dialog of the program open, with the menu, the
    // message boxes, the file dialogs and the report's lines: their texts.
    QStringList everyText(ProgramFixture& f) {
        for (MenuCommand tool : {MenuCommand::OpAmp, MenuCommand::Tolerances, MenuCommand::NoiseHeadroom,
                                 MenuCommand::Schematic, MenuCommand::FitToImport, MenuCommand::About})
            f.trigger(tool);
        QStringList texts;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) texts << visibleTexts(window);
        for (QMenu* menu : f.frame().findChildren<QMenu*>()) {
            texts << menu->title();
            addText(texts, menu->menuAction()->statusTip());
        }
        texts << visibleTexts(&f.program->dialog());

        const auto question = tessera::makeQuestionBox(nullptr, fromUtf8(tessera::savePromptText("a.tsn")));
        const auto error = tessera::makeErrorBox(nullptr, fromUtf8(tessera::noPrinterText()));
        const auto note = tessera::makeInformationBox(nullptr, fromUtf8(tessera::emptyPageText()));
        texts << messageBoxTexts(*question) << messageBoxTexts(*error) << messageBoxTexts(*note);
        texts << fromUtf8(tessera::printerBusyText()) << fromUtf8(tessera::notLoadedText("a.txt"))
              << fromUtf8(tessera::overwritePromptText("a.tsn"));
        const auto reading = tessera::makeReadingDialog(nullptr, QStringLiteral("a.tsn"));
        texts << reading->labelText() << visibleTexts(reading.get());
        for (const auto kind : {tessera::FileDialogKind::Open, tessera::FileDialogKind::SaveAs,
                                tessera::FileDialogKind::Import, tessera::FileDialogKind::ExportPartsList}) {
            const auto dialog = tessera::makeFileDialog(nullptr, kind);
            dialog->setOption(QFileDialog::DontUseNativeDialog);
            texts << visibleTexts(dialog.get()) << dialog->nameFilters();
        }
        for (const tessera::ReportLine& line : tessera::reportTextLines(f.program->engine(), "a.tsn"))
            texts << fromUtf8(line.text);
        // The core's messages of failed file commands.
        f.prompts.chosenFiles = {f.path("missing.tsn"), f.path("missing.frd"), f.path("no/folder/a.tsn")};
        for (MenuCommand command : {MenuCommand::Open, MenuCommand::Import, MenuCommand::SaveAs}) f.trigger(command);
        for (const std::string& error : f.prompts.errors) texts << fromUtf8(error);
        return texts;
    }

    static QString statusTip(ProgramFixture& f, const char* name) {
        if (auto* action = f.frame().findChild<QAction*>(QLatin1String(name))) return action->statusTip();
        return QStringLiteral("(no action %1)").arg(QLatin1String(name));
    }

private slots:
    void cleanup() { tessera::useLanguage(Language::English); }

    void englishShowsNoGermanWord() {
        tessera::useLanguage(Language::English);
        ProgramFixture f;
        const QStringList texts = everyText(f);
        QVERIFY(texts.size() > 150); // the walk reached the windows
        QCOMPARE(f.prompts.errors.size(), std::size_t{3});
        for (const QString& text : texts) {
            if (text == QLatin1String("Deutsch")) continue; // the Language menu's own name of German
            QVERIFY2(!kGerman.match(text).hasMatch(), qPrintable(QStringLiteral("German in \"%1\"").arg(text)));
        }
        QVERIFY(texts.contains(QStringLiteral("Open an existing file")));
        QVERIFY(texts.contains(QStringLiteral("Warning")) && texts.contains(QStringLiteral("&Yes")));
    }

    // Today's texts, character for character, and Qt's own in German.
    void germanShowsTheProgramsTexts() {
        QVERIFY(tessera::useLanguage(Language::German));
        ProgramFixture f;
        const std::vector<std::pair<const char*, const char*>> hints = {
            {"File1Title", "Dateibefehle"}, {"FileNewItem", "Neue Datei erzeugen"},
            {"FileOpenItem", "Existierende Datei öffnen"}, {"FileImportItem", "Frequenzgang importieren"},
            {"FileSaveItem", "Aktuelle Datei speichern"}, {"FileSaveAsItem", "Aktuelle Datei speichern unter..."},
            {"Print1", "aktuelle Einstellungen drucken"}, {"PrinterSetup1", "Drucker Einrichten"},
            {"FileExitItem", "Anwendung beenden"}, {"Edit1Title", "Bearbeiten"},
            {"UndoItem", "Letzte Änderung zurücknehmen"}, {"RedoItem", "Zurückgenommene Änderung wiederholen"},
            {"CopyItem", "In die Zwischenablage kopieren"}, {"Zoom1Title", ""}, {"Zoomin1", ""},
            {"Tools1Title", "Werkzeuge"}, {"FitItem", "Filter an den importierten Frequenzgang anpassen"},
            {"ExportNetlistItem", "Schaltung als SPICE-Netzliste exportieren"},
            {"OpAmpItem", "Operationsverstärker wählen"}, {"TolerancesItem", "Bauteiltoleranzen untersuchen"},
            {"NoiseItem", "Rauschen und Aussteuerungsreserve berechnen"},
            {"SchematicItem", "Schaltplan der Schaltung zeigen"},
            {"ExportPartsListItem", "Stückliste als CSV-Datei exportieren"},
            {"ExportFrdItem", "Kurve des aktiven Fensters als FRD-Datei exportieren"},
            {"Window1Title", "Befehle zum Anordnen von Fenstern"},
            {"WindowCascadeItem", "Fenster überlappend anordnen"},
            {"WindowTileItem", "Fenster nicht überlappend anordnen"},
            {"WindowArrangeItem", "Fenstersymbole am unteren Rand des Hauptfensters anordnen"},
            {"WindowMinimizeItem", "Alle Fenster verkleinern"}, {"Einstellungen1", "Filter-Konfiguration anzeigen"},
            {"Help1Title", "Hilfethemen"}, {"HelpAboutItem", "About"},
        };
        for (const auto& [name, hint] : hints) QCOMPARE(statusTip(f, name), QString::fromUtf8(hint));
        QCOMPARE(tessera::noPrinterText(),
                 "Kein Drucker verfügbar! Bitte mit \"Printer Setup\" einen Drucker oder eine PDF-Datei wählen.");
        QCOMPARE(tessera::emptyPageText(), "Der Drucker meldet eine leere Seite! Es wurde nichts gedruckt.");
        QCOMPARE(tessera::printerBusyText(), "Es läuft gerade eine Druckerausgabe!");

        // The tool windows keep their English texts, their Close buttons too.
        f.trigger(MenuCommand::Tolerances);
        auto* tolerances = f.frame().findChild<QDialog*>(QStringLiteral("TolerancesDialog"));
        QVERIFY(tolerances);
        QCOMPARE(tolerances->findChild<QAbstractButton*>(QStringLiteral("CloseButton"))->text(), QStringLiteral("Close"));
        QCOMPARE(tessera::reportTextLines(f.program->engine(), "a.tsn").front().text, "Configuration: a.tsn");

        // Qt's own dialogs speak German.
        const auto open = tessera::makeFileDialog(nullptr, tessera::FileDialogKind::Open);
        open->setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(open->windowTitle(), QStringLiteral("Open"));
        QVERIFY(open->findChild<QDialogButtonBox*>());
        QCOMPARE(open->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
                 QStringLiteral("Abbrechen"));
    }

    // The menu's choice is checked, said to be for the next start and
    // remembered.
    void theLanguageMenuRemembersTheChoice() {
        tessera::useLanguage(Language::English);
        ProgramFixture f;
        QVERIFY(!tessera::rememberedLanguage());
        QVERIFY(f.frame().action(MenuCommand::LanguageEnglish)->isChecked());
        f.trigger(MenuCommand::LanguageGerman);
        QCOMPARE(tessera::rememberedLanguage(), Language::German);
        QVERIFY(f.frame().action(MenuCommand::LanguageGerman)->isChecked());
        QVERIFY(!f.frame().action(MenuCommand::LanguageEnglish)->isChecked());
        QCOMPARE(f.prompts.notes,
                 std::vector<std::string>{"The windows show German texts from the next start of TESSERA on."});
        f.trigger(MenuCommand::LanguageEnglish); // back to the language shown: nothing to say
        QCOMPARE(f.prompts.notes.size(), std::size_t{1});
        QCOMPARE(tessera::rememberedLanguage(), Language::English);

        tessera::useLanguage(Language::German);
        f.restart();
        QVERIFY(f.frame().action(MenuCommand::LanguageGerman)->isChecked());
        f.trigger(MenuCommand::LanguageEnglish);
        QCOMPARE(f.prompts.notes.back(), "Die Fenster zeigen ab dem nächsten Start von TESSERA englische Texte.");
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
