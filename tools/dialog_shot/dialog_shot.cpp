// Shows the configuration dialog and saves a picture of each of its pages:
//   dialog_shot OUTPUT_PREFIX [--comma]
// writes OUTPUT_PREFIX-1.png ... OUTPUT_PREFIX-4.png and the capacitor list
// OUTPUT_PREFIX-list.png. Page 2 is shown in
// exact mode (after a spin step) and page 3 in E12 mode, so that every kind
// of text appears.

#include "einstell.h"
#include "filter_bank_state.h"
#include "filter_engine.h"
#include "regional.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_shot OUTPUT_PREFIX [--comma]\n");
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    if (argc > 2 && std::strcmp(argv[2], "--comma") == 0) tessera::setDecimalSeparator(',');

    tessera::FilterEngine engine(tessera::bankState(), tessera::decimalSeparator());
    TDialog dialog(engine, nullptr);
    engine.spin(2, tessera::Entry::Frequency, false);
    engine.selectSeries(3, tessera::Series::E12);

    int status = 0;
    QTimer::singleShot(300, [&] {
        for (int s = 1; s <= tessera::kSectionCount; ++s) {
            dialog.selectPage(s);
            dialog.repaint();
            const QString file = QStringLiteral("%1-%2.png").arg(prefix).arg(s);
            if (!dialog.grab().save(file)) status = 1;
        }
        // The capacitor list as it drops down.
        auto* capacitors = dialog.findChild<QComboBox*>(QStringLiteral("KondensBox4"));
        capacitors->showPopup();
        QWidget* list = capacitors->view()->window();
        if (!list->grab().save(QStringLiteral("%1-list.png").arg(prefix))) status = 1;
        capacitors->hidePopup();
        std::printf("dpi %d, client %dx%d\n", dialog.logicalDpiY(), dialog.width(), dialog.height());
        app.quit();
    });
    app.exec();
    return status;
}
