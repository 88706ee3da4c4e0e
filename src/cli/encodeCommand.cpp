#include "cli/commands.h"
#include "cli/console.h"
#include "cli/settingsJson.h"
#include "files/file.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <memory>

namespace cli {

namespace {

struct encodeArguments {
    std::string json;
    std::string out;
};

// Defaults, then every key of the JSON file, then a save exactly as the program's.
// Nothing is written unless the whole JSON file is acceptable.
int encode(const CLI::App& command, const encodeArguments& args) {
    std::ifstream in(args.json);
    if (!in) {
        platform::dialogs::messageBox(args.json, "File not found!");
        return exitFailure;
    }
    settingsJson::json document;
    try {
        document = settingsJson::json::parse(in);
    } catch (const settingsJson::json::exception& e) {
        return usageError(command, args.json + ": not valid JSON: " + e.what());
    }
    settings::init();
    try {
        settingsJson::read(document);
    } catch (const settingsJson::error& e) {
        return usageError(command, e.what());
    }
    file::active = args.out;
    return file::saveCurrentFile() ? exitSuccess : exitFailure;
}

} // namespace

void addEncodeCommand(CLI::App& app, context& ctx) {
    CLI::App* sub = app.add_subcommand(
        "encode", "write a settings file from the defaults and the keys of a JSON file");
    auto args = std::make_shared<encodeArguments>();
    sub->add_option("FILE.json", args->json, "settings as JSON (absent keys keep their defaults)")
        ->required();
    sub->add_option("OUT.jxc", args->out, "settings file to write")->required();
    sub->callback([&ctx, sub, args] { ctx.run = [sub, args] { return encode(*sub, *args); }; });
}

} // namespace cli
