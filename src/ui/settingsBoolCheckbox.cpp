#include "ui/settingsBoolCheckbox.h"

#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QCheckBox>

settingsBoolCheckbox* settingsBoolCheckbox::first = nullptr;

settingsBoolCheckbox::~settingsBoolCheckbox() {
    for (settingsBoolCheckbox** link = &first; *link; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
}

void settingsBoolCheckbox::create(QWidget* parent, const QString& caption, int x, int y, int width,
                                  const QString& tooltip) {
    id = uniqueID::getNew();
    bool listed = false;
    for (settingsBoolCheckbox* box = first; box; box = box->next)
        listed = listed || box == this;
    if (!listed) {
        next = first;
        first = this;
    }
    window = new QCheckBox(caption, parent);
    setControlId(window, id);
    applyDefaultFont(window);
    window->setGeometry(x, y, widthForCaption(window, width), 15);
    if (!tooltip.isEmpty())
        CreateToolTipForRect(window, tooltip);
    window->setChecked(false);
    state = false;
}

void settingsBoolCheckbox::updateValue() {
    if (!window)
        return;
    state = window->isChecked();
    if (reference)
        *reference = state;
}

void settingsBoolCheckbox::showReference() {
    if (reference)
        state = *reference;
    if (window)
        window->setChecked(state);
}

settingsBoolCheckbox* settingsBoolCheckbox::find(int wanted) {
    for (settingsBoolCheckbox* box = first; box; box = box->next)
        if (box->id == wanted)
            return box;
    return nullptr;
}

void settingsBoolCheckbox::clearList() {
    first = nullptr;
}
