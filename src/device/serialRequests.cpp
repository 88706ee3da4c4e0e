#include "device/serialConnection.h"

#include "settings/settingsParser.h"

#include <algorithm>
#include <chrono>

std::uint32_t serialConnection::request(void (*build)(), int expectedResult,
                                        std::uint32_t failure) {
    if (!connected)
        return failure;
    build();
    writeFromParser(); // a failed write has cleared the error state; wait anyway

    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    unsigned char reply[14] = {};
    int got = -1;
    // Busy polling, so the reply is taken the moment it is queued; the first read that
    // finds any bytes ends the wait.
    while (true) {
        auto elapsed =
            std::chrono::duration_cast<std::chrono::microseconds>(clock::now() - start).count();
        if (elapsed >= replyTimeout || got >= 0)
            break;
        if (!connected)
            return failure;
        got = readData(reply, sizeof reply);
    }
    if (got != settingsParser::packetSize)
        return failure;
    std::copy_n(reply, settingsParser::packetSize, settingsParser::data);
    if (settingsParser::parseToSettings(true, false) != expectedResult)
        return failure;
    return settingsParser::getDataInt();
}

std::uint32_t serialConnection::sendRequestFirmwareVersion() {
    return request(settingsParser::buildRequestFirmwareVersion,
                   settingsParser::result::firmwareVersion, noReply);
}

std::uint32_t serialConnection::sendRequestErrors(bool loadCellErrors) {
    if (loadCellErrors)
        return request([] { settingsParser::buildRequestErrorValues(true); },
                       settingsParser::result::loadCellErrors, noReply);
    return request([] { settingsParser::buildRequestErrorValues(false); },
                   settingsParser::result::miscErrors, noReply);
}

std::uint32_t serialConnection::sendRequestKnobValues() {
    return request(settingsParser::buildRequestKnobValues, settingsParser::result::knobValues,
                   noReply);
}

std::uint32_t serialConnection::sendRequestButtonValues() {
    return request(settingsParser::buildRequestButtonValues, settingsParser::result::buttonValues,
                   0);
}

std::uint32_t serialConnection::sendRequestDiagnosticValues() {
    return request(settingsParser::buildRequestDiagnosticValues,
                   settingsParser::result::diagnosticValues, 0);
}
