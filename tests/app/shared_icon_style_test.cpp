// The style that shares the child-window frame pictures and makes them when
// first drawn: they look exactly as the plain style draws them, whichever
// way they are asked for, and every frame gets the same ones.
#include "shared_icon_style.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace {
QImage painted(const QIcon& icon) {
    QImage image(44, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(1, 1, 20, 20), Qt::AlignCenter, QIcon::Disabled);
    icon.paint(&painter, QRect(22, 1, 21, 27), Qt::AlignRight | Qt::AlignBottom, QIcon::Normal);
    return image;
}
} // namespace

class SharedIconStyleTest : public QObject {
    Q_OBJECT
private slots:
    void framePicturesLookAsThePlainStyleDrawsThem() {
        const QString key = QApplication::style()->name();
        const SharedIconStyle shared(key);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(key));
        QVERIFY(plain != nullptr);
        for (QStyle::StandardPixmap icon :
             {QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarMinButton, QStyle::SP_TitleBarMaxButton,
              QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarNormalButton,
              QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning}) {
            for (int pass = 0; pass < 2; ++pass) {
                const QIcon mine = shared.standardIcon(icon);
                const QIcon theirs = plain->standardIcon(icon);
                QCOMPARE(mine.isNull(), theirs.isNull());
                // Drawn first, before anything else has made the picture.
                QCOMPARE(painted(mine), painted(theirs));
                QCOMPARE(mine.availableSizes(), theirs.availableSizes());
                for (int size : {16, 32})
                    QCOMPARE(mine.pixmap(size, size).toImage(), theirs.pixmap(size, size).toImage());
            }
        }
    }

    void everyFrameGetsTheSamePictures() {
        tessera::shareStandardIcons();
        tessera::shareStandardIcons(); // a second call changes nothing
        QVERIFY(qobject_cast<SharedIconStyle*>(QApplication::style()) != nullptr);
        QMdiArea area;
        auto* first = area.addSubWindow(new QWidget);
        auto* second = area.addSubWindow(new QWidget);
        const QList<QAction*> firstMenu = first->systemMenu()->actions();
        const QList<QAction*> secondMenu = second->systemMenu()->actions();
        QCOMPARE(firstMenu.size(), secondMenu.size());
        int pictures = 0;
        for (qsizetype k = 0; k < firstMenu.size(); ++k) {
            QCOMPARE(firstMenu[k]->icon().cacheKey(), secondMenu[k]->icon().cacheKey());
            if (!firstMenu[k]->icon().isNull()) ++pictures;
        }
        QCOMPARE(pictures, 4); // restore, minimise, maximise, close
    }
};

QTEST_MAIN(SharedIconStyleTest)
#include "shared_icon_style_test.moc"
