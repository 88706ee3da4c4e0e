#include "sim/joystick/JoystickState.h"

namespace sim {

namespace {

constexpr std::uint8_t programBit = 0x20;
constexpr std::uint8_t replyMarker = 0xC0;
constexpr std::uint8_t programCommand = 0xE0;

} // namespace

const std::vector<std::uint8_t>& defaultSettingsBlock() {
    static const std::vector<std::uint8_t> block = {
        0xE0, 0x00, 0x01, 0x1E, 0x00, 0x00, 0x00, 0xB0, 0xC0, 0x00, 0x00, 0x00, 0x01, 0x02, 0xB0,
        0xC0, 0x01, 0x11, 0x15, 0x00, 0x00, 0xA1, 0xC0, 0x00, 0x04, 0x2D, 0x0D, 0x2F, 0xA1, 0xC0,
        0x00, 0x05, 0x2D, 0x0D, 0x2F, 0xA1, 0xC0, 0x01, 0x00, 0x7B, 0xC8, 0x42, 0xA1, 0xC0, 0x01,
        0x01, 0x7B, 0xC8, 0x42, 0xA1, 0xC0, 0x02, 0x00, 0x01, 0x03, 0xE8, 0xA1, 0xC0, 0x03, 0x01,
        0x23, 0x45, 0x67, 0xA1, 0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0xA1, 0xC0, 0x05, 0x00, 0x00,
        0x00, 0x00, 0xA1, 0xC0, 0x06, 0xFF, 0xFF, 0xFF, 0xFF, 0xA1, 0xC0, 0x07, 0x00, 0x00, 0x00,
        0x00, 0xA1, 0xC0, 0x08, 0x00, 0x00, 0x00, 0x0A, 0xA1, 0xC0, 0x09, 0x00, 0x02, 0x02, 0x00,
        0xA1, 0xC0, 0x0A, 0x02, 0x03, 0x07, 0xD0, 0xA1, 0xC0, 0x0B, 0x02, 0x02, 0x03, 0xE8, 0xA1,
        0xC0, 0x0C, 0x00, 0x00, 0x3F, 0x3F, 0xA1, 0xBF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA1, 0x40,
        0x00, 0x00, 0x00, 0x80, 0x3F, 0xA1, 0x40, 0x01, 0x00, 0x00, 0x80, 0x3F, 0xA1, 0x40, 0x02,
        0x00, 0x00, 0x00, 0x00, 0xA1, 0x40, 0x03, 0x00, 0x00, 0x00, 0x00, 0xA1, 0x3F, 0x00, 0x00,
        0x00, 0x80, 0x3F, 0xA1, 0x07, 0x01, 0xCD, 0xCC, 0x4C, 0x3D, 0xA1, 0x28, 0x01, 0x00, 0x00,
        0x00, 0x00, 0xA1, 0x10, 0x01, 0xCD, 0xCC, 0xCC, 0x3D, 0xA1, 0x3F, 0x02, 0x8F, 0xC2, 0xF5,
        0x3D, 0xA1, 0x3F, 0x03, 0x33, 0x33, 0xB3, 0x3F, 0xA1, 0x3F, 0x04, 0x00, 0x00, 0x80, 0x3F,
    };
    return block;
}

packet commandPacket(std::uint8_t marker, std::uint8_t code, std::uint32_t value) {
    return {marker,
            0,
            code,
            static_cast<std::uint8_t>(value),
            static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 24)};
}

JoystickState::JoystickState() : block(defaultSettingsBlock()) {}

std::vector<std::uint8_t> JoystickState::storedBlock() const {
    std::lock_guard guard(lock);
    return block;
}

void JoystickState::storeBlock(std::vector<std::uint8_t> newBlock) {
    std::lock_guard guard(lock);
    block = std::move(newBlock);
}

void JoystickState::resetToDefaults() {
    storeBlock(defaultSettingsBlock());
}

std::vector<std::uint8_t> JoystickState::outgoingBlock() const {
    auto result = storedBlock();
    for (std::size_t i = 0; i + 7 <= result.size(); i += 7)
        result[i] &= static_cast<std::uint8_t>(~programBit);
    if (result.size() >= 7) {
        std::uint32_t count = static_cast<std::uint32_t>(result.size() / 7);
        auto start = commandPacket(replyMarker, 1, faults.zeroCount ? 0 : count);
        std::copy(start.begin(), start.end(), result.begin());
    }
    return result;
}

std::optional<packet> JoystickState::reply(const packet& request) {
    if (request[0] != programCommand)
        return std::nullopt;
    std::optional<packet> answer;
    switch (request[2]) {
    case 4:
        answer = packet{replyMarker, 0, 5, 0, firmwareMajor, firmwareMinor, firmwarePatch};
        break;
    case 6:
        answer = commandPacket(replyMarker, 7, miscErrors);
        break;
    case 8:
        answer = commandPacket(replyMarker, 9, loadCellErrors);
        break;
    case 10: {
        std::uint16_t left = leftKnobRaw, right = rightKnobRaw;
        answer = packet{replyMarker,
                        0,
                        11,
                        static_cast<std::uint8_t>(left >> 8),
                        static_cast<std::uint8_t>(left),
                        static_cast<std::uint8_t>(right >> 8),
                        static_cast<std::uint8_t>(right)};
        break;
    }
    case 12:
        answer = commandPacket(replyMarker, 13, buttons);
        break;
    case 14:
        answer = packet{replyMarker, 0, 15, 0, 0, 0, diagnosticFps};
        break;
    default:
        break;
    }
    if (answer)
        ++requestsAnswered;
    return answer;
}

bool JoystickState::command(const packet& request) {
    if (request[0] != programCommand)
        return false;
    if (request[2] == 3) {
        ++retares;
        return true;
    }
    if (request[2] == 2) {
        resetToDefaults();
        return true;
    }
    return false;
}

} // namespace sim
