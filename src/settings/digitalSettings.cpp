#include "settings/digitalSettings.h"

#include <algorithm>
#include <iterator>
#include <typeinfo>

namespace settings {

namespace {

// The other object as this object's class, or nullptr when it is of another class.
template <class T> const T* sameClass(const T& self, const singleModeAllAxisDigitalSetting& other) {
    if (typeid(self) != typeid(other)) {
        return nullptr;
    }
    return static_cast<const T*>(&other);
}

} // namespace

bool singleModeAllAxisDigitalSetting::compare(const singleModeAllAxisDigitalSetting&) const {
    return false;
}
void singleModeAllAxisDigitalSetting::setDefault() {}
void singleModeAllAxisDigitalSetting::build(std::uint8_t) const {}
void singleModeAllAxisDigitalSetting::parse() {}

bool knobRangeSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    return o && knob == o->knob && inverted == o->inverted &&
           useCenterDeadzone == o->useCenterDeadzone && minimum == o->minimum &&
           maximum == o->maximum;
}

void knobRangeSettings::setDefault() {
    inverted = false;
    useCenterDeadzone = true;
    minimum = 720;
    maximum = 3375;
}

bool knobCenterSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    return o && knob == o->knob && center == o->center && deadzoneEnd == o->deadzoneEnd;
}

void knobCenterSettings::setDefault() {
    center = 1980;
    deadzoneEnd = 2114;
}

bool addKnobToAxisSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled ||
           (rightKnob == o->rightKnob && bidirectional == o->bidirectional &&
            inverted == o->inverted && axis == o->axis && scalingFactor == o->scalingFactor);
}

void addKnobToAxisSettings::setDefault() {
    enabled = false;
    rightKnob = false;
    bidirectional = false;
    inverted = false;
    axis = 1;
    scalingFactor = 1.0f;
}

bool reorderAxesSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled || std::equal(std::begin(order), std::end(order), std::begin(o->order));
}

void reorderAxesSettings::setDefault() {
    enabled = false;
    for (int i = 0; i < 8; ++i) {
        order[i] = static_cast<std::uint8_t>(i);
    }
}

bool extendedButtonSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || disableHatSwitch != o->disableHatSwitch ||
        useModifiedButtons != o->useModifiedButtons) {
        return false;
    }
    return !useModifiedButtons || modifierButton == o->modifierButton;
}

void extendedButtonSettings::setDefault() {
    disableHatSwitch = false;
    useModifiedButtons = false;
    modifierButton = 0;
}

bool buttonMaskSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    return o && buttons == o->buttons;
}

void disabledButtonsSettings::setDefault() {
    buttons = 0;
}
void modifiedButtonsSettings::setDefault() {
    buttons = 0xFFFFFFFFu;
}
void toggledButtonsSettings::setDefault() {
    buttons = 0;
}

bool autofireSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled || (button == o->button && period == o->period);
}

void autofireSettings::setDefault() {
    enabled = false;
    button = 0;
    period = 10;
}

bool cruiseControlSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled || (toggle == o->toggle && axes == o->axes && button == o->button);
}

void cruiseControlSettings::setDefault() {
    enabled = false;
    toggle = true;
    axes = 2;
    button = 0;
}

bool motorConstantSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled || (highSpeed == o->highSpeed && pulsePeriod == o->pulsePeriod &&
                        activationPoint == o->activationPoint);
}

void motorConstantSettings::setDefault() {
    enabled = false;
    highSpeed = true;
    pulsePeriod = 3;
    activationPoint = 2.0f;
}

bool motorPulseSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    if (!o || enabled != o->enabled) {
        return false;
    }
    return !enabled || (highSpeed == o->highSpeed && pulseLength == o->pulseLength &&
                        activationPoint == o->activationPoint);
}

void motorPulseSettings::setDefault() {
    enabled = false;
    highSpeed = true;
    pulseLength = 2;
    activationPoint = 1.0f;
}

bool motorExtendedSettings::compare(const singleModeAllAxisDigitalSetting& other) const {
    const auto* o = sameClass(*this, other);
    return o && constantAxes == o->constantAxes && pulseAxes == o->pulseAxes;
}

void motorExtendedSettings::setDefault() {
    constantAxes = 0x3F;
    pulseAxes = 0x3F;
}

} // namespace settings
