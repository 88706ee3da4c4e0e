#include "cli/commands.h"
#include "cli/deviceSession.h"
#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "platform/dialogs.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace cli {

namespace {

// "Firmware: " and the version numbers in bits 8-15, 16-23 and 24-31.
std::string firmwareText(std::uint32_t version) {
    return "Firmware: " + std::to_string((version >> 8) & 0xFF) + "." +
           std::to_string((version >> 16) & 0xFF) + "." + std::to_string((version >> 24) & 0xFF);
}

struct joystickInfo {
    std::uint32_t firmware, miscErrors, loadCellErrors;
};

// The serial link when it is up, else HID, as the diagnostics ask. A reply that did
// not come is a failure here, not a word with every error set.
bool readInfo(joystickInfo& info) {
    if (serial.isConnected()) {
        info.firmware = serial.sendRequestFirmwareVersion();
        info.miscErrors = serial.sendRequestErrors(false);
        info.loadCellErrors = serial.sendRequestErrors(true);
        if (info.firmware == serialConnection::noReply ||
            info.miscErrors == serialConnection::noReply ||
            info.loadCellErrors == serialConnection::noReply) {
            platform::dialogs::messageBox("Serial retrieve failed", "Serial");
            return false;
        }
        return true;
    }
    info.firmware = hidConnection::sendRequestFirmwareVersion();
    if (info.firmware != hidConnection::noReply) {
        info.miscErrors = hidConnection::sendRequestErrorsMisc();
        info.loadCellErrors = hidConnection::sendRequestErrorsLC();
        if (info.miscErrors != hidConnection::noReply &&
            info.loadCellErrors != hidConnection::noReply) {
            return true;
        }
    }
    platform::dialogs::messageBox("Failed connect", "Serial/HID");
    return false;
}

int info(const context& ctx, const linkOptions& options) {
    deviceSession session(ctx, options);
    joystickInfo values{};
    if (!readInfo(values)) {
        return session.finish(false);
    }
    std::cout << firmwareText(values.firmware) << "\n"
              << sendReceive::makeErrorString(values.miscErrors, values.loadCellErrors) << "\n";
    return session.finish(true);
}

} // namespace

void addInfoCommand(CLI::App& app, context& ctx) {
    CLI::App* sub =
        app.add_subcommand("info", "print the joystick's firmware version and error report");
    auto options = std::make_shared<linkOptions>();
    addLinkOptions(*sub, *options);
    sub->callback([&ctx, options] { ctx.run = [&ctx, options] { return info(ctx, *options); }; });
}

} // namespace cli
