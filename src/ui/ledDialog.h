#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"

// "LED Settings": brightness and what the mode LEDs show. Global settings.
class ledDialog : public featureDialogBase {
public:
    static constexpr int templateId = dialogRegistry::ledDialog;

    explicit ledDialog(QWidget* owner);

    QComboBox* brightness = nullptr;
    QComboBox* modeOutput = nullptr;

protected:
    void store() override;
    int group() const override { return -1; }
};
