#include "cli/commands.h"
#include "cli/settingsJson.h"
#include "files/file.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace cli {

namespace {

// Opens the file exactly as the program's Open does: however broken its content, the
// result is the model it yields.
int decode(const std::string& path) {
    settings::init();
    file::active = path;
    if (!file::openCurrentFile()) {
        platform::dialogs::messageBox(path, "File not found!");
        return exitFailure;
    }
    std::cout << settingsJson::write().dump(2) << std::endl;
    return exitSuccess;
}

} // namespace

void addDecodeCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand("decode", "print the settings of a settings file as JSON");
    auto path = std::make_shared<std::string>();
    sub->add_option("FILE.jxc", *path, "settings file")->required();
    sub->callback([&ctx, path] { ctx.run = [path] { return decode(*path); }; });
}

} // namespace cli
