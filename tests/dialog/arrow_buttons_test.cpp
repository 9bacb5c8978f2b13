// The spin buttons' auto-repeat and the entry field's own behaviour, on
// widgets of their own.

#include "dialog_harness.h"
#include "real_conversion.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>

class ArrowButtonsTest : public QObject {
    Q_OBJECT

    static QPoint upHalf(QWidget* w) { return {w->width() / 2, w->height() / 4}; }
    static QPoint downHalf(QWidget* w) { return {w->width() / 2, w->height() * 3 / 4}; }
    static QTimer* repeatTimer(ArrowPair& pair) { return pair.findChild<QTimer*>(QStringLiteral("repeatTimer")); }
    static void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

private slots:
    void spinFiresOnReleaseOverTheHalf() {
        TSpinButton spin;
        spin.resize(20, 24);
        QSignalSpy clicks(&spin, &ArrowPair::arrowClicked);
        QTest::mousePress(&spin, Qt::LeftButton, {}, downHalf(&spin));
        QCOMPARE(clicks.count(), 0);
        QTest::mouseRelease(&spin, Qt::LeftButton, {}, downHalf(&spin));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).toBool(), false);

        // Let go elsewhere: no step.
        QTest::mousePress(&spin, Qt::LeftButton, {}, upHalf(&spin));
        QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(clicks.count(), 1);
    }

    // Held: the first repeat kFirstRepeatMs after the press, then one every
    // kRepeatMs for as long as the half stays held, and one more on release.
    // The repeat timer is fired by hand, so the count cannot depend on how
    // busy the machine is (no event loop runs, so it never fires by itself).
    void heldHalfRepeats() {
        TSpinButton spin;
        spin.resize(20, 24);
        QTimer* timer = repeatTimer(spin);
        QVERIFY(timer);
        QSignalSpy clicks(&spin, &ArrowPair::arrowClicked);
        QTest::mousePress(&spin, Qt::LeftButton, {}, upHalf(&spin));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), ArrowPair::kFirstRepeatMs);
        QCOMPARE(clicks.count(), 0);
        for (int repeats = 1; repeats <= 7; ++repeats) {
            fire(timer);
            QCOMPARE(clicks.count(), repeats);
            QVERIFY(timer->isActive());
            QCOMPARE(timer->interval(), ArrowPair::kRepeatMs);
        }
        QTest::mouseRelease(&spin, Qt::LeftButton, {}, upHalf(&spin));
        QVERIFY(!timer->isActive());
        QCOMPARE(clicks.count(), 8);
        for (const auto& click : clicks) QCOMPARE(click.at(0).toBool(), true);
    }

    void repeatsOnlyWithThePointerOnTheHalf() {
        TSpinButton spin;
        spin.resize(20, 24);
        QTimer* timer = repeatTimer(spin);
        QVERIFY(timer);
        QSignalSpy clicks(&spin, &ArrowPair::arrowClicked);
        QTest::mousePress(&spin, Qt::LeftButton, {}, upHalf(&spin));
        QMouseEvent away(QEvent::MouseMove, QPointF(60, 60), QPointF(60, 60), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&spin, &away);
        for (int tick = 0; tick < 4; ++tick) fire(timer);
        QCOMPARE(clicks.count(), 0);
        QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(60, 60));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!timer->isActive());
    }

    void upDownFiresOnPressAndNotWhenDisabled() {
        TUpDown stepper;
        stepper.resize(19, 17);
        QSignalSpy clicks(&stepper, &ArrowPair::arrowClicked);
        QTest::mousePress(&stepper, Qt::LeftButton, {}, upHalf(&stepper));
        QCOMPARE(clicks.count(), 1);
        QTest::mouseRelease(&stepper, Qt::LeftButton, {}, upHalf(&stepper));
        QCOMPARE(clicks.count(), 1);

        tessera::Stepper off;
        off.enabled = false;
        stepper.showStepper(off);
        QTest::mouseClick(&stepper, Qt::LeftButton, {}, downHalf(&stepper));
        QCOMPARE(clicks.count(), 1);
    }

    // Each half shows a solid arrow pointing its way, in rows of growing
    // width, at the sizes the pages use at 96 and 120 pixels per inch.
    void arrowsReadableAtEverySize_data() {
        QTest::addColumn<QSize>("size");
        for (QSize size : {QSize(15, 14), QSize(15, 13), QSize(16, 19), QSize(19, 16), QSize(20, 24)})
            QTest::addRow("%dx%d", size.width(), size.height()) << size;
    }
    void arrowsReadableAtEverySize() {
        QFETCH(QSize, size);
        TUpDown button;
        button.resize(size);
        const QImage image = button.grab().toImage();
        const QRgb ink = button.palette().color(QPalette::Active, QPalette::ButtonText).rgb();
        for (bool up : {true, false}) {
            const int from = up ? 0 : size.height() / 2, to = up ? size.height() / 2 : size.height();
            QList<int> widths;
            for (int y = from; y < to; ++y) {
                int inked = 0;
                for (int x = 0; x < size.width(); ++x) inked += image.pixel(x, y) == ink;
                if (inked > 0) widths << inked;
            }
            QVERIFY2(widths.size() >= 2, qPrintable(QString("%1 rows in the %2 half").arg(widths.size()).arg(up)));
            for (int i = 1; i < widths.size(); ++i)
                QVERIFY(up ? widths[i] > widths[i - 1] : widths[i] < widths[i - 1]);
        }
    }

    void entryFieldConversions() {
        Trealedit field;
        QCOMPARE(field.text(), QString("0"));
        QCOMPARE(field.Digits(), 4);
        QCOMPARE(field.Precision(), 3);
        QCOMPARE(field.Format(), Trealedit::ffGeneral);

        field.setText("0,5");
        QCOMPARE(field.RealValue(), 0.5);
        QCOMPARE(field.ValErr(), QString("0")); // an empty fallback becomes "0" on use
        field.setText("12abc");
        field.setValErr("2,5");
        QCOMPARE(field.RealValue(), 2.5);
        field.setText("1E40");
        bool overflow = false;
        try {
            field.RealValue();
        } catch (const tessera::FloatOverflowError&) {
            overflow = true;
        }
        QVERIFY(overflow);

        field.setText("$1F");
        QCOMPARE(field.Number(), 31);
        field.setText("12.0");
        field.setNumErr(-7);
        QCOMPARE(field.Number(), -7);
        field.setRunden(true);
        field.setText("2,5");
        QCOMPARE(field.Number(), 2);
        field.setNumber(-5);
        QCOMPARE(field.text(), QString("-5"));
        QCOMPARE(field.property("Number").toInt(), -5);
    }

    // Enter and Escape are the owner's: reported, and they neither close a
    // dialog nor press its default button.
    void enterAndEscapeStayInTheField() {
        QDialog owner;
        auto* field = new Trealedit(&owner);
        auto* layout = new QVBoxLayout(&owner);
        layout->addWidget(field);
        owner.show();
        QSignalSpy keys(field, &Trealedit::keyDown);
        QTest::keyClicks(field, "7");
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(owner.isVisible());
        QCOMPARE(owner.result(), 0);
        QCOMPARE(keys.count(), 3);
        QCOMPARE(keys.at(1).at(0).toInt(), int(Qt::Key_Escape));
        QCOMPARE(field->text(), QString("07"));
    }
};

QTEST_MAIN(ArrowButtonsTest)
#include "arrow_buttons_test.moc"
