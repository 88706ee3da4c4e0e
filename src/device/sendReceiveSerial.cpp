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

int waitForSerialBytes(std::uint8_t* buffer, unsigned capacity) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    int result = -1;
    // Polls without sleeping: the joystick queues its whole answer at once, and the
    // first poll that finds bytes takes them.
    for (;;) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::microseconds>(clock::now() - start).count();
        if (elapsed > serialBlockTimeoutMicroseconds || result >= 0) {
            break;
        }
        if (!serial.isConnected()) {
            result = 0;
            break;
        }
        result = serial.readData(buffer, capacity);
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
    const int got = waitForSerialBytes(echo.data(), serialBufferSize);
    return got == prebuiltSettings::size && std::equal(block, block + size, echo.begin());
}

} // namespace detail

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
    const int got = detail::waitForSerialBytes(received.data(), serialBufferSize);
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
