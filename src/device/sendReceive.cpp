#include "device/sendReceive.h"

#include "device/hidConnection.h"
#include "device/sendReceiveDetail.h"
#include "device/serialConnection.h"
#include "platform/dialogs.h"

namespace sendReceive {

std::int32_t activeState = 0;
std::int32_t currentConnection = connectionNone;
linkChoice links;

namespace detail {

namespace {

// The kernel's name of a tty given by path: "/dev/ttyACM0" -> "ttyACM0",
// "/dev/pts/3" -> "pts/3"; outside /dev the file name.
std::string ttyName(const std::string& path) {
    const std::string dev = "/dev/";
    if (path.compare(0, dev.size(), dev) == 0) {
        return path.substr(dev.size());
    }
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool findJoystickPort() {
    if (!links.serialPortPath.empty()) {
        serial.portPath = links.serialPortPath;
        serial.portName = ttyName(links.serialPortPath);
        return true;
    }
    return serial.getComPortPath(false, false);
}

} // namespace

bool reconnectSerial() {
    return links.useSerial && findJoystickPort() && serial.connect(false);
}

void show(const char* text, const char* caption) {
    platform::dialogs::messageBox(text, caption, platform::dialogs::buttons::ok);
}

} // namespace detail

void reset() {
    activeState = 0;
    currentConnection = connectionNone;
    links = linkChoice{};
}

bool tryConnectionState(exchangeWindow& window) {
    currentConnection = connectionNone;
    const std::int32_t previousState = activeState;
    activeState = 0;

    if (hidConnection::connectDevice()) {
        activeState = 1;
        currentConnection = connectionHid;
    }

    if (detail::reconnectSerial()) {
        // Serial is preferred when both links work.
        activeState = 1;
        currentConnection = connectionSerial;
    } else if (links.useSerial && links.serialPortPath.empty() &&
               serial.getComPortPath(false, true) && serial.connect(false)) {
        // The joystick sits in its boot monitor: no settings link, the port is only probed.
        activeState = 0;
        currentConnection = connectionBootMonitor;
        serial.disconnect();
    }

    if (activeState == 0) {
        window.setSendReceiveEnabled(false);
        window.setOutputDisplayEnabled(false);
    } else {
        window.setSendReceiveEnabled(true);
        window.setOutputDisplayEnabled(hidConnection::isConnected);
    }
    window.updateTitle();
    return previousState == 0 && activeState == 1;
}

bool sendSettings(exchangeWindow& window) {
    if (links.useSerial && serial.isConnected() && detail::writeBlockAndCheckEcho()) {
        detail::show("Sent via serial", "Send");
        return true;
    }
    if (detail::reconnectSerial() && detail::writeBlockAndCheckEcho()) {
        detail::show("Sent via serial (after reconnect)", "Send");
        activeState = 1;
        currentConnection = connectionSerial;
        window.updateTitle();
        return true;
    }
    if (hidConnection::isConnected && sendSettingsViaHID()) {
        detail::show("Sent via HID", "Send");
        return true;
    }
    detail::show("Failed to send settings", "Not connected");
    return false;
}

bool receiveSettings(exchangeWindow& window, bool showMessage) {
    if (links.useSerial && serial.isConnected() && receiveSettingsViaSerial(window)) {
        if (showMessage) {
            detail::show("Received via serial", "Receive");
        }
        return true;
    }
    if (detail::reconnectSerial() && receiveSettingsViaSerial(window)) {
        if (showMessage) {
            detail::show("Received via serial (after reconnect)", "Receive");
        }
        activeState = 1;
        currentConnection = connectionSerial;
        window.updateTitle();
        return true;
    }
    if (hidConnection::isConnected) {
        return startReceiveSettingsViaHID(window);
    }
    detail::show("Failed to receive settings", "Not connected");
    return false;
}

} // namespace sendReceive
