#include "ui/motorDialogs.h"

#include "settings/modifySetting.h"
#include "ui/numberFormat.h"

#include <QComboBox>

motorDialogBase::motorDialogBase(QWidget* owner, const layout& l, bool highSpeed,
                                 float activationValue, std::uint8_t pulseValue,
                                 std::uint8_t axisBitsValue)
    : featureDialogBase(owner, l.templateId, QString::fromLatin1(l.caption), 131, 116) {
    const int id = l.templateId;
    activation = activationValue;
    pulse = pulseValue;

    addLabel(id + 10, QStringLiteral("Motor Speed:"), 10, 8, 48);
    speed = addDropDown(id + 11, {QStringLiteral("Low"), QStringLiteral("High")}, 60, 6, 58);

    activationPoint.create(this, QStringLiteral("Activation Point:"), 105, 42, 95, 1.0f, 0.5f, 5.0f,
                           false, id + 9);
    activationPoint.reference = &activation;
    addEdit(activationPoint);

    pulseLabel.create(this, QString::fromLatin1(l.pulseCaption), 10, 75, 150);
    pulseTime.createWindows(this, QString(), 0, 0, l.pulseEditX, 72, false, id + 8,
                            QString::fromStdString(intToString(pulse)), QString());
    pulseTime.current = pulse;
    pulseTime.minimum = 0;
    pulseTime.maximum = 255;
    pulseTime.reference = &pulse;
    addEdit(pulseTime);

    addGroup(id + 1, QStringLiteral("Axes"), 10, 54, 111, 34);
    addAxisBoxes(id + 2, 18, 64, axes);
    addSetClose(id + 12, 40, 94, 50);

    speed->setCurrentIndex(highSpeed ? 1 : 0);
    activationPoint.getValueFromReferences();
    pulseTime.getValueFromReferences();
    showAxisBits(axes, axisBitsValue);
    applyTemplateFont();
}

motorConstantDialog::motorConstantDialog(QWidget* owner)
    : motorDialogBase(
          owner, {templateId, "Motor Constant Settings", "Pulse Period (x1/120th sec):", 160},
          editedMode().motorConstant.highSpeed, editedMode().motorConstant.activationPoint,
          editedMode().motorConstant.pulsePeriod, editedMode().motorExtended.constantAxes) {}

void motorConstantDialog::store() {
    settings::mode& md = editedMode();
    storeIndex(speed, md.motorConstant.highSpeed);
    md.motorConstant.activationPoint = activation;
    md.motorConstant.pulsePeriod = pulse;
    md.motorExtended.constantAxes = axisBits(axes);
}

int motorConstantDialog::group() const {
    return modifySetting::motorConstantGroup;
}

motorPulseDialog::motorPulseDialog(QWidget* owner)
    : motorDialogBase(owner,
                      {templateId, "Motor Pulse Settings", "Pulse Length (x1/120th sec):", 162},
                      editedMode().motorPulse.highSpeed, editedMode().motorPulse.activationPoint,
                      editedMode().motorPulse.pulseLength, editedMode().motorExtended.pulseAxes) {}

void motorPulseDialog::store() {
    settings::mode& md = editedMode();
    storeIndex(speed, md.motorPulse.highSpeed);
    md.motorPulse.activationPoint = activation;
    md.motorPulse.pulseLength = pulse;
    md.motorExtended.pulseAxes = axisBits(axes);
}

int motorPulseDialog::group() const {
    return modifySetting::motorPulseGroup;
}
