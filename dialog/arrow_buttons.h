#pragma once
// Small two-arrow buttons of the dialog pages: the spin buttons beside the
// entry fields and the resistor steppers. Both have an up and a down half
// and repeat while a half is held down with the pointer on it.

#include "page_model.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

class ArrowPair : public QWidget {
    Q_OBJECT
public:
    // A held half repeats its event this long after the press, then at the
    // shorter interval for as long as it stays held.
    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kRepeatMs = 100;

    // Release: a click fires when the button is let go over its half (spin
    // buttons). Press: it fires at once when pressed (up-down controls).
    enum class FireOn { Release, Press };

    ArrowPair(FireOn fireOn, QWidget* parent);

    QSize sizeHint() const override { return {20, 24}; }

signals:
    // One step of the up or the down half.
    void arrowClicked(bool up);
    // A half went down, and came up again (or the press was dropped): the
    // steps in between, its repeats included, are one edit for the user.
    void holdStarted();
    void holdEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Half { None, Up, Down };
    Half halfAt(QPoint point) const;
    QRect halfRect(Half half) const;
    void drawArrow(QPainter& painter, QRect half, bool up) const;
    bool heldDown() const { return pressed_ != Half::None && pressed_ == under_; }
    void repeatTick();
    // With `endHold` a press in progress ends its hold at once.
    void cancelPress(bool endHold = true);

    FireOn fireOn_;
    QTimer repeat_{this}; // a child, so that its schedule can be looked at
    Half pressed_ = Half::None; // the half the button went down on
    Half under_ = Half::None;   // the half under the pointer while held
};

// Spin button beside a frequency, Q or gain entry.
class TSpinButton : public ArrowPair {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr) : ArrowPair(FireOn::Release, parent) {}
};

// Vertical up-down control of a resistor: shows the engine's stepper (position
// in the standard value table, increment, enabled) and forwards its clicks.
// Whether a click moves the position is the engine's decision.
class TUpDown : public ArrowPair {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr) : ArrowPair(FireOn::Press, parent) {}

    void showStepper(const tessera::Stepper& stepper);
    int position() const { return stepper_.position; }
    int increment() const { return stepper_.increment; }
    int minimum() const { return tessera::Stepper::kMin; }
    int maximum() const { return tessera::Stepper::kMax; }

private:
    tessera::Stepper stepper_;
};
