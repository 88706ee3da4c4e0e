#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"
#include "ui/dialogRegistry.h"
#include "ui/settingsLineEdit.h"
#include "ui/toolTipText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

QString tip(const char* text) {
    return QString::fromUtf8(text);
}

void opensDialog(button& b, int templateId) {
    QWidget* owner = b.window->parentWidget();
    QObject::connect(b.window, &QPushButton::clicked, b.window,
                     [owner, templateId] { dialogRegistry::run(templateId, owner); });
}

} // namespace

void mainWindowLayout::createOtherTabAreaControls(int m) {
    QWidget* page = tab.pageWindows[2 * m + 1];
    settings::mode& md = settings::modes[m];
    namespace ms = modifySetting;
    namespace dr = dialogRegistry;

    additionalAxisGroup[m].create(page, QStringLiteral("Additional Axis Settings"), 46, 42, 173,
                                  212);
    useReorderedAxes[m].create(page, QStringLiteral("Use Reordered Axes"), 73, 72, 130,
                               tip(toolTipText::reorderCheck));
    useReorderedAxes[m].reference = &md.reorderAxes.enabled;
    setAxisOrder[m].create(page, QStringLiteral("Set Axis Order"), 78, 92, 100, true, 0,
                           tip(toolTipText::reorderButton));
    useCruiseControl[m].create(page, QStringLiteral("Use Cruise Control"), 75, 135, 130,
                               tip(toolTipText::cruiseControlCheck));
    useCruiseControl[m].reference = &md.cruiseControl.enabled;
    setCruiseControl[m].create(page, QStringLiteral("Set Cruise Control"), 75, 155, 116, true, 0,
                               tip(toolTipText::cruiseControlButton));
    useKnobAddedToAxis[m].create(page, QStringLiteral("Use Knob Added To Axis"), 61, 198, 150,
                                 tip(toolTipText::addKnobToAxisCheck));
    useKnobAddedToAxis[m].reference = &md.addKnobToAxis.enabled;
    setKnobAddedToAxis[m].create(page, QStringLiteral("Set Knob Added To Axis"), 62, 218, 144, true,
                                 0, tip(toolTipText::addKnobToAxisButton));

    buttonSettingsGroup[m].create(page, QStringLiteral("Button Settings"), 265, 30, 175, 248);
    disabledButtonsLabel[m].create(page, QStringLiteral("Disabled Buttons: 0"), 291, 56, 120);
    disabledButtonsLabel[m].window->setEnabled(false);
    setDisabledButtons[m].create(page, QStringLiteral("Set Disabled Buttons"), 289, 72, 124, true,
                                 0, tip(toolTipText::disabledButtonsButton));
    toggledButtonsLabel[m].create(page, QStringLiteral("Toggled Buttons: 0"), 291, 107, 120);
    toggledButtonsLabel[m].window->setEnabled(false);
    setToggledButtons[m].create(page, QStringLiteral("Set Toggled Buttons"), 289, 123, 124, true, 0,
                                tip(toolTipText::toggledButtonsButton));
    useAutofire[m].create(page, QStringLiteral("Use Autofire"), 309, 162, 85,
                          tip(toolTipText::autofireCheck));
    useAutofire[m].reference = &md.autofire.enabled;
    setAutofire[m].create(page, QStringLiteral("Set Autofire"), 304, 182, 92, true, 0,
                          tip(toolTipText::autofireButton));
    useModifiedButtons[m].create(page, QStringLiteral("Use Modified Buttons"), 288, 222, 130,
                                 tip(toolTipText::modifiedButtonsCheck));
    useModifiedButtons[m].reference = &md.extendedButtons.useModifiedButtons;
    setModifiedButtons[m].create(page, QStringLiteral("Set Modified Buttons"), 291, 242, 124, true,
                                 0, tip(toolTipText::modifiedButtonsButton));

    motorGroup[m].create(page, QStringLiteral("Vibration Motor Feedback"), 486, 31, 158, 150);
    useConstantOutput[m].create(page, QStringLiteral("Use Constant Output"), 501, 61, 130,
                                tip(toolTipText::motorConstantCheck));
    useConstantOutput[m].reference = &md.motorConstant.enabled;
    setMotorConstant[m].create(page, QStringLiteral("Set Motor Constant"), 503, 81, 124, true, 0,
                               tip(toolTipText::motorConstantButton));
    usePulsedOutput[m].create(page, QStringLiteral("Use Pulsed Output"), 501, 124, 130,
                              tip(toolTipText::motorPulseCheck));
    usePulsedOutput[m].reference = &md.motorPulse.enabled;
    setMotorPulse[m].create(page, QStringLiteral("Set Motor Pulse"), 503, 144, 124, true, 0,
                            tip(toolTipText::motorPulseButton));

    setHandleCenter[m].create(page, QStringLiteral("Set Handle Center"), 515, 211, 110, true, 0,
                              tip(toolTipText::handleCenterButton));
    disableHatSwitch[m].create(page, QStringLiteral("Disable Hat Switch Output"), 490, 256, 170,
                               tip(toolTipText::disableHatSwitchCheck));
    disableHatSwitch[m].reference = &md.extendedButtons.disableHatSwitch;

    createKnobControls(m, page, 116, 311, QStringLiteral("LEFT  KNOB"), 0);
    createKnobControls(m, page, 358, 311, QStringLiteral("RIGHT  KNOB"), 1);

    const std::pair<settingsBoolCheckbox*, int> checks[] = {
        {&useReorderedAxes[m], ms::reorderedAxesGroup},
        {&useCruiseControl[m], ms::cruiseControlGroup},
        {&useKnobAddedToAxis[m], ms::knobAddToAxisGroup},
        {&useAutofire[m], ms::autofireGroup},
        {&useModifiedButtons[m], ms::modifiedButtonsGroup},
        {&useConstantOutput[m], ms::motorConstantGroup},
        {&usePulsedOutput[m], ms::motorPulseGroup},
        {&disableHatSwitch[m], ms::disableHatSwitchGroup},
    };
    for (const auto& [box, group] : checks) {
        settingsBoolCheckbox* b = box;
        const int g = group;
        QObject::connect(b->window, &QCheckBox::clicked, b->window,
                         [this, b, g] { otherPageCheckClicked(*b, g); });
    }

    opensDialog(setAxisOrder[m], dr::reorderAxesDialog);
    opensDialog(setCruiseControl[m], dr::cruiseControlDialog);
    opensDialog(setKnobAddedToAxis[m], dr::addKnobToAxisDialog);
    opensDialog(setAutofire[m], dr::autofireDialog);
    opensDialog(setDisabledButtons[m], dr::disableButtonsDialog);
    opensDialog(setToggledButtons[m], dr::toggledButtonsDialog);
    opensDialog(setModifiedButtons[m], dr::modifiedButtonsDialog);
    opensDialog(setMotorConstant[m], dr::motorConstantDialog);
    opensDialog(setMotorPulse[m], dr::motorPulseDialog);
    QObject::connect(setHandleCenter[m].window, &QPushButton::clicked, setHandleCenter[m].window,
                     [this, m] { otherPageHandleCenter(m); });
}

void mainWindowLayout::createKnobControls(int m, QWidget* page, int x, int y, const QString& title,
                                          int k) {
    settings::mode& md = settings::modes[m];
    namespace ms = modifySetting;

    knobGroups[m][k].create(page, title, x, y, 210, 180);
    knobGraphs[m][k].create(page, QStringLiteral("Graph"), x + 148, y + 20, 45, true, 0,
                            QStringLiteral("Opens larger view of knob settings, with knob curve "
                                           "graph and settings sliders."));
    knobInverted[m][k].create(page, QStringLiteral("Inverted"), x + 15, y + 25, 70);
    knobInverted[m][k].reference = &md.knobRange[k].inverted;
    knobUseDeadzone[m][k].create(page, QStringLiteral("Use Deadzone"), x + 15, y + 45, 95);
    knobUseDeadzone[m][k].reference = &md.knobRange[k].useCenterDeadzone;
    knobMinimum[m][k].create(page, QStringLiteral("Minimum Position:"), x + 152, y + 70, 107, 2000,
                             0, 4092, true, 0);
    knobMinimum[m][k].reference = &md.knobRange[k].minimum;
    knobMaximum[m][k].create(page, QStringLiteral("Maximum Position:"), x + 152, y + 95, 109, 2000,
                             3, 4095, true, 0);
    knobMaximum[m][k].reference = &md.knobRange[k].maximum;
    knobCenter[m][k].create(page, QStringLiteral("Center Position:"), x + 152, y + 120, 89, 2000, 1,
                            4093, true, 0);
    knobCenter[m][k].reference = &md.knobCenter[k].center;
    knobDeadzoneEnd[m][k].create(page, QStringLiteral("Deadzone End Position:"), x + 152, y + 145,
                                 129, 2000, 2, 4094, true, 0);
    knobDeadzoneEnd[m][k].reference = &md.knobCenter[k].deadzoneEnd;

    QObject::connect(knobGraphs[m][k].window, &QPushButton::clicked, knobGraphs[m][k].window,
                     [this, m, k] { otherPageKnobGraph(m, k); });
    QObject::connect(
        knobInverted[m][k].window, &QCheckBox::clicked, knobInverted[m][k].window,
        [this, m, k] { otherPageCheckClicked(knobInverted[m][k], ms::knobInvertedGroup); });
    QObject::connect(
        knobUseDeadzone[m][k].window, &QCheckBox::clicked, knobUseDeadzone[m][k].window,
        [this, m, k] { otherPageCheckClicked(knobUseDeadzone[m][k], ms::knobUseDeadzoneGroup); });
    const std::pair<settingsUint16Edit*, int> edits[] = {
        {&knobMinimum[m][k], ms::knobMinimumGroup},
        {&knobMaximum[m][k], ms::knobMaximumGroup},
        {&knobCenter[m][k], ms::knobCenterGroup},
        {&knobDeadzoneEnd[m][k], ms::knobDeadzoneEndGroup},
    };
    for (const auto& [edit, group] : edits) {
        settingsUint16Edit* e = edit;
        const int g = group;
        QObject::connect(e->window, &settingsLineEdit::focusLost, e->window,
                         [this, e, g] { otherPageKnobEditDone(*e, g); });
    }
}

void mainWindowLayout::otherPageCheckClicked(settingsBoolCheckbox& box, int group) {
    box.updateValue();
    updateSettingFromModeConstants(true, group);
    updateCheckBoxEffects();
}

void mainWindowLayout::otherPageKnobEditDone(settingsUint16Edit& edit, int group) {
    edit.validate();
    updateSettingFromModeConstants(true, group);
}

void mainWindowLayout::otherPageKnobGraph(int m, int k) {
    modifySetting::tempKnobRange = settings::modes[m].knobRange[k];
    modifySetting::tempKnobCenter = settings::modes[m].knobCenter[k];
    modifySetting::whichTempKnob = static_cast<std::uint8_t>(k);
    dialogRegistry::run(dialogRegistry::singleKnobDialog, tab.pageWindows[2 * m + 1]);
    setAllValuesFromSettings();
}

void mainWindowLayout::otherPageHandleCenter(int m) {
    modifySetting::tempShiftX = settings::modes[m].shiftX;
    modifySetting::tempShiftY = settings::modes[m].shiftY;
    dialogRegistry::run(dialogRegistry::handleShiftDialog, tab.pageWindows[2 * m + 1]);
}
