#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"
#include "ui/settingsLineEdit.h"

#include <QCheckBox>
#include <QPushButton>

namespace ms = modifySetting;

// The rules are applied to the pages of every mode, each by its own mode, so a page is
// right whichever tab is brought to the front next.

void mainWindowLayout::updateAxesDisabled() {
    for (int m = 0; m < settings::modeCount; ++m) {
        for (int a = 0; a < settings::axisCount; ++a) {
            if (!axisInverted[m][a].window)
                continue;
            const axisSettings& axis = settings::modes[m].axes[a];
            const bool on = !axis.disabled;
            axisInverted[m][a].window->setEnabled(on && allowed(m, ms::axisInvertedGroup));
            const std::pair<settingsFloatEdit*, int> edits[] = {
                {&axisSensitivity[m][a], ms::axisSensitivityGroup},
                {&axisAsymmetry[m][a], ms::axisAsymmetryGroup},
                {&axisBaseDeadzone[m][a], ms::axisBaseDeadzoneGroup},
                {&axisVariableDeadzone[m][a], ms::axisVariableDeadzoneGroup},
                {&axisCurvature[m][a], ms::axisCurvatureGroup},
            };
            for (const auto& [edit, group] : edits) {
                // A knob-controlled value stays disabled: it shows "knob", not a number.
                const bool knob = edit->reference && edit->reference->knobControlled;
                edit->window->setEnabled(on && allowed(m, group) && !knob);
            }
        }
    }
}

void mainWindowLayout::featureEnabling(int m, int group, settingsBoolCheckbox& use, button& set,
                                       bool on) {
    if (!use.window || !set.window)
        return;
    const bool ok = allowed(m, group);
    use.window->setEnabled(ok);
    set.window->setEnabled(ok && on);
}

void mainWindowLayout::updateCruiseControlDisabled() {
    for (int m = 0; m < settings::modeCount; ++m)
        featureEnabling(m, ms::cruiseControlGroup, useCruiseControl[m], setCruiseControl[m],
                        settings::modes[m].cruiseControl.enabled);
}

void mainWindowLayout::updateCheckBoxEffects() {
    updateAxesDisabled();
    for (int m = 0; m < settings::modeCount; ++m) {
        const settings::mode& md = settings::modes[m];
        featureEnabling(m, ms::cruiseControlGroup, useCruiseControl[m], setCruiseControl[m],
                        md.cruiseControl.enabled);
        featureEnabling(m, ms::reorderedAxesGroup, useReorderedAxes[m], setAxisOrder[m],
                        md.reorderAxes.enabled);
        featureEnabling(m, ms::autofireGroup, useAutofire[m], setAutofire[m], md.autofire.enabled);
        featureEnabling(m, ms::motorConstantGroup, useConstantOutput[m], setMotorConstant[m],
                        md.motorConstant.enabled);
        featureEnabling(m, ms::motorPulseGroup, usePulsedOutput[m], setMotorPulse[m],
                        md.motorPulse.enabled);
        featureEnabling(m, ms::knobAddToAxisGroup, useKnobAddedToAxis[m], setKnobAddedToAxis[m],
                        md.addKnobToAxis.enabled);
        featureEnabling(m, ms::modifiedButtonsGroup, useModifiedButtons[m], setModifiedButtons[m],
                        md.extendedButtons.useModifiedButtons);
        for (int k = 0; k < settings::knobCount; ++k)
            if (knobDeadzoneEnd[m][k].window)
                knobDeadzoneEnd[m][k].window->setEnabled(md.knobRange[k].useCenterDeadzone &&
                                                         allowed(m, ms::knobDeadzoneEndGroup));
    }
}

void mainWindowLayout::updateModeConstantDisabling() {
    for (int m = 0; m < settings::modeCount; ++m) {
        if (!baseSensitivity[m].sliderWindow)
            continue;
        baseSensitivity[m].setEnabled(allowed(m, ms::baseSensitivityGroup));
        smoothing[m].setEnabled(allowed(m, ms::smoothingGroup));
        setDisabledButtons[m].window->setEnabled(allowed(m, ms::disabledButtonsGroup));
        setToggledButtons[m].window->setEnabled(allowed(m, ms::toggledButtonsGroup));
        setHandleCenter[m].window->setEnabled(allowed(m, ms::handleCenterGroup));
        disableHatSwitch[m].window->setEnabled(allowed(m, ms::disableHatSwitchGroup));
        for (auto& box : axisDisabled[m])
            box.window->setEnabled(allowed(m, ms::axisDisabledGroup));
        for (int k = 0; k < settings::knobCount; ++k) {
            knobInverted[m][k].window->setEnabled(allowed(m, ms::knobInvertedGroup));
            knobUseDeadzone[m][k].window->setEnabled(allowed(m, ms::knobUseDeadzoneGroup));
            knobMinimum[m][k].window->setEnabled(allowed(m, ms::knobMinimumGroup));
            knobMaximum[m][k].window->setEnabled(allowed(m, ms::knobMaximumGroup));
            knobCenter[m][k].window->setEnabled(allowed(m, ms::knobCenterGroup));
        }
    }
}
