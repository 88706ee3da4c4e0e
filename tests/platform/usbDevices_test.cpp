#include "platform/usbDevices.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace {

using namespace platform::usbDevices;

// Property sets as udev reports them for the kinds of tty a machine has.
ttyRecord cdcAcmJoystick() {
    ttyRecord r;
    r.sysname = "ttyACM0";
    r.device = {{"DEVNAME", "/dev/ttyACM0"},
                {"SUBSYSTEM", "tty"},
                {"ID_BUS", "usb"},
                {"ID_VENDOR_ID", "1209"},
                {"ID_MODEL_ID", "4a58"},
                {"MAJOR", "166"},
                {"DEVPATH", "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/tty/ttyACM0"}};
    r.hasParent = true;
    r.usbDeviceAttributes = properties{{"idVendor", "1209"}, {"idProduct", "4a58"}};
    return r;
}

TEST(usbDevices, composesTheHardwareIdentifierFromTheUsbParent) {
    auto port = serialPortFromRecord(cdcAcmJoystick());
    ASSERT_TRUE(port);
    EXPECT_EQ(port->portPath, "/dev/ttyACM0");
    EXPECT_EQ(port->portName, "ttyACM0");
    EXPECT_EQ(port->hardwareId, "USB\\VID_1209&PID_4A58");
    EXPECT_TRUE(port->isUsb);
    EXPECT_EQ(hardwareIdentifier(0x239A, 0x000B), "USB\\VID_239A&PID_000B");
}

TEST(usbDevices, readsRecordedTtys) {
    struct row {
        const char* what;
        ttyRecord record;
        bool listed;
        const char* name;
        const char* hardwareId;
        bool isUsb;
    };
    ttyRecord noDatabase = cdcAcmJoystick(); // no udev daemon: sysfs attributes only
    noDatabase.device = {{"DEVNAME", "/dev/ttyACM0"}};
    ttyRecord databaseOnly = cdcAcmJoystick(); // no parent attributes: udev's ID_* properties
    databaseOnly.usbDeviceAttributes.reset();
    ttyRecord adapter;
    adapter.sysname = "ttyUSB0";
    adapter.device = {{"DEVNAME", "/dev/ttyUSB0"}, {"ID_BUS", "usb"}};
    adapter.hasParent = true;
    adapter.usbDeviceAttributes = properties{{"idVendor", "0403"}, {"idProduct", "6001"}};
    ttyRecord builtIn;
    builtIn.sysname = "ttyS0";
    builtIn.device = {{"DEVNAME", "/dev/ttyS0"}, {"SUBSYSTEM", "tty"}};
    builtIn.hasParent = true;
    ttyRecord console;
    console.sysname = "tty1";
    console.device = {{"DEVNAME", "/dev/tty1"}};
    ttyRecord noNode = cdcAcmJoystick();
    noNode.device.erase("DEVNAME");
    ttyRecord garbled = cdcAcmJoystick();
    garbled.usbDeviceAttributes = properties{{"idVendor", "12G9"}, {"idProduct", "4a58"}};
    garbled.device.erase("ID_VENDOR_ID");
    ttyRecord tooLong = cdcAcmJoystick();
    tooLong.usbDeviceAttributes = properties{{"idVendor", "01209"}, {"idProduct", "4a58"}};
    tooLong.device["ID_VENDOR_ID"] = "x";

    const row rows[] = {
        {"sysfs only", noDatabase, true, "ttyACM0", "USB\\VID_1209&PID_4A58", true},
        {"database only", databaseOnly, true, "ttyACM0", "USB\\VID_1209&PID_4A58", true},
        {"usb adapter", adapter, true, "ttyUSB0", "USB\\VID_0403&PID_6001", true},
        {"built-in port", builtIn, true, "ttyS0", "", false},
        {"virtual console", console, false, "", "", false},
        {"no device node", noNode, false, "", "", false},
        {"garbled id", garbled, true, "ttyACM0", "", true},
        {"five digits", tooLong, true, "ttyACM0", "", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        auto port = serialPortFromRecord(r.record);
        ASSERT_EQ(port.has_value(), r.listed);
        if (!port)
            continue;
        EXPECT_EQ(port->portName, r.name);
        EXPECT_EQ(port->hardwareId, r.hardwareId);
        EXPECT_EQ(port->isUsb, r.isUsb);
    }
}

TEST(usbDevices, readsRecordedHidrawInterfaces) {
    struct row {
        const char* hidId;
        bool listed;
        std::uint16_t vendor, product;
    };
    const row rows[] = {
        {"0003:00001209:00004A58", true, 0x1209, 0x4A58},
        {"0003:00001209:00004a58", true, 0x1209, 0x4A58},
        {"0005:0000046D:0000B342", true, 0x046D, 0xB342}, // Bluetooth
        {"0003:00011209:00004A58", false, 0, 0},          // vendor beyond 16 bits
        {"0003:00001209", false, 0, 0},
        {"garbage", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.hidId);
        hidrawRecord record;
        record.device = {{"DEVNAME", "/dev/hidraw3"}, {"SUBSYSTEM", "hidraw"}};
        record.hidParent = properties{{"HID_ID", r.hidId}, {"HID_NAME", "Joystick"}};
        auto interface = hidInterfaceFromRecord(record);
        ASSERT_EQ(interface.has_value(), r.listed);
        if (interface) {
            EXPECT_EQ(interface->path, "/dev/hidraw3");
            EXPECT_EQ(interface->vendor, r.vendor);
            EXPECT_EQ(interface->product, r.product);
        }
    }
    hidrawRecord orphan;
    orphan.device = {{"DEVNAME", "/dev/hidraw0"}};
    EXPECT_FALSE(hidInterfaceFromRecord(orphan));
}

// Whatever this machine has: every listed port and interface is well formed.
TEST(usbDevices, listsThisMachinesDevices) {
    for (const auto& port : listSerialPorts()) {
        SCOPED_TRACE(port.portPath);
        EXPECT_EQ(port.portPath.rfind("/dev/", 0), 0u);
        EXPECT_EQ("/dev/" + port.portName, port.portPath);
        if (!port.hardwareId.empty()) {
            EXPECT_EQ(port.hardwareId.size(), 21u);
            EXPECT_EQ(port.hardwareId.rfind("USB\\VID_", 0), 0u);
            EXPECT_TRUE(port.isUsb);
        }
    }
    for (const auto& interface : listHidInterfaces())
        EXPECT_EQ(interface.path.rfind("/dev/hidraw", 0), 0u);
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

TEST(usbDevices, registeredEntriesAreListedAndWatched) {
    watch w;
    ASSERT_GE(w.fd(), 0);
    w.drain();
    EXPECT_FALSE(readable(w.fd()));

    serialPort port{"/dev/pts/99", "pts/99", "USB\\VID_1209&PID_4A58", true};
    token t = registerSerialPort(port);
    token h = registerHidInterface({"sim:test", 0x1209, 0x4A58});
    EXPECT_NE(t, 0u);
    EXPECT_NE(t, h);

    auto ports = listSerialPorts();
    ASSERT_FALSE(ports.empty());
    EXPECT_EQ(ports.back().portPath, "/dev/pts/99");
    EXPECT_EQ(ports.back().hardwareId, port.hardwareId);
    auto hids = listHidInterfaces();
    ASSERT_FALSE(hids.empty());
    EXPECT_EQ(hids.back().path, "sim:test");

    EXPECT_TRUE(readable(w.fd()));
    auto events = w.drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].action, event::kind::added);
    EXPECT_EQ(events[0].path, "/dev/pts/99");
    EXPECT_FALSE(readable(w.fd()));

    unregister(t);
    unregister(h);
    unregister(t); // a second time changes nothing
    events = w.drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].action, event::kind::removed);
    EXPECT_EQ(events[1].path, "sim:test");
    for (const auto& p : listSerialPorts())
        EXPECT_NE(p.portPath, "/dev/pts/99");
}

} // namespace
