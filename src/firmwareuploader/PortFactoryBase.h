#pragma once

#include "firmwareuploader/SerialPort.h"

#include <string>

// Creates serial ports by name and enumerates the ones present:
// begin(), then next() until the result equals end().
class PortFactoryBase {
public:
    PortFactoryBase() = default;
    virtual ~PortFactoryBase() = default;
    PortFactoryBase(const PortFactoryBase&) = delete;
    PortFactoryBase& operator=(const PortFactoryBase&) = delete;

    virtual std::string begin() = 0;
    virtual std::string end() = 0;
    virtual std::string next() = 0;

    virtual SerialPort::Ptr create(const std::string& name) = 0;
    virtual SerialPort::Ptr create(const std::string& name, bool isUsb) = 0;
};
