// Tile and Arrange geometry of the frame's child windows, and the frame's own
// fit onto the screen when the window manager does not maximise it.
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

    void decoratedFrameLargerThanTheScreenShrinksOntoIt() {
        // A title bar of 29 and borders of 2 around a client the size of the
        // screen: the status bar would hang 31 pixels below the screen.
        const Box available{0, 0, 1280, 1024};
        const auto fitted = clientFittingArea(available, Box{0, 0, 1284, 1055}, Box{2, 29, 1280, 1024});
        QVERIFY(fitted.has_value());
        QCOMPARE(*fitted, (Box{2, 29, 1276, 993}));
        // Decorated again by the same margins, the frame is exactly the area.
        QCOMPARE(clientFittingArea(available, Box{0, 0, 1280, 1024}, *fitted), std::nullopt);
    }

    void availableAreaBesideAPanelKeepsItsOffset() {
        const Box available{0, 40, 1920, 1040}; // a panel along the top
        const auto fitted = clientFittingArea(available, Box{0, 40, 1924, 1073}, Box{2, 71, 1920, 1040});
        QCOMPARE(*fitted, (Box{2, 71, 1916, 1007}));
    }

    void maximisedOrUndecoratedFramesAreLeftAlone() {
        const Box available{0, 0, 1280, 1000};
        // Maximised by the window manager: the frame is the available area.
        QCOMPARE(clientFittingArea(available, Box{0, 0, 1280, 1000}, Box{0, 24, 1280, 976}), std::nullopt);
        // No window manager: no decorations, the client fills the area.
        QCOMPARE(clientFittingArea(available, available, available), std::nullopt);
        // A smaller window placed off the area's left edge is moved back whole.
        QCOMPARE(*clientFittingArea(available, Box{-10, 0, 600, 400}, Box{-8, 20, 596, 378}),
                 (Box{2, 20, 1276, 978}));
    }
};

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "window_arrangement_test.moc"
