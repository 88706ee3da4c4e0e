#include "ui/buttonsDialogs.h"

#include "settings/modifySetting.h"
#include "ui/mainWindowLayout.h"
#include "ui/uniqueID.h"

#include <QComboBox>

buttonSelectorDialogBase::buttonSelectorDialogBase(QWidget* owner, const buttonSet& b)
    : featureDialogBase(owner, b.templateId, QString::fromLatin1(b.caption), 263, b.heightUnits),
      target(b) {
    uniqueID::setStackPoint();
    selector.create(this, 0, b.selectorY);
    selector.setFromButtonValue(b.mask);
}

buttonSelectorDialogBase::~buttonSelectorDialogBase() {
    uniqueID::returnToStackPoint();
}

void buttonSelectorDialogBase::addButtonRow(int checkUncheckAllId, int setCloseId, int y) {
    addButton(checkUncheckAllId, QStringLiteral("Check/Uncheck All"), 20, y, 70,
              [this] { selector.checkUncheckAll(); });
    addSetClose(setCloseId, 190, y, 50);
}

void buttonSelectorDialogBase::store() {
    target.mask = selector.buttonValue();
}

void buttonSelectorDialogBase::refreshButtonCounts() {
    if (winLayout)
        winLayout->updateDisableToggledDisplays(editedModeIndex());
}

disableButtonsDialog::disableButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, {templateId, "Disable Buttons", 176, 0,
                                       modifySetting::disabledButtonsGroup,
                                       editedMode().disabledButtons.buttons}) {
    addButtonRow(801, 802, 155);
    applyTemplateFont();
}

toggledButtonsDialog::toggledButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, {templateId, "Toggled Buttons", 176, 0,
                                       modifySetting::toggledButtonsGroup,
                                       editedMode().toggledButtons.buttons}) {
    addButtonRow(1301, 1302, 155);
    applyTemplateFont();
}

modifiedButtonsDialog::modifiedButtonsDialog(QWidget* owner)
    : buttonSelectorDialogBase(owner, {templateId, "Modified Buttons", 201, 48,
                                       modifySetting::modifiedButtonsGroup,
                                       editedMode().modifiedButtons.buttons}) {
    addLabel(1701, QStringLiteral("Modifier Button:"), 10, 8, 60);
    modifierButton = addButtonDropDown(1702, 72, 6, 100);
    addButtonRow(1703, 1704, 180);
    showIndex(modifierButton, editedMode().extendedButtons.modifierButton);
    applyTemplateFont();
}

void modifiedButtonsDialog::store() {
    buttonSelectorDialogBase::store();
    storeIndex(modifierButton, editedMode().extendedButtons.modifierButton);
}
