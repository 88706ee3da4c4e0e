#pragma once

#include "platform/tty.h"

#include <chrono>
#include <cstdint>
#include <string>

// The joystick's USB serial port: found by the hardware identifier of its USB device,
// opened with fixed line settings, carrying packets, blocks of packets and
// request/reply exchanges of single packets.
class serialConnection {
public:
    // The failure values of the requests.
    static constexpr std::uint32_t noReply = 0xFFFFFFFFu;
    static constexpr std::int32_t defaultConnectRetries = 10;
    static constexpr std::int32_t defaultReplyTimeout = 500000; // microseconds
    static constexpr int baudRate = 115200;
    static constexpr int bootloaderTouchBaud = 1200;
    static constexpr std::chrono::milliseconds writeTimeout{16};
    static constexpr const char* traceFileName = "Connection test.txt";

    serialConnection() = default;
    ~serialConnection();
    serialConnection(const serialConnection&) = delete;
    serialConnection& operator=(const serialConnection&) = delete;

    platform::tty hSerial; // the open port
    int queuedBytes = 0;   // input queue length seen by the last queued read
    int errors = 0;        // errno of the last failed operation on the port
    bool connected = false;
    std::string portPath; // the device node, "/dev/ttyACM0"
    std::string portName; // the kernel's tty name, "ttyACM0"
    std::int32_t connectRetries = defaultConnectRetries;
    std::int32_t replyTimeout = defaultReplyTimeout;
    // errno of the last failed open; EACCES means the port exists but the user may not
    // open it.
    int openError = 0;

    // Searches the joystick's port (or the boot monitor's); keeps the old port when none
    // is found. With writeLog the trace file is rewritten.
    bool getComPortPath(bool writeLog, bool bootloaderMode);
    // Opens portPath with the line settings; with writeLog the trace file is extended.
    bool connect(bool writeLog);
    bool disconnect();
    bool isConnected() const { return connected; }
    bool setTimeout();
    // Restarts the joystick into its boot monitor: portPath opened at 1200 baud and
    // closed again, nothing written. Leaves the settings link closed.
    bool bootloaderReset();

    // What is queued already, at most `length` bytes: the count, -1 when nothing was
    // queued or the read failed, 0 when not connected. Never waits.
    int readData(unsigned char* buffer, unsigned int length);
    // One write of all bytes; false when not connected or not everything was written.
    bool writeData(const unsigned char* buffer, unsigned int length);
    bool writeFromParser();

    std::uint32_t sendRequestFirmwareVersion();           // noReply on failure
    std::uint32_t sendRequestErrors(bool loadCellErrors); // noReply on failure
    std::uint32_t sendRequestKnobValues();                // noReply on failure
    std::uint32_t sendRequestButtonValues();              // 0 on failure
    std::uint32_t sendRequestDiagnosticValues();          // 0 on failure

    // The system's text for the calling thread's last error (strerror of errno).
    static std::string getLastErrorString();

    // The search patterns over the composed hardware identifier (ECMAScript,
    // case-insensitive, whole identifier).
    static const std::string& joystickPattern();
    static const std::string& bootMonitorPattern();
    static bool matchesHardwareId(const std::string& hardwareId, bool bootloaderMode);

private:
    std::uint32_t request(void (*build)(), int expectedResult, std::uint32_t failure);
    void clearError();
};

// The settings link.
extern serialConnection serial;
