#include "device/serialConnection.h"

#include "device/joystickIds.h"
#include "platform/usbDevices.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <regex>
#include <termios.h>

serialConnection serial;

namespace {

std::string hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", unsigned{value});
    return text;
}

const std::regex& pattern(bool bootloaderMode) {
    static const std::regex joystick(serialConnection::joystickPattern(),
                                     std::regex::ECMAScript | std::regex::icase);
    static const std::regex bootMonitor(serialConnection::bootMonitorPattern(),
                                        std::regex::ECMAScript | std::regex::icase);
    return bootloaderMode ? bootMonitor : joystick;
}

} // namespace

serialConnection::~serialConnection() {
    if (connected)
        hSerial.close();
}

const std::string& serialConnection::joystickPattern() {
    static const std::string text =
        ".*VID_" + hex4(joystickIds::vendor) + ".*PID_" + hex4(joystickIds::product) + ".*";
    return text;
}

const std::string& serialConnection::bootMonitorPattern() {
    static const std::string text = ".*VID_239A.*PID_000B.*";
    return text;
}

bool serialConnection::matchesHardwareId(const std::string& hardwareId, bool bootloaderMode) {
    return std::regex_match(hardwareId, pattern(bootloaderMode));
}

bool serialConnection::getComPortPath(bool writeLog, bool bootloaderMode) {
    const auto ports = platform::usbDevices::listSerialPorts();
    std::ofstream trace;
    if (writeLog)
        trace.open(traceFileName, std::ios::out | std::ios::trunc);
    for (const auto& port : ports) {
        // Only ports of USB devices have a hardware identifier to match.
        if (port.hardwareId.empty())
            continue;
        if (writeLog)
            trace << port.hardwareId << '\n';
        if (port.portName.empty() || port.portPath.empty())
            continue;
        if (writeLog)
            trace << "PortName: " << port.portName << '\n';
        if (matchesHardwareId(port.hardwareId, bootloaderMode)) {
            portName = port.portName;
            portPath = port.portPath;
            if (writeLog)
                trace << "Valid device found: " << portName << '\n';
            return true;
        }
    }
    if (writeLog)
        trace << "No valid device found" << '\n';
    return false;
}

bool serialConnection::connect(bool writeLog) {
    connected = false;
    hSerial.close();
    bool opened = hSerial.open(portPath);
    openError = opened ? 0 : hSerial.lastError();
    std::string message = platform::errorString(hSerial.lastError());
    std::ofstream trace;
    if (writeLog)
        trace.open(traceFileName, std::ios::out | std::ios::app);
    for (int retry = 0; !opened && retry < connectRetries; ++retry) {
        if (writeLog)
            trace << "Serial retry failed\n"
                  << "hSerial invalid handle\n"
                  << message << '\n';
        platform::sleepMilliseconds(2);
        opened = hSerial.open(portPath);
        openError = opened ? 0 : hSerial.lastError();
        message = platform::errorString(hSerial.lastError());
    }
    if (!opened) {
        if (writeLog)
            trace << "Serial connect() failed\n"
                  << "hSerial invalid handle\n"
                  << message << '\n';
        return false;
    }
    setTimeout();
    termios state{};
    if (::tcgetattr(hSerial.nativeHandle(), &state) != 0) {
        errors = errno;
        if (writeLog)
            trace << "GetCommState() failed\n";
        hSerial.close();
        return false;
    }
    if (!hSerial.setLine(baudRate, 8, platform::tty::parity::none, platform::tty::stopBits::one)) {
        errors = hSerial.lastError();
        if (writeLog)
            trace << "SetCommState() failed\n";
        hSerial.close();
        return false;
    }
    if (writeLog)
        trace << "Serial connect() succeeded\n";
    connected = true;
    return true;
}

bool serialConnection::disconnect() {
    if (connected) {
        connected = false;
        hSerial.close();
    }
    return true;
}

bool serialConnection::bootloaderReset() {
    connected = false;
    // The settings link's own handle would keep the exclusive open below from working.
    hSerial.close();
    bool opened = hSerial.open(portPath);
    for (int retry = 0; !opened && retry < connectRetries; ++retry) {
        platform::sleepMilliseconds(2);
        opened = hSerial.open(portPath);
    }
    if (!opened) {
        openError = hSerial.lastError();
        return false;
    }
    openError = 0;
    const bool touched = hSerial.setLine(bootloaderTouchBaud, 8, platform::tty::parity::none,
                                         platform::tty::stopBits::one);
    if (!touched)
        errors = hSerial.lastError();
    // Closed on failure too: nothing else would close a handle of a link not connected.
    hSerial.close();
    return touched;
}

bool serialConnection::setTimeout() {
    // Reads never wait (only queued bytes are taken) and every write is bounded by
    // writeTimeout; termios itself needs nothing more.
    return hSerial.isOpen();
}

void serialConnection::clearError() {
    errors = hSerial.lastError();
    queuedBytes = std::max(0, hSerial.queued());
}

int serialConnection::readData(unsigned char* buffer, unsigned int length) {
    if (!connected)
        return 0;
    int queued = hSerial.queued();
    errors = queued < 0 ? hSerial.lastError() : 0;
    queuedBytes = std::max(0, queued);
    if (queued <= 0)
        return -1;
    int n = hSerial.readQueued(buffer, std::min<std::size_t>(length, std::size_t(queued)));
    return n > 0 ? n : -1;
}

bool serialConnection::writeData(const unsigned char* buffer, unsigned int length) {
    if (!connected)
        return false;
    // A write cut short by the time-out did not carry the packets: not a success.
    if (hSerial.write(buffer, length, writeTimeout) != static_cast<int>(length)) {
        clearError();
        return false;
    }
    return true;
}

bool serialConnection::writeFromParser() {
    return writeData(settingsParser::data, settingsParser::packetSize);
}

std::string serialConnection::getLastErrorString() {
    return platform::errorString(errno);
}
