#include "device/sendReceive.h"

#include "device/sendReceiveDetail.h"
#include "device/serialConnection.h"
#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace sendReceive {

namespace detail {

int waitForSerialBytes(std::uint8_t* buffer, unsigned capacity, const answerLength& wanted) {
    using clock = std::chrono::steady_clock;
    auto micros = [](clock::duration d) {
        return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
    };
    const auto start = clock::now();
    int result = -1;
    // Polls without sleeping, so the answer is taken the moment it is queued.
    for (;;) {
        if (micros(clock::now() - start) > serialBlockTimeoutMicroseconds || result >= 0) {
            break;
        }
        if (!serial.isConnected()) {
            return 0;
        }
        result = serial.readData(buffer, capacity);
    }
    if (result <= 0) {
        return result;
    }
    auto lastBytes = clock::now();
    while (static_cast<unsigned>(result) < capacity) {
        const int whole = wanted(buffer, result);
        if (whole > 0 && result >= whole) {
            break;
        }
        if (!serial.isConnected()) {
            return 0;
        }
        // The time is taken before the read: a pause counts only when the queue was
        // still empty after it, so a program held up by a busy machine does not take
        // its own delay for the joystick's silence.
        const auto now = clock::now();
        const int more = serial.readData(buffer + result, capacity - static_cast<unsigned>(result));
        if (more > 0) {
            result += more;
            lastBytes = clock::now();
            continue;
        }
        if (micros(now - lastBytes) > serialSettleMicroseconds ||
            micros(now - start) > serialBlockTimeoutMicroseconds) {
            break;
        }
    }
    return result;
}

bool writeBlockAndCheckEcho() {
    prebuiltSettings::upToDate = false;
    prebuiltSettings::prebuildAllSettings();
    const std::uint8_t* block = prebuiltSettings::bytes();
    const auto size = static_cast<unsigned>(prebuiltSettings::size);
    if (block == nullptr || !serial.writeData(block, size)) {
        return false;
    }
    std::array<std::uint8_t, serialBufferSize> echo{};
    const int got = waitForSerialBytes(echo.data(), serialBufferSize, [](const std::uint8_t*, int) {
        return prebuiltSettings::size;
    });
    return got == prebuiltSettings::size && std::equal(block, block + size, echo.begin());
}

} // namespace detail

namespace {

// The block's length as its count packet announces it; 0 while that packet is
// incomplete, and no more than a read can take.
int announcedBlockLength(const std::uint8_t* bytes, int count) {
    constexpr int packet = settingsParser::packetSize;
    if (count < packet) {
        return 0;
    }
    const std::uint32_t announced = std::uint32_t{bytes[3]} | std::uint32_t{bytes[4]} << 8 |
                                    std::uint32_t{bytes[5]} << 16 | std::uint32_t{bytes[6]} << 24;
    if (announced < 1 || announced > static_cast<std::uint32_t>(maxSerialPackets)) {
        return packet; // refused anyway: nothing more to wait for
    }
    return static_cast<int>(announced) * packet;
}

} // namespace

bool sendSettingsViaSerial() {
    return serial.isConnected() && detail::writeBlockAndCheckEcho();
}

bool receiveSettingsViaSerial(exchangeWindow& window) {
    constexpr int packet = settingsParser::packetSize;
    settingsParser::buildRequestSettings();
    if (serial.isConnected()) {
        serial.writeFromParser(); // a failed write clears the error state; still wait
    }
    std::array<std::uint8_t, serialBufferSize> received{};
    const int got =
        detail::waitForSerialBytes(received.data(), serialBufferSize, announcedBlockLength);
    if (!serial.isConnected() || got < packet) {
        return false;
    }
    std::copy_n(received.begin(), packet, settingsParser::data);
    if (settingsParser::parseToSettings(true, false) != settingsParser::result::startSettings) {
        return false;
    }
    const auto count = static_cast<std::int32_t>(settingsParser::getDataInt());
    if (count < 1 || count > maxSerialPackets) {
        return false;
    }

    // Only bytes that arrived go into the list: a short block yields its whole packets
    // and no more.
    const std::int32_t announced = count * packet;
    const bool complete = got >= announced;
    const std::int32_t usable = complete ? announced : got - got % packet;
    prebuiltSettings::clearAllocateStart(usable);
    std::copy_n(received.begin(), usable, prebuiltSettings::bytes());
    while (prebuiltSettings::index + packet <= usable) {
        std::copy_n(prebuiltSettings::bytes() + prebuiltSettings::index, packet,
                    settingsParser::data);
        prebuiltSettings::increment();
        settingsParser::parseToSettings(false, true);
    }

    // The model has changed either way; the window and the mode flags follow it.
    prebuiltSettings::upToDate = complete;
    window.refreshFromSettings();
    modifySetting::setOnConstantFromSettings(true);
    return complete;
}

} // namespace sendReceive
