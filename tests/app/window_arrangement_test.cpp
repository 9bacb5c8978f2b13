// Tile and Arrange geometry of the frame's child windows.
#include "window_arrangement.h"

#include <QTest>

using namespace tessera;

class WindowArrangementTest : public QObject {
    Q_OBJECT
private slots:
    void sixWindowsTileInTwoColumnsOfThree() {
        const auto boxes = tileHorizontally(6, 1000, 600);
        QCOMPARE(boxes.size(), std::size_t(6));
        QCOMPARE(boxes[0], (Box{0, 0, 500, 200}));
        QCOMPARE(boxes[2], (Box{0, 400, 500, 200}));
        QCOMPARE(boxes[3], (Box{500, 0, 500, 200}));
        QCOMPARE(boxes[5], (Box{500, 400, 500, 200}));
    }

    void fewWindowsStackFullWidth() {
        const auto boxes = tileHorizontally(3, 900, 301);
        QCOMPARE(boxes.size(), std::size_t(3));
        for (const Box& box : boxes) QCOMPARE(box.width, 900);
        QCOMPARE(boxes[0].top + boxes[0].height, boxes[1].top);
        QCOMPARE(boxes[2].top + boxes[2].height, 301);
    }

    void unevenCountGivesLaterColumnsMore() {
        const auto boxes = tileHorizontally(5, 800, 600);
        // two columns: 2 windows, then 3
        QCOMPARE(boxes[0].height, 300);
        QCOMPARE(boxes[2].left, 400);
        QCOMPARE(boxes[2].height, 200);
        QCOMPARE(boxes[4].top + boxes[4].height, 600);
    }

    void noWindowsNoBoxes() { QVERIFY(tileHorizontally(0, 100, 100).empty()); }

    void iconsLineUpAtTheBottomAndWrapUpwards() {
        const auto boxes = iconRow(5, 500, 400, 160, 30);
        QCOMPARE(boxes[0], (Box{0, 370, 160, 30}));
        QCOMPARE(boxes[2], (Box{320, 370, 160, 30}));
        QCOMPARE(boxes[3], (Box{0, 340, 160, 30}));
    }

    void iconWiderThanTheAreaStillGetsARowOfItsOwn() {
        const auto boxes = iconRow(2, 100, 400, 160, 30);
        QCOMPARE(boxes[1], (Box{0, 340, 160, 30}));
    }
};

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "window_arrangement_test.moc"
