#include "cli/commands.h"
#include "cli/console.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

// Every command of the program, in the order of the help text.
const cli::addCommand commands[] = {
    cli::addDecodeCommand,   cli::addEncodeCommand, cli::addPacketsCommand,
    cli::addDefaultsCommand, cli::addSendCommand,   cli::addReceiveCommand,
    cli::addInfoCommand,     cli::addFlashCommand,  cli::addPortsCommand,
};

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Marlovan Settings: edit, store, send and receive the joystick's settings, "
                 "and update its firmware"};
    app.name("marlovan-cli");
    app.require_subcommand(1);
    app.fallthrough();

    cli::context ctx;
    app.add_flag("--simulate", ctx.simulate,
                 "run against the built-in simulated joystick instead of real devices");
    for (cli::addCommand add : commands)
        add(app, ctx);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e); // --help
        // Show the usage of the command that was being parsed, if any.
        for (const CLI::App* sub : app.get_subcommands([](CLI::App* s) { return s->parsed(); }))
            return cli::usageError(*sub, e.what());
        return cli::usageError(app, e.what());
    }

    // Failures the program would show in a message box go to standard error.
    cli::consoleDialogs console(std::cerr);
    platform::dialogs::installGuard guard(console);
    return ctx.run ? ctx.run() : cli::exitUsage;
}
