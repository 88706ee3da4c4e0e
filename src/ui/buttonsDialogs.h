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
    // The dialog's template and the mask of the edited mode it shows and stores.
    struct buttonSet {
        int templateId;
        const char* caption;
        int heightUnits;
        int selectorY; // pixels
        int group;
        std::uint32_t& mask;
    };
    buttonSelectorDialogBase(QWidget* owner, const buttonSet& b);
    // "Check/Uncheck All" and "Set/Close" side by side at `y` (dialog units).
    void addButtonRow(int checkUncheckAllId, int setCloseId, int y);

    void store() override;
    int group() const override { return target.group; }
    // The button counts of the active mode's Other page.
    static void refreshButtonCounts();

private:
    buttonSet target;
};

// "Disable Buttons".
class disableButtonsDialog : public buttonSelectorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::disableButtonsDialog;
    explicit disableButtonsDialog(QWidget* owner);

protected:
    void refreshOwner() override { refreshButtonCounts(); }
};

// "Toggled Buttons".
class toggledButtonsDialog : public buttonSelectorDialogBase {
public:
    static constexpr int templateId = dialogRegistry::toggledButtonsDialog;
    explicit toggledButtonsDialog(QWidget* owner);

protected:
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
};
