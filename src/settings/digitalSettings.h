#pragma once

#include <cstdint>

namespace settings {

// A per-mode feature setting that travels as one packet for all six axes. Each mode
// owns fifteen of these and reaches them through its `digitalSettings` table.
class singleModeAllAxisDigitalSetting {
public:
    // True when `other` (the same kind of object of another mode) holds the same
    // settings, so both modes can share one packet. Objects of different classes
    // never compare equal.
    virtual bool compare(const singleModeAllAxisDigitalSetting& other) const;
    virtual void setDefault();
    // Fills settingsParser::data with this object's packet for the modes in `modeMask`.
    virtual void build(std::uint8_t modeMask) const;
    // Reads this object's values from settingsParser::data, correcting bad values.
    virtual void parse();

protected:
    // Never deleted through the base; the objects live inside their mode.
    ~singleModeAllAxisDigitalSetting() = default;
};

// Class id 0.
class knobRangeSettings : public singleModeAllAxisDigitalSetting {
public:
    std::uint8_t knob = 0; // 0 left, 1 right; fixed per object
    bool inverted = false;
    bool useCenterDeadzone = true;
    std::uint16_t minimum = 720;
    std::uint16_t maximum = 3375;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 1.
class knobCenterSettings : public singleModeAllAxisDigitalSetting {
public:
    std::uint8_t knob = 0;
    std::uint16_t center = 1980;
    std::uint16_t deadzoneEnd = 2114;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 2.
class addKnobToAxisSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    bool rightKnob = false;
    bool bidirectional = false;
    bool inverted = false;
    std::uint8_t axis = 1;
    float scalingFactor = 1.0f;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 3. order[i] is the output position (0-7) of source i.
class reorderAxesSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    std::uint8_t order[8] = {0, 1, 2, 3, 4, 5, 6, 7};

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 4.
class extendedButtonSettings : public singleModeAllAxisDigitalSetting {
public:
    bool disableHatSwitch = false;
    bool useModifiedButtons = false;
    std::uint8_t modifierButton = 0;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// The three button masks (bit n = button n) share their packet layout; each class
// has its own id and default.
class buttonMaskSettings : public singleModeAllAxisDigitalSetting {
public:
    std::uint32_t buttons = 0;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void parse() override;

protected:
    void buildWithId(std::uint8_t modeMask, std::uint8_t id) const;
};

// Class id 5.
class disabledButtonsSettings : public buttonMaskSettings {
public:
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
};

// Class id 6.
class modifiedButtonsSettings : public buttonMaskSettings {
public:
    modifiedButtonsSettings() { buttons = 0xFFFFFFFFu; }

    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
};

// Class id 7.
class toggledButtonsSettings : public buttonMaskSettings {
public:
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
};

// Class id 8.
class autofireSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    std::uint8_t button = 0;
    std::uint16_t period = 10; // 1/60 s

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 9.
class cruiseControlSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    bool toggle = true;
    std::uint8_t axes = 2; // bit n = axis n locked
    std::uint8_t button = 0;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 10.
class motorConstantSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    bool highSpeed = true;
    std::uint8_t pulsePeriod = 3; // 1/120 s
    float activationPoint = 2.0f;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 11.
class motorPulseSettings : public singleModeAllAxisDigitalSetting {
public:
    bool enabled = false;
    bool highSpeed = true;
    std::uint8_t pulseLength = 2; // 1/120 s
    float activationPoint = 1.0f;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

// Class id 12.
class motorExtendedSettings : public singleModeAllAxisDigitalSetting {
public:
    std::uint8_t constantAxes = 0x3F;
    std::uint8_t pulseAxes = 0x3F;

    bool compare(const singleModeAllAxisDigitalSetting& other) const override;
    void setDefault() override;
    void build(std::uint8_t modeMask) const override;
    void parse() override;
};

} // namespace settings
