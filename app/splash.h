#pragma once
// The splash window: borderless, centred on the screen, one picture of
// 407 x 283 pixels, shown and painted before any other window exists.

#include <QWidget>

class QLabel;

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the caller goes on.
    void showAndPaint();

    // The window system shows the window on the screen.
    bool isExposed() const;

private:
    void FormCreate();

    QLabel* Image1 = nullptr;
};
