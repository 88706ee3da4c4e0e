// Packet layouts of the fifteen feature objects: build() and parse().
#include "settings/digitalSettings.h"
#include "settings/settingsParser.h"

namespace settings {

using settingsParser::buildDigitalHeader;
using settingsParser::data;

namespace {

enum classId : std::uint8_t {
    knobRangeId = 0,
    knobCenterId = 1,
    addKnobToAxisId = 2,
    reorderAxesId = 3,
    extendedButtonsId = 4,
    disabledButtonsId = 5,
    modifiedButtonsId = 6,
    toggledButtonsId = 7,
    autofireId = 8,
    cruiseControlId = 9,
    motorConstantId = 10,
    motorPulseId = 11,
    motorExtendedId = 12,
};

bool bit(std::uint8_t byte, int n) {
    return (byte >> n) & 1;
}

// Two 12-bit values in bytes 4-6: first in byte 4 and the high nibble of byte 5.
void put12BitPair(std::uint16_t first, std::uint16_t second) {
    data[4] = static_cast<std::uint8_t>(first >> 4);
    data[5] = static_cast<std::uint8_t>(((first & 0x0F) << 4) | ((second >> 8) & 0x0F));
    data[6] = static_cast<std::uint8_t>(second);
}

std::uint16_t first12Bit() {
    return static_cast<std::uint16_t>((data[4] << 4) | (data[5] >> 4));
}
std::uint16_t second12Bit() {
    return static_cast<std::uint16_t>(((data[5] & 0x0F) << 8) | data[6]);
}

void putLowResFloat(float value) {
    const std::uint16_t raw = settingsParser::lowResFloatToUnsigned(value);
    data[5] = static_cast<std::uint8_t>(raw >> 8);
    data[6] = static_cast<std::uint8_t>(raw);
}

float lowResFloat() {
    return settingsParser::unsignedToLowResFloat(
        static_cast<std::uint16_t>((data[5] << 8) | data[6]));
}

} // namespace

void knobRangeSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, knobRangeId);
    data[3] = static_cast<std::uint8_t>((knob & 1) | (inverted ? 0x02 : 0) |
                                        (useCenterDeadzone ? 0x04 : 0));
    put12BitPair(minimum, maximum);
}

void knobRangeSettings::parse() {
    inverted = bit(data[3], 1);
    useCenterDeadzone = bit(data[3], 2);
    minimum = first12Bit();
    maximum = second12Bit();
    if (minimum > 4092) {
        minimum = 4092;
    }
    if (maximum <= minimum) {
        maximum = static_cast<std::uint16_t>(minimum + 1);
    }
}

void knobCenterSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, knobCenterId);
    data[3] = knob;
    put12BitPair(center, deadzoneEnd);
}

void knobCenterSettings::parse() {
    center = first12Bit();
    deadzoneEnd = second12Bit();
    if (center > 4093) {
        center = 4093;
    }
    if (deadzoneEnd == 4095) {
        deadzoneEnd = 4094;
    } else if (deadzoneEnd <= center) {
        deadzoneEnd = static_cast<std::uint16_t>(center + 1);
    }
}

void addKnobToAxisSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, addKnobToAxisId);
    data[3] = static_cast<std::uint8_t>((enabled ? 0x01 : 0) | (rightKnob ? 0x02 : 0) |
                                        (bidirectional ? 0x04 : 0) | (inverted ? 0x08 : 0));
    data[4] = axis;
    putLowResFloat(scalingFactor);
}

void addKnobToAxisSettings::parse() {
    enabled = bit(data[3], 0);
    rightKnob = bit(data[3], 1);
    bidirectional = bit(data[3], 2);
    inverted = bit(data[3], 3);
    axis = data[4] > 5 ? 0 : data[4];
    scalingFactor = lowResFloat();
}

void reorderAxesSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, reorderAxesId);
    for (int k = 0; k < 4; ++k) {
        // A disabled reordering always goes out as the identity.
        const int high = enabled ? order[2 * k] & 0x0F : 2 * k;
        const int low = enabled ? order[2 * k + 1] & 0x0F : 2 * k + 1;
        data[3 + k] = static_cast<std::uint8_t>((high << 4) | low);
    }
}

void reorderAxesSettings::parse() {
    bool identity = true;
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t byte = data[3 + i / 2];
        std::uint8_t entry = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        if (entry > 7) {
            entry = 0;
        }
        order[i] = entry;
        identity = identity && entry == i;
    }
    enabled = !identity;
}

void extendedButtonSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, extendedButtonsId);
    data[5] =
        static_cast<std::uint8_t>((useModifiedButtons ? 0x01 : 0) | (disableHatSwitch ? 0x02 : 0));
    data[6] = modifierButton;
}

void extendedButtonSettings::parse() {
    useModifiedButtons = bit(data[5], 0);
    disableHatSwitch = bit(data[5], 1);
    modifierButton = data[6] > 31 ? 0 : data[6];
}

void buttonMaskSettings::buildWithId(std::uint8_t modeMask, std::uint8_t id) const {
    buildDigitalHeader(modeMask, id);
    settingsParser::populateBitsFromInt(buttons);
}

void buttonMaskSettings::parse() {
    buttons = settingsParser::getDataInt();
}

void disabledButtonsSettings::build(std::uint8_t modeMask) const {
    buildWithId(modeMask, disabledButtonsId);
}
void modifiedButtonsSettings::build(std::uint8_t modeMask) const {
    buildWithId(modeMask, modifiedButtonsId);
}
void toggledButtonsSettings::build(std::uint8_t modeMask) const {
    buildWithId(modeMask, toggledButtonsId);
}

void autofireSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, autofireId);
    data[3] = enabled ? 1 : 0;
    data[4] = button;
    data[5] = static_cast<std::uint8_t>(period >> 8);
    data[6] = static_cast<std::uint8_t>(period);
}

void autofireSettings::parse() {
    enabled = bit(data[3], 0);
    button = data[4] > 31 ? 0 : data[4];
    period = static_cast<std::uint16_t>((data[5] << 8) | data[6]);
}

void cruiseControlSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, cruiseControlId);
    data[4] = static_cast<std::uint8_t>((enabled ? 0x01 : 0) | (toggle ? 0x02 : 0));
    data[5] = axes;
    data[6] = button;
}

void cruiseControlSettings::parse() {
    enabled = bit(data[4], 0);
    toggle = bit(data[4], 1);
    axes = data[5];
    button = data[6] > 63 ? 0 : data[6];
}

void motorConstantSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, motorConstantId);
    data[3] = static_cast<std::uint8_t>((enabled ? 0x01 : 0) | (highSpeed ? 0x02 : 0));
    data[4] = pulsePeriod;
    putLowResFloat(activationPoint);
}

void motorConstantSettings::parse() {
    enabled = bit(data[3], 0);
    highSpeed = bit(data[3], 1);
    pulsePeriod = data[4];
    activationPoint = lowResFloat();
}

void motorPulseSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, motorPulseId);
    data[3] = static_cast<std::uint8_t>((enabled ? 0x01 : 0) | (highSpeed ? 0x02 : 0));
    data[4] = pulseLength;
    putLowResFloat(activationPoint);
}

void motorPulseSettings::parse() {
    enabled = bit(data[3], 0);
    highSpeed = bit(data[3], 1);
    pulseLength = data[4];
    activationPoint = lowResFloat();
}

void motorExtendedSettings::build(std::uint8_t modeMask) const {
    buildDigitalHeader(modeMask, motorExtendedId);
    data[5] = constantAxes;
    data[6] = pulseAxes;
}

void motorExtendedSettings::parse() {
    constantAxes = data[5];
    pulseAxes = data[6];
}

} // namespace settings
