#pragma once

#include <QLineEdit>

// The edit box of every settings edit control: 40 x 21 with a sunken frame. It reports
// losing the keyboard focus, which is when its owner checks and stores the text.
class settingsLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
