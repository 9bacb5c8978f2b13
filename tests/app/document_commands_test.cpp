// New, Open, Save, Save as, Import and closing, driven through the frame's
// menu actions with scripted answers to the prompts and file dialogs.
#include "program_fixture.h"

#include "config_file.h"

#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QWindow>

using tessera::FileDialogKind;
using tessera::MenuCommand;

namespace {
QByteArray contents(const std::string& name) {
    QFile file(QString::fromStdString(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
void makeModified(ProgramFixture& f) { f.program->engine().refreshresult(); }
} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

private slots:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void startsUnnamedAndClean() {
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0"));
        QCOMPARE(f->bank().Modified, 0);
        QCOMPARE(f->bank().DialogReady, 1);
        QCOMPARE(f->frame().document().fileName(), std::string());
    }

    void cleanDocumentAsksNothing() {
        f->trigger(MenuCommand::New);
        f->trigger(MenuCommand::Open); // cancelled in the dialog
        f->frame().close();
        QVERIFY(f->prompts.questions.empty());
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0 "));
        QCOMPARE(f->prompts.dialogs, std::vector<FileDialogKind>{FileDialogKind::Open});
    }

    void unnamedPromptLeadsIntoSaveAs() {
        makeModified(*f);
        f->prompts.answers = {true};
        f->prompts.chosenFiles = {f->path("first.tsn")};
        f->trigger(MenuCommand::New); // Yes, saved through Save as, then New goes on
        QCOMPARE(f->prompts.questions, std::vector<std::string>{" File  not saved! Save?"});
        QCOMPARE(f->prompts.dialogs, std::vector<FileDialogKind>{FileDialogKind::SaveAs});
        QCOMPARE(contents(f->path("first.tsn")).count("\r\n"), tessera::kConfigurationLines);
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0 "));
        QCOMPARE(f->bank().Modified, 0);
    }

    // "Yes, save" followed by a save that did not happen stops New, Open and
    // closing: nothing changes, the work stays open and marked modified.
    void unsavedWorkIsKeptWhenTheSaveDidNotHappen_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("failure");
        for (MenuCommand command : {MenuCommand::New, MenuCommand::Open, MenuCommand::Exit})
            for (const char* failure : {"failing save", "cancelled save as", "no to overwriting"})
                QTest::addRow("%s, %s", std::string(tessera::menuItem(command).objectName).c_str(), failure)
                    << int(command) << QString::fromLatin1(failure);
    }
    void unsavedWorkIsKeptWhenTheSaveDidNotHappen() {
        QFETCH(int, command);
        QFETCH(QString, failure);
        const std::string existing = f->path("existing.tsn");
        writeFile(existing, "keep me");
        if (failure == "failing save") {
            // A named document whose folder has gone since it was saved.
            QVERIFY(QDir(f->folder.path()).mkdir("gone"));
            f->prompts.chosenFiles = {f->path("gone/work.tsn")};
            f->trigger(MenuCommand::SaveAs);
            QVERIFY(QDir(QString::fromStdString(f->path("gone"))).removeRecursively());
            f->prompts.answers = {true};
        } else if (failure == "cancelled save as") {
            f->prompts.answers = {true};
            f->prompts.chosenFiles = {std::nullopt};
        } else {
            f->prompts.answers = {true, false};
            f->prompts.chosenFiles = {existing};
        }
        f->bank().section(2).Q = 7;
        makeModified(*f);
        const QString caption = f->frame().windowTitle();
        const std::size_t dialogs = f->prompts.dialogs.size() + (failure == "failing save" ? 0 : 1);
        QSignalSpy closed(&f->frame(), &TMainForm::closed);

        f->prompts.chosenFiles.push_back(existing); // what Open would load
        f->trigger(MenuCommand(command));

        QCOMPARE(f->prompts.questions.front(), " File " + f->frame().document().fileName() + " not saved! Save?");
        QCOMPARE(f->prompts.errors.size(), std::size_t(failure == "failing save" ? 1 : 0));
        QCOMPARE(f->prompts.dialogs.size(), dialogs); // no Open dialog
        QCOMPARE(f->bank().section(2).Q, 7.0);
        QCOMPARE(f->bank().Modified, 1);
        QCOMPARE(f->frame().windowTitle(), caption);
        QCOMPARE(closed.count(), 0);
        QCOMPARE(f->bank().DialogReady, 1);
        QCOMPARE(contents(existing), QByteArray("keep me"));

        // Answering No still lets the command go on.
        f->prompts.answers = {false};
        f->trigger(MenuCommand(command));
        QCOMPARE(closed.count(), command == int(MenuCommand::Exit) ? 1 : 0);
        if (command == int(MenuCommand::New)) QCOMPARE(f->bank().Modified, 0);
    }

    void newResetsEverythingAndTheImportCaption() {
        writeTdsFile(QString::fromStdString(f->path("m.tds")), 400, 0, 24000, 2, 1);
        f->prompts.chosenFiles = {f->path("m.tds")};
        f->trigger(MenuCommand::Import);
        QVERIFY(f->bank().ImportedResponse[100] != 0);
        f->bank().section(2).Frequency = 1234;
        f->prompts.answers = {false};
        f->trigger(MenuCommand::New);
        QCOMPARE(f->bank().ImportedResponse[100], 0.0);
        QVERIFY(qAbs(f->bank().section(2).Frequency - 19551.23) < 0.01);
        QCOMPARE(f->window("Import")->windowTitle(), QStringLiteral("Import"));
        QCOMPARE(f->bank().Modified, 0);
    }

    void saveAsOntoAnExistingFile() {
        const std::string name = f->path("existing.tsn");
        writeFile(name, "keep me");

        f->prompts.chosenFiles = {name};
        f->prompts.answers = {false};
        f->trigger(MenuCommand::SaveAs);
        QCOMPARE(f->prompts.questions, std::vector<std::string>{" File " + name + " exists! Overwrite?"});
        QCOMPARE(contents(name), QByteArray("keep me"));
        QCOMPARE(f->frame().document().fileName(), std::string());
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0"));
        QCOMPARE(f->prompts.dialogs.size(), std::size_t(1)); // the dialog is not shown again

        f->prompts.chosenFiles = {name};
        f->prompts.answers = {true};
        f->trigger(MenuCommand::SaveAs);
        QCOMPARE(contents(name).count("\r\n"), tessera::kConfigurationLines);
        QCOMPARE(f->frame().document().fileName(), name);
        QCOMPARE(f->frame().windowTitle(), QString::fromStdString("TESSERA 1.0 " + name));
        QCOMPARE(f->bank().Modified, 0);
    }

    void saveAfterNewAsksForAName() {
        const std::string first = f->path("first.tsn");
        f->prompts.chosenFiles = {first};
        f->trigger(MenuCommand::SaveAs);
        const QByteArray written = contents(first);
        f->trigger(MenuCommand::New);
        f->bank().section(1).Q = 3;
        f->trigger(MenuCommand::Save); // cancelled Save as
        QCOMPARE(f->prompts.dialogs.back(), FileDialogKind::SaveAs);
        QCOMPARE(f->prompts.dialogs.size(), std::size_t(2));
        QCOMPARE(contents(first), written);
    }

    void saveWritesTheNamedFile() {
        const std::string name = f->path("named.tsn");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        f->bank().section(3).Frequency = 440;
        makeModified(*f);
        f->trigger(MenuCommand::Save);
        QCOMPARE(f->prompts.dialogs.size(), std::size_t(1));
        QVERIFY(contents(name).contains("4.40000000000000E+2"));
        QCOMPARE(f->bank().Modified, 0);
    }

    void openShowsTheFullPathAndTheFilesValues() {
        const std::string name = f->path("room.tsn");
        f->bank().section(4).Frequency = 2500;
        f->program->engine().refreshPage(4);
        const double realised = f->bank().section(4).Frequency;
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        f->trigger(MenuCommand::New);
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::Open);
        QCOMPARE(f->frame().windowTitle(), QString::fromStdString("TESSERA 1.0 " + name));
        QCOMPARE(f->bank().section(4).Frequency, realised);
        QVERIFY(realised != f->program->engine().state().section(1).Frequency);
        QCOMPARE(f->bank().Modified, 0);
        QVERIFY(f->prompts.errors.empty());
    }

    // A name given relative to the working folder (as on the command line)
    // is kept absolute: caption, and line 2 of a later save.
    void fileNamedRelativelyIsKeptAbsolute() {
        const std::string name = f->path("room.tsn");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        for (const char* relative : {"room.tsn", "./room.tsn"}) {
            f->trigger(MenuCommand::New);
            QVERIFY(f->frame().document().openFile(relative));
            QCOMPARE(f->frame().document().fileName(), name);
            QCOMPARE(f->frame().windowTitle(), QString::fromStdString("TESSERA 1.0 " + name));
        }
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        makeModified(*f);
        f->trigger(MenuCommand::Save);
        QVERIFY(contents(name).contains(QByteArray::fromStdString("\"File: \"" + name + "\r\n")));
    }

    void openOfAPassedOverFileKeepsTheName() {
        const std::string saved = f->path("saved.tsn");
        f->prompts.chosenFiles = {saved};
        f->trigger(MenuCommand::SaveAs);

        const std::string other = f->path("notes.txt");
        writeFile(other, "my notes");
        f->prompts.chosenFiles = {other};
        f->trigger(MenuCommand::Open);
        QCOMPARE(f->prompts.errors.size(), std::size_t(1));
        QVERIFY(f->prompts.errors[0].find("not loaded") != std::string::npos);
        QCOMPARE(f->frame().document().fileName(), saved);
        QCOMPARE(f->frame().windowTitle(), QString::fromStdString("TESSERA 1.0 " + saved));

        makeModified(*f);
        f->trigger(MenuCommand::Save);
        QCOMPARE(contents(other), QByteArray("my notes"));
    }

    void openOfABrokenFileReportsAndKeepsTheName() {
        const std::string broken = f->path("broken.tsn");
        writeFile(broken, "only one line\r\n");
        f->prompts.chosenFiles = {broken};
        f->trigger(MenuCommand::Open);
        QCOMPARE(f->prompts.errors.size(), std::size_t(1));
        QCOMPARE(f->frame().windowTitle(), QStringLiteral("TESSERA 1.0"));
    }

    void importSetsTheCaptionAndTheModifiedFlag() {
        const QString name = QString::fromStdString(f->path("speaker.TDS"));
        writeTdsFile(name, 1200, 0, 24000, 3, 1.5);
        f->prompts.chosenFiles = {name.toStdString()};
        f->trigger(MenuCommand::Import);
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(f->window("Import")->windowTitle(), "Import " + name);
        QVERIFY(qAbs(f->bank().ImportedResponse[128] - 6.0206) < 0.001);
        QCOMPARE(f->bank().Modified, 1);
        // The plot is still found by the window's name, whatever its caption.
        QCOMPARE(findPlotByWindowName(f->frame().mdiArea(), QStringLiteral("Import")),
                 f->plot(tessera::GraphWindow::Import));
        // A modified document asks before New.
        f->trigger(MenuCommand::New);
        QCOMPARE(f->prompts.questions.size(), std::size_t(1));
    }

    // Open and Import are watched while they read; cancelling one changes
    // nothing and shows nothing.
    void cancelledReadsChangeNothing() {
        const std::string saved = f->path("saved.tsn");
        f->prompts.chosenFiles = {saved};
        f->trigger(MenuCommand::SaveAs);
        const std::string other = f->path("other.tsn");
        f->bank().section(2).Frequency = 777;
        f->program->engine().refreshPage(2);
        f->prompts.chosenFiles = {other};
        f->trigger(MenuCommand::SaveAs);
        f->prompts.chosenFiles = {saved};
        f->trigger(MenuCommand::Open);
        const QString measurement = QString::fromStdString(f->path("speaker.tds"));
        writeTdsFile(measurement, 1200, 0, 24000, 3, 1.5);
        const tessera::FilterBankState before = f->bank();

        f->prompts.cancelReading = true;
        f->prompts.chosenFiles = {other, measurement.toStdString()};
        f->trigger(MenuCommand::Open);
        f->trigger(MenuCommand::Import);
        QCOMPARE(f->prompts.watchedReads, (std::vector<std::string>{saved, other, measurement.toStdString()}));
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(f->frame().document().fileName(), saved);
        QCOMPARE(f->window("Import")->windowTitle(), QStringLiteral("Import"));
        QCOMPARE(f->bank().section(2).Frequency, before.section(2).Frequency);
        QCOMPARE(f->bank().ImportedResponse, before.ImportedResponse);
        QCOMPARE(f->bank().Modified, 0);
    }

    void fileNamesShowAsTheyAreInCaptionsAndTheWindowMenu() {
        // "[*]" is no modified mark and "&" no access key when a file is named so.
        const std::string config = f->path("mix[*]&more.tsn");
        f->prompts.chosenFiles = {config};
        f->trigger(MenuCommand::SaveAs);
        QCOMPARE(f->frame().windowHandle()->title(), QString::fromStdString("TESSERA 1.0 " + config));

        const QString measurement = QString::fromStdString(f->path("a&b[*].tds"));
        writeTdsFile(measurement, 400, 0, 24000, 2, 1);
        f->prompts.chosenFiles = {measurement.toStdString()};
        f->trigger(MenuCommand::Import);
        QVERIFY(f->prompts.errors.empty());
        QMenu* menu = f->frame().menuBar()->findChild<QMenu*>("Window1");
        emit menu->aboutToShow();
        const QString listed = menu->findChild<QAction*>("WindowListItem5")->text();
        QCOMPARE(listed, "&5 Import " + QString(measurement).replace("&", "&&"));
    }

    void importOfAForeignFileShowsTheReadersMessage() {
        const std::string name = f->path("plain.tds");
        writeFile(name, "TDS\r\nno quotes\r\n");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::Import);
        QCOMPARE(f->prompts.errors, std::vector<std::string>{" File " + name + " is not an ASCII-File! Can not import!"});
        QCOMPARE(f->window("Import")->windowTitle(), QStringLiteral("Import"));
        QCOMPARE(f->bank().Modified, 0);
    }

    void importOfAnotherEndingDoesNothing() {
        f->prompts.chosenFiles = {f->path("data.wav")};
        f->trigger(MenuCommand::Import);
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(f->bank().Modified, 0);
    }

    void closingWithNoWritesNothing() {
        makeModified(*f);
        QSignalSpy closed(&f->frame(), &TMainForm::closed);
        f->prompts.answers = {false};
        f->trigger(MenuCommand::Exit);
        QCOMPARE(f->prompts.questions, std::vector<std::string>{" File  not saved! Save?"});
        QCOMPARE(closed.count(), 1);
        QCOMPARE(f->bank().DialogReady, 0);
        QVERIFY(f->prompts.dialogs.empty());
        QCOMPARE(QDir(f->folder.path()).entryList(QDir::Files), QStringList());
    }

    void closingWithYesSavesTheNamedFile() {
        const std::string name = f->path("close.tsn");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::SaveAs);
        f->bank().section(1).Q = 2.5;
        makeModified(*f);
        f->prompts.answers = {true};
        f->frame().close();
        QVERIFY(contents(name).contains("2.50000000000000E+0"));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
