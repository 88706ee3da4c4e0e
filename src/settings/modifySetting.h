#pragma once

#include "settings/settings.h"

#include <cstdint>
#include <functional>

// Which groups of per-mode settings may differ between modes, and the edit copies the
// detail dialogs work on.
namespace modifySetting {

inline constexpr int groupCount = 26;

// Group numbers, in the order of the "Settings Changed Between Modes" boxes.
enum group : int {
    baseSensitivityGroup = 0,
    smoothingGroup = 1,
    axisDisabledGroup = 2,
    axisInvertedGroup = 3,
    axisSensitivityGroup = 4,
    axisAsymmetryGroup = 5,
    axisBaseDeadzoneGroup = 6,
    axisVariableDeadzoneGroup = 7,
    axisCurvatureGroup = 8,
    reorderedAxesGroup = 9,
    cruiseControlGroup = 10,
    knobAddToAxisGroup = 11,
    disabledButtonsGroup = 12,
    toggledButtonsGroup = 13,
    autofireGroup = 14,
    modifiedButtonsGroup = 15,
    motorConstantGroup = 16,
    motorPulseGroup = 17,
    handleCenterGroup = 18,
    disableHatSwitchGroup = 19,
    knobInvertedGroup = 20,
    knobUseDeadzoneGroup = 21,
    knobMinimumGroup = 22,
    knobMaximumGroup = 23,
    knobCenterGroup = 24,
    knobDeadzoneEndGroup = 25,
};

// Set: the group may differ between modes. Clear: held equal to mode A.
extern bool modeUseConstant[groupCount];

extern axisSettings tempAxis;
extern std::uint8_t whichTempAxis;
extern settings::knobRangeSettings tempKnobRange;
extern settings::knobCenterSettings tempKnobCenter;
extern std::uint8_t whichTempKnob;
extern analogSetting tempShiftX;
extern analogSetting tempShiftY;
namespace knobConstants {
extern float floatLowRange;
extern float floatHighRange;
extern std::uint16_t centerDeadzoneSize;
} // namespace knobConstants
extern bool onAxisTab;

// Called for every mode i (1, 2) into which a group was copied, so the window can
// refresh that mode's controls. Empty by default; the window program fills it.
extern std::function<void(int mode, int group)> refreshCopiedGroup;

// Sets the flag of every group in which a mode in use differs from mode A; with
// `reset` all flags are cleared first.
void setOnConstantFromSettings(bool reset);

// True when group `group` of mode `other` differs from mode A's.
bool groupDiffers(int group, const settings::mode& a, const settings::mode& other);
// Copies group `group` from `from` to `to` (knob numbers and tables stay).
void copyGroup(int group, const settings::mode& from, settings::mode& to);

// Copies group `group` from mode A to the other modes in use when it is held constant,
// calling refreshCopiedGroup for each. Nothing happens with one mode, for an edit made
// while mode B or C is active (`afterEdit`), for a group that may differ, or for a
// group number outside 0-25. Returns true when anything was copied.
bool updateSettingFromModeConstants(bool afterEdit, int group);

// Everything back to its state at program start (flags clear, hook kept).
void reset();

} // namespace modifySetting
