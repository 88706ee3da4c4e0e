#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace sim {

using packet = std::array<std::uint8_t, 7>;

// Ways to misbehave, for fault tests; read by the links on every exchange.
struct JoystickFaults {
    std::atomic<bool> silent{false};         // no echoes, no replies
    std::atomic<bool> splitReplies{false};   // echoes and replies in two writes, 200 ms apart
    std::atomic<bool> corruptReplies{false}; // last byte of every echo and reply flipped
    std::atomic<bool> staleBytes{false};     // a stray byte queued before every echo and reply
    std::atomic<bool> zeroCount{false};      // the settings count reply announces 0 packets
};

// What the joystick knows and answers, shared by its serial and HID links. Builds its
// packets by hand: it runs on threads of its own and must not touch the program's
// packet buffer.
class JoystickState {
public:
    JoystickState();

    // The stored settings block as the program sent it (start packet first); the
    // default block until one was stored.
    std::vector<std::uint8_t> storedBlock() const;
    void storeBlock(std::vector<std::uint8_t> block);
    void resetToDefaults();
    // The block as the joystick sends it: the count reply first (0xC0 00 01 count) and
    // every packet with the program's bit (byte 0 bit 5) clear.
    std::vector<std::uint8_t> outgoingBlock() const;

    // The reply to a request packet (codes 4, 6, 8, 10, 12, 14); none for anything else.
    std::optional<packet> reply(const packet& request);
    // Counts the re-tare and clear commands; true when the packet was one of them.
    bool command(const packet& request);

    // Values of the replies.
    std::atomic<std::uint8_t> firmwareMajor{1}, firmwareMinor{0}, firmwarePatch{5};
    std::atomic<std::uint32_t> miscErrors{0}, loadCellErrors{0};
    std::atomic<std::uint16_t> leftKnobRaw{2048}, rightKnobRaw{2048};
    std::atomic<std::uint32_t> buttons{0};
    std::atomic<std::uint8_t> diagnosticFps{250};

    std::atomic<int> retares{0};
    std::atomic<int> requestsAnswered{0};

    JoystickFaults faults;

private:
    mutable std::mutex lock;
    std::vector<std::uint8_t> block;
};

// The block a joystick with every setting at its default (one mode) holds.
const std::vector<std::uint8_t>& defaultSettingsBlock();

// A command packet: (marker, 0, code, value least significant byte first).
packet commandPacket(std::uint8_t marker, std::uint8_t code, std::uint32_t value);

} // namespace sim
