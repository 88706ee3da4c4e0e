#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"
#include "ui/joystickButtonsCheckBoxSelector.h"

#include <cstdint>

// The dialogs that choose a set of the joystick's buttons for the active mode with the
// button selector. The selector's controls take ids from uniqueID; they are handed out
// again once the dialog is gone.
class buttonSelectorDialogBase : public featureDialogBase {
public:
    ~buttonSelectorDialogBase() override;

    joystickButtonsCheckBoxSelector selector;

protected:
    buttonSelectorDialogBase(QWidget* owner, int templateId, const QString& caption,
                             int heightUnits);
    // The selector at (x, y) pixels showing `mask`.
    void createSelector(int x, int y, std::uint32_t mask);
    // The button counts of the active mode's Other page.
    static void refreshButtonCounts();
};

// "Disable Buttons".
class disableButtonsDialog : public buttonSelectorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::disableButtonsDialog;
    explicit disableButtonsDialog(QWidget* owner);

protected:
    void store() override;
    int group() const override;
    void refreshOwner() override { refreshButtonCounts(); }
};

// "Toggled Buttons".
class toggledButtonsDialog : public buttonSelectorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::toggledButtonsDialog;
    explicit toggledButtonsDialog(QWidget* owner);

protected:
    void store() override;
    int group() const override;
    void refreshOwner() override { refreshButtonCounts(); }
};

// "Modified Buttons": the buttons that send their shifted number (33-64) while the
// modifier button is held, and that button.
class modifiedButtonsDialog : public buttonSelectorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::modifiedButtonsDialog;
    explicit modifiedButtonsDialog(QWidget* owner);

    QComboBox* modifierButton = nullptr;

protected:
    void store() override;
    int group() const override;
};
