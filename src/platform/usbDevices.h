#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The machine's serial ports and HID interfaces, as found by libudev, plus entries
// registered in-process (the simulator, tests). Safe to call from any thread.
namespace platform::usbDevices {

struct serialPort {
    std::string portPath;   // device node, "/dev/ttyACM0"
    std::string portName;   // the kernel's tty name, "ttyACM0", "pts/3"
    std::string hardwareId; // "USB\VID_1209&PID_4A58"; empty for a tty without a USB parent
    bool isUsb = false;     // the tty's parent chain contains a USB device
};

struct hidInterface {
    std::string path; // hidraw node ("/dev/hidraw3") or the path of a registered device
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// "USB\VID_%04X&PID_%04X", upper-case hexadecimal.
std::string hardwareIdentifier(std::uint16_t vendor, std::uint16_t product);

// Real devices first (in udev's enumeration order), then the registered entries in
// the order they were registered.
std::vector<serialPort> listSerialPorts();
std::vector<hidInterface> listHidInterfaces();

// Registered entries stay listed until unregistered; every change raises an event on
// each open watch. The token is never 0.
using token = std::uint64_t;
token registerSerialPort(const serialPort& port);
token registerHidInterface(const hidInterface& interface);
void unregister(token entry);

// Arrival and removal of serial ports and HID interfaces: a udev monitor on the tty
// and hidraw subsystems together with the changes of the registered entries, behind
// one descriptor that becomes readable when events are pending (for a
// QSocketNotifier or poll).
struct event {
    enum class kind { added, removed };
    kind action = kind::added;
    std::string path; // device node or registered path
};

class watch {
public:
    watch();
    ~watch();
    watch(const watch&) = delete;
    watch& operator=(const watch&) = delete;

    // Readable while events are pending; -1 when no watch could be set up.
    int fd() const { return pollFd; }
    // Takes every pending event without blocking.
    std::vector<event> drain();

private:
    int pollFd = -1;
    int registryFd = -1;
    struct udevState;
    udevState* monitorState = nullptr;
};

// The parsing behind the listing, on plain property sets so it can be checked with
// recorded devices. `properties` are a device's udev properties (DEVNAME, SUBSYSTEM,
// ID_BUS, ID_VENDOR_ID, ...); a parent's sysattrs are given when present.
using properties = std::map<std::string, std::string>;

struct ttyRecord {
    std::string sysname;    // "ttyACM0"
    properties device;      // the tty's properties
    bool hasParent = false; // virtual consoles and the like have no parent device
    std::optional<properties> usbDeviceAttributes; // sysattrs of the usb_device parent
};
std::optional<serialPort> serialPortFromRecord(const ttyRecord& record);

struct hidrawRecord {
    properties device;                   // the hidraw node's properties (DEVNAME)
    std::optional<properties> hidParent; // the hid parent's properties (HID_ID)
};
std::optional<hidInterface> hidInterfaceFromRecord(const hidrawRecord& record);

} // namespace platform::usbDevices
