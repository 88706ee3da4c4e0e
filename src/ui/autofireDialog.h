#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"
#include "ui/settingsEdit.h"

#include <cstdint>

// "Autofire Settings" of the active mode. The pulse length is edited in a copy that only
// "Set/Close" stores.
class autofireDialog : public featureDialogBase {
public:
    static constexpr int templateId = dialogRegistry::autofireDialog;

    explicit autofireDialog(QWidget* owner);

    QComboBox* button = nullptr;
    settingsUint16Edit pulseLength;
    std::uint16_t period = 0;

protected:
    void store() override;
    int group() const override;
};
