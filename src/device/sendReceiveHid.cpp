#include "device/sendReceive.h"

#include "device/hidConnection.h"
#include "device/sendReceiveDetail.h"
#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <chrono>
#include <climits>

namespace sendReceive {

namespace {

constexpr int packet = settingsParser::packetSize;

std::int64_t microsecondsSinceLastPacket() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 hidConnection::receiveTimeout)
        .count();
}

void endTimedOut(exchangeWindow& window) {
    window.stopTimer(receiveTimerId);
    window.setSendReceiveEnabled(true);
    window.startTimer(progressResetTimerId, progressResetTimerMilliseconds);
    detail::show("Failed to receive all settings (timed out)", "Receive");
    modifySetting::setOnConstantFromSettings(true);
}

void endLinkLost(exchangeWindow& window) {
    window.stopTimer(receiveTimerId);
    window.startTimer(progressResetTimerId, progressResetTimerMilliseconds);
    detail::show("Failed to receive settings", "Not connected");
    // Packets parsed before the loss stay in the model; the flags must describe it, or
    // the next edit in mode A would overwrite what the other modes received.
    modifySetting::setOnConstantFromSettings(true);
}

void endReceived(exchangeWindow& window) {
    window.stopTimer(receiveTimerId);
    window.refreshFromSettings();
    window.setSendReceiveEnabled(true);
    window.startTimer(progressResetTimerId, progressResetTimerMilliseconds);
    detail::show("Received via HID", "Receive");
    modifySetting::setOnConstantFromSettings(true);
}

} // namespace

bool sendSettingsViaHID() {
    prebuiltSettings::upToDate = false;
    const std::int32_t count = prebuiltSettings::settingsCounter::countPackets();
    if (!hidConnection::isConnected) {
        return false;
    }
    return settingsParser::buildOutputAll(hidConnection::sendVerify,
                                          static_cast<std::uint32_t>(count));
}

bool startReceiveSettingsViaHID(exchangeWindow& window) {
    const std::uint32_t count = hidConnection::sendRequestSettings();
    hidConnection::packetsExpected = count;
    hidConnection::packetsReceived = 1; // the count reply is the block's first packet
    window.setProgressRange(static_cast<int>(std::min<std::uint32_t>(count, INT_MAX)));
    if (count == 0) {
        // No count came back within the request's attempts. Running the ticks anyway
        // would take any stray packet as the end of a complete transfer.
        endTimedOut(window);
        return false;
    }
    std::copy_n(settingsParser::data, packet, hidConnection::lastPacket);
    hidConnection::receiveTimeout = std::chrono::steady_clock::now();
    window.startTimer(receiveTimerId, receiveTimerMilliseconds);
    timerLoopReceiveSettings(window);
    return true;
}

void timerLoopReceiveSettings(exchangeWindow& window) {
    // Nothing is painted between the passes of a tick, so one refresh of the controls
    // after the last pass shows the same as one after every packet, at a tenth of the
    // work; a busy machine would otherwise stretch a receive over many seconds.
    bool parsedAny = false;
    auto showParsed = [&] {
        if (parsedAny)
            window.refreshFromSettings();
    };
    for (int pass = 0; pass < hidReadsPerTick; ++pass) {
        if (!hidConnection::isConnected) {
            showParsed();
            endLinkLost(window);
            return;
        }
        if (microsecondsSinceLastPacket() > hidReceiveTimeoutMicroseconds) {
            showParsed();
            endTimedOut(window);
            return;
        }
        hidConnection::receiveValues();
        if (hidConnection::inputBuffer[0] != hidConnection::packetReportId) {
            continue; // game-controller reports, or nothing in time
        }
        std::uint8_t received[packet];
        std::copy_n(hidConnection::inputBuffer + 1, packet, received);
        std::copy_n(received, packet, settingsParser::data);
        const int parsed = settingsParser::parseToSettings(false, false);
        if (parsed != settingsParser::result::parsed &&
            parsed != settingsParser::result::startSettings) {
            continue;
        }
        // The joystick repeats each packet until it sees the echo: a repetition is
        // echoed again but neither counted nor a reason to wait longer.
        if (!std::equal(received, received + packet, hidConnection::lastPacket)) {
            ++hidConnection::packetsReceived;
            hidConnection::receiveTimeout = std::chrono::steady_clock::now();
        }
        std::copy_n(received, packet, hidConnection::lastPacket);

        if (static_cast<std::int64_t>(hidConnection::packetsReceived) >=
            static_cast<std::int64_t>(hidConnection::packetsExpected)) {
            endReceived(window); // the last packet is not echoed
            return;
        }
        window.setProgressPosition(hidConnection::packetsReceived & 0xFFFF);
        const std::uint8_t* p = hidConnection::lastPacket;
        hidConnection::setOutput(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
        hidConnection::sendValues();
        parsedAny = true;
    }
    showParsed();
}

} // namespace sendReceive
