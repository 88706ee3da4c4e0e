#include "ui/detailDialog.h"

#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"
#include "ui/mainWindowLayout.h"
#include "ui/numberFormat.h"
#include "ui/settingsBoolCheckbox.h"
#include "ui/settingsLineEdit.h"
#include "ui/sliderEditPairs.h"
#include "ui/uniqueID.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <algorithm>

detailDialog::detailDialog(QWidget* owner, int widthUnits, int heightUnits, const QString& title)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    uniqueID::setStackPoint();
    setWindowTitle(title);
    setFixedSize(dialogUnits::x(widthUnits), dialogUnits::y(heightUnits));
    applyDefaultFont(this);
}

detailDialog::~detailDialog() {
    // A dialog built but never run (a preview) gives its ids back too.
    if (!idsReturned)
        uniqueID::returnToStackPoint();
}

void detailDialog::reject() {
    finish(2);
}

void detailDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void detailDialog::finish(int result) {
    // Once only: a second return would take a position some other dialog saved.
    if (!idsReturned) {
        idsReturned = true;
        uniqueID::returnToStackPoint();
    }
    done(result);
}

bool detailDialog::lockedByGroup(int group) {
    return settings::numModes > 1 && settings::activeMode != 0 &&
           !mainWindowLayout::allowed(settings::activeMode, group);
}

void detailDialog::createFlagBox(settingsBoolCheckbox& box, const QString& caption, int x, int y,
                                 int width, bool* reference) {
    box.id = uniqueID::getNew();
    box.window = new QCheckBox(caption, this);
    setControlId(box.window, box.id);
    applyDefaultFont(box.window);
    box.window->setGeometry(x, y, widthForCaption(box.window, width), 15);
    box.reference = reference;
    box.showReference();
}

void detailDialog::showPair(settingsFloatSliderEditPair& pair) {
    if (!pair.reference)
        return;
    pair.showReference();
    pair.editWindow->setProperty("shownText", pair.editWindow->text());
}

void detailDialog::pairEditDone(settingsFloatSliderEditPair& pair) {
    if (!pair.reference)
        return;
    const bool untouched =
        pair.editWindow->text() == pair.editWindow->property("shownText").toString();
    if (pair.reference->knobControlled && untouched)
        return;
    pair.validate();
    pair.setSliderFromReference();
}

void detailDialog::modeConstantCopy(int group) {
    if (winLayout)
        winLayout->updateSettingFromModeConstants(true, group);
    else
        modifySetting::updateSettingFromModeConstants(true, group);
}

int activeModeIndex() {
    return std::min<int>(settings::activeMode, settings::modeCount - 1);
}
