#include "splash.h"

#include "artwork.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace {
// The longest the start waits for the window manager to show the splash window.
constexpr qint64 kMapWaitMs = 2000;
} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("SplashForm"));
    // Named for the lists of windows that a desktop may keep.
    setWindowTitle(QStringLiteral("TESSERA 1.0"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(tessera::splashPicture());
    FormCreate();
}

void TSplashForm::FormCreate() {
    Image1->setGeometry(0, 0, tessera::kSplashWidth, tessera::kSplashHeight);
    setFixedSize(tessera::kSplashWidth, tessera::kSplashHeight);
}

void TSplashForm::showAndPaint() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
    show();
    // A window manager maps the window in its own time; until then nothing
    // drawn would reach the screen, and the windows built next keep the event
    // loop busy. Wait (a little, at most) until it is on the screen, then draw.
    QElapsedTimer waited;
    waited.start();
    while (!isExposed() && waited.elapsed() < kMapWaitMs)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    repaint();
    QApplication::processEvents();
}

bool TSplashForm::isExposed() const {
    const QWindow* window = windowHandle();
    return window != nullptr && window->isExposed();
}
