#include "field_undo_keys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool isUndoKey(const QKeyEvent* key) { return key->matches(QKeySequence::Undo); }

bool isRedoKey(const QKeyEvent* key) {
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return key->matches(QKeySequence::Redo) || (key->key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
           (key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
}

} // namespace

FieldUndoKeys::FieldUndoKeys(QLineEdit* field) : QObject(field), field_(field) {}

void FieldUndoKeys::watch(QLineEdit* field, QWidget* receiver) {
    (receiver != nullptr ? receiver : field)->installEventFilter(new FieldUndoKeys(field));
}

bool FieldUndoKeys::eventFilter(QObject*, QEvent* event) {
    QLineEdit* field = field_;
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = isUndoKey(key), redo = !undo && isRedoKey(key);
    if (!undo && !redo) return false;
    const bool fieldHasIt = undo ? field->isUndoAvailable() : field->isRedoAvailable();
    if (event->type() == QEvent::ShortcutOverride) {
        // Accepted: the field gets the key. Passed over unaccepted: the
        // shortcut of the program's Undo or Redo takes it, and the typing
        // the field had taken back is forgotten, so that Redo next makes the
        // design's step again rather than that older typing.
        if (undo && !fieldHasIt && field->isRedoAvailable()) field->setText(field->text());
        event->setAccepted(fieldHasIt);
        return true;
    }
    // The key reached the field: its own typing, or nothing at all.
    if (fieldHasIt) undo ? field->undo() : field->redo();
    return true;
}
