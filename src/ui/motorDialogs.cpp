#include "ui/motorDialogs.h"

#include "settings/modifySetting.h"
#include "ui/numberFormat.h"

#include <QComboBox>

motorDialogBase::motorDialogBase(QWidget* owner, const output& o)
    : featureDialogBase(owner, o.templateId, QString::fromLatin1(o.caption), 131, 116), target(o) {
    const int id = o.templateId;
    activation = o.activationPoint;
    pulse = o.pulseTime;

    addLabel(id + 10, QStringLiteral("Motor Speed:"), 10, 8, 48);
    speed = addDropDown(id + 11, {QStringLiteral("Low"), QStringLiteral("High")}, 60, 6, 58);

    activationPoint.create(this, QStringLiteral("Activation Point:"), 105, 42, 95, 1.0f, 0.5f, 5.0f,
                           false, id + 9);
    activationPoint.reference = &activation;
    addEdit(activationPoint);

    pulseLabel.create(this, QString::fromLatin1(o.pulseCaption), 10, 75, 150);
    pulseTime.createWindows(this, QString(), 0, 0, o.pulseEditX, 72, false, id + 8,
                            QString::fromStdString(intToString(pulse)), QString());
    pulseTime.current = pulse;
    pulseTime.minimum = 0;
    pulseTime.maximum = 255;
    pulseTime.reference = &pulse;
    addEdit(pulseTime);

    addGroup(id + 1, QStringLiteral("Axes"), 10, 54, 111, 34);
    addAxisBoxes(id + 2, 18, 64, axes);
    addSetClose(id + 12, 40, 94, 50);

    speed->setCurrentIndex(o.highSpeed ? 1 : 0);
    activationPoint.getValueFromReferences();
    pulseTime.getValueFromReferences();
    showAxisBits(axes, o.axes);
    applyTemplateFont();
}

void motorDialogBase::store() {
    storeIndex(speed, target.highSpeed);
    target.activationPoint = activation;
    target.pulseTime = pulse;
    target.axes = axisBits(axes);
}

motorConstantDialog::motorConstantDialog(QWidget* owner)
    : motorDialogBase(owner,
                      {templateId, "Motor Constant Settings", "Pulse Period (x1/120th sec):", 160,
                       modifySetting::motorConstantGroup, editedMode().motorConstant.highSpeed,
                       editedMode().motorConstant.activationPoint,
                       editedMode().motorConstant.pulsePeriod,
                       editedMode().motorExtended.constantAxes}) {}

motorPulseDialog::motorPulseDialog(QWidget* owner)
    : motorDialogBase(owner,
                      {templateId, "Motor Pulse Settings", "Pulse Length (x1/120th sec):", 162,
                       modifySetting::motorPulseGroup, editedMode().motorPulse.highSpeed,
                       editedMode().motorPulse.activationPoint, editedMode().motorPulse.pulseLength,
                       editedMode().motorExtended.pulseAxes}) {}
