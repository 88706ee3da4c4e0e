#include "firmwareuploader/PosixPortFactory.h"

#include "firmwareuploader/PosixSerialPort.h"

#include <memory>

namespace {

std::string pathFor(const std::string& name) {
    if (!name.empty() && name.front() == '/')
        return name;
    return "/dev/" + name;
}

} // namespace

std::string PosixPortFactory::begin() {
    endEnumeration();
    ports = platform::usbDevices::listSerialPorts();
    enumerating = true;
    return next();
}

std::string PosixPortFactory::end() {
    return std::string();
}

std::string PosixPortFactory::next() {
    while (enumerating) {
        if (index >= ports.size()) {
            endEnumeration();
            break;
        }
        const auto& port = ports[index++];
        // An empty name would read as the end sentinel; such an entry is skipped.
        if (!port.portName.empty())
            return port.portName;
    }
    return end();
}

void PosixPortFactory::endEnumeration() {
    enumerating = false;
    ports.clear();
    index = 0;
}

SerialPort::Ptr PosixPortFactory::create(const std::string& name) {
    const std::string path = pathFor(name);
    bool usb = false;
    for (const auto& port : platform::usbDevices::listSerialPorts()) {
        if (port.portPath == path || port.portName == name) {
            usb = port.isUsb;
            break;
        }
    }
    return create(name, usb);
}

SerialPort::Ptr PosixPortFactory::create(const std::string& name, bool isUsb) {
    return std::make_unique<PosixSerialPort>(name, isUsb);
}
