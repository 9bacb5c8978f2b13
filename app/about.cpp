#include "about.h"

#include "artwork.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <functional>

namespace {

// A picture stretched over the whole widget, drawn by one of the artwork functions.
class StretchedPicture : public QWidget {
public:
    StretchedPicture(std::function<void(QPainter&, const QRectF&)> paint, QWidget* parent)
        : QWidget(parent), paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint_(painter, QRectF(rect()));
    }

private:
    std::function<void(QPainter&, const QRectF&)> paint_;
};

QLabel* makeLabel(const char* name, const QString& text, int x, int y, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About TESSERA 1.0"));
    setModal(false);
    QFont boxFont(QStringLiteral("MS Sans Serif"));
    boxFont.setPixelSize(10);
    setFont(boxFont);
    setFixedSize(236, 99);

    auto* metafileLogo = new StretchedPicture(tessera::paintWideLogo, this);
    metafileLogo->setObjectName(QStringLiteral("ProgramIcon"));
    metafileLogo->setGeometry(7, 7, 72, 33);
    auto* bitmapLogo = new StretchedPicture(tessera::paintSmallLogo, this);
    bitmapLogo->setObjectName(QStringLiteral("Image1"));
    bitmapLogo->setGeometry(7, 52, 26, 33);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(7, 46, 221, 2);

    ProductName = makeLabel("ProductName", tr("Tessera Audio, 06/2024"), 91, 13, this);
    Version = makeLabel("Version", tr("Version 1.0"), 91, 26, this);
    Copyright = makeLabel("Copyright", tr("by Tessera Audio"), 39, 59, this);
    Comments = makeLabel("Comments", tr("Author: TESSERA team"), 39, 72, this);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(169, 59, 61, 20);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::close);

    FormCreate();
}

void TAboutBox::FormCreate() {
    const QFontMetrics metrics(font());
    for (QLabel* label : {ProductName, Version, Copyright, Comments})
        label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
}

void TAboutBox::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}
