// TESSERA: shows the splash window, builds every window in the start-up
// order, removes the splash window and runs until the frame is closed.
#include "Main.h"
#include "document.h"
#include "program.h"
#include "regional.h"
#include "splash.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tessera::identifyApplication();

    auto splash = std::make_unique<TSplashForm>();
    splash->showAndPaint();

    tessera::setDecimalSeparator(tessera::systemDecimalSeparator());
    tessera::TesseraProgram program(tessera::bankState());
    splash.reset();

    // A configuration file handed over by the desktop (opening a ".tsn" file).
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) program.mainForm().document().openFile(arguments.at(1).toStdString());

    QObject::connect(&program.mainForm(), &TMainForm::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
