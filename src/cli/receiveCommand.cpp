#include "cli/commands.h"
#include "cli/deviceSession.h"
#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "files/file.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace cli {

namespace {

int receive(const context& ctx, const std::string& path, const linkOptions& options) {
    deviceSession session(ctx, options);
    bool received = sendReceive::receiveSettings(session.window(), true);
    if (received && session.window().receiveTimerStarted()) {
        // Over HID the transfer goes on in the ticks; they tell how it ended.
        session.runReceiveTimer();
        received = hidConnection::packetsExpected > 0 &&
                   static_cast<std::int64_t>(hidConnection::packetsReceived) >=
                       static_cast<std::int64_t>(hidConnection::packetsExpected);
        if (received) {
            session.window().setProgressPosition(hidConnection::packetsReceived);
        }
    }
    if (!received) {
        return session.finish(false);
    }
    file::active = path;
    return session.finish(file::saveCurrentFile());
}

} // namespace

void addReceiveCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand(
        "receive", "receive all settings from the joystick and save them to a settings file");
    auto path = std::make_shared<std::string>();
    auto options = std::make_shared<linkOptions>();
    sub->add_option("OUT.jxc", *path, "settings file to write")->required();
    addLinkOptions(*sub, *options);
    sub->callback([&ctx, path, options] {
        ctx.run = [&ctx, path, options] { return receive(ctx, *path, *options); };
    });
}

} // namespace cli
