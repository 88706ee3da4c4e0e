#include "ui/cruiseControlDialog.h"

#include "settings/modifySetting.h"

#include <QCheckBox>
#include <QComboBox>

cruiseControlDialog::cruiseControlDialog(QWidget* owner)
    : featureDialogBase(owner, templateId, QStringLiteral("Cruise Control"), 111, 96) {
    const settings::cruiseControlSettings& cruise = editedMode().cruiseControl;
    useToggle = addCheckBox(501, QStringLiteral("Use Toggle"), 10, 8, 70);
    addLabel(502, QStringLiteral("Button:"), 10, 26, 28);
    button = addButtonDropDown(503, 38, 24, 64);
    addGroup(504, QStringLiteral("Axes"), 10, 42, 91, 34);
    addAxisBoxes(505, 17, 52, axes);
    addSetClose(511, 30, 78, 50);

    useToggle->setChecked(cruise.toggle);
    showIndex(button, cruise.button);
    showAxisBits(axes, cruise.axes);
    applyTemplateFont();
}

void cruiseControlDialog::store() {
    settings::cruiseControlSettings& cruise = editedMode().cruiseControl;
    cruise.toggle = useToggle->isChecked();
    storeIndex(button, cruise.button);
    cruise.axes = axisBits(axes);
}

int cruiseControlDialog::group() const {
    return modifySetting::cruiseControlGroup;
}
