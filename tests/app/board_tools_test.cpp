// Tools > Schematic and Tools > Export parts list driven through the frame's
// actions with scripted answers: the window follows the design and the
// circuit settings, zooms, fits and exports the very files the headless
// writers give; the parts list refuses a section that shows "err".
#include "program_fixture.h"

#include "circuit_settings_holder.h"
#include "parts_list.h"
#include "schematic.h"
#include "schematic_files.h"
#include "schematic_window.h"

#include <QImage>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

using tessera::FileDialogKind;
using tessera::MenuCommand;

class BoardToolsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    TSchematicWindow* openSchematic() {
        f->trigger(MenuCommand::Schematic);
        auto* window = f->frame().findChild<TSchematicWindow*>(QStringLiteral("SchematicWindow"));
        return window;
    }
    static bool shows(const TSchematicWindow& window, const std::string& text) {
        const auto& texts = window.drawing().texts;
        return std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.text.find(text) != std::string::npos; });
    }
    static std::string valueOf(const TSchematicWindow& window, const std::string& part) {
        for (const auto& t : window.drawing().texts)
            if (t.role == tessera::drawing::TextRole::Value && t.part == part) return t.text;
        return {};
    }
    void click(QWidget* window, const char* name) {
        auto* button = window->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button != nullptr, name);
        button->click();
    }

private slots:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void theSchematicFollowsTheDesignAndTheSettings() {
        TSchematicWindow* window = openSchematic();
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(openSchematic(), window); // one window for the frame's life
        for (const char* designator : {"R1", "R12", "C8", "R13", "R28", "U1", "U8", "IN", "OUT"})
            QVERIFY2(shows(*window, designator), designator);
        QVERIFY(shows(*window, "(unnamed)"));
        QCOMPARE(valueOf(*window, "R3"), std::string("1M")); // start-up section 1: R3 (input) 1 M
        QCOMPARE(f->bank().Modified, 0); // looking changes nothing of the document

        // The sections change: the drawing with them.
        f->program->engine().selectCapacitor(1, "4.7 nF");
        QCOMPARE(valueOf(*window, "C1"), std::string("4.7n"));
        // The settings change: the op-amp and the summing resistors with them.
        tessera::CircuitSettings settings = f->frame().circuitSettings().settings();
        settings.opAmp = *tessera::opAmpNamed("OPA2134");
        settings.summingOhms = 22e3;
        QVERIFY(f->frame().circuitSettings().set(settings));
        QVERIFY(shows(*window, "OPA2134"));
        QCOMPARE(valueOf(*window, "R20"), std::string("22k"));
    }

    void zoomInOutAndFit() {
        TSchematicWindow* window = openSchematic();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("SchematicScroll"));
        auto* view = window->findChild<TSchematicView*>(QStringLiteral("SchematicView"));
        QVERIFY(scroll && view);
        // Fitted when first shown: the whole drawing in the window, touching
        // it on one side.
        const QSize port = scroll->maximumViewportSize();
        QVERIFY(view->width() <= port.width() && view->height() <= port.height());
        QVERIFY(view->width() >= port.width() - 2 || view->height() >= port.height() - 2);
        const double fitted = window->zoom();
        click(window, "ZoomInButton");
        QVERIFY(std::abs(window->zoom() - fitted * TSchematicWindow::kZoomStep) < 1e-9);
        QVERIFY(view->width() > port.width()); // now it scrolls
        for (int i = 0; i < 40; ++i) click(window, "ZoomInButton");
        QCOMPARE(window->zoom(), TSchematicWindow::kLargestZoom);
        for (int i = 0; i < 80; ++i) click(window, "ZoomOutButton");
        QCOMPARE(window->zoom(), TSchematicWindow::kSmallestZoom);
        click(window, "FitButton");
        QVERIFY(std::abs(window->zoom() - fitted) < 1e-9);

        // Drawn: at any zoom the picture has its dark strokes and text.
        const QImage picture = view->grab().toImage();
        int dark = 0;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2) dark += qGray(picture.pixel(x, y)) < 128;
        QVERIFY2(dark > 500, qPrintable(QString::number(dark)));
    }

    void exportWritesWhatTheWritersGiveAndKeepsTheOldFileOnFailure() {
        const std::string config = f->path("eq.tsn");
        f->prompts.chosenFiles = {config};
        f->trigger(MenuCommand::SaveAs);
        TSchematicWindow* window = openSchematic();
        const std::string svg = f->path("eq.svg"), pdf = f->path("eq.pdf");
        f->prompts.chosenFiles = {svg, pdf};
        click(window, "ExportSvgButton");
        click(window, "ExportPdfButton");
        QCOMPARE(f->prompts.dialogs.back(), FileDialogKind::ExportSchematicPdf);
        const auto drawing =
            tessera::schematicDrawing(f->program->engine(), f->frame().circuitSettings().settings(), config);
        QCOMPARE(fileContents(svg).toStdString(), tessera::svgText(drawing));
        QCOMPARE(fileContents(pdf).toStdString(), tessera::pdfBytes(drawing));
        QVERIFY(f->prompts.errors.empty());

        const std::string unwritable = f->path("missing-folder/eq.svg");
        f->prompts.chosenFiles = {unwritable};
        const SpokenLanguage german(tessera::Language::German); // the message as the German program says it
        click(window, "ExportSvgButton");
        QCOMPARE(f->prompts.errors, std::vector<std::string>{"Kann Datei " + unwritable + " nicht erstellen"});
        // An existing file: the overwrite question first; No writes nothing.
        writeFile(svg, "old");
        f->prompts.chosenFiles = {svg};
        f->prompts.answers = {false};
        click(window, "ExportSvgButton");
        QCOMPARE(fileContents(svg), QByteArray("old"));
    }

    void thePartsListIsWrittenOrRefusedNamingTheSection() {
        tessera::CircuitSettings settings = f->frame().circuitSettings().settings();
        settings.opAmp = *tessera::opAmpNamed("NE5532");
        QVERIFY(f->frame().circuitSettings().set(settings));
        const std::string csv = f->path("parts.csv");
        f->prompts.chosenFiles = {csv};
        f->trigger(MenuCommand::ExportPartsList);
        QCOMPARE(f->prompts.dialogs, std::vector<FileDialogKind>{FileDialogKind::ExportPartsList});
        QVERIFY(f->prompts.errors.empty());
        QCOMPARE(fileContents(csv).toStdString(),
                 tessera::partsListCsv(tessera::boardParts(f->program->engine(), settings), tessera::PartsListForm::PerPart));
        QVERIFY(fileContents(csv).contains("U1,op-amp,NE5532,1,band-pass stage\r\n"));

        // Q 0.5 with 6 dB of boost needs a negative shunt resistor: "err" on
        // page 2. Refused before any file is chosen; the old list stays.
        f->program->engine().commitEntry(2, tessera::Entry::Q, "0.5");
        f->program->engine().commitEntry(2, tessera::Entry::Gain, "6");
        const QByteArray before = fileContents(csv);
        f->prompts.chosenFiles = {csv};
        f->trigger(MenuCommand::ExportPartsList);
        QCOMPARE(f->prompts.dialogs.size(), std::size_t{1});
        QCOMPARE(f->prompts.errors.size(), std::size_t{1});
        QVERIFY2(f->prompts.errors[0].find("Filter2") != std::string::npos, f->prompts.errors[0].c_str());
        QCOMPARE(fileContents(csv), before);
    }
};

QTEST_MAIN(BoardToolsTest)
#include "board_tools_test.moc"
