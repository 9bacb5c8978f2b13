// The Tools menu's circuit commands driven through the frame's actions with
// scripted answers: the netlist export, the op-amp and the tolerances.
#include "program_fixture.h"

#include "netlist.h"
#include "user_prompts.h"

#include <QFileDialog>

using tessera::FileDialogKind;
using tessera::MenuCommand;

class CircuitToolsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

private slots:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void netlistExportAsksBeforeOverwritingAndKeepsTheOldFileOnFailure() {
        const auto dialog = tessera::makeFileDialog(&f->frame(), FileDialogKind::ExportNetlist);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("SPICE netlist (*.cir)")});
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("cir"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);

        const std::string name = f->path("eq.cir");
        writeFile(name, "old");
        f->prompts.chosenFiles = {name, name};
        f->prompts.answers = {false, true};
        f->trigger(MenuCommand::ExportNetlist); // No: nothing written
        QCOMPARE(fileContents(name), QByteArray("old"));
        f->trigger(MenuCommand::ExportNetlist); // Yes
        QCOMPARE(f->prompts.questions, std::vector<std::string>(2, " File " + name + " exists! Overwrite?"));
        QCOMPARE(fileContents(name).toStdString(), tessera::netlistText(f->program->engine(), {}));
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(f->bank().Modified, 0); // exporting changes nothing of the document

        const std::string unwritable = f->path("missing-folder/eq.cir");
        f->prompts.chosenFiles = {unwritable};
        f->trigger(MenuCommand::ExportNetlist);
        QCOMPARE(f->prompts.errors, std::vector<std::string>{"Kann Datei " + unwritable + " nicht erstellen"});
    }
};

QTEST_MAIN(CircuitToolsTest)
#include "circuit_tools_test.moc"
