// TESSERA: shows the splash window, builds every window in the start-up
// order, removes the splash window and runs until the frame is closed.
// --help, --version and wrong arguments are answered before the application
// is made: they need no display and open no window.
#include "Main.h"
#include "document.h"
#include "language_choice.h"
#include "program.h"
#include "program_arguments.h"
#include "program_translations.h"
#include "program_version.h"
#include "regional.h"
#include "splash.h"

#include <QApplication>

#include <algorithm>
#include <iostream>

int main(int argc, char* argv[]) {
    const tessera::ProgramArguments arguments = tessera::readProgramArguments({argv + std::min(argc, 1), argv + argc});
    switch (arguments.action) {
    case tessera::ProgramArguments::Action::Help:
        std::cout << tessera::programUsage();
        return 0;
    case tessera::ProgramArguments::Action::Version:
        std::cout << tessera::kVersionLine << "\n";
        return 0;
    case tessera::ProgramArguments::Action::Wrong:
        std::cerr << "tessera: " << arguments.error << "\n" << tessera::programUsage();
        return 2;
    case tessera::ProgramArguments::Action::Run:
        break;
    }

    QApplication application(argc, argv);
    tessera::identifyApplication();
    tessera::useLanguage(tessera::chosenLanguage(arguments.language, tessera::rememberedLanguage(),
                                                 tessera::languageFromEnvironment()));

    auto splash = std::make_unique<TSplashForm>();
    splash->showAndPaint();

    tessera::setDecimalSeparator(tessera::systemDecimalSeparator());
    tessera::TesseraProgram program(tessera::bankState());
    splash.reset();

    // A configuration file handed over by the desktop (opening a ".tsn" file).
    if (arguments.file) program.mainForm().document().openFile(*arguments.file);

    QObject::connect(&program.mainForm(), &TMainForm::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
