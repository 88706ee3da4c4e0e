#pragma once

#include "settings/digitalSettings.h"

#include <cstdint>

// The one in-memory model of every setting of the joystick: a few global settings and
// three modes A, B, C. Only the first `numModes` modes are in use; the others keep
// their values but are never sent or stored.
namespace settings {

inline constexpr int axisCount = 6; // X, Y, Z, pitch, roll, yaw
inline constexpr int knobCount = 2; // left, right
inline constexpr int modeCount = 3; // A, B, C
inline constexpr int digitalCount = 15;

// A floating-point per-mode setting. `knobControlled` is set only by the codec, when
// a knob value arrives for the setting; the pair then travels on unchanged.
struct analogSetting {
    bool knobControlled = false;
    float value = 0.0f;
    float knobValue = 0.0f;

    analogSetting() = default;
    explicit analogSetting(float v) : value(v) {}

    // Values compare as floats (NaN never equal); knob values only when knob-controlled.
    bool operator==(const analogSetting& other) const;
    // Sets the value the way every control and default does: no knob control.
    void set(float v) {
        value = v;
        knobControlled = false;
    }
};

// Packet ids of the per-axis analog members (not the member order).
enum axisAnalogId : std::uint8_t {
    sensitivityId = 0,
    baseDeadzoneId = 1,
    variableDeadzoneId = 2,
    curvatureId = 3,
    asymmetryId = 4,
};

struct axisSettings {
    analogSetting sensitivity{1.0f};
    analogSetting asymmetry{1.0f};
    analogSetting baseDeadzone{0.05f};
    analogSetting variableDeadzone{0.12f};
    analogSetting curvature{1.4f};
    bool disabled = false;
    bool inverted = false;

    // The member with packet id `id` (0-4); nullptr for any other id.
    analogSetting* analogById(int id);
    const analogSetting* analogById(int id) const;
};

// Indices of a mode's digitalSettings table.
enum digitalIndex : int {
    leftKnobRangeIndex = 0,
    rightKnobRangeIndex = 1,
    leftKnobCenterIndex = 2,
    rightKnobCenterIndex = 3,
    addKnobToAxisIndex = 4,
    reorderAxesIndex = 5,
    extendedButtonsIndex = 6,
    disabledButtonsIndex = 7,
    modifiedButtonsIndex = 8,
    toggledButtonsIndex = 9,
    autofireIndex = 10,
    cruiseControlIndex = 11,
    motorConstantIndex = 12,
    motorPulseIndex = 13,
    motorExtendedIndex = 14,
};

// Packet ids of the mode-wide analog members.
enum modeAnalogId : std::uint8_t {
    baseSensitivityId = 0,
    smoothingId = 1,
    shiftXId = 2,
    shiftYId = 3,
};

struct mode {
    axisSettings axes[axisCount];

    // The fifteen feature objects, in table order.
    knobRangeSettings knobRange[knobCount];
    knobCenterSettings knobCenter[knobCount];
    addKnobToAxisSettings addKnobToAxis;
    reorderAxesSettings reorderAxes;
    extendedButtonSettings extendedButtons;
    disabledButtonsSettings disabledButtons;
    modifiedButtonsSettings modifiedButtons;
    toggledButtonsSettings toggledButtons;
    autofireSettings autofire;
    cruiseControlSettings cruiseControl;
    motorConstantSettings motorConstant;
    motorPulseSettings motorPulse;
    motorExtendedSettings motorExtended;

    // Non-owning, always pointing at this mode's own objects.
    singleModeAllAxisDigitalSetting* digitalSettings[digitalCount];

    analogSetting baseSensitivity{1.0f};
    analogSetting smoothing{1.0f};
    analogSetting shiftX{0.0f};
    analogSetting shiftY{0.0f};

    // A new mode holds the defaults and points its table at its own objects, so a
    // copy made for a swap is as safe to use as the global modes.
    mode();
    mode(const mode& other);
    // Copies every setting value and keeps this mode's own table.
    mode& operator=(const mode& other);

    // Points the table at this mode's objects in table order.
    void linkDigitalSettings();
    // Loads the defaults of every per-mode setting, the feature objects through the table.
    void setDefault();

    // The member with mode-wide packet id `id` (0-3); nullptr for any other id.
    analogSetting* analogById(int id);
    const analogSetting* analogById(int id) const;
};

// Global settings; the first six form the basic setup packet, the next four the mode
// settings packet.
extern std::uint8_t LEDoutput; // 0 off, 1 left-to-right, 2 symmetrical, 3 sym. with cruise
extern bool ledHighBrightness;
extern bool knobsDisabled;
extern bool loadCellDiagnosticMode;
extern bool digitalOutputDiagnosticMode;
extern bool useRightKnobForSettings;
extern std::uint8_t numModes; // 1-3
extern bool useModeCycleButton;
extern bool useModeMomentary[2];    // mode B, mode C
extern std::uint8_t modeButtons[3]; // mode A (or the cycle button), B, C
extern std::uint8_t activeMode;     // shown in the window; never sent or stored
extern mode modes[modeCount];

// Number of modes the packets and the mode rules work on: numModes held to 1-3, so a
// bad value can never index past the three modes.
int modesInUse();

// activeMode = 0, relinks every table, then setDefaultValues().
void init();
// Every default of the model except activeMode.
void setDefaultValues();

} // namespace settings

using settings::analogSetting;
using settings::axisSettings;
