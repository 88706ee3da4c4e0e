#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"

// "Cruise Control" of the active mode: the button that locks the chosen axes, held or
// as a toggle.
class cruiseControlDialog : public featureDialogBase {
public:
    static constexpr int templateId = dialogRegistry::cruiseControlDialog;

    explicit cruiseControlDialog(QWidget* owner);

    QCheckBox* useToggle = nullptr;
    QComboBox* button = nullptr;
    QCheckBox* axes[6] = {};

protected:
    void store() override;
    int group() const override;
};
