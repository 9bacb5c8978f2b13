#include "realedit.h"

#include "real_conversion.h"

#include <QKeyEvent>

Trealedit::Trealedit(QWidget* parent) : QLineEdit(QStringLiteral("0"), parent) {}

double Trealedit::RealValue() {
    if (valErr_.isEmpty()) valErr_ = QStringLiteral("0");
    return tessera::textToReal(text().toStdString(), valErr_.toStdString());
}

qint32 Trealedit::Number() const {
    return tessera::textToNumber(text().toStdString(), runden_, numErr_);
}

void Trealedit::setNumber(qint32 value) { setText(QString::fromStdString(tessera::numberToText(value))); }

void Trealedit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    emit keyDown(key);
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
