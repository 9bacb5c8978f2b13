#pragma once
// The About box: a fixed-size, stay-on-top window with the program's logos,
// maker, version, "by" and author lines and an OK button. Shown without
// making it modal.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the box centred on the screen, on top, without blocking the frame.
    void showCentred();

private:
    void FormCreate();

    QLabel* ProductName = nullptr; // maker line with the release date
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;   // "by" line
    QLabel* Comments = nullptr;    // author line
    QPushButton* OKButton = nullptr;
};
