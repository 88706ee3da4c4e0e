#include "cli/commands.h"
#include "cli/deviceSession.h"
#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "firmwareuploader/firmwareUpdate.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "sim/bootmonitor/JoystickMonitor.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace cli {

namespace {

struct flashOptions {
    std::string image;
    std::string port; // the boot monitor's port
    bool plainSerial = false;
};

constexpr int simulatorWaitMs = 5000;

// The simulated joystick whose 1200-baud touch brings up the boot monitor of its chip.
// Only its serial link: the update never uses HID.
std::unique_ptr<sim::Joystick> startSimulation() {
    sim::JoystickOptions options;
    options.hid = false;
    auto joystick = std::make_unique<sim::Joystick>(sim::withBootMonitor(options));
    joystick->serial()->waitForPhase(sim::SerialJoystick::phase::normal, simulatorWaitMs);
    return joystick;
}

int flash(const context& ctx, const flashOptions& options) {
    settings::init();
    prebuiltSettings::reset();
    hidConnection::init();
    sendReceive::reset();
    std::unique_ptr<sim::Joystick> simulation;
    if (ctx.simulate) {
        simulation = startSimulation();
        // The simulated port by its path: a real joystick plugged in meanwhile is not
        // what --simulate means.
        sendReceive::links.serialPortPath = simulation->serial()->portPath();
    }
    // The link state the window would have: it decides the serial test and whether a
    // missing monitor is worth more attempts. With the monitor's port given there is
    // no joystick to probe.
    terminalWindow window(std::cerr, false);
    if (options.port.empty())
        sendReceive::tryConnectionState(window);

    firmwareUpdate::filewareUploadFilename = options.image;
    firmwareUpdate::options update;
    update.monitorPort = options.port;
    update.usb = !options.plainSerial;
    const int result = firmwareUpdate::uploadFirmware(update);

    serial.disconnect();
    hidConnection::init();
    sendReceive::reset();
    if (simulation && result == firmwareUpdate::uploaded)
        // The reset restarts the joystick into its new firmware; let it come up before
        // the simulation ends.
        simulation->serial()->waitForPhase(sim::SerialJoystick::phase::normal, simulatorWaitMs);
    if (result != firmwareUpdate::uploaded)
        return exitFailure;
    std::cout << "Uploaded " << firmwareUpdate::shortenedFilename(options.image) << std::endl;
    return exitSuccess;
}

} // namespace

void addFlashCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand(
        "flash", "update the joystick's firmware: restart it into its boot monitor, erase, "
                 "write and verify the image, and reset it");
    auto options = std::make_shared<flashOptions>();
    sub->add_option("FIRMWARE.bin", options->image, "the firmware image, a raw binary file")
        ->required();
    sub->add_option("--port", options->port,
                    "the boot monitor's port; the restart and the search are skipped")
        ->option_text("PATH");
    sub->add_flag("--plain-serial", options->plainSerial,
                  "the port is a plain serial line, not USB (auto-baud, XMODEM blocks)");
    sub->callback([&ctx, options] { ctx.run = [&ctx, options] { return flash(ctx, *options); }; });
}

} // namespace cli
