#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"

#include <QCheckBox>
#include <QLabel>
#include <bit>

void mainWindowLayout::setAllValuesFromSettings() {
    tab.updateTabsPresent();
    if (usingDiagnosticsWindow)
        usingDiagnosticsWindow->setChecked(settings::digitalOutputDiagnosticMode ||
                                           settings::loadCellDiagnosticMode);
    disableKnobs.showReference();
    for (int m = 0; m < settings::modeCount; ++m)
        setModeValuesFromSettings(m);
    updateCheckBoxEffects();
}

void mainWindowLayout::setModeValuesFromSettings(int m) {
    for (int g = 0; g < modifySetting::groupCount; ++g)
        refreshGroup(m, g);
}

void mainWindowLayout::refreshGroup(int m, int group) {
    namespace ms = modifySetting;
    switch (group) {
    case ms::baseSensitivityGroup:
        baseSensitivity[m].showReference();
        break;
    case ms::smoothingGroup:
        smoothing[m].showReference();
        break;
    case ms::axisDisabledGroup:
        for (auto& box : axisDisabled[m])
            box.showReference();
        break;
    case ms::axisInvertedGroup:
        for (auto& box : axisInverted[m])
            box.showReference();
        break;
    case ms::axisSensitivityGroup:
        for (auto& edit : axisSensitivity[m])
            edit.getValueFromReferences();
        break;
    case ms::axisAsymmetryGroup:
        for (auto& edit : axisAsymmetry[m])
            edit.getValueFromReferences();
        break;
    case ms::axisBaseDeadzoneGroup:
        for (auto& edit : axisBaseDeadzone[m])
            edit.getValueFromReferences();
        break;
    case ms::axisVariableDeadzoneGroup:
        for (auto& edit : axisVariableDeadzone[m])
            edit.getValueFromReferences();
        break;
    case ms::axisCurvatureGroup:
        for (auto& edit : axisCurvature[m])
            edit.getValueFromReferences();
        break;
    case ms::reorderedAxesGroup:
        useReorderedAxes[m].showReference();
        break;
    case ms::cruiseControlGroup:
        useCruiseControl[m].showReference();
        break;
    case ms::knobAddToAxisGroup:
        useKnobAddedToAxis[m].showReference();
        break;
    case ms::disabledButtonsGroup:
    case ms::toggledButtonsGroup:
        updateDisableToggledDisplays(m);
        break;
    case ms::autofireGroup:
        useAutofire[m].showReference();
        break;
    case ms::modifiedButtonsGroup:
        useModifiedButtons[m].showReference();
        break;
    case ms::motorConstantGroup:
        useConstantOutput[m].showReference();
        break;
    case ms::motorPulseGroup:
        usePulsedOutput[m].showReference();
        break;
    case ms::disableHatSwitchGroup:
        disableHatSwitch[m].showReference();
        break;
    case ms::knobInvertedGroup:
        for (auto& box : knobInverted[m])
            box.showReference();
        break;
    case ms::knobUseDeadzoneGroup:
        for (auto& box : knobUseDeadzone[m])
            box.showReference();
        break;
    case ms::knobMinimumGroup:
        for (auto& edit : knobMinimum[m])
            edit.getValueFromReferences();
        break;
    case ms::knobMaximumGroup:
        for (auto& edit : knobMaximum[m])
            edit.getValueFromReferences();
        break;
    case ms::knobCenterGroup:
        for (auto& edit : knobCenter[m])
            edit.getValueFromReferences();
        break;
    case ms::knobDeadzoneEndGroup:
        for (auto& edit : knobDeadzoneEnd[m])
            edit.getValueFromReferences();
        break;
    default:
        // The handle centre has no control in the main window.
        break;
    }
}

void mainWindowLayout::updateDisableToggledDisplays(int m) {
    const settings::mode& md = settings::modes[m];
    if (disabledButtonsLabel[m].window)
        disabledButtonsLabel[m].window->setText(
            QStringLiteral("Disabled Buttons: ") +
            QString::number(std::popcount(md.disabledButtons.buttons)));
    if (toggledButtonsLabel[m].window)
        toggledButtonsLabel[m].window->setText(
            QStringLiteral("Toggled Buttons: ") +
            QString::number(std::popcount(md.toggledButtons.buttons)));
}

void mainWindowLayout::updateSettingFromModeConstants(bool afterEdit, int group) {
    modifySetting::updateSettingFromModeConstants(afterEdit, group);
}
