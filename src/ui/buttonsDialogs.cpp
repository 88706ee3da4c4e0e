#include "ui/buttonsDialogs.h"

#include "settings/modifySetting.h"
#include "ui/mainWindowLayout.h"
#include "ui/uniqueID.h"

#include <QComboBox>

buttonSelectorDialogBase::buttonSelectorDialogBase(QWidget* owner, int templateId,
                                                   const QString& caption, int heightUnits)
    : featureDialogBase(owner, templateId, caption, 263, heightUnits) {
    uniqueID::setStackPoint();
}

buttonSelectorDialogBase::~buttonSelectorDialogBase() {
    uniqueID::returnToStackPoint();
}

void buttonSelectorDialogBase::createSelector(int x, int y, std::uint32_t mask) {
    selector.create(this, x, y);
    selector.setFromButtonValue(mask);
}

disableButtonsDialog::disableButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, templateId, QStringLiteral("Disable Buttons"), 176) {
    createSelector(0, 0, editedMode().disabledButtons.buttons);
    addButton(801, QStringLiteral("Check/Uncheck All"), 20, 155, 70,
              [this] { selector.checkUncheckAll(); });
    addSetClose(802, 190, 155, 50);
    applyTemplateFont();
}

void buttonSelectorDialogBase::refreshButtonCounts() {
    if (winLayout)
        winLayout->updateDisableToggledDisplays(editedModeIndex());
}

void disableButtonsDialog::store() {
    editedMode().disabledButtons.buttons = selector.buttonValue();
}

int disableButtonsDialog::group() const {
    return modifySetting::disabledButtonsGroup;
}

toggledButtonsDialog::toggledButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, templateId, QStringLiteral("Toggled Buttons"), 176) {
    createSelector(0, 0, editedMode().toggledButtons.buttons);
    addButton(1301, QStringLiteral("Check/Uncheck All"), 20, 155, 70,
              [this] { selector.checkUncheckAll(); });
    addSetClose(1302, 190, 155, 50);
    applyTemplateFont();
}

void toggledButtonsDialog::store() {
    editedMode().toggledButtons.buttons = selector.buttonValue();
}

int toggledButtonsDialog::group() const {
    return modifySetting::toggledButtonsGroup;
}

modifiedButtonsDialog::modifiedButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, templateId, QStringLiteral("Modified Buttons"), 201) {
    const settings::mode& md = editedMode();
    createSelector(0, 48, md.modifiedButtons.buttons);
    addLabel(1701, QStringLiteral("Modifier Button:"), 10, 8, 60);
    modifierButton = addButtonDropDown(1702, 72, 6, 100);
    addButton(1703, QStringLiteral("Check/Uncheck All"), 20, 180, 70,
              [this] { selector.checkUncheckAll(); });
    addSetClose(1704, 190, 180, 50);
    showIndex(modifierButton, md.extendedButtons.modifierButton);
    applyTemplateFont();
}

void modifiedButtonsDialog::store() {
    settings::mode& md = editedMode();
    md.modifiedButtons.buttons = selector.buttonValue();
    storeIndex(modifierButton, md.extendedButtons.modifierButton);
}

int modifiedButtonsDialog::group() const {
    return modifySetting::modifiedButtonsGroup;
}
