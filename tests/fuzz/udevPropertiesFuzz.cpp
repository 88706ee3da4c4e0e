// Any udev property sets for a tty or a hidraw node, as a device (or a broken udev
// database) may present them.
//
// Byte 0: bit 0 the tty has a parent, bit 1 the usb_device parent's attributes are
// there, bit 2 the hidraw node has a hid parent. The rest is text: the tty's sysname on
// the first line, then KEY=VALUE lines; a line "--" moves on to the next set (the
// device's, the usb_device attributes, the hid parent's).
#include "fuzzSupport.h"

#include "platform/usbDevices.h"

#include <string_view>

namespace usb = platform::usbDevices;

namespace {

// "USB\VID_XXXX&PID_XXXX" with upper-case hexadecimal digits.
bool wellFormedHardwareId(const std::string& id) {
    const std::string_view shape = "USB\\VID_....&PID_....";
    if (id.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char c = id[i];
        if (shape[i] == '.' ? !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) : c != shape[i])
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string sysname;
    usb::properties sets[3];
    int set = 0;
    bool first = true;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (first) {
            sysname = line;
            first = false;
        } else if (line == "--") {
            set = set < 2 ? set + 1 : set;
        } else {
            const std::size_t equals = line.find('=');
            sets[set][std::string(line.substr(0, equals))] =
                equals == std::string_view::npos ? "" : std::string(line.substr(equals + 1));
        }
    }

    usb::ttyRecord tty{sysname, sets[0], (flags & 1) != 0, std::nullopt};
    if (flags & 2)
        tty.usbDeviceAttributes = sets[1];
    if (const auto port = usb::serialPortFromRecord(tty)) {
        fuzzSupport::check(!port->portPath.empty() && port->portPath == sets[0]["DEVNAME"],
                           "port path is not the device node");
        fuzzSupport::check(!port->portName.empty(), "port without a name");
        fuzzSupport::check(port->hardwareId.empty() || wellFormedHardwareId(port->hardwareId),
                           "malformed hardware identifier");
        fuzzSupport::check(port->hardwareId.empty() || port->isUsb,
                           "hardware identifier on a port that is not USB");
    }

    usb::hidrawRecord hid{sets[0], std::nullopt};
    if (flags & 4)
        hid.hidParent = sets[2];
    if (const auto interface = usb::hidInterfaceFromRecord(hid))
        fuzzSupport::check(!interface->path.empty() && interface->path == sets[0]["DEVNAME"],
                           "HID path is not the device node");
    return 0;
}
