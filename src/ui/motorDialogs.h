#pragma once

#include "ui/controls.h"
#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"
#include "ui/settingsEdit.h"

#include <cstdint>

// The vibration motor's two outputs of the active mode share one layout: speed,
// activation point, a pulse time in 1/120 s and the axes that trigger it. Activation
// point and pulse time are edited in copies that only "Set/Close" stores.
class motorDialogBase : public featureDialogBase {
public:
    QComboBox* speed = nullptr;
    settingsSimpleFloatEdit activationPoint;
    textLabel pulseLabel;
    settingsUint8Edit pulseTime;
    QCheckBox* axes[6] = {};

    float activation = 0.0f;
    std::uint8_t pulse = 0;

protected:
    // The dialog's template and the settings of the edited mode it shows and stores.
    struct output {
        int templateId;
        const char* caption;
        const char* pulseCaption;
        int pulseEditX;
        int group;
        bool& highSpeed;
        float& activationPoint;
        std::uint8_t& pulseTime;
        std::uint8_t& axes;
    };
    // Ids from the template id on: +1 group, +2..+7 axes, +8 pulse edit, +9 activation
    // edit, +10 speed label, +11 speed drop-down, +12 "Set/Close".
    motorDialogBase(QWidget* owner, const output& o);

    void store() override;
    int group() const override { return target.group; }

private:
    output target;
};

// "Motor Constant Settings".
class motorConstantDialog : public motorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::motorConstantDialog;
    explicit motorConstantDialog(QWidget* owner);
};

// "Motor Pulse Settings".
class motorPulseDialog : public motorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::motorPulseDialog;
    explicit motorPulseDialog(QWidget* owner);
};
