#include "settings/modifySetting.h"

#include <algorithm>
#include <iterator>

namespace modifySetting {

bool modeUseConstant[groupCount] = {};

axisSettings tempAxis;
std::uint8_t whichTempAxis = 0;
settings::knobRangeSettings tempKnobRange;
settings::knobCenterSettings tempKnobCenter;
std::uint8_t whichTempKnob = 0;
analogSetting tempShiftX;
analogSetting tempShiftY;
namespace knobConstants {
float floatLowRange = 0.0f;
float floatHighRange = 0.0f;
std::uint16_t centerDeadzoneSize = 0;
} // namespace knobConstants
bool onAxisTab = true;

std::function<void(int mode, int group)> refreshCopiedGroup;

namespace {

using settings::axisCount;
using settings::knobCount;

// Per-axis analog member of a group, by the group number.
analogSetting axisSettings::*axisAnalogMember(int group) {
    switch (group) {
    case axisSensitivityGroup:
        return &axisSettings::sensitivity;
    case axisAsymmetryGroup:
        return &axisSettings::asymmetry;
    case axisBaseDeadzoneGroup:
        return &axisSettings::baseDeadzone;
    case axisVariableDeadzoneGroup:
        return &axisSettings::variableDeadzone;
    case axisCurvatureGroup:
        return &axisSettings::curvature;
    default:
        return nullptr;
    }
}

template <class Pred> bool anyAxis(Pred differs) {
    for (int a = 0; a < axisCount; ++a) {
        if (differs(a)) {
            return true;
        }
    }
    return false;
}

template <class Pred> bool anyKnob(Pred differs) {
    return differs(0) || differs(1);
}

template <class Copy> void forEachKnob(Copy copy) {
    for (int k = 0; k < knobCount; ++k) {
        copy(k);
    }
}

// Value-only comparison: knob-control state does not count here, and a NaN differs.
bool valueDiffers(const analogSetting& a, const analogSetting& b) {
    return !(a.value == b.value);
}

} // namespace

bool groupDiffers(int group, const settings::mode& a, const settings::mode& o) {
    switch (group) {
    case baseSensitivityGroup:
        return valueDiffers(a.baseSensitivity, o.baseSensitivity);
    case smoothingGroup:
        return valueDiffers(a.smoothing, o.smoothing);
    case axisDisabledGroup:
        return anyAxis([&](int i) { return a.axes[i].disabled != o.axes[i].disabled; });
    case axisInvertedGroup:
        return anyAxis([&](int i) { return a.axes[i].inverted != o.axes[i].inverted; });
    case axisSensitivityGroup:
    case axisAsymmetryGroup:
    case axisBaseDeadzoneGroup:
    case axisVariableDeadzoneGroup:
    case axisCurvatureGroup: {
        const auto member = axisAnalogMember(group);
        return anyAxis([&](int i) { return valueDiffers(a.axes[i].*member, o.axes[i].*member); });
    }
    case reorderedAxesGroup:
        return !a.reorderAxes.compare(o.reorderAxes);
    case cruiseControlGroup:
        return !a.cruiseControl.compare(o.cruiseControl);
    case knobAddToAxisGroup:
        return !a.addKnobToAxis.compare(o.addKnobToAxis);
    case disabledButtonsGroup:
        return a.disabledButtons.buttons != o.disabledButtons.buttons;
    case toggledButtonsGroup:
        return a.toggledButtons.buttons != o.toggledButtons.buttons;
    case autofireGroup:
        return !a.autofire.compare(o.autofire);
    case modifiedButtonsGroup:
        // The modifier button counts even while modified buttons are off.
        return a.modifiedButtons.buttons != o.modifiedButtons.buttons ||
               a.extendedButtons.useModifiedButtons != o.extendedButtons.useModifiedButtons ||
               a.extendedButtons.modifierButton != o.extendedButtons.modifierButton;
    case motorConstantGroup:
        return !a.motorConstant.compare(o.motorConstant) ||
               a.motorExtended.constantAxes != o.motorExtended.constantAxes;
    case motorPulseGroup:
        return !a.motorPulse.compare(o.motorPulse) ||
               a.motorExtended.pulseAxes != o.motorExtended.pulseAxes;
    case handleCenterGroup:
        return valueDiffers(a.shiftX, o.shiftX) || valueDiffers(a.shiftY, o.shiftY);
    case disableHatSwitchGroup:
        return a.extendedButtons.disableHatSwitch != o.extendedButtons.disableHatSwitch;
    case knobInvertedGroup:
        return anyKnob([&](int k) { return a.knobRange[k].inverted != o.knobRange[k].inverted; });
    case knobUseDeadzoneGroup:
        return anyKnob([&](int k) {
            return a.knobRange[k].useCenterDeadzone != o.knobRange[k].useCenterDeadzone;
        });
    case knobMinimumGroup:
        return anyKnob([&](int k) { return a.knobRange[k].minimum != o.knobRange[k].minimum; });
    case knobMaximumGroup:
        return anyKnob([&](int k) { return a.knobRange[k].maximum != o.knobRange[k].maximum; });
    case knobCenterGroup:
        return anyKnob([&](int k) { return a.knobCenter[k].center != o.knobCenter[k].center; });
    case knobDeadzoneEndGroup:
        return anyKnob(
            [&](int k) { return a.knobCenter[k].deadzoneEnd != o.knobCenter[k].deadzoneEnd; });
    default:
        return false;
    }
}

void copyGroup(int group, const settings::mode& from, settings::mode& to) {
    switch (group) {
    case baseSensitivityGroup:
        to.baseSensitivity = from.baseSensitivity;
        break;
    case smoothingGroup:
        to.smoothing = from.smoothing;
        break;
    case axisDisabledGroup:
        for (int i = 0; i < axisCount; ++i) {
            to.axes[i].disabled = from.axes[i].disabled;
        }
        break;
    case axisInvertedGroup:
        for (int i = 0; i < axisCount; ++i) {
            to.axes[i].inverted = from.axes[i].inverted;
        }
        break;
    case axisSensitivityGroup:
    case axisAsymmetryGroup:
    case axisBaseDeadzoneGroup:
    case axisVariableDeadzoneGroup:
    case axisCurvatureGroup: {
        const auto member = axisAnalogMember(group);
        for (int i = 0; i < axisCount; ++i) {
            to.axes[i].*member = from.axes[i].*member;
        }
        break;
    }
    case reorderedAxesGroup:
        to.reorderAxes = from.reorderAxes;
        break;
    case cruiseControlGroup:
        to.cruiseControl = from.cruiseControl;
        break;
    case knobAddToAxisGroup:
        to.addKnobToAxis = from.addKnobToAxis;
        break;
    case disabledButtonsGroup:
        to.disabledButtons = from.disabledButtons;
        break;
    case toggledButtonsGroup:
        to.toggledButtons = from.toggledButtons;
        break;
    case autofireGroup:
        to.autofire = from.autofire;
        break;
    case modifiedButtonsGroup:
        to.modifiedButtons = from.modifiedButtons;
        to.extendedButtons.useModifiedButtons = from.extendedButtons.useModifiedButtons;
        to.extendedButtons.modifierButton = from.extendedButtons.modifierButton;
        break;
    case motorConstantGroup:
        to.motorConstant = from.motorConstant;
        to.motorExtended.constantAxes = from.motorExtended.constantAxes;
        break;
    case motorPulseGroup:
        to.motorPulse = from.motorPulse;
        to.motorExtended.pulseAxes = from.motorExtended.pulseAxes;
        break;
    case handleCenterGroup:
        to.shiftX = from.shiftX;
        to.shiftY = from.shiftY;
        break;
    case disableHatSwitchGroup:
        to.extendedButtons.disableHatSwitch = from.extendedButtons.disableHatSwitch;
        break;
    case knobInvertedGroup:
        forEachKnob([&](int k) { to.knobRange[k].inverted = from.knobRange[k].inverted; });
        break;
    case knobUseDeadzoneGroup:
        forEachKnob([&](int k) {
            to.knobRange[k].useCenterDeadzone = from.knobRange[k].useCenterDeadzone;
        });
        break;
    case knobMinimumGroup:
        forEachKnob([&](int k) { to.knobRange[k].minimum = from.knobRange[k].minimum; });
        break;
    case knobMaximumGroup:
        forEachKnob([&](int k) { to.knobRange[k].maximum = from.knobRange[k].maximum; });
        break;
    case knobCenterGroup:
        forEachKnob([&](int k) { to.knobCenter[k].center = from.knobCenter[k].center; });
        break;
    case knobDeadzoneEndGroup:
        forEachKnob([&](int k) { to.knobCenter[k].deadzoneEnd = from.knobCenter[k].deadzoneEnd; });
        break;
    default:
        break;
    }
}

void setOnConstantFromSettings(bool reset) {
    if (reset) {
        std::fill(std::begin(modeUseConstant), std::end(modeUseConstant), false);
    }
    const int count = settings::modesInUse();
    if (settings::numModes < 2) {
        return;
    }
    for (int m = 1; m < count; ++m) {
        for (int g = 0; g < groupCount; ++g) {
            if (groupDiffers(g, settings::modes[0], settings::modes[m])) {
                modeUseConstant[g] = true;
            }
        }
    }
}

bool updateSettingFromModeConstants(bool afterEdit, int group) {
    if (settings::numModes <= 1 || (afterEdit && settings::activeMode != 0) || group < 0 ||
        group >= groupCount || modeUseConstant[group]) {
        return false;
    }
    const int count = settings::modesInUse();
    for (int m = 1; m < count; ++m) {
        copyGroup(group, settings::modes[0], settings::modes[m]);
        if (refreshCopiedGroup) {
            refreshCopiedGroup(m, group);
        }
    }
    return true;
}

void reset() {
    std::fill(std::begin(modeUseConstant), std::end(modeUseConstant), false);
    tempAxis = axisSettings{};
    whichTempAxis = 0;
    tempKnobRange = settings::knobRangeSettings{};
    tempKnobCenter = settings::knobCenterSettings{};
    whichTempKnob = 0;
    tempShiftX = analogSetting{};
    tempShiftY = analogSetting{};
    knobConstants::floatLowRange = 0.0f;
    knobConstants::floatHighRange = 0.0f;
    knobConstants::centerDeadzoneSize = 0;
    onAxisTab = true;
}

} // namespace modifySetting
