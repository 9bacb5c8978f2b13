#pragma once
// Ctrl+Z in an entry field: while the field holds typing that was not
// committed, the keys undo and redo the typing, as in every text field;
// otherwise they are left to the program's Undo and Redo of the design (a
// field would take them even with nothing to undo). Redo is Ctrl+Shift+Z and
// Ctrl+Y. Committing or reverting sets the field's text, which ends its own
// undo history; so does Ctrl+Z going on to the design.

#include <QObject>

class QLineEdit;

class FieldUndoKeys : public QObject {
    Q_OBJECT
public:
    // Watches the keys that reach `receiver` (the field itself, or an
    // editable selector, which hands them to its field) for the rest of the
    // field's life; owned by the field.
    static void watch(QLineEdit* field, QWidget* receiver = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FieldUndoKeys(QLineEdit* field);
    QLineEdit* field_;
};
