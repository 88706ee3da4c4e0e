#include "device/joystickOutputParser.h"

#include "device/hidConnection.h"

namespace joystickOutputParser {

std::int32_t axisValues[8] = {};
std::uint64_t buttonVals = 0;
std::int32_t hatVal = 0;
bool hasKnobOutput = true;

namespace {

// The 10-bit value starting at bit `bit` of the report's packed area (byte 1 on).
std::int32_t tenBits(const std::uint8_t* report, int bit) {
    int byte = 1 + bit / 8;
    int shift = bit % 8;
    unsigned pair = unsigned{report[byte]} | unsigned{report[byte + 1]} << 8;
    return static_cast<std::int32_t>((pair >> shift) & 0x3FF);
}

std::uint64_t buttonsAt(const std::uint8_t* report, int first) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | report[first + i];
    return value;
}

} // namespace

void setDefaults() {
    for (auto& axis : axisValues)
        axis = 0;
    buttonVals = 0;
    hasKnobOutput = true;
}

int getSingleButton(int n) {
    if (n < 0 || n > 63)
        return 0;
    return static_cast<int>((buttonVals >> n) & 1);
}

bool parseReport(const std::uint8_t* report, std::size_t size) {
    // Shorter reports than the knob-less form cannot hold the buttons.
    if (size < reportWithoutKnobsSize || report[0] != hidConnection::controllerReportId)
        return false;
    // A report between the two sizes is refused before anything is touched.
    const bool withKnobs = size != reportWithoutKnobsSize;
    if (withKnobs && size < reportWithKnobsSize)
        return false;
    hasKnobOutput = withKnobs;
    for (int axis = 0; axis < 6; ++axis)
        axisValues[axis] = tenBits(report, axis * 10);
    hatVal = report[8] >> 4;
    if (hasKnobOutput) {
        axisValues[6] = tenBits(report, 64);
        axisValues[7] = tenBits(report, 74);
        buttonVals = buttonsAt(report, 12);
    } else {
        axisValues[6] = 0;
        axisValues[7] = 0;
        buttonVals = buttonsAt(report, 9);
    }
    return true;
}

bool receiveAndParse() {
    int n = hidConnection::receiveValues();
    if (n <= 0)
        return false;
    return parseReport(hidConnection::inputBuffer, static_cast<std::size_t>(n));
}

} // namespace joystickOutputParser
