#include "cli/commands.h"
#include "cli/simulatedJoystick.h"
#include "device/joystickIds.h"
#include "device/serialConnection.h"
#include "platform/usbDevices.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace cli {

namespace {

// What the device searches see: every serial port with its hardware identifier and
// what it matches, and the HID interfaces with the joystick's identity.
int ports(const context& ctx) {
    std::unique_ptr<simulatedJoystick> simulation;
    if (ctx.simulate) {
        simulation = std::make_unique<simulatedJoystick>();
    }
    std::cout << "Serial ports:\n";
    const auto serialPorts = platform::usbDevices::listSerialPorts();
    for (const auto& port : serialPorts) {
        std::cout << "  " << port.portPath << "  ";
        if (port.hardwareId.empty()) {
            std::cout << "(no USB hardware identifier)\n";
            continue;
        }
        std::cout << port.hardwareId;
        if (serialConnection::matchesHardwareId(port.hardwareId, false)) {
            std::cout << "  joystick";
        } else if (serialConnection::matchesHardwareId(port.hardwareId, true)) {
            std::cout << "  boot monitor";
        }
        std::cout << "\n";
    }
    if (serialPorts.empty()) {
        std::cout << "  (none)\n";
    }
    std::cout << "Joystick HID interfaces:\n";
    bool anyHid = false;
    for (const auto& interface : platform::usbDevices::listHidInterfaces()) {
        if (interface.vendor == joystickIds::vendor && interface.product == joystickIds::product) {
            std::cout << "  " << interface.path << "  "
                      << platform::usbDevices::hardwareIdentifier(interface.vendor,
                                                                  interface.product)
                      << "\n";
            anyHid = true;
        }
    }
    if (!anyHid) {
        std::cout << "  (none)\n";
    }
    std::cout << std::flush;
    return exitSuccess;
}

} // namespace

void addPortsCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand(
        "ports", "list the serial ports and joystick HID interfaces the device search sees");
    sub->callback([&ctx] { ctx.run = [&ctx] { return ports(ctx); }; });
}

} // namespace cli
