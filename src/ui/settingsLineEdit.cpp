#include "ui/settingsLineEdit.h"

#include <QFocusEvent>

void settingsLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu opening over the box does not end the edit.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}
