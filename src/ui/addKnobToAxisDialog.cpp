#include "ui/addKnobToAxisDialog.h"

#include "settings/modifySetting.h"

#include <QCheckBox>
#include <QComboBox>

addKnobToAxisDialog::addKnobToAxisDialog(QWidget* owner)
    : featureDialogBase(owner, templateId, QStringLiteral("Add Knob To Axis Settings"), 131, 110) {
    settings::addKnobToAxisSettings& add = editedMode().addKnobToAxis;
    addLabel(1601, QStringLiteral("Knob to Use:"), 10, 10, 50);
    knob = addDropDown(1602, {QStringLiteral("Left"), QStringLiteral("Right")}, 62, 8, 58);
    addLabel(1603, QStringLiteral("Axis to Use:"), 10, 27, 50);
    axis = addDropDown(1604,
                       {QStringLiteral("X Axis"), QStringLiteral("Y Axis"),
                        QStringLiteral("Z Axis"), QStringLiteral("Pitch Axis"),
                        QStringLiteral("Roll Axis"), QStringLiteral("Yaw Axis")},
                       62, 25, 58);
    bidirectional = addCheckBox(1605, QStringLiteral("Use Bidirectional"), 10, 42, 100);
    inverted = addCheckBox(1606, QStringLiteral("Invert"), 10, 54, 100);
    scalingFactor.create(this, QStringLiteral("Scaling Factor to Apply:"), 150, 125, 130, 1.0f,
                         0.1f, 10.0f, false, 1607);
    scalingFactor.reference = &add.scalingFactor;
    addEdit(scalingFactor);
    addSetClose(1608, 40, 88, 50);

    knob->setCurrentIndex(add.rightKnob ? 1 : 0);
    showIndex(axis, add.axis);
    bidirectional->setChecked(add.bidirectional);
    inverted->setChecked(add.inverted);
    scalingFactor.getValueFromReferences();
    applyTemplateFont();
}

void addKnobToAxisDialog::store() {
    settings::addKnobToAxisSettings& add = editedMode().addKnobToAxis;
    storeIndex(knob, add.rightKnob);
    storeIndex(axis, add.axis);
    add.bidirectional = bidirectional->isChecked();
    add.inverted = inverted->isChecked();
}

int addKnobToAxisDialog::group() const {
    return modifySetting::knobAddToAxisGroup;
}
