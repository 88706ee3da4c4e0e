// parseToSettings: applies the packet in the buffer to the model or classifies it.
#include "settings/settings.h"
#include "settings/settingsParser.h"

#include <cmath>

namespace settingsParser {

namespace {

bool bit(std::uint8_t byte, int n) {
    return (byte >> n) & 1;
}

void parseBasicSetup() {
    settings::LEDoutput = data[5];
    settings::knobsDisabled = bit(data[6], 0);
    settings::ledHighBrightness = bit(data[6], 1);
    settings::loadCellDiagnosticMode = bit(data[6], 2);
    settings::digitalOutputDiagnosticMode = bit(data[6], 3);
    settings::useRightKnobForSettings = bit(data[6], 4);
}

void parseModeSettings() {
    const int n = data[3] >> 4;
    settings::useModeCycleButton = bit(data[3], 0);
    settings::useModeMomentary[0] = bit(data[3], 1);
    settings::useModeMomentary[1] = bit(data[3], 2);
    settings::modeButtons[0] = data[4];
    if (n >= 1 && n <= 3) {
        settings::numModes = static_cast<std::uint8_t>(n);
        if (n >= 2) {
            settings::modeButtons[1] = data[5];
        }
        if (n == 3) {
            settings::modeButtons[2] = data[6];
        }
    } else {
        settings::numModes = 1;
    }
    for (std::uint8_t& button : settings::modeButtons) {
        if (button > 63) {
            button = 0;
        }
    }
}

int parseGlobal() {
    switch (data[2] & idBits) {
    case 0:
        parseBasicSetup();
        return result::parsed;
    case 1:
        parseModeSettings();
        return result::parsed;
    default:
        return result::invalid;
    }
}

int parseModeDigital(std::uint8_t modeMask, int id) {
    if (id > 12) {
        return result::invalid;
    }
    int index = id + 2;
    if (id == 0) {
        index = data[3] & 1;
    } else if (id == 1) {
        index = 2 + (data[3] & 1);
    }
    for (int m = 0; m < settings::modeCount; ++m) {
        if (modeMask & (1 << m)) {
            settings::modes[m].digitalSettings[index]->parse();
        }
    }
    return result::parsed;
}

void parseAxisDigital(std::uint8_t modeMask, std::uint8_t axisMask) {
    for (int m = 0; m < settings::modeCount; ++m) {
        if (!(modeMask & (1 << m))) {
            continue;
        }
        for (int a = 0; a < settings::axisCount; ++a) {
            if (axisMask & (1 << a)) {
                settings::modes[m].axes[a].disabled = bit(data[6], 0);
                settings::modes[m].axes[a].inverted = bit(data[6], 1);
            }
        }
    }
}

void store(analogSetting& setting, float value, bool knobBit) {
    if (knobBit) {
        setting.knobControlled = true;
        setting.knobValue = value;
    } else {
        setting.knobControlled = false;
        setting.value = value;
    }
}

int parseAnalog(std::uint8_t modeMask, int id) {
    const float value = getDataFloat();
    if (std::isnan(value)) {
        return result::invalid;
    }
    const bool knobBit = data[2] & knobValueBit;
    if (data[1] & allAxisBit) {
        if (id > 3) {
            return result::invalid;
        }
        for (int m = 0; m < settings::modeCount; ++m) {
            if (modeMask & (1 << m)) {
                store(*settings::modes[m].analogById(id), value, knobBit);
            }
        }
        return result::parsed;
    }
    const std::uint8_t axisMask = data[1] & axisMaskBits;
    if (axisMask == 0 || modeMask == 0) {
        return result::parsed;
    }
    if (id > 4) {
        return result::invalid;
    }
    for (int m = 0; m < settings::modeCount; ++m) {
        if (!(modeMask & (1 << m))) {
            continue;
        }
        for (int a = 0; a < settings::axisCount; ++a) {
            if (axisMask & (1 << a)) {
                store(*settings::modes[m].axes[a].analogById(id), value, knobBit);
            }
        }
    }
    return result::parsed;
}

} // namespace

int parseToSettings(bool commandsOnly, bool acceptHostPackets) {
    if (!(data[0] & (markerBit | hostBit))) {
        return result::invalid;
    }
    if ((data[0] & hostBit) && !acceptHostPackets) {
        return result::refused;
    }
    if (data[0] & commandBit) {
        const int code = data[2];
        if (code > 15) {
            return result::invalid;
        }
        if (code == clearSettingsCommand) {
            settings::setDefaultValues();
        }
        return commandResult(code);
    }
    if (commandsOnly) {
        return result::ignored;
    }
    if (data[0] & globalBit) {
        return parseGlobal();
    }
    const std::uint8_t modeMask = data[0] & modeMaskBits;
    const int id = data[2] & idBits;
    if (data[1] & digitalBit) {
        if (data[1] & allAxisBit) {
            return parseModeDigital(modeMask, id);
        }
        parseAxisDigital(modeMask, data[1] & axisMaskBits);
        return result::parsed;
    }
    return parseAnalog(modeMask, id);
}

} // namespace settingsParser
