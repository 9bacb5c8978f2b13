// One working session end to end through the menus: import a measurement,
// tune a section, save, start anew, reopen and print.
#include "program_fixture.h"
#include "../external_program.h"

#include <QPrinter>
#include <QProcess>

using tessera::GraphWindow;
using tessera::MenuCommand;

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QString missing = missingProgram(PDFTOTEXT_PATH, PDFTOTEXT_PACKAGE);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }
    void importSaveReopenPrint() {
        ProgramFixture f;
        QByteArray mlssa = "MLSSA export\r\n\"Hz\",\"dB\"\r\n";
        for (double hz = 10; hz < 25000; hz *= 1.02)
            mlssa += QByteArray::number(hz, 'f', 3) + "," + QByteArray::number(hz < 1000 ? 3.0 : -2.0, 'f', 2) + "\r\n";
        const std::string measurement = f.path("speaker.txt");
        writeFile(measurement, mlssa);
        f.prompts.chosenFiles = {measurement};
        f.trigger(MenuCommand::Import);
        QVERIFY(f.prompts.errors.empty());
        QCOMPARE(f.window("Import")->windowTitle(), QString::fromStdString("Import " + measurement));
        const tessera::Curve imported = f.bank().ImportedResponse;
        QCOMPARE(imported[0], 3.0);
        QCOMPARE(imported[255], -2.0);

        f.bank().section(3).Frequency = 1000;
        f.bank().section(3).GainFactor = 1;
        f.program->engine().refreshPage(3);
        const double realised = f.bank().section(3).Frequency;

        const std::string config = f.path("session.tsn");
        f.prompts.chosenFiles = {config};
        f.trigger(MenuCommand::Save); // unnamed: Save as
        QCOMPARE(f.frame().windowTitle(), QString::fromStdString("TESSERA 1.0 " + config));

        f.trigger(MenuCommand::New);
        QVERIFY(f.prompts.questions.empty());
        QCOMPARE(f.bank().ImportedResponse[0], 0.0);

        f.prompts.chosenFiles = {config};
        f.trigger(MenuCommand::Open);
        QCOMPARE(f.bank().ImportedResponse, imported);
        QCOMPARE(f.bank().section(3).Frequency, realised);
        QCOMPARE(f.window("Import")->windowTitle(), QStringLiteral("Import"));
        QCOMPARE(f.plot(GraphWindow::Import)->FullData().value(256), 3.0);

        const QString pdf = QString::fromStdString(f.path("session.pdf"));
        f.frame().printer().setOutputFormat(QPrinter::PdfFormat);
        f.frame().printer().setOutputFileName(pdf);
        f.trigger(MenuCommand::Print);
        QVERIFY(f.prompts.errors.empty());
        QProcess text;
        text.start(PDFTOTEXT_PATH, {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(printed.contains(QString::fromStdString("Configuration: " + config)));
        QVERIFY(printed.contains("Gain: -"));
        // The result again shows the sections plus the measurement.
        const tessera::PlotData& result = f.plot(GraphWindow::Result)->FullData();
        QCOMPARE(result.value(256), f.bank().CombinedCurve[0] + imported[0]);
        QCOMPARE(f.bank().Modified, 1);
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
