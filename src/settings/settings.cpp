#include "settings/settings.h"

#include <algorithm>
#include <iterator>

namespace settings {

std::uint8_t LEDoutput = 1;
bool ledHighBrightness = true;
bool knobsDisabled = false;
bool loadCellDiagnosticMode = false;
bool digitalOutputDiagnosticMode = false;
bool useRightKnobForSettings = false;
std::uint8_t numModes = 1;
bool useModeCycleButton = true;
bool useModeMomentary[2] = {false, false};
std::uint8_t modeButtons[3] = {21, 26, 31};
std::uint8_t activeMode = 0;
mode modes[modeCount];

bool analogSetting::operator==(const analogSetting& other) const {
    if (value != other.value || knobControlled != other.knobControlled) {
        return false;
    }
    return !knobControlled || knobValue == other.knobValue;
}

analogSetting* axisSettings::analogById(int id) {
    switch (id) {
    case sensitivityId:
        return &sensitivity;
    case baseDeadzoneId:
        return &baseDeadzone;
    case variableDeadzoneId:
        return &variableDeadzone;
    case curvatureId:
        return &curvature;
    case asymmetryId:
        return &asymmetry;
    default:
        return nullptr;
    }
}

const analogSetting* axisSettings::analogById(int id) const {
    return const_cast<axisSettings*>(this)->analogById(id);
}

mode::mode() {
    linkDigitalSettings();
    setDefault();
}

mode::mode(const mode& other) {
    linkDigitalSettings();
    *this = other;
}

mode& mode::operator=(const mode& other) {
    if (this == &other) {
        return *this;
    }
    std::copy(std::begin(other.axes), std::end(other.axes), std::begin(axes));
    for (int k = 0; k < knobCount; ++k) {
        knobRange[k] = other.knobRange[k];
        knobCenter[k] = other.knobCenter[k];
    }
    addKnobToAxis = other.addKnobToAxis;
    reorderAxes = other.reorderAxes;
    extendedButtons = other.extendedButtons;
    disabledButtons = other.disabledButtons;
    modifiedButtons = other.modifiedButtons;
    toggledButtons = other.toggledButtons;
    autofire = other.autofire;
    cruiseControl = other.cruiseControl;
    motorConstant = other.motorConstant;
    motorPulse = other.motorPulse;
    motorExtended = other.motorExtended;
    baseSensitivity = other.baseSensitivity;
    smoothing = other.smoothing;
    shiftX = other.shiftX;
    shiftY = other.shiftY;
    return *this;
}

void mode::linkDigitalSettings() {
    digitalSettings[leftKnobRangeIndex] = &knobRange[0];
    digitalSettings[rightKnobRangeIndex] = &knobRange[1];
    digitalSettings[leftKnobCenterIndex] = &knobCenter[0];
    digitalSettings[rightKnobCenterIndex] = &knobCenter[1];
    digitalSettings[addKnobToAxisIndex] = &addKnobToAxis;
    digitalSettings[reorderAxesIndex] = &reorderAxes;
    digitalSettings[extendedButtonsIndex] = &extendedButtons;
    digitalSettings[disabledButtonsIndex] = &disabledButtons;
    digitalSettings[modifiedButtonsIndex] = &modifiedButtons;
    digitalSettings[toggledButtonsIndex] = &toggledButtons;
    digitalSettings[autofireIndex] = &autofire;
    digitalSettings[cruiseControlIndex] = &cruiseControl;
    digitalSettings[motorConstantIndex] = &motorConstant;
    digitalSettings[motorPulseIndex] = &motorPulse;
    digitalSettings[motorExtendedIndex] = &motorExtended;
}

void mode::setDefault() {
    for (auto* setting : digitalSettings) {
        setting->setDefault();
    }
    knobRange[0].knob = 0;
    knobRange[1].knob = 1;
    knobCenter[0].knob = 0;
    knobCenter[1].knob = 1;

    baseSensitivity.set(1.0f);
    smoothing.set(1.0f);
    shiftX.set(0.0f);
    shiftY.set(0.0f);

    // X, Y, Z, pitch, roll, yaw
    static constexpr float baseDeadzones[axisCount] = {0.05f, 0.05f, 0.05f, 0.0f, 0.1f, 0.0f};
    for (int a = 0; a < axisCount; ++a) {
        axisSettings& axis = axes[a];
        axis.sensitivity.set(1.0f);
        axis.asymmetry.set(1.0f);
        axis.baseDeadzone.set(baseDeadzones[a]);
        axis.variableDeadzone.set(0.12f);
        axis.curvature.set(1.4f);
        axis.disabled = false;
        axis.inverted = false;
    }
}

analogSetting* mode::analogById(int id) {
    switch (id) {
    case baseSensitivityId:
        return &baseSensitivity;
    case smoothingId:
        return &smoothing;
    case shiftXId:
        return &shiftX;
    case shiftYId:
        return &shiftY;
    default:
        return nullptr;
    }
}

const analogSetting* mode::analogById(int id) const {
    return const_cast<mode*>(this)->analogById(id);
}

int modesInUse() {
    return std::clamp<int>(numModes, 1, modeCount);
}

void init() {
    activeMode = 0;
    for (mode& m : modes) {
        m.linkDigitalSettings();
    }
    setDefaultValues();
}

void setDefaultValues() {
    numModes = 1;
    modeButtons[0] = 21;
    modeButtons[1] = 26;
    modeButtons[2] = 31;
    useModeCycleButton = true;
    useModeMomentary[0] = false;
    useModeMomentary[1] = false;
    knobsDisabled = false;
    ledHighBrightness = true;
    loadCellDiagnosticMode = false;
    digitalOutputDiagnosticMode = false;
    useRightKnobForSettings = false;
    LEDoutput = 1;

    modes[0].setDefault();
    modes[1] = modes[0];
    modes[2] = modes[0];
}

} // namespace settings
