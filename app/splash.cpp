#include "splash.h"

#include "artwork.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
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
    repaint();
    // Let the window system map and draw the window before the next one exists.
    QApplication::processEvents();
}
