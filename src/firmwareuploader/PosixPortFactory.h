#pragma once

#include "firmwareuploader/PortFactoryBase.h"
#include "platform/usbDevices.h"

#include <cstddef>
#include <string>
#include <vector>

// Ports on tty device nodes. The enumeration walks the serial ttys the device list
// knows (those with a parent device, so no virtual consoles), including registered ones.
class PosixPortFactory : public PortFactoryBase {
public:
    PosixPortFactory() = default;
    ~PosixPortFactory() override = default;

    std::string begin() override;
    std::string end() override;
    std::string next() override;

    // USB when the device list places the tty under a USB device; a name it does not
    // know gives a plain port.
    SerialPort::Ptr create(const std::string& name) override;
    SerialPort::Ptr create(const std::string& name, bool isUsb) override;

private:
    void endEnumeration();

    bool enumerating = false;
    std::vector<platform::usbDevices::serialPort> ports;
    std::size_t index = 0;
};
