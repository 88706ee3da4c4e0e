#include "sim/joystick/Joystick.h"

#include "device/joystickIds.h"
#include "platform/hid.h"
#include "platform/tty.h"
#include "platform/usbDevices.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <poll.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
namespace usb = platform::usbDevices;

sim::JoystickOptions only(bool serial) {
    sim::JoystickOptions options;
    options.serial = serial;
    options.hid = !serial;
    return options;
}

const usb::serialPort* findPort(const std::vector<usb::serialPort>& ports,
                                const std::string& path) {
    for (const auto& p : ports)
        if (p.portPath == path)
            return &p;
    return nullptr;
}

int withId(const std::string& hardwareId) {
    int count = 0;
    for (const auto& p : usb::listSerialPorts())
        count += p.hardwareId == hardwareId;
    return count;
}

// Reads what arrives within `wait`, as separate reads, until `enough` bytes came. Waits
// in poll, so each piece is taken as soon as it is there.
std::vector<std::vector<std::uint8_t>>
readsWithin(platform::tty& port, std::chrono::milliseconds wait, std::size_t enough = SIZE_MAX) {
    std::vector<std::vector<std::uint8_t>> reads;
    std::size_t total = 0;
    auto deadline = std::chrono::steady_clock::now() + wait;
    while (total < enough) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{port.nativeHandle(), POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        std::uint8_t buffer[4096];
        int n = port.readQueued(buffer, sizeof buffer);
        if (n > 0) {
            reads.emplace_back(buffer, buffer + n);
            total += static_cast<std::size_t>(n);
        }
    }
    return reads;
}

bool receivedBytes(const sim::SerialJoystick& joystick, const std::vector<std::uint8_t>& bytes) {
    for (const auto& chunk : joystick.received())
        if (chunk == bytes)
            return true;
    return false;
}

TEST(simSerialJoystick, isListedWithTheJoysticksHardwareId) {
    sim::Joystick joystick(only(true));
    auto path = joystick.serial()->portPath();
    ASSERT_FALSE(path.empty());
    auto ports = usb::listSerialPorts();
    auto* port = findPort(ports, path);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->hardwareId, "USB\\VID_1209&PID_4A58");
    EXPECT_EQ(port->portName, joystick.serial()->portName());
    EXPECT_TRUE(port->isUsb);

    usb::watch watch;
    joystick.unplug();
    EXPECT_EQ(findPort(usb::listSerialPorts(), path), nullptr);
    joystick.plug();
    auto events = watch.drain();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].action, usb::event::kind::removed);
    EXPECT_EQ(events[0].path, path);
    EXPECT_EQ(events.back().action, usb::event::kind::added);
}

TEST(simSerialJoystick, splitsAndSilenceOnRequest) {
    sim::Joystick joystick(only(true));
    platform::tty port;
    ASSERT_TRUE(port.open(joystick.serial()->portPath()));
    const std::uint8_t request[7] = {0xE0, 0, 4, 0, 0, 0, 0};

    ASSERT_EQ(port.write(request, 7), 7);
    auto reads = readsWithin(port, 5s, 7);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0], (std::vector<std::uint8_t>{0xC0, 0, 5, 0, 1, 0, 5}));

    // The halves are 200 ms apart; each is taken the moment it is queued.
    joystick.faults().splitReplies = true;
    ASSERT_EQ(port.write(request, 7), 7);
    reads = readsWithin(port, 5s, 7);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].size() + reads[1].size(), 7u);

    joystick.faults().splitReplies = false;
    joystick.faults().silent = true;
    ASSERT_EQ(port.write(request, 7), 7);
    EXPECT_TRUE(readsWithin(port, 100ms).empty());

    // A block that never completes is forgotten, so the next request is understood.
    joystick.faults().silent = false;
    const std::uint8_t start[7] = {0xE0, 0, 1, 5, 0, 0, 0};
    ASSERT_EQ(port.write(start, 7), 7);
    const auto seenBy = std::chrono::steady_clock::now() + 5s;
    while (!receivedBytes(*joystick.serial(), {start, start + 7}) &&
           std::chrono::steady_clock::now() < seenBy)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(400ms); // twice the time after which it is dropped
    ASSERT_EQ(port.write(request, 7), 7);
    reads = readsWithin(port, 5s, 7);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].size(), 7u);
    port.close();
}

// The program's restart into the boot monitor: open at 1200 baud, close.
void touchAt1200(const std::string& path) {
    platform::tty port;
    ASSERT_TRUE(port.open(path));
    ASSERT_TRUE(port.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    port.close();
}

TEST(simSerialJoystick, a1200BaudTouchTurnsItIntoTheBootMonitor) {
    sim::Joystick joystick(only(true));
    const auto path = joystick.serial()->portPath();

    // A session closed at another rate is no touch, whatever it passed through.
    {
        platform::tty port;
        ASSERT_TRUE(port.open(path));
        ASSERT_TRUE(
            port.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
        std::this_thread::sleep_for(20ms);
        ASSERT_TRUE(
            port.setLine(115200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(joystick.serial()->currentPhase(), sim::SerialJoystick::phase::normal);

    touchAt1200(path);
    ASSERT_TRUE(joystick.serial()->waitForPhase(sim::SerialJoystick::phase::bootMonitor, 2000));
    // The kernel may hand the new port the old number; the identifiers tell them apart.
    EXPECT_EQ(withId("USB\\VID_1209&PID_4A58"), 0);
    EXPECT_EQ(withId("USB\\VID_239A&PID_000B"), 1);
    auto ports = usb::listSerialPorts();
    auto* monitor = findPort(ports, joystick.serial()->portPath());
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->hardwareId, "USB\\VID_239A&PID_000B");

    joystick.serial()->restart();
    EXPECT_EQ(withId("USB\\VID_1209&PID_4A58"), 1);
    EXPECT_EQ(withId("USB\\VID_239A&PID_000B"), 0);
    ports = usb::listSerialPorts();
    auto* back = findPort(ports, joystick.serial()->portPath());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->hardwareId, "USB\\VID_1209&PID_4A58");
}

class fakeMonitor : public sim::BootMonitorSession {
public:
    explicit fakeMonitor(std::atomic<int>& alive) : count(alive) { ++count; }
    ~fakeMonitor() override { --count; }
    std::atomic<int>& count;
};

TEST(simSerialJoystick, theBootMonitorIsPluggedInThroughItsFactory) {
    std::atomic<int> monitors{0};
    std::function<void()> restart;
    sim::JoystickOptions options = only(true);
    options.serialOptions.bootEntryDelayMs = 10;
    options.serialOptions.bootMonitor = [&](std::function<void()> backToFirmware) {
        restart = std::move(backToFirmware);
        return std::make_unique<fakeMonitor>(monitors);
    };
    sim::Joystick joystick(options);
    const auto path = joystick.serial()->portPath();
    touchAt1200(path);
    ASSERT_TRUE(joystick.serial()->waitForPhase(sim::SerialJoystick::phase::bootMonitor, 2000));
    EXPECT_EQ(monitors, 1);
    EXPECT_TRUE(joystick.serial()->portPath().empty()); // the monitor lists its own port
    EXPECT_EQ(withId("USB\\VID_1209&PID_4A58"), 0);

    ASSERT_TRUE(restart);
    restart(); // the monitor's reset
    ASSERT_TRUE(joystick.serial()->waitForPhase(sim::SerialJoystick::phase::normal, 2000));
    EXPECT_EQ(monitors, 0);
    EXPECT_FALSE(joystick.serial()->portPath().empty());
}

// The HID side of a settings receive, played as the program does it: ask for the
// count, echo it, then echo every packet but the last. Every packet is echoed twice:
// a copy sent before the joystick saw the first echo is read and echoed again, and
// that late echo must not end the block.
TEST(simHidJoystick, sendsTheBlockPacketByPacketUntilEachIsEchoed) {
    sim::Joystick joystick(only(false));
    auto block = sim::defaultSettingsBlock();
    block[block.size() - 1] = 0x40;
    joystick.state().storeBlock(block);

    auto opened = platform::hid::open(joystick.hid()->path());
    ASSERT_TRUE(opened.handle);
    auto& device = *opened.handle;
    auto write = [&](const std::uint8_t* p) {
        std::uint8_t report[8] = {2};
        std::copy_n(p, 7, report + 1);
        ASSERT_EQ(device.write(report, 8), 8);
    };
    const std::uint8_t request[7] = {0xE0, 0, 0, 0, 0, 0, 0};
    write(request);

    std::vector<std::uint8_t> got;
    std::vector<std::uint8_t> last;
    int repeats = 0, controllerReports = 0;
    for (int reads = 0; reads < 5000 && got.size() < block.size(); ++reads) {
        std::uint8_t report[32];
        int n = device.read(report, sizeof report, 16);
        if (n <= 0)
            continue;
        if (report[0] == 1) {
            EXPECT_EQ(n, 20);
            ++controllerReports;
            continue;
        }
        ASSERT_EQ(n, 8);
        std::vector<std::uint8_t> p(report + 1, report + 8);
        if (p == last) {
            ++repeats;
            continue;
        }
        got.insert(got.end(), p.begin(), p.end());
        last = p;
        if (got.size() < block.size()) {
            write(p.data());
            write(p.data());
        }
    }
    ASSERT_EQ(got.size(), block.size());
    EXPECT_EQ(std::vector<std::uint8_t>(got.begin(), got.begin() + 7),
              (std::vector<std::uint8_t>{0xC0, 0, 1, 30, 0, 0, 0}));
    for (std::size_t i = 7; i < block.size(); ++i)
        EXPECT_EQ(got[i], i % 7 == 0 ? (block[i] & ~0x20) : block[i]) << "byte " << i;
    EXPECT_GT(controllerReports, 0);
    EXPECT_TRUE(joystick.hid()->sendingBlock()); // the last one is never echoed
}

TEST(simHidJoystick, storesABlockSentPacketByPacket) {
    sim::Joystick joystick(only(false));
    auto block = sim::defaultSettingsBlock();
    block[block.size() - 1] = 0x41;
    auto opened = platform::hid::open(joystick.hid()->path());
    ASSERT_TRUE(opened.handle);
    for (std::size_t i = 0; i < block.size(); i += 7) {
        std::uint8_t report[8] = {2};
        std::copy_n(block.begin() + static_cast<long>(i), 7, report + 1);
        // Every packet twice, as a verified send does when an echo is missed.
        opened.handle->write(report, 8);
        opened.handle->write(report, 8);
    }
    EXPECT_EQ(joystick.state().storedBlock(), block);

    joystick.hid()->unplug();
    std::uint8_t report[32];
    EXPECT_EQ(opened.handle->read(report, sizeof report, 0), -1);
    EXPECT_EQ(opened.handle->write(report, 8), -1);
    EXPECT_FALSE(platform::hid::open(joystick.hid()->path()).handle);
    for (const auto& h : usb::listHidInterfaces())
        EXPECT_NE(h.path, joystick.hid()->path());
}

} // namespace
