#pragma once

#include "device/exchangeWindow.h"
#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "platform/dialogs.h"
#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

// The window side of the exchange as plain state, with the timers run by hand.
class recordingWindow : public sendReceive::exchangeWindow {
public:
    bool sendReceiveEnabled = true;
    bool outputDisplayEnabled = true;
    int progressMaximum = -1;
    std::vector<int> progressPositions;
    std::map<int, int> runningTimers; // id -> interval
    std::vector<int> timersStarted;
    int titleUpdates = 0;
    int refreshes = 0;

    void setSendReceiveEnabled(bool enabled) override { sendReceiveEnabled = enabled; }
    void setOutputDisplayEnabled(bool enabled) override { outputDisplayEnabled = enabled; }
    void setProgressRange(int maximum) override { progressMaximum = maximum; }
    void setProgressPosition(int position) override { progressPositions.push_back(position); }
    void startTimer(int id, int milliseconds) override {
        runningTimers[id] = milliseconds;
        timersStarted.push_back(id);
    }
    void stopTimer(int id) override { runningTimers.erase(id); }
    void updateTitle() override { ++titleUpdates; }
    void refreshFromSettings() override { ++refreshes; }

    bool timerRunning(int id) const { return runningTimers.count(id) != 0; }

    // Runs timer 1 as the window program would, every 10 ms until it stops; false when
    // it still runs after `limit` (the receive's own time-out ends it long before).
    bool runReceiveTimer(std::chrono::milliseconds limit = std::chrono::seconds(120)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (timerRunning(sendReceive::receiveTimerId)) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            sendReceive::timerLoopReceiveSettings(*this);
        }
        return true;
    }
};

// Every exchange test starts from a fresh program state and records the message boxes.
class exchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        sendReceive::reset();
        hidConnection::init();
        serial.disconnect();
        serial.portName.clear();
        serial.portPath.clear();
        serial.openError = 0;
        settings::init();
        prebuiltSettings::reset();
        modifySetting::reset();
    }
    void TearDown() override {
        serial.disconnect();
        hidConnection::init();
        sendReceive::reset();
    }

    using box = std::pair<std::string, std::string>; // text, caption
    std::vector<box> shown() const {
        std::vector<box> result;
        for (const auto& b : dialogs.boxes()) {
            result.emplace_back(b.text, b.caption);
        }
        return result;
    }

    platform::dialogs::scripted dialogs;
    platform::dialogs::installGuard guard{dialogs};
    recordingWindow window;
};

inline std::vector<std::uint8_t> bytesOf(const std::uint8_t* p, std::size_t n) {
    return std::vector<std::uint8_t>(p, p + n);
}
