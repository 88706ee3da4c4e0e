#include "exchangeFixture.h"
#include "exchangeProfile.h"
#include "scriptedHidDevice.h"

#include "sim/joystick/Joystick.h"

#include <cstring>

namespace {

using boxes = std::vector<std::pair<std::string, std::string>>;
using packet = std::array<std::uint8_t, 7>;

// Game-controller reports every millisecond, as a joystick polled at full speed sends
// them: echoes and replies must still be found among them.
sim::JoystickOptions withBusyControllerReports(bool serialLink) {
    sim::JoystickOptions options;
    options.serial = serialLink;
    options.hidOptions.controllerPeriodMs = 1;
    return options;
}

sim::JoystickOptions hidOnly() {
    return withBusyControllerReports(false);
}

// The packets of `block`, 7 bytes each.
std::vector<packet> packetsOf(const std::vector<std::uint8_t>& block) {
    std::vector<packet> result;
    for (std::size_t i = 0; i + 7 <= block.size(); i += 7) {
        packet p;
        std::copy_n(block.begin() + static_cast<long>(i), 7, p.begin());
        result.push_back(p);
    }
    return result;
}

// Consecutive repeats collapsed: what a verified send looks like once every write
// that had to be repeated is counted once.
std::vector<packet> withoutRepeats(const std::vector<packet>& packets) {
    std::vector<packet> result;
    for (const auto& p : packets) {
        if (result.empty() || result.back() != p) {
            result.push_back(p);
        }
    }
    return result;
}

class hidExchange : public exchangeTest {};

TEST_F(hidExchange, sendGoesPacketByPacketWithEveryPacketEchoed) {
    sim::Joystick joystick(withBusyControllerReports(false));
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionHid);
    const auto block = profileBlock();
    applyProfile();

    EXPECT_TRUE(sendReceive::sendSettings(window));
    EXPECT_EQ(shown(), (boxes{{"Sent via HID", "Send"}}));
    EXPECT_EQ(withoutRepeats(joystick.hid()->received()), packetsOf(block));
    EXPECT_EQ(joystick.state().storedBlock(), block);
}

TEST_F(hidExchange, sendFallsBackToHidWhenTheSerialEchoArrivesSplit) {
    sim::Joystick joystick(withBusyControllerReports(true));
    joystick.faults().splitReplies = true;
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionSerial);

    EXPECT_TRUE(sendReceive::sendSettings(window));
    EXPECT_EQ(shown(), (boxes{{"Sent via HID", "Send"}}));
    EXPECT_EQ(withoutRepeats(joystick.hid()->received()), packetsOf(sim::defaultSettingsBlock()));
}

TEST_F(hidExchange, sendStopsAtTheFirstPacketNotEchoed) {
    sim::Joystick joystick(hidOnly());
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    joystick.faults().silent = true;

    EXPECT_FALSE(sendReceive::sendSettings(window));
    EXPECT_EQ(shown(), (boxes{{"Failed to send settings", "Not connected"}}));
    // 35 attempts of the start packet, nothing after it.
    const auto written = joystick.hid()->received();
    ASSERT_EQ(written.size(), 35u);
    EXPECT_EQ(withoutRepeats(written).size(), 1u);
}

TEST_F(hidExchange, receiveRunsOnTimerTicksUntilEveryAnnouncedPacketArrived) {
    // The simulated joystick interleaves game-controller reports and repeats each packet
    // every 2 ms until it is echoed.
    sim::Joystick joystick(hidOnly());
    joystick.state().storeBlock(profileBlock());
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    const auto count = static_cast<int>(joystick.state().storedBlock().size() / 7);

    EXPECT_TRUE(sendReceive::receiveSettings(window, true));
    EXPECT_TRUE(shown().empty()); // the ticks report the outcome
    EXPECT_EQ(window.progressMaximum, count);
    ASSERT_TRUE(window.runReceiveTimer());

    EXPECT_EQ(shown(), (boxes{{"Received via HID", "Receive"}}));
    expectProfile();
    EXPECT_TRUE(window.timerRunning(sendReceive::progressResetTimerId));
    EXPECT_EQ(window.runningTimers[sendReceive::progressResetTimerId], 500);
    EXPECT_TRUE(window.sendReceiveEnabled);
    EXPECT_EQ(hidConnection::packetsReceived, count);
    ASSERT_FALSE(window.progressPositions.empty());
    EXPECT_TRUE(std::is_sorted(window.progressPositions.begin(), window.progressPositions.end()));
    EXPECT_EQ(window.progressPositions.back(), count - 1);
}

// Report ID 2 with a packet, padded as the joystick pads its input reports.
scriptedHidDevice::report packetReport(std::initializer_list<std::uint8_t> bytes) {
    scriptedHidDevice::report r{2};
    r.insert(r.end(), bytes);
    r.resize(8, 0);
    return r;
}

scriptedHidDevice::report controllerReport() {
    scriptedHidDevice::report r(20, 0x55);
    r[0] = 1;
    return r;
}

TEST_F(hidExchange, receiveCountsNewPacketsOnlyAndEchoesAllButTheLast) {
    const auto count = packetReport({0xC0, 0x00, 0x01, 0x04, 0, 0, 0});
    const auto led = packetReport({0x90, 0xC0, 0x00, 0x00, 0x00, 0x03, 0x02});
    // Mode A smoothing 2.5 (0x40200000) and the curvature of all axes 2.0 (0x40000000).
    const auto smoothing = packetReport({0x81, 0x40, 0x01, 0x00, 0x00, 0x20, 0x40});
    const auto curvature = packetReport({0x81, 0x3F, 0x03, 0x00, 0x00, 0x00, 0x40});
    scriptedHidDevice device({
        count, controllerReport(), led,
        led,                                                      // repeated: its echo was missed
        packetReport({0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}), // invalid
        packetReport({0xC0, 0x00, 0x05, 0x00, 0x01, 0x00, 0x05}), // a firmware reply
        packetReport({0xB0, 0xC0, 0x00, 0x00, 0x00, 0x02, 0x02}), // program-built: refused
        controllerReport(), smoothing, curvature,
        led, // after the end: never read
    });
    ASSERT_TRUE(sendReceive::tryConnectionState(window));

    EXPECT_TRUE(sendReceive::startReceiveSettingsViaHID(window));
    EXPECT_EQ(shown(), (boxes{{"Received via HID", "Receive"}})); // all in the first tick
    EXPECT_FALSE(window.timerRunning(sendReceive::receiveTimerId));
    EXPECT_EQ(device.remaining(), 1u);
    EXPECT_EQ(window.refreshes, 1); // once for the tick, not once per packet

    EXPECT_EQ(settings::LEDoutput, 3);
    EXPECT_FLOAT_EQ(settings::modes[0].smoothing.value, 2.5f);
    for (const auto& axis : settings::modes[0].axes) {
        EXPECT_FLOAT_EQ(axis.curvature.value, 2.0f);
    }
    EXPECT_EQ(hidConnection::packetsReceived, 4);
    EXPECT_EQ(window.progressMaximum, 4);
    EXPECT_EQ(window.progressPositions, (std::vector<int>{2, 2, 3}));

    auto body = [](const scriptedHidDevice::report& r) {
        packet p;
        std::copy_n(r.begin() + 1, 7, p.begin());
        return p;
    };
    const std::vector<packet> expectedWrites = {
        {0xE0, 0, 0, 0, 0, 0, 0}, // the request
        body(count),              // the count reply echoed
        body(led),
        body(led), // the repetition echoed again
        body(smoothing),
    };
    EXPECT_EQ(device.written(), expectedWrites);
}

TEST_F(hidExchange, receiveWithoutAnAnnouncedCountFailsAtOnce) {
    // A count of 0 is never accepted; the request is repeated until it gives up.
    scriptedHidDevice device(std::vector<scriptedHidDevice::report>(
        40, packetReport({0xC0, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00})));
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    settings::LEDoutput = 3;

    EXPECT_FALSE(sendReceive::receiveSettings(window, true));
    EXPECT_EQ(shown(), (boxes{{"Failed to receive all settings (timed out)", "Receive"}}));
    EXPECT_FALSE(window.timerRunning(sendReceive::receiveTimerId));
    EXPECT_TRUE(window.timerRunning(sendReceive::progressResetTimerId));
    EXPECT_EQ(settings::LEDoutput, 3);
}

TEST_F(hidExchange, receiveTimesOutWhenNoNewPacketComesForAboutThreeSeconds) {
    sim::Joystick joystick(hidOnly());
    joystick.state().storeBlock(profileBlock());
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    ASSERT_TRUE(sendReceive::receiveSettings(window, true));
    // The joystick stops taking echoes and repeats its current packet.
    joystick.faults().silent = true;
    const auto stalled = std::chrono::steady_clock::now();

    ASSERT_TRUE(window.runReceiveTimer());
    EXPECT_GT(std::chrono::steady_clock::now() - stalled, std::chrono::seconds(3));
    EXPECT_EQ(shown(), (boxes{{"Failed to receive all settings (timed out)", "Receive"}}));
    EXPECT_TRUE(window.sendReceiveEnabled);
    EXPECT_TRUE(window.timerRunning(sendReceive::progressResetTimerId));
    EXPECT_LT(hidConnection::packetsReceived, static_cast<int>(hidConnection::packetsExpected));
}

TEST_F(hidExchange, receiveFallsThroughToHidWhenTheSerialPortHasGone) {
    sim::Joystick joystick(withBusyControllerReports(true));
    joystick.state().storeBlock(profileBlock());
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionSerial);
    joystick.serial()->unplug(); // no removal notice yet: the port still counts as open

    EXPECT_TRUE(sendReceive::receiveSettings(window, true));
    ASSERT_TRUE(window.runReceiveTimer());
    EXPECT_EQ(shown(), (boxes{{"Received via HID", "Receive"}}));
    expectProfile();
}

TEST_F(hidExchange, receiveEndsWhenTheJoystickIsUnpluggedMidTransfer) {
    sim::Joystick joystick(hidOnly());
    joystick.state().storeBlock(profileBlock());
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    ASSERT_TRUE(sendReceive::receiveSettings(window, true));
    ASSERT_TRUE(window.timerRunning(sendReceive::receiveTimerId));

    joystick.unplug();
    sendReceive::tryConnectionState(window); // the removal notice
    EXPECT_EQ(sendReceive::currentConnection, sendReceive::connectionNone);
    ASSERT_TRUE(window.runReceiveTimer());

    EXPECT_EQ(shown(), (boxes{{"Failed to receive settings", "Not connected"}}));
    EXPECT_TRUE(window.timerRunning(sendReceive::progressResetTimerId));
    EXPECT_FALSE(window.sendReceiveEnabled); // the probe found no link
}

} // namespace
