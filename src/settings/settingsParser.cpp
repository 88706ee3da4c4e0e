#include "settings/settingsParser.h"

#include "settings/settings.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace settingsParser {

std::uint8_t data[packetSize] = {};

namespace {

void buildCommand(std::uint8_t code) {
    clearParseData();
    data[0] = markerBit | commandBit | hostBit;
    data[2] = code;
}

void populateBigEndian16(int at, std::uint16_t value) {
    data[at] = static_cast<std::uint8_t>(value >> 8);
    data[at + 1] = static_cast<std::uint8_t>(value);
}

} // namespace

int commandResult(int code) {
    static constexpr int results[16] = {
        result::requestSettings,         result::startSettings,
        result::clearSettings,           result::retareLoadCells,
        result::requestFirmwareVersion,  result::firmwareVersion,
        result::requestMiscErrors,       result::miscErrors,
        result::requestLoadCellErrors,   result::loadCellErrors,
        result::requestKnobValues,       result::knobValues,
        result::requestButtonValues,     result::buttonValues,
        result::requestDiagnosticValues, result::diagnosticValues,
    };
    if (code < 0 || code > 15) {
        return result::invalid;
    }
    return results[code];
}

void clearParseData() {
    std::memset(data, 0, sizeof data);
}

std::uint32_t singleBit(int n) {
    return n >= 0 && n < 32 ? 1u << n : 0u;
}

void populateBitsFromFloat(float value) {
    populateBitsFromInt(std::bit_cast<std::uint32_t>(value));
}

void populateBitsFromInt(std::uint32_t value) {
    for (int k = 0; k < 4; ++k) {
        data[3 + k] = static_cast<std::uint8_t>(value >> (8 * k));
    }
}

std::uint32_t getDataInt() {
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) {
        value |= static_cast<std::uint32_t>(data[3 + k]) << (8 * k);
    }
    return value;
}

float getDataFloat() {
    return std::bit_cast<float>(getDataInt());
}

float unsignedToLowResFloat(std::uint16_t value) {
    float decoded = static_cast<float>(static_cast<double>(value) * static_cast<double>(0.001f));
    // For some values (257, 1005, ...) the rounded product lies just below value/1000 and
    // would go out one lower again: a file opened and saved, or settings received and
    // sent back, would drift. Take the next float up so that the value survives.
    if (lowResFloatToUnsigned(decoded) != value) {
        decoded = std::nextafter(decoded, std::numeric_limits<float>::infinity());
    }
    return decoded;
}

std::uint16_t lowResFloatToUnsigned(float value) {
    // Formed in double so that 0.7f (0.69999998...) goes out as 699, as the stick expects.
    const double product = std::trunc(static_cast<double>(value) * 1000.0);
    if (!std::isfinite(product)) {
        return 0;
    }
    double low = std::fmod(product, 65536.0);
    if (low < 0) {
        low += 65536.0;
    }
    return static_cast<std::uint16_t>(low);
}

std::uint32_t parseNumberOfPackets() {
    const std::uint32_t count = getDataInt();
    return count <= static_cast<std::uint32_t>(maxBlockBytes / packetSize) ? count : 0;
}

void buildRequestSettings() {
    buildCommand(requestSettingsCommand);
}

void buildStartSettingsNumberOfPackets(std::uint32_t count) {
    buildCommand(startSettingsCommand);
    populateBitsFromInt(count);
}

void buildClearSettings() {
    buildCommand(clearSettingsCommand);
}
void buildRetareLoadCells() {
    buildCommand(retareLoadCellsCommand);
}
void buildRequestFirmwareVersion() {
    buildCommand(requestFirmwareVersionCommand);
}

void buildSendFirmwareVersion(std::uint8_t major, std::uint8_t minor, std::uint8_t patch) {
    buildCommand(sendFirmwareVersionCommand);
    data[4] = major;
    data[5] = minor;
    data[6] = patch;
}

void buildRequestErrorValues(bool loadCellErrors) {
    buildCommand(loadCellErrors ? requestLoadCellErrorsCommand : requestMiscErrorsCommand);
}

void buildSendErrorValues(bool loadCellErrors, std::uint32_t errors) {
    buildCommand(loadCellErrors ? sendLoadCellErrorsCommand : sendMiscErrorsCommand);
    populateBitsFromInt(errors);
}

void buildRequestKnobValues() {
    buildCommand(requestKnobValuesCommand);
}

void buildSendKnobValues(std::uint16_t first, std::uint16_t second) {
    buildCommand(sendKnobValuesCommand);
    populateBigEndian16(3, first);
    populateBigEndian16(5, second);
}

void buildRequestButtonValues() {
    buildCommand(requestButtonValuesCommand);
}

void buildSendButtonValues(std::uint32_t buttons) {
    buildCommand(sendButtonValuesCommand);
    populateBitsFromInt(buttons);
}

void buildRequestDiagnosticValues() {
    buildCommand(requestDiagnosticValuesCommand);
}

void buildSendDiagnosticValues(std::uint8_t value) {
    buildCommand(sendDiagnosticValuesCommand);
    data[6] = value;
}

void buildBasicSetupBits() {
    clearParseData();
    data[0] = markerBit | hostBit | globalBit;
    data[1] = digitalBit | allAxisBit;
    data[2] = 0;
    data[5] = settings::LEDoutput;
    data[6] = static_cast<std::uint8_t>((settings::knobsDisabled ? 0x01 : 0) |
                                        (settings::ledHighBrightness ? 0x02 : 0) |
                                        (settings::loadCellDiagnosticMode ? 0x04 : 0) |
                                        (settings::digitalOutputDiagnosticMode ? 0x08 : 0) |
                                        (settings::useRightKnobForSettings ? 0x10 : 0));
}

void buildModeSettings() {
    clearParseData();
    data[0] = markerBit | hostBit | globalBit;
    data[1] = digitalBit | allAxisBit;
    data[2] = 1;
    data[3] = static_cast<std::uint8_t>(
        (settings::useModeCycleButton ? 0x01 : 0) | (settings::useModeMomentary[0] ? 0x02 : 0) |
        (settings::useModeMomentary[1] ? 0x04 : 0) | (settings::numModes << 4));
    data[4] = settings::modeButtons[0];
    data[5] = settings::numModes >= 2 ? settings::modeButtons[1] : 0;
    data[6] = settings::numModes == 3 ? settings::modeButtons[2] : 0;
}

void buildAllAxisAnalog(std::uint8_t modeMask, std::uint8_t id, float value, bool knobBit) {
    clearParseData();
    data[0] = markerBit | hostBit | (modeMask & modeMaskBits);
    data[1] = allAxisBit;
    data[2] = static_cast<std::uint8_t>((id & idBits) | (knobBit ? knobValueBit : 0));
    populateBitsFromFloat(value);
}

void buildPerAxisAnalog(std::uint8_t modeMask, std::uint8_t axisMask, std::uint8_t id, float value,
                        bool knobBit) {
    clearParseData();
    data[0] = markerBit | hostBit | (modeMask & modeMaskBits);
    data[1] = axisMask & axisMaskBits;
    data[2] = static_cast<std::uint8_t>((id & idBits) | (knobBit ? knobValueBit : 0));
    populateBitsFromFloat(value);
}

void buildPerAxisDigitalAxisModifiers(std::uint8_t modeMask, std::uint8_t axisMask, bool disabled,
                                      bool inverted) {
    clearParseData();
    data[0] = markerBit | hostBit | (modeMask & modeMaskBits);
    data[1] = digitalBit | (axisMask & axisMaskBits);
    data[6] = static_cast<std::uint8_t>((disabled ? 0x01 : 0) | (inverted ? 0x02 : 0));
}

void buildDigitalHeader(std::uint8_t modeMask, std::uint8_t classId) {
    clearParseData();
    data[0] = markerBit | hostBit | (modeMask & modeMaskBits);
    data[1] = digitalBit | allAxisBit;
    data[2] = classId & idBits;
}

} // namespace settingsParser
