#include "firmwareuploader/PosixPortFactory.h"
#include "firmwareuploader/PosixSerialPort.h"
#include "platform/usbDevices.h"
#include "sim/bootmonitor/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using clock_type = std::chrono::steady_clock;

TEST(PosixSerialPort, opensOnceAndRefusesBadLineSettings) {
    sim::PseudoTerminal device;
    PosixSerialPort port(device.slaveName(), false); // a name taken under /dev
    EXPECT_EQ(port.name(), device.slaveName());
    EXPECT_EQ(port.devicePath(), device.slavePath());

    ASSERT_TRUE(port.open(57600));
    EXPECT_EQ(device.lineBaud(), 57600);
    EXPECT_FALSE(port.open(9600)); // open already: stays open, settings unchanged
    EXPECT_EQ(device.lineBaud(), 57600);
    EXPECT_EQ(port.put('a'), 'a');
    EXPECT_EQ(device.get(500), 'a');
    port.close();

    PosixSerialPort bad(device.slavePath(), false);
    EXPECT_FALSE(bad.open(115200, 8, static_cast<SerialPort::Parity>(3), SerialPort::StopBitOne));
    EXPECT_FALSE(bad.open(115200, 8, SerialPort::ParityNone, static_cast<SerialPort::StopBit>(3)));
    EXPECT_EQ(bad.put('a'), -1);   // still closed
    EXPECT_FALSE(bad.open(12345)); // a rate the line cannot take closes the port again
    EXPECT_EQ(bad.get(), -1);
    EXPECT_TRUE(bad.open(921600, 8, SerialPort::ParityEven, SerialPort::StopBitTwo));

    PosixSerialPort missing("does-not-exist-tty", true);
    EXPECT_FALSE(missing.open());
    EXPECT_TRUE(missing.isUsb());
}

TEST(PosixSerialPort, closedPortFailsEveryTransfer) {
    PosixSerialPort port("ttyS-none", false);
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(port.read(buffer, 4), -1);
    EXPECT_EQ(port.write(buffer, 4), -1);
    EXPECT_EQ(port.get(), -1);
    EXPECT_EQ(port.put(1), -1);
    EXPECT_FALSE(port.timeout(10));
}

TEST(PosixSerialPort, readReturnsWhatArrivedWhenTheTimeoutRunsOut) {
    sim::PseudoTerminal device;
    PosixSerialPort port(device.slavePath(), true);
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(port.timeout(150));

    std::uint8_t buffer[255] = {};
    EXPECT_EQ(port.read(buffer, 0), 0);

    std::uint8_t twenty[20];
    for (int i = 0; i < 20; ++i)
        twenty[i] = static_cast<std::uint8_t>(0x80 + i);
    device.put(twenty, sizeof twenty);
    const auto start = clock_type::now();
    EXPECT_EQ(port.read(buffer, 255), 20);
    EXPECT_GE(clock_type::now() - start, std::chrono::milliseconds(140));
    EXPECT_EQ(buffer[19], 0x93);

    // All requested bytes there: returns at once, long before the time-out.
    ASSERT_TRUE(port.timeout(5000));
    device.put(twenty, 4);
    const auto quick = clock_type::now();
    EXPECT_EQ(port.read(buffer, 4), 4);
    EXPECT_LT(clock_type::now() - quick, std::chrono::seconds(2));

    ASSERT_TRUE(port.timeout(50));
    EXPECT_EQ(port.get(), -1); // nothing within the time-out
}

// The time-out is a pause in the bytes, not a limit on the whole transfer: bytes that
// keep coming, each well within it, are all taken although they take longer.
TEST(PosixSerialPort, readGoesOnWhileBytesKeepComing) {
    sim::PseudoTerminal device;
    PosixSerialPort port(device.slavePath(), true);
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(port.timeout(500));
    std::thread sender([&device] {
        for (int i = 0; i < 25; ++i) {
            const std::uint8_t byte = static_cast<std::uint8_t>(i);
            device.put(&byte, 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
    });
    std::uint8_t buffer[25] = {};
    const auto start = clock_type::now();
    const int count = port.read(buffer, 25);
    const auto took = clock_type::now() - start;
    sender.join();
    EXPECT_EQ(count, 25);
    EXPECT_EQ(buffer[24], 24);
    EXPECT_GT(took, std::chrono::milliseconds(500)); // longer than one time-out
}

TEST(PosixSerialPort, getAndPutCarryHighBytesWithoutSignExtension) {
    sim::PseudoTerminal device;
    PosixSerialPort port(device.slavePath(), false);
    ASSERT_TRUE(port.open());
    port.timeout(500);
    for (int value : {0x00, 0x7F, 0x80, 0xC3, 0xFF}) {
        SCOPED_TRACE(value);
        const std::uint8_t byte = static_cast<std::uint8_t>(value);
        device.put(&byte, 1);
        EXPECT_EQ(port.get(), value);
        EXPECT_EQ(port.put(value), value);
        EXPECT_EQ(device.get(500), value);
    }
    EXPECT_EQ(port.put(0x1A5), 0xA5); // only the low 8 bits go out
    EXPECT_EQ(device.get(500), 0xA5);
}

TEST(PosixSerialPort, flushPausesWithoutDiscardingInput) {
    sim::PseudoTerminal device;
    PosixSerialPort port(device.slavePath(), true);
    ASSERT_TRUE(port.open());
    port.timeout(500);
    const std::uint8_t byte = 0x42;
    device.put(&byte, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto start = clock_type::now();
    port.flush();
    EXPECT_GE(clock_type::now() - start, std::chrono::milliseconds(1));
    EXPECT_EQ(port.get(), 0x42);
}

TEST(PosixPortFactory, tellsUsbPortsFromTheDeviceListAndEnumeratesThem) {
    sim::PseudoTerminal usbLine, plainLine, unlisted;
    platform::usbDevices::serialPort usbEntry{usbLine.slavePath(), usbLine.slaveName(),
                                              "USB\\VID_239A&PID_000B", true};
    platform::usbDevices::serialPort plainEntry{plainLine.slavePath(), plainLine.slaveName(), "",
                                                false};
    const auto a = platform::usbDevices::registerSerialPort(usbEntry);
    const auto b = platform::usbDevices::registerSerialPort(plainEntry);

    PosixPortFactory factory;
    EXPECT_TRUE(factory.create(usbLine.slaveName())->isUsb());
    EXPECT_TRUE(factory.create(usbLine.slavePath())->isUsb());
    EXPECT_FALSE(factory.create(plainLine.slaveName())->isUsb());
    EXPECT_FALSE(factory.create(unlisted.slaveName())->isUsb());
    EXPECT_FALSE(factory.create("no-such-port")->isUsb());
    auto forced = factory.create(plainLine.slaveName(), true);
    EXPECT_TRUE(forced->isUsb());
    EXPECT_EQ(forced->name(), plainLine.slaveName());
    EXPECT_TRUE(forced->open());

    std::vector<std::string> names;
    for (auto name = factory.begin(); name != factory.end(); name = factory.next())
        names.push_back(name);
    EXPECT_EQ(std::count(names.begin(), names.end(), usbLine.slaveName()), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), plainLine.slaveName()), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), unlisted.slaveName()), 0);
    EXPECT_EQ(factory.next(), factory.end()); // finished stays finished
    EXPECT_EQ(factory.end(), "");
    // A new enumeration starts from the beginning again.
    EXPECT_EQ(factory.begin(), names.empty() ? std::string() : names.front());

    platform::usbDevices::unregister(a);
    platform::usbDevices::unregister(b);
}

} // namespace
