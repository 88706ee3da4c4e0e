#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"
#include "ui/settingsEdit.h"

// "Add Knob To Axis Settings" of the active mode. The scaling factor's box is bound to the
// setting itself and stores it whenever it loses the focus.
class addKnobToAxisDialog : public featureDialogBase {
public:
    static constexpr int templateId = dialogRegistry::addKnobToAxisDialog;

    explicit addKnobToAxisDialog(QWidget* owner);

    QComboBox* knob = nullptr;
    QComboBox* axis = nullptr;
    QCheckBox* bidirectional = nullptr;
    QCheckBox* inverted = nullptr;
    settingsSimpleFloatEdit scalingFactor;

protected:
    void store() override;
    int group() const override;
};
