#include "cli/commands.h"
#include "cli/deviceSession.h"
#include "device/sendReceive.h"
#include "files/file.h"
#include "platform/dialogs.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace cli {

namespace {

int send(const context& ctx, const std::string& path, const linkOptions& options) {
    deviceSession session(ctx, options);
    file::active = path;
    if (!file::openCurrentFile()) {
        platform::dialogs::messageBox(path, "File not found!");
        return session.finish(false);
    }
    return session.finish(sendReceive::sendSettings(session.window()));
}

} // namespace

void addSendCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand(
        "send", "send a settings file to the joystick (serial, serial after reconnect, HID)");
    auto path = std::make_shared<std::string>();
    auto options = std::make_shared<linkOptions>();
    sub->add_option("FILE.jxc", *path, "settings file")->required();
    addLinkOptions(*sub, *options);
    sub->callback([&ctx, path, options] {
        ctx.run = [&ctx, path, options] { return send(ctx, *path, *options); };
    });
}

} // namespace cli
