#include "cli/commands.h"
#include "files/file.h"
#include "settings/settings.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace cli {

namespace {

int defaults(const std::string& path) {
    settings::init();
    file::active = path;
    return file::saveCurrentFile() ? exitSuccess : exitFailure;
}

} // namespace

void addDefaultsCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand("defaults", "write the settings file of the defaults");
    auto path = std::make_shared<std::string>();
    sub->add_option("OUT.jxc", *path, "settings file to write")->required();
    sub->callback([&ctx, path] { ctx.run = [path] { return defaults(*path); }; });
}

} // namespace cli
