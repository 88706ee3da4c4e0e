#include "device/hidConnection.h"

#include "scriptedHidDevice.h"

#include "device/joystickIds.h"
#include "device/joystickOutputParser.h"
#include "platform/usbDevices.h"
#include "settings/settingsParser.h"
#include "sim/joystick/Joystick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

sim::JoystickOptions hidOnly() {
    sim::JoystickOptions options;
    options.serial = false;
    return options;
}

void setData(std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), settingsParser::data);
}

std::vector<sim::packet> requestsAmong(const std::vector<sim::packet>& packets, std::uint8_t code) {
    std::vector<sim::packet> found;
    for (const auto& p : packets)
        if (p[0] == 0xE0 && p[2] == code)
            found.push_back(p);
    return found;
}

class hidLink : public ::testing::Test {
protected:
    sim::Joystick joystick{hidOnly()};
    void SetUp() override {
        hidConnection::init();
        ASSERT_TRUE(hidConnection::connectDevice());
        ASSERT_TRUE(hidConnection::isConnected);
        ASSERT_EQ(hidConnection::devicePath, joystick.hid()->path());
    }
    void TearDown() override { hidConnection::init(); }
};

TEST_F(hidLink, aVerifiedSendWritesTheOutputReportUntilEchoed) {
    setData({0xA1, 0x40, 0x00, 0x00, 0x00, 0x80, 0x3F});
    EXPECT_TRUE(hidConnection::sendVerify());
    const std::uint8_t report[8] = {2, 0xA1, 0x40, 0x00, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_TRUE(std::equal(report, report + 8, hidConnection::outputBuffer));
    EXPECT_TRUE(std::equal(report, report + 8, hidConnection::inputBuffer));
    auto received = joystick.hid()->received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(), (sim::packet{0xA1, 0x40, 0x00, 0x00, 0x00, 0x80, 0x3F}));
}

TEST_F(hidLink, aVerifiedSendGivesUpAfter35Attempts) {
    joystick.faults().silent = true;
    setData({0xA1, 0x40, 0x01, 0x00, 0x00, 0x80, 0x3F});
    EXPECT_FALSE(hidConnection::sendVerify());
    EXPECT_EQ(joystick.hid()->received().size(), 35u);

    // A corrupted echo is no echo either.
    joystick.faults().silent = false;
    joystick.faults().corruptReplies = true;
    EXPECT_FALSE(hidConnection::sendVerify());
    EXPECT_EQ(joystick.hid()->received().size(), 70u);
}

TEST_F(hidLink, everyRequestGetsItsReply) {
    auto& state = joystick.state();
    state.firmwareMajor = 4;
    state.firmwareMinor = 2;
    state.firmwarePatch = 1;
    state.miscErrors = 0x12;
    state.loadCellErrors = 0x8000;
    state.leftKnobRaw = 0x0ABC;
    state.rightKnobRaw = 0x0123;
    struct row {
        const char* what;
        std::function<std::uint32_t()> request;
        std::uint32_t expected;
        std::uint8_t code;
    };
    const row rows[] = {
        {"firmware", hidConnection::sendRequestFirmwareVersion, 0x01020400, 4},
        {"misc errors", hidConnection::sendRequestErrorsMisc, 0x12, 6},
        {"load-cell errors", hidConnection::sendRequestErrorsLC, 0x8000, 8},
        {"knobs", hidConnection::sendRequestKnobValue, 0x2301BC0A, 10},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.request(), r.expected);
        // The request is left in the packet buffer.
        EXPECT_EQ(settingsParser::data[0], 0xE0);
        EXPECT_EQ(settingsParser::data[2], r.code);
        EXPECT_FALSE(requestsAmong(joystick.hid()->received(), r.code).empty());
    }
}

TEST_F(hidLink, unansweredRequestsGiveTheirFailureValues) {
    joystick.faults().silent = true;
    EXPECT_EQ(hidConnection::sendRequestFirmwareVersion(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestKnobValue(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestErrorsMisc(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestErrorsLC(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestSettings(), 0u);
    auto received = joystick.hid()->received();
    for (std::uint8_t code : {0, 4, 6, 8, 10})
        EXPECT_EQ(requestsAmong(received, code).size(), 35u) << "code " << int{code};
}

TEST_F(hidLink, theSettingsCountIsEchoedBack) {
    EXPECT_EQ(hidConnection::sendRequestSettings(), 30u);
    const std::uint8_t reply[7] = {0xC0, 0x00, 0x01, 0x1E, 0x00, 0x00, 0x00};
    EXPECT_TRUE(std::equal(reply, reply + 7, settingsParser::data));
    EXPECT_TRUE(std::equal(reply, reply + 7, hidConnection::outputBuffer + 1));
    auto received = joystick.hid()->received();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received.back(), (sim::packet{0xC0, 0x00, 0x01, 0x1E, 0x00, 0x00, 0x00}));
    EXPECT_EQ(requestsAmong(received, 0).size(), received.size() - 1);
}

TEST_F(hidLink, aZeroCountIsAskedAgainAndFinallyRefused) {
    joystick.faults().zeroCount = true;
    EXPECT_EQ(hidConnection::sendRequestSettings(), 0u);
    auto received = joystick.hid()->received();
    EXPECT_EQ(received.size(), 35u); // requests only, nothing echoed
    EXPECT_EQ(requestsAmong(received, 0).size(), 35u);
}

// Only packet bytes 0 and 2 identify a reply; anything with another report ID, marker
// or code is not one.
TEST(hidReplies, recognisersLookAtReportIdMarkerAndCode) {
    struct row {
        std::uint8_t report[8];
        std::uint32_t count, firmware, misc, loadCell, knobs;
    };
    constexpr std::uint32_t none = hidConnection::noReply;
    const row rows[] = {
        {{2, 0xC0, 0x00, 1, 0x1E, 0, 0, 0}, 30, none, none, none, none},
        {{2, 0xC0, 0x55, 5, 0, 1, 2, 3}, 0, 0x03020100, none, none, none},
        {{2, 0xC0, 0x00, 7, 0xFF, 0, 0, 0}, 0, none, 0xFF, none, none},
        {{2, 0xC0, 0x00, 9, 0, 0x80, 0, 0}, 0, none, none, 0x8000, none},
        {{2, 0xC0, 0x00, 11, 0x0F, 0x80, 0, 1}, 0, none, none, none, 0x0100800F},
        {{1, 0xC0, 0x00, 5, 0, 1, 2, 3}, 0, none, none, none, none},
        {{2, 0xE0, 0x00, 5, 0, 1, 2, 3}, 0, none, none, none, none},
        {{2, 0xC0, 0x00, 4, 0, 1, 2, 3}, 0, none, none, none, none},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<int>(r.report, r.report + 8)));
        std::fill(std::begin(hidConnection::inputBuffer), std::end(hidConnection::inputBuffer), 0);
        std::copy_n(r.report, 8, hidConnection::inputBuffer);
        EXPECT_EQ(hidConnection::numberOfPackets(), r.count);
        EXPECT_EQ(hidConnection::parseFirmware(), r.firmware);
        EXPECT_EQ(hidConnection::parseErrorsMisc(), r.misc);
        EXPECT_EQ(hidConnection::parseErrorsLC(), r.loadCell);
        EXPECT_EQ(hidConnection::knobValue(), r.knobs);
    }
    // A game-controller report never matches the output report.
    hidConnection::init();
    hidConnection::setOutput(1, 2, 3, 4, 5, 6, 7);
    std::copy_n(hidConnection::outputBuffer, 8, hidConnection::inputBuffer);
    EXPECT_TRUE(hidConnection::valuesMatch());
    hidConnection::inputBuffer[0] = 1;
    EXPECT_FALSE(hidConnection::valuesMatch());
}

TEST(hidWithoutJoystick, everyOperationAnswersAtOnce) {
    hidConnection::init();
    EXPECT_FALSE(hidConnection::connectDevice());
    EXPECT_EQ(hidConnection::lastOpenError, platform::hid::openError::notFound);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(hidConnection::sendValues());
    EXPECT_EQ(hidConnection::receiveValues(), 0);
    setData({0xA1, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(hidConnection::sendVerify());
    EXPECT_EQ(hidConnection::sendRequestSettings(), 0u);
    EXPECT_EQ(hidConnection::sendRequestFirmwareVersion(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestKnobValue(), hidConnection::noReply);
    EXPECT_EQ(hidConnection::sendRequestErrorsMisc(), 0u);
    EXPECT_EQ(hidConnection::sendRequestErrorsLC(), 0u);
    hidConnection::sendGibberish(0);
    // Had any request made its 35 attempts, their 3 ms sleeps alone would pass this.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(std::all_of(std::begin(hidConnection::inputBuffer),
                            std::end(hidConnection::inputBuffer), [](auto b) { return b == 0; }));
}

TEST_F(hidLink, anUnpluggedJoystickIsGoneUntilFoundAgain) {
    joystick.hid()->unplug();
    EXPECT_TRUE(hidConnection::sendValues()); // the write is dropped silently
    EXPECT_EQ(hidConnection::receiveValues(), 0);
    EXPECT_TRUE(std::all_of(std::begin(hidConnection::inputBuffer),
                            std::end(hidConnection::inputBuffer), [](auto b) { return b == 0; }));
    setData({0xA1, 0x40, 0x00, 0x00, 0x00, 0x80, 0x3F});
    EXPECT_FALSE(hidConnection::sendVerify());
    EXPECT_FALSE(hidConnection::connectDevice());
    EXPECT_FALSE(hidConnection::isConnected);

    joystick.hid()->plug();
    EXPECT_TRUE(hidConnection::connectDevice());
    EXPECT_TRUE(hidConnection::sendVerify());
}

TEST_F(hidLink, controllerReportsOfBothLengthsReachTheParser) {
    sim::ControllerState state;
    state.axes[0] = 1000;
    state.axes[5] = 3;
    state.axes[7] = 777;
    state.hat = 2;
    state.buttons = 0x8000000000000001ull;
    joystick.hid()->setControllerState(state);
    joystickOutputParser::setDefaults();
    bool parsed = false;
    for (int i = 0; i < 20 && !parsed; ++i)
        parsed = joystickOutputParser::receiveAndParse();
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(joystickOutputParser::hasKnobOutput);
    EXPECT_EQ(joystickOutputParser::axisValues[0], 1000);
    EXPECT_EQ(joystickOutputParser::axisValues[5], 3);
    EXPECT_EQ(joystickOutputParser::axisValues[7], 777);
    EXPECT_EQ(joystickOutputParser::hatVal, 2);
    EXPECT_EQ(joystickOutputParser::buttonVals, state.buttons);

    joystick.hid()->setKnobOutput(false);
    parsed = false;
    for (int i = 0; i < 20 && !(parsed && !joystickOutputParser::hasKnobOutput); ++i)
        parsed = joystickOutputParser::receiveAndParse();
    EXPECT_FALSE(joystickOutputParser::hasKnobOutput);
    EXPECT_EQ(joystickOutputParser::axisValues[7], 0);
    EXPECT_EQ(joystickOutputParser::buttonVals, state.buttons);
}

// --simulate talks to the simulated joystick even when a real one is listed first.
TEST(hidSearch, aChosenPathIsTheOnlyInterfaceTaken) {
    scriptedHidDevice other({}, "test:hidraw/listed-first");
    sim::Joystick joystick(hidOnly());
    hidConnection::init();
    ASSERT_TRUE(hidConnection::connectDevice());
    EXPECT_EQ(hidConnection::devicePath, "test:hidraw/listed-first");

    hidConnection::onlyPath = joystick.hid()->path();
    ASSERT_TRUE(hidConnection::connectDevice());
    EXPECT_EQ(hidConnection::devicePath, joystick.hid()->path());
    setData({0xA1, 0x40, 0x00, 0x00, 0x00, 0x80, 0x3F});
    EXPECT_TRUE(hidConnection::sendVerify());
    EXPECT_TRUE(other.written().empty());

    joystick.hid()->unplug();
    EXPECT_FALSE(hidConnection::connectDevice()); // the other one does not stand in
    hidConnection::init();
    EXPECT_TRUE(hidConnection::onlyPath.empty());
}

TEST_F(hidLink, gibberishIsWrittenPacketByPacket) {
    hidConnection::sendGibberish(5);
    EXPECT_EQ(joystick.hid()->received().size(), 5u);
}

} // namespace

namespace {

// The joystick's node is there but the user may not open it: not "not connected" but a
// permission to fix.
TEST(hidPermissions, aJoystickThatMayNotBeOpenedIsReportedAsSuch) {
    char path[] = "/tmp/marlovan-hidrawXXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::fchmod(fd, 0600);
    ::close(fd);
    auto listed = platform::usbDevices::registerHidInterface(
        {path, joystickIds::vendor, joystickIds::product});
    hidConnection::init();
    if (::geteuid() == 0) {
        ASSERT_EQ(::seteuid(65534), 0); // root opens anything; try as nobody
    }
    bool connected = hidConnection::connectDevice();
    if (::getuid() == 0) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    platform::usbDevices::unregister(listed);
    ::unlink(path);
    EXPECT_FALSE(connected);
    EXPECT_FALSE(hidConnection::isConnected);
    EXPECT_EQ(hidConnection::lastOpenError, platform::hid::openError::permissionDenied);
}

} // namespace
