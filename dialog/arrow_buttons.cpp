#include "arrow_buttons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

ArrowPair::ArrowPair(FireOn fireOn, QWidget* parent) : QWidget(parent), fireOn_(fireOn) {
    // Clicking an arrow must not take the focus from the entry being edited.
    setFocusPolicy(Qt::NoFocus);
    repeat_.setObjectName(QStringLiteral("repeatTimer"));
    repeat_.setSingleShot(false);
    connect(&repeat_, &QTimer::timeout, this, &ArrowPair::repeatTick);
}

QRect ArrowPair::halfRect(Half half) const {
    const int upperHeight = height() / 2;
    if (half == Half::Up) return {0, 0, width(), upperHeight};
    return {0, upperHeight, width(), height() - upperHeight};
}

ArrowPair::Half ArrowPair::halfAt(QPoint point) const {
    if (halfRect(Half::Up).contains(point)) return Half::Up;
    if (halfRect(Half::Down).contains(point)) return Half::Down;
    return Half::None;
}

void ArrowPair::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (Half half : {Half::Up, Half::Down}) {
        QStyleOptionButton panel;
        panel.initFrom(this);
        panel.rect = halfRect(half);
        const bool sunken = pressed_ == half && heldDown();
        panel.state.setFlag(QStyle::State_Raised, !sunken);
        panel.state.setFlag(QStyle::State_Sunken, sunken);
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);

        drawArrow(painter, panel.rect, half == Half::Up);
    }
}

void ArrowPair::drawArrow(QPainter& painter, QRect half, bool up) const {
    // A solid triangle drawn row by row on whole pixels, so that even the
    // smallest steppers show a crisp arrow rather than a blurred dot: rows of
    // 1, 3, 5 ... pixels, at most half the button wide and clear of the bevel
    // with a pixel to spare. Both halves get the same size.
    const int shortest = std::min(halfRect(Half::Up).height(), halfRect(Half::Down).height());
    int base = std::max(3, std::min(width() / 2, 2 * (shortest - 4) - 1));
    if (base % 2 == 0) --base;
    const int rows = (base + 1) / 2;
    const int left = half.left() + (half.width() - base) / 2;
    const int top = half.top() + (half.height() - rows) / 2;
    const QColor colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    for (int row = 0; row < rows; ++row) {
        const int inset = up ? rows - 1 - row : row;
        painter.fillRect(QRect(left + inset, top + row, base - 2 * inset, 1), colour);
    }
}

void ArrowPair::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    pressed_ = under_ = halfAt(event->position().toPoint());
    if (pressed_ == Half::None) return;
    update();
    repeat_.start(kFirstRepeatMs);
    emit holdStarted();
    if (fireOn_ == FireOn::Press) emit arrowClicked(pressed_ == Half::Up);
}

void ArrowPair::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ == Half::None) return;
    const Half under = halfAt(event->position().toPoint());
    if (under != under_) {
        under_ = under;
        update();
    }
}

void ArrowPair::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ == Half::None) return;
    under_ = halfAt(event->position().toPoint());
    const bool fire = fireOn_ == FireOn::Release && heldDown();
    const bool up = pressed_ == Half::Up;
    cancelPress(false);
    if (fire) emit arrowClicked(up);
    emit holdEnded();
}

void ArrowPair::repeatTick() {
    repeat_.setInterval(kRepeatMs);
    // A held half repeats only while the pointer stays on it.
    if (heldDown()) emit arrowClicked(pressed_ == Half::Up);
}

void ArrowPair::cancelPress(bool endHold) {
    const bool held = pressed_ != Half::None;
    repeat_.stop();
    pressed_ = under_ = Half::None;
    update();
    if (held && endHold) emit holdEnded();
}

void ArrowPair::changeEvent(QEvent* event) {
    // A disabled button drops a press in progress, so it cannot repeat.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) cancelPress();
    QWidget::changeEvent(event);
}

void TUpDown::showStepper(const tessera::Stepper& stepper) {
    stepper_ = stepper;
    setEnabled(stepper.enabled);
}
