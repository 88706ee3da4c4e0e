#include "ui/controls.h"

#include "ui/defaultFont.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

void setControlId(QWidget* control, int id) {
    if (id >= 0)
        control->setObjectName(QString::number(id));
}

int controlId(const QWidget* control) {
    bool ok = false;
    const int id = control->objectName().toInt(&ok);
    return ok ? id : -1;
}

void fitGroupBoxes(QWidget* parent) {
    const auto groups = parent->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
    for (QGroupBox* group : groups) {
        QRect frame = group->geometry();
        int right = frame.right();
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w == group || qobject_cast<QGroupBox*>(w))
                continue;
            if (frame.contains(w->geometry().topLeft()))
                right = std::max(right, w->geometry().right() + 6);
        }
        if (right > frame.right()) {
            frame.setRight(right);
            group->setGeometry(frame);
        }
    }
}

int widthForCaption(QWidget* control, int width) {
    return std::max(width, control->sizeHint().width());
}

void button::create(QWidget* parent, const QString& caption, int x, int y, int width,
                    bool allocateId, int fixedId, const QString& tooltip) {
    id = allocateId ? uniqueID::getNew() : fixedId;
    window = new QPushButton(caption, parent);
    setControlId(window, id);
    applyDefaultFont(window);
    // A caption wider than the button in this font widens it about its centre.
    const int needed = window->fontMetrics().horizontalAdvance(caption) + 12;
    if (needed > width) {
        x -= (needed - width) / 2;
        width = needed;
    }
    window->setGeometry(x, y, width, 25);
    window->setAutoDefault(false);
    if (!tooltip.isEmpty())
        CreateToolTipForRect(window, tooltip);
}

void checkBox::setChecked(bool checked) {
    if (window)
        window->setChecked(checked);
}

void groupBox::create(QWidget* parent, const QString& caption, int x, int y, int width, int height,
                      int id) {
    window = new QGroupBox(caption, parent);
    setControlId(window, id);
    applyDefaultFont(window);
    window->setGeometry(x, y, width, height);
    // Group boxes are drawn behind the controls inside them, which are siblings.
    window->lower();
}

void textLabel::create(QWidget* parent, const QString& text, int x, int y, int width, int id) {
    window = new QLabel(text, parent);
    setControlId(window, id);
    applyDefaultFont(window);
    window->setWordWrap(false);
    window->setGeometry(x, y, widthForCaption(window, width), 16);
}

void slider::changeMinMax(int maximum) {
    if (!window)
        return;
    window->setRange(0, maximum);
    window->setTickInterval(std::max(1, maximum / 20));
}

void check3Box::setFromCheckBoxArray(QCheckBox* const* boxes, int count) {
    int checked = 0;
    for (int i = 0; i < count; ++i)
        if (boxes[i]->isChecked())
            ++checked;
    window->setCheckState(checked == 0       ? Qt::Unchecked
                          : checked == count ? Qt::Checked
                                             : Qt::PartiallyChecked);
}

QPushButton* templateButton(QWidget* parent, const QString& caption, int id, const QRect& where) {
    auto* b = new QPushButton(caption, parent);
    setControlId(b, id);
    b->setGeometry(where);
    b->setAutoDefault(false);
    return b;
}
