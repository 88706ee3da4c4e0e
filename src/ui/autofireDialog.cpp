#include "ui/autofireDialog.h"

#include "settings/modifySetting.h"

#include <QComboBox>

autofireDialog::autofireDialog(QWidget* owner)
    : featureDialogBase(owner, templateId, QStringLiteral("Autofire Settings"), 131, 76) {
    const settings::autofireSettings& autofire = editedMode().autofire;
    addLabel(1201, QStringLiteral("Button:"), 10, 10, 28);
    button = addButtonDropDown(1202, 40, 8, 80);
    period = autofire.period;
    pulseLength.create(this, QStringLiteral("Pulse Length (x1/60th sec):"), 160, 60, 150, 1, 1,
                       1200, false, 1203);
    pulseLength.reference = &period;
    addEdit(pulseLength);
    addSetClose(1204, 40, 55, 50);

    showIndex(button, autofire.button);
    pulseLength.getValueFromReferences();
    applyTemplateFont();
}

void autofireDialog::store() {
    settings::autofireSettings& autofire = editedMode().autofire;
    storeIndex(button, autofire.button);
    autofire.period = period;
}

int autofireDialog::group() const {
    return modifySetting::autofireGroup;
}
