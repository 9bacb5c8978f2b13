#pragma once
// A single-line entry field that holds a number as text. Reading converts the
// text tolerantly: a decimal comma is accepted in place of the point, and a
// text that is not a number gives a fallback instead of an error. Nothing is
// filtered while typing.

#include <QLineEdit>
#include <QString>

#include <cstdint>

class Trealedit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(qint32 Number READ Number WRITE setNumber STORED false)
    Q_PROPERTY(qint32 Digits READ Digits WRITE setDigits)
    Q_PROPERTY(qint32 Precision READ Precision WRITE setPrecision)
    Q_PROPERTY(FloatFormat Format READ Format WRITE setFormat)
    Q_PROPERTY(qint32 NumErr READ NumErr WRITE setNumErr)
    Q_PROPERTY(QString ValErr READ ValErr WRITE setValErr)
    Q_PROPERTY(bool Komma READ Komma WRITE setKomma)
    Q_PROPERTY(bool Runden READ Runden WRITE setRunden)

public:
    enum FloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
    Q_ENUM(FloatFormat)

    explicit Trealedit(QWidget* parent = nullptr);

    // The text as a real number; `ValErr` when it is not one. Throws
    // tessera::FloatOverflowError for a magnitude too large to hold.
    double RealValue();

    // The text as an integer; `NumErr` when it is not one. With `Runden` the
    // text is read as a real and rounded half to even (throws
    // tessera::InvalidOperationError outside the 32-bit range).
    qint32 Number() const;
    void setNumber(qint32 value);

    // Kept with the field for its owner; no conversion reads them.
    qint32 Digits() const { return digits_; }
    void setDigits(qint32 v) { digits_ = v; }
    qint32 Precision() const { return precision_; }
    void setPrecision(qint32 v) { precision_ = v; }
    FloatFormat Format() const { return format_; }
    void setFormat(FloatFormat v) { format_ = v; }
    bool Komma() const { return komma_; }
    void setKomma(bool v) { komma_ = v; }

    qint32 NumErr() const { return numErr_; }
    void setNumErr(qint32 v) { numErr_ = v; }
    QString ValErr() const { return valErr_; }
    void setValErr(const QString& v) { valErr_ = v; }
    bool Runden() const { return runden_; }
    void setRunden(bool v) { runden_ = v; }

signals:
    // Every key pressed in the field, before the field edits its text.
    void keyDown(int key);

protected:
    // Enter and Escape belong to the field's owner: they are reported and
    // go no further (a dialog would otherwise close or press a button).
    void keyPressEvent(QKeyEvent* event) override;

private:
    qint32 digits_ = 4;
    qint32 precision_ = 3;
    FloatFormat format_ = ffGeneral;
    qint32 numErr_ = 0;
    QString valErr_;
    bool komma_ = false;
    bool runden_ = false;
};
