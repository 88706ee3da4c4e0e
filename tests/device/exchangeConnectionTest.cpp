#include "exchangeFixture.h"
#include "scriptedSerialPeer.h"

#include "sim/joystick/Joystick.h"

namespace {

class connectionState : public exchangeTest {};

struct expected {
    bool madeActive;
    std::int32_t activeState;
    std::int32_t currentConnection;
    bool sendReceiveEnabled;
    bool outputDisplayEnabled;
};

void expectState(const recordingWindow& window, bool madeActive, const expected& e) {
    EXPECT_EQ(madeActive, e.madeActive);
    EXPECT_EQ(sendReceive::activeState, e.activeState);
    EXPECT_EQ(sendReceive::currentConnection, e.currentConnection);
    EXPECT_EQ(window.sendReceiveEnabled, e.sendReceiveEnabled);
    EXPECT_EQ(window.outputDisplayEnabled, e.outputDisplayEnabled);
    EXPECT_GE(window.titleUpdates, 1);
}

TEST_F(connectionState, serialAndHidPreferSerialAndAllowTheOutputDisplay) {
    sim::Joystick joystick;
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 0, true, true});
    EXPECT_TRUE(serial.isConnected());
    EXPECT_EQ(serial.portName, joystick.serial()->portName());
    EXPECT_TRUE(hidConnection::isConnected);
    // Staying active is no new connection.
    expectState(window, sendReceive::tryConnectionState(window), {false, 1, 0, true, true});
}

TEST_F(connectionState, hidOnly) {
    sim::JoystickOptions options;
    options.serial = false;
    sim::Joystick joystick(options);
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 1, true, true});
    EXPECT_FALSE(serial.isConnected());
}

TEST_F(connectionState, serialOnlyKeepsTheOutputDisplayOff) {
    sim::JoystickOptions options;
    options.hid = false;
    sim::Joystick joystick(options);
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 0, true, false});
}

TEST_F(connectionState, bootMonitorOnlyIsNoLinkAndLeavesThePortClosed) {
    scriptedSerialPeer monitor({}, joystickIds::bootMonitorVendor, joystickIds::bootMonitorProduct);
    expectState(window, sendReceive::tryConnectionState(window), {false, 0, 2, false, false});
    EXPECT_FALSE(serial.isConnected());
    EXPECT_EQ(serial.portPath, monitor.path());
}

TEST_F(connectionState, nothingPresent) {
    expectState(window, sendReceive::tryConnectionState(window), {false, 0, 3, false, false});
}

TEST_F(connectionState, unpluggingTakesTheLinkAwayAndPluggingBringsItBack) {
    sim::Joystick joystick;
    ASSERT_TRUE(sendReceive::tryConnectionState(window));
    joystick.unplug();
    expectState(window, sendReceive::tryConnectionState(window), {false, 0, 3, false, false});
    joystick.plug();
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 0, true, true});
    EXPECT_EQ(serial.portPath, joystick.serial()->portPath());
}

TEST_F(connectionState, hidOnlyChoiceNeverTouchesTheSerialPort) {
    sim::Joystick joystick;
    sendReceive::links.useSerial = false;
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 1, true, true});
    EXPECT_FALSE(serial.isConnected());
    EXPECT_TRUE(joystick.serial()->received().empty());
}

TEST_F(connectionState, aChosenPortIsUsedWithoutSearching) {
    // Listed under a foreign identity, so no search would pick it.
    scriptedSerialPeer peer({}, 0x1234, 0x5678);
    sendReceive::links.serialPortPath = peer.path();
    expectState(window, sendReceive::tryConnectionState(window), {true, 1, 0, true, false});
    EXPECT_EQ(serial.portPath, peer.path());
    EXPECT_EQ(serial.portName, peer.path().substr(5)); // "pts/N"
}

} // namespace
