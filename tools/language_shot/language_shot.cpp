// Shows the program in one language and saves two pictures of the screen:
// the File menu open on Open with its hint in the status bar, and the
// message box of Print without a printer over the frame.
//   language_shot de|en|env OUTPUT_PREFIX
// ("env": the environment's language, as the program takes it) writes OUTPUT_PREFIX-hint.png and OUTPUT_PREFIX-box.png. Run it on X11
// with a window manager (xvfb-run and twm), so that the frames are drawn.

#include "Main.h"
#include "document_texts.h"
#include "program.h"
#include "program_translations.h"
#include "regional.h"
#include "user_prompts.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {
bool saveScreen(const QString& file) {
    QApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool fromEnvironment = argc > 2 && std::strcmp(argv[1], "env") == 0;
    const auto language = fromEnvironment ? tessera::languageFromEnvironment()
                          : argc > 2      ? tessera::parseLanguageCode(argv[1])
                                          : std::nullopt;
    if (!language) {
        std::fprintf(stderr, "usage: language_shot de|en|env OUTPUT_PREFIX\n");
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    tessera::useLanguage(*language);
    tessera::setDecimalSeparator(tessera::systemDecimalSeparator());
    tessera::TesseraProgram program(tessera::bankState());
    TMainForm& frame = program.mainForm();

    int status = 0;
    QTimer::singleShot(1500, [&] {
        auto* file = frame.findChild<QMenu*>(QStringLiteral("File1"));
        file->popup(frame.mapToGlobal(QPoint(0, 0)) + QPoint(0, 20));
        QAction* open = frame.action(tessera::MenuCommand::Open);
        file->setActiveAction(open);
        open->showStatusText(&frame);
        QTimer::singleShot(700, [&, file] {
            if (!saveScreen(prefix + QStringLiteral("-hint.png"))) status = 1;
            file->hide();
            auto box = tessera::makeErrorBox(&frame, QString::fromStdString(tessera::noPrinterText()));
            box->show();
            QTimer::singleShot(700, [&, shown = box.release()] {
                if (!saveScreen(prefix + QStringLiteral("-box.png"))) status = 1;
                delete shown;
                app.quit();
            });
        });
    });
    QApplication::exec();
    return status;
}
