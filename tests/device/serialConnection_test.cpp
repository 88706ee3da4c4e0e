#include "device/serialConnection.h"

#include "platform/usbDevices.h"
#include "settings/settingsParser.h"
#include "sim/joystick/Joystick.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

sim::JoystickOptions serialOnly() {
    sim::JoystickOptions options;
    options.hid = false;
    return options;
}

class serialLink : public ::testing::Test {
protected:
    sim::Joystick joystick{serialOnly()};
    serialConnection link;

    void SetUp() override {
        ASSERT_TRUE(link.getComPortPath(false, false));
        ASSERT_EQ(link.portPath, joystick.serial()->portPath());
        ASSERT_TRUE(link.connect(false));
    }

    // Bytes queued within `ms`, gathered over several reads.
    std::vector<std::uint8_t> collect(std::size_t want, int ms = 2000) {
        std::vector<std::uint8_t> got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        unsigned char buffer[4096];
        while (got.size() < want && std::chrono::steady_clock::now() < deadline) {
            int n = link.readData(buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return got;
    }
};

TEST_F(serialLink, findsTheJoysticksPortByItsHardwareId) {
    EXPECT_EQ(link.portName, joystick.serial()->portName());
    EXPECT_EQ(link.portName.rfind("pts/", 0), 0u);
    EXPECT_EQ(link.portPath, "/dev/" + link.portName);
    EXPECT_TRUE(link.isConnected());
    EXPECT_EQ(link.hSerial.baudRate(), 115200);
    EXPECT_FALSE(link.getComPortPath(false, true)); // no boot monitor around
}

TEST_F(serialLink, everyRequestGetsItsReply) {
    auto& state = joystick.state();
    state.firmwareMajor = 2;
    state.firmwareMinor = 7;
    state.firmwarePatch = 9;
    state.miscErrors = 0x81;
    state.loadCellErrors = 0x8001;
    state.leftKnobRaw = 0x0123;
    state.rightKnobRaw = 0x0F80;
    state.buttons = 0x80000005;
    state.diagnosticFps = 199;
    struct row {
        const char* what;
        std::function<std::uint32_t()> request;
        std::uint32_t expected;
        std::uint8_t requestCode;
    };
    const row rows[] = {
        {"firmware", [&] { return link.sendRequestFirmwareVersion(); }, 0x09070200, 4},
        {"misc errors", [&] { return link.sendRequestErrors(false); }, 0x81, 6},
        {"load-cell errors", [&] { return link.sendRequestErrors(true); }, 0x8001, 8},
        // Two big-endian 16-bit readings in bytes 3-6, taken least significant first.
        {"knobs", [&] { return link.sendRequestKnobValues(); }, 0x800F2301, 10},
        {"buttons", [&] { return link.sendRequestButtonValues(); }, 0x80000005, 12},
        {"diagnostic", [&] { return link.sendRequestDiagnosticValues(); }, 199u << 24, 14},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        auto before = joystick.serial()->received().size();
        EXPECT_EQ(r.request(), r.expected);
        auto received = joystick.serial()->received();
        ASSERT_EQ(received.size(), before + 1);
        EXPECT_EQ(received.back(), (std::vector<std::uint8_t>{0xE0, 0, r.requestCode, 0, 0, 0, 0}));
    }
}

TEST_F(serialLink, unansweredRequestsGiveTheirFailureValues) {
    joystick.faults().silent = true;
    link.replyTimeout = 100000; // the wait is measured, not its length
    EXPECT_EQ(link.sendRequestFirmwareVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(link.sendRequestErrors(false), 0xFFFFFFFFu);
    EXPECT_EQ(link.sendRequestErrors(true), 0xFFFFFFFFu);
    EXPECT_EQ(link.sendRequestKnobValues(), 0xFFFFFFFFu);
    EXPECT_EQ(link.sendRequestButtonValues(), 0u);
    EXPECT_EQ(link.sendRequestDiagnosticValues(), 0u);

    serialConnection closed;
    EXPECT_EQ(closed.sendRequestFirmwareVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(closed.sendRequestButtonValues(), 0u);
}

TEST_F(serialLink, theDefaultReplyTimeoutIsHalfASecond) {
    EXPECT_EQ(link.replyTimeout, 500000);
    EXPECT_EQ(link.connectRetries, 10);
    joystick.faults().silent = true;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.sendRequestFirmwareVersion(), 0xFFFFFFFFu);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(500000));
}

TEST_F(serialLink, aReplyNotQueuedWholeAtTheFirstReadIsRejected) {
    joystick.state().firmwareMajor = 3;
    joystick.faults().splitReplies = true;
    EXPECT_EQ(link.sendRequestFirmwareVersion(), 0xFFFFFFFFu);
    joystick.faults().splitReplies = false;
    collect(4, 2000); // the late half

    joystick.faults().staleBytes = true;
    EXPECT_EQ(link.sendRequestFirmwareVersion(), 0xFFFFFFFFu);
    joystick.faults().staleBytes = false;
    EXPECT_EQ(link.sendRequestFirmwareVersion(), 0x05000300u);
}

TEST_F(serialLink, aBlockWrittenInOneWriteIsEchoedAndStored) {
    std::vector<std::uint8_t> block = sim::defaultSettingsBlock();
    block[block.size() - 1] = 0x40; // asymmetry 3.0
    ASSERT_TRUE(link.writeData(block.data(), static_cast<unsigned>(block.size())));
    auto echo = collect(block.size());
    EXPECT_EQ(echo, block);
    EXPECT_EQ(joystick.state().storedBlock(), block);

    // The settings request is answered by the stored block, count first, and with the
    // program's bit clear in every packet.
    settingsParser::buildRequestSettings();
    ASSERT_TRUE(link.writeFromParser());
    auto answer = collect(block.size());
    ASSERT_EQ(answer.size(), block.size());
    EXPECT_EQ(std::vector<std::uint8_t>(answer.begin(), answer.begin() + 7),
              (std::vector<std::uint8_t>{0xC0, 0, 1, 30, 0, 0, 0}));
    for (std::size_t i = 7; i < answer.size(); ++i)
        EXPECT_EQ(answer[i], i % 7 == 0 ? (block[i] & ~0x20) : block[i]) << "byte " << i;
}

TEST_F(serialLink, readsOnlyWhatIsQueued) {
    unsigned char buffer[14];
    EXPECT_EQ(link.readData(buffer, sizeof buffer), -1);
    link.disconnect();
    EXPECT_FALSE(link.isConnected());
    EXPECT_EQ(link.readData(buffer, sizeof buffer), 0);
    EXPECT_FALSE(link.writeData(buffer, 7));
    EXPECT_TRUE(link.disconnect());
    // The port was closed: it can be opened again.
    EXPECT_TRUE(link.connect(false));
}

TEST_F(serialLink, aFailedSearchKeepsThePortFound) {
    const std::string path = link.portPath, name = link.portName;
    link.disconnect();
    joystick.serial()->unplug();
    EXPECT_FALSE(link.getComPortPath(false, false));
    EXPECT_EQ(link.portPath, path);
    EXPECT_EQ(link.portName, name);

    joystick.serial()->plug();
    EXPECT_TRUE(link.getComPortPath(false, false));
    EXPECT_NE(link.portPath, "");
    EXPECT_TRUE(link.connect(false));
}

TEST(serialSearch, patternsMatchTheWholeIdentifierInAnyCase) {
    struct row {
        const char* id;
        bool joystick, bootMonitor;
    };
    const row rows[] = {
        {"USB\\VID_1209&PID_4A58", true, false},
        {"usb\\vid_1209&pid_4a58", true, false},
        {"USB\\VID_1209&PID_4A58&REV_0100", true, false},
        {"USB\\VID_1209&PID_4A59", false, false},
        {"USB\\VID_239A&PID_000B", false, true},
        {"usb\\vid_239a&pid_000b&mi_00", false, true},
        {"USB\\VID_239A&PID_800B", false, false},
        {"", false, false},
    };
    EXPECT_EQ(serialConnection::joystickPattern(), ".*VID_1209.*PID_4A58.*");
    EXPECT_EQ(serialConnection::bootMonitorPattern(), ".*VID_239A.*PID_000B.*");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.id);
        EXPECT_EQ(serialConnection::matchesHardwareId(r.id, false), r.joystick);
        EXPECT_EQ(serialConnection::matchesHardwareId(r.id, true), r.bootMonitor);
    }
}

// Runs in a folder of its own, where the trace file is written.
class traceFile : public ::testing::Test {
protected:
    fs::path folder, previous;
    void SetUp() override {
        previous = fs::current_path();
        char name[] = "/tmp/marlovan-traceXXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    static std::string trace() {
        std::ifstream in("Connection test.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The lines the search writes for the USB ports listed before the one it stops at.
    static std::string portsBefore(const std::string& stopPath) {
        std::string lines;
        for (const auto& port : platform::usbDevices::listSerialPorts()) {
            if (port.hardwareId.empty())
                continue;
            lines += port.hardwareId + "\n";
            if (port.portPath == stopPath)
                break;
            lines += "PortName: " + port.portName + "\n";
        }
        return lines;
    }
};

TEST_F(traceFile, recordsTheSearchAndTheConnection) {
    sim::Joystick joystick{serialOnly()};
    serialConnection link;
    ASSERT_TRUE(link.getComPortPath(true, false));
    const std::string name = joystick.serial()->portName();
    std::string expected = portsBefore(joystick.serial()->portPath()) + "PortName: " + name +
                           "\nValid device found: " + name + "\n";
    EXPECT_EQ(trace(), expected);
    ASSERT_TRUE(link.connect(true));
    EXPECT_EQ(trace(), expected + "Serial connect() succeeded\n");

    // Each search rewrites the file.
    ASSERT_TRUE(link.getComPortPath(true, false));
    EXPECT_EQ(trace(), expected);
}

TEST_F(traceFile, recordsFailedSearchesAndEveryRetry) {
    serialConnection link;
    link.portPath = "/dev/marlovan-no-such-port";
    EXPECT_FALSE(link.getComPortPath(true, true));
    const std::string search = portsBefore("") + "No valid device found\n";
    EXPECT_EQ(trace(), search);

    link.connectRetries = 3;
    EXPECT_FALSE(link.connect(true));
    const std::string retry =
        "Serial retry failed\nhSerial invalid handle\nNo such file or directory\n";
    EXPECT_EQ(trace(), search + retry + retry + retry +
                           "Serial connect() failed\nhSerial invalid handle\n"
                           "No such file or directory\n");
    EXPECT_FALSE(link.isConnected());
}

TEST(serialPermissions, aPortThatMayNotBeOpenedSaysSo) {
    sim::Joystick joystick{serialOnly()};
    serialConnection link;
    ASSERT_TRUE(link.getComPortPath(false, false));
    ::chmod(link.portPath.c_str(), 0600);
    if (::geteuid() == 0) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    link.connectRetries = 0;
    bool opened = link.connect(false);
    if (::getuid() == 0) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    EXPECT_FALSE(opened);
    EXPECT_EQ(link.openError, EACCES);
}

} // namespace
