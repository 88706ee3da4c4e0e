#include "device/hidConnection.h"

#include "device/joystickIds.h"
#include "platform/tty.h"
#include "platform/usbDevices.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace hidConnection {

std::string devicePath;
std::chrono::steady_clock::time_point receiveTimeout;
std::int32_t packetsReceived = 0;
std::uint32_t packetsExpected = 0;
std::uint8_t lastPacket[7] = {};
bool isConnected = false;
std::uint8_t outputBuffer[outputReportSize] = {packetReportId};
std::uint8_t inputBuffer[inputBufferSize] = {};
platform::hid::openError lastOpenError = platform::hid::openError::notFound;
std::string onlyPath;

namespace {

// Kept open between reports; dropped when it fails and opened again on the next use,
// as a handle opened per report would be.
std::unique_ptr<platform::hid::device> handle;

// Reply codes of the requests.
constexpr std::uint8_t replyMarker = 0xC0;
constexpr std::uint8_t countReply = 1;
constexpr std::uint8_t firmwareReply = 5;
constexpr std::uint8_t miscErrorsReply = 7;
constexpr std::uint8_t loadCellErrorsReply = 9;
constexpr std::uint8_t knobReply = 11;

bool ensureOpen() {
    if (handle)
        return true;
    auto opened = platform::hid::open(devicePath);
    handle = std::move(opened.handle);
    return handle != nullptr;
}

// Set by a write, cleared by a read: what arrives after a write (the echo, the
// reply) is what the next read is for and must not be thrown away.
bool wroteSinceRead = false;

// A handle opened for each report, as the joystick's host side expects, sees only
// reports delivered after it was opened; reports queued up since the previous read
// are stale (game-controller reports pile up between polls).
void discardQueued() {
    std::uint8_t scratch[inputBufferSize];
    for (int i = 0; i < 256 && handle; ++i) {
        int n = handle->read(scratch, sizeof scratch, 0);
        if (n < 0)
            handle.reset();
        if (n <= 0)
            return;
    }
}

void copyParserToOutput() {
    std::copy_n(settingsParser::data, settingsParser::packetSize, outputBuffer + 1);
}

// The value of a reply with `code` in inputBuffer, if it is one.
bool replyValue(std::uint8_t code, std::uint32_t& value) {
    if (inputBuffer[0] != packetReportId || inputBuffer[1] != replyMarker || inputBuffer[3] != code)
        return false;
    value = std::uint32_t{inputBuffer[4]} | std::uint32_t{inputBuffer[5]} << 8 |
            std::uint32_t{inputBuffer[6]} << 16 | std::uint32_t{inputBuffer[7]} << 24;
    return true;
}

std::uint32_t replyOr(std::uint8_t code, std::uint32_t otherwise) {
    std::uint32_t value;
    return replyValue(code, value) ? value : otherwise;
}

template <typename accept>
bool requestLoop(std::uint8_t replyCode, accept&& acceptable, std::uint32_t& value) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        sendValues();
        receiveValues();
        if (replyValue(replyCode, value) && acceptable(value))
            return true;
        platform::sleepMilliseconds(attemptSleepMilliseconds);
    }
    return false;
}

std::uint32_t request(std::uint8_t replyCode, std::uint32_t notConnected, std::uint32_t noAnswer) {
    copyParserToOutput();
    if (!isConnected)
        return notConnected;
    std::uint32_t value = 0;
    auto notAllBits = [](std::uint32_t v) { return v != noReply; };
    return requestLoop(replyCode, notAllBits, value) ? value : noAnswer;
}

} // namespace

void init() {
    isConnected = false;
    handle.reset();
    wroteSinceRead = false;
    devicePath.clear();
    onlyPath.clear();
    lastOpenError = platform::hid::openError::notFound;
    std::fill(std::begin(outputBuffer), std::end(outputBuffer), 0);
    outputBuffer[0] = packetReportId;
    std::fill(std::begin(inputBuffer), std::end(inputBuffer), 0);
    packetsExpected = 0;
    packetsReceived = 0;
    std::fill(std::begin(lastPacket), std::end(lastPacket), 0);
}

bool connectDevice() {
    isConnected = false;
    handle.reset();
    lastOpenError = platform::hid::openError::notFound;
    for (const auto& interface : platform::usbDevices::listHidInterfaces()) {
        if (interface.vendor != joystickIds::vendor || interface.product != joystickIds::product)
            continue;
        if (!onlyPath.empty() && interface.path != onlyPath)
            continue;
        auto opened = platform::hid::open(interface.path);
        if (opened.handle) {
            handle = std::move(opened.handle);
            devicePath = interface.path;
            isConnected = true;
            lastOpenError = platform::hid::openError::none;
            break;
        }
        // A refused open says more than a vanished one; keep the most telling reason.
        if (lastOpenError != platform::hid::openError::permissionDenied)
            lastOpenError = opened.error;
    }
    return isConnected;
}

void setOutput(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
               std::uint8_t b5, std::uint8_t b6) {
    const std::uint8_t packet[7] = {b0, b1, b2, b3, b4, b5, b6};
    std::copy_n(packet, 7, outputBuffer + 1);
}

void setOutputFromParser() {
    copyParserToOutput();
}

bool sendValues() {
    if (!isConnected)
        return false;
    if (ensureOpen()) {
        discardQueued();
        if (handle && handle->write(outputBuffer, outputReportSize) < 0)
            handle.reset();
    }
    wroteSinceRead = true;
    return true;
}

int receiveValues() {
    std::fill(std::begin(inputBuffer), std::end(inputBuffer), 0);
    if (!isConnected || !ensureOpen())
        return 0;
    if (!wroteSinceRead)
        discardQueued();
    wroteSinceRead = false;
    if (!handle)
        return 0;
    int n = handle->read(inputBuffer, readSize, readWaitMilliseconds);
    if (n <= 0) {
        if (n < 0)
            handle.reset();
        std::fill(std::begin(inputBuffer), std::end(inputBuffer), 0);
        return 0;
    }
    return n;
}

bool valuesMatch() {
    return std::equal(outputBuffer, outputBuffer + 8, inputBuffer);
}

bool sendVerify() {
    copyParserToOutput();
    if (!isConnected)
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        sendValues();
        receiveValues();
        if (valuesMatch())
            return true;
        platform::sleepMilliseconds(attemptSleepMilliseconds);
    }
    return false;
}

std::uint32_t numberOfPackets() {
    return replyOr(countReply, 0);
}
std::uint32_t parseFirmware() {
    return replyOr(firmwareReply, noReply);
}
std::uint32_t parseErrorsMisc() {
    return replyOr(miscErrorsReply, noReply);
}
std::uint32_t parseErrorsLC() {
    return replyOr(loadCellErrorsReply, noReply);
}
std::uint32_t knobValue() {
    return replyOr(knobReply, noReply);
}

std::uint32_t sendRequestSettings() {
    settingsParser::buildRequestSettings();
    copyParserToOutput();
    if (!isConnected)
        return 0;
    std::uint32_t count = 0;
    auto notZero = [](std::uint32_t v) { return v != 0; };
    if (!requestLoop(countReply, notZero, count))
        return 0;
    // Echo the count reply exactly as it came, so the joystick starts the block.
    std::copy_n(inputBuffer + 1, settingsParser::packetSize, settingsParser::data);
    copyParserToOutput();
    sendValues();
    return count;
}

std::uint32_t sendRequestFirmwareVersion() {
    settingsParser::buildRequestFirmwareVersion();
    return request(firmwareReply, noReply, noReply);
}

std::uint32_t sendRequestKnobValue() {
    settingsParser::buildRequestKnobValues();
    return request(knobReply, noReply, noReply);
}

std::uint32_t sendRequestErrorsMisc() {
    settingsParser::buildRequestErrorValues(false);
    return request(miscErrorsReply, 0, noReply);
}

std::uint32_t sendRequestErrorsLC() {
    settingsParser::buildRequestErrorValues(true);
    return request(loadCellErrorsReply, 0, noReply);
}

void sendGibberish(int count) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < count; ++i) {
        for (auto& byte : settingsParser::data)
            byte = static_cast<std::uint8_t>(std::rand() % 256);
        copyParserToOutput();
        if (isConnected)
            sendValues();
        platform::sleepMilliseconds(attemptSleepMilliseconds);
    }
}

} // namespace hidConnection
