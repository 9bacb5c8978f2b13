// Files dropped on the frame, and Tools → Export curve as FRD, driven through
// real drop events and the menu action with scripted prompts.
#include "program_fixture.h"

#include "frd_export.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using tessera::FileDialogKind;
using tessera::GraphWindow;
using tessera::MenuCommand;

namespace {
QByteArray contents(const std::string& name) {
    QFile file(QString::fromStdString(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Drags `names` over the frame and drops them, offering every action and
// proposing a move (as a file manager's drag with Shift does); true when the
// frame took them. The frame only reads files: it must take a copy, never
// the move after which the source may remove its file.
bool drop(TMainForm& frame, const std::vector<std::string>& names) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& name : names) urls << QUrl::fromLocalFile(QString::fromStdString(name));
    data.setUrls(urls);
    const QPoint at = frame.rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&frame, &enter);
    QDropEvent dropped(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&frame, &dropped);
    return enter.proposedAction() == Qt::MoveAction && enter.isAccepted() && dropped.isAccepted() &&
           enter.dropAction() == Qt::CopyAction && dropped.dropAction() == Qt::CopyAction;
}
} // namespace

class DropAndExportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

private slots:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void droppedConfigurationOpensAfterTheSavePrompt() {
        const std::string config = f->path("room.tsn");
        f->bank().section(2).Frequency = 1234;
        f->program->engine().refreshPage(2);
        const double realised = f->bank().section(2).Frequency;
        f->prompts.chosenFiles = {config};
        f->trigger(MenuCommand::SaveAs);
        f->trigger(MenuCommand::New);
        f->program->engine().refreshresult(); // modified

        const std::string saved = f->path("prompted.tsn");
        f->prompts.answers = {true};
        f->prompts.chosenFiles = {saved};
        QVERIFY(drop(f->frame(), {config, f->path("second.tds")}));
        QCOMPARE(f->prompts.questions, std::vector<std::string>{" File  not saved! Save?"});
        QVERIFY(QFile::exists(QString::fromStdString(saved)));
        QCOMPARE(f->frame().document().fileName(), config);
        QCOMPARE(f->bank().section(2).Frequency, realised);
        QCOMPARE(f->bank().Modified, 0);
    }

    void droppedMeasurementImportsAndOthersAreIgnored() {
        const std::string measurement = f->path("speaker.tds");
        writeTdsFile(QString::fromStdString(measurement), 1200, 0, 24000, 3, 1.5);
        f->bank().Modified = 0;
        QVERIFY(!drop(f->frame(), {f->path("notes.wav"), measurement}));
        QVERIFY(!drop(f->frame(), {}));
        QCOMPARE(f->bank().Modified, 0);
        QCOMPARE(f->window("Import")->windowTitle(), QStringLiteral("Import"));

        QVERIFY(drop(f->frame(), {measurement}));
        QVERIFY(f->prompts.questions.empty()); // an import asks nothing
        QCOMPARE(f->window("Import")->windowTitle(), QString::fromStdString("Import " + measurement));
        QVERIFY(qAbs(f->bank().ImportedResponse[128] - 6.0206) < 0.001);
        QCOMPARE(f->bank().Modified, 1);
        QVERIFY(f->prompts.dialogs.empty());
    }

    void exportWritesTheActiveWindowsCurveAndAsksBeforeOverwriting() {
        f->bank().section(3).GainFactor = 2;
        f->program->engine().refreshPage(3);
        f->frame().mdiArea()->setActiveSubWindow(f->window("Filter3"));
        const std::string name = f->path("cut.frd");
        f->prompts.chosenFiles = {name};
        f->trigger(MenuCommand::ExportFrd);
        QCOMPARE(f->prompts.dialogs, std::vector<FileDialogKind>{FileDialogKind::ExportFrd});
        const std::string expected =
            tessera::frdText(f->bank().section(3).SectionCurve, GraphWindow::Filter3, tessera::todayIsoDate());
        QCOMPARE(contents(name), QByteArray::fromStdString(expected));

        // Onto the existing file from the Result window: No keeps it, Yes replaces it.
        f->frame().mdiArea()->setActiveSubWindow(f->window("Result"));
        f->prompts.answers = {false, true};
        f->prompts.chosenFiles = {name, name};
        f->trigger(MenuCommand::ExportFrd);
        QCOMPARE(contents(name), QByteArray::fromStdString(expected));
        f->trigger(MenuCommand::ExportFrd);
        QCOMPARE(f->prompts.questions, (std::vector<std::string>{" File " + name + " exists! Overwrite?",
                                                                 " File " + name + " exists! Overwrite?"}));
        QCOMPARE(contents(name), QByteArray::fromStdString(tessera::frdText(
                                     tessera::windowCurve(f->bank(), GraphWindow::Result), GraphWindow::Result,
                                     tessera::todayIsoDate())));

        f->prompts.chosenFiles = {f->path("no/such/folder/x.frd")};
        const SpokenLanguage german(tessera::Language::German); // the message as the German program says it
        f->trigger(MenuCommand::ExportFrd);
        QCOMPARE(f->prompts.errors.size(), std::size_t(1));
        QVERIFY(f->prompts.errors[0].find("nicht erstellen") != std::string::npos);
    }
};

QTEST_MAIN(DropAndExportTest)
#include "drop_and_export_test.moc"
