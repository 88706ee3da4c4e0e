#include "cli/deviceSession.h"

#include "cli/console.h"
#include "device/accessHint.h"
#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "platform/usbDevices.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace cli {

void addLinkOptions(CLI::App& command, linkOptions& options) {
    auto* port = command.add_option("--port", options.port,
                                    "use the tty at PATH as the joystick's serial port");
    port->option_text("PATH");
    auto* hid = command.add_flag("--hid", options.hidOnly, "use only the HID link");
    port->excludes(hid);
}

terminalWindow::terminalWindow(std::ostream& progressOut, bool showProgress)
    : out(progressOut), show(showProgress) {}

void terminalWindow::setProgressRange(int newMaximum) {
    maximum = newMaximum;
}

void terminalWindow::setProgressPosition(int position) {
    if (!show) {
        return;
    }
    constexpr int width = 30;
    const int filled = maximum > 0 ? std::min(width, position * width / maximum) : 0;
    out << "\rReceiving [" << std::string(filled, '#') << std::string(width - filled, ' ') << "] "
        << position << "/" << maximum << std::flush;
    drawn = true;
}

void terminalWindow::startTimer(int id, int) {
    running.insert(id);
    if (id == sendReceive::receiveTimerId) {
        receiveStarted = true;
    }
}

void terminalWindow::stopTimer(int id) {
    running.erase(id);
}

void terminalWindow::finishProgress() {
    if (drawn) {
        out << "\n" << std::flush;
        drawn = false;
    }
}

platform::dialogs::button collectedMessages::messageBox(const std::string& text,
                                                        const std::string& caption,
                                                        platform::dialogs::buttons choice) {
    lines.push_back(messageLine(text, caption));
    // Nobody can answer a question here; the exchange asks none.
    return choice == platform::dialogs::buttons::ok ? platform::dialogs::button::ok
                                                    : platform::dialogs::button::cancel;
}

void collectedMessages::print(std::ostream& out) const {
    for (const auto& line : lines) {
        out << line << "\n";
    }
    out << std::flush;
}

deviceSession::deviceSession(const context& ctx, const linkOptions& options)
    : exchangeWindow(std::cerr, ::isatty(STDERR_FILENO) == 1) {
    settings::init();
    prebuiltSettings::reset();
    hidConnection::init();
    sendReceive::reset();
    if (ctx.simulate) {
        simulation = std::make_unique<simulatedJoystick>();
        // The simulated port by its path: a real joystick plugged in meanwhile is not
        // what --simulate means.
        sendReceive::links.serialPortPath = simulation->serialPortPath();
        if (auto* hid = simulation->joystick().hid()) {
            hidConnection::onlyPath = hid->path();
        }
    }
    if (!options.port.empty()) {
        sendReceive::links.serialPortPath = options.port;
    }
    sendReceive::links.useSerial = !options.hidOnly;
    sendReceive::tryConnectionState(exchangeWindow);
}

deviceSession::~deviceSession() {
    serial.disconnect();
    hidConnection::init();
    sendReceive::reset();
}

void deviceSession::runReceiveTimer() {
    platform::usbDevices::watch devices;
    while (exchangeWindow.timerRunning(sendReceive::receiveTimerId)) {
        // Like a window timer: ticks that ran late are not made up.
        std::this_thread::sleep_for(
            std::chrono::milliseconds(sendReceive::receiveTimerMilliseconds));
        if (!devices.drain().empty()) {
            sendReceive::tryConnectionState(exchangeWindow);
        }
        sendReceive::timerLoopReceiveSettings(exchangeWindow);
    }
}

int deviceSession::finish(bool succeeded) {
    exchangeWindow.finishProgress();
    messages.print(succeeded ? std::cout : std::cerr);
    if (!succeeded) {
        const std::string hint = sendReceive::accessHint();
        if (!hint.empty()) {
            std::cerr << hint << std::flush;
        }
    }
    return succeeded ? exitSuccess : exitFailure;
}

} // namespace cli
