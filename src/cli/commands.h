#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}

// The commands of marlovan-cli. Each command file adds its subcommand to the
// application; when that subcommand is chosen, its callback stores in `run` the work
// to do, which main runs after parsing and whose result is the exit status.
namespace cli {

inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1; // the operation failed, its message printed
inline constexpr int exitUsage = 2;   // bad usage, usage printed

struct context {
    bool simulate = false; // --simulate: the built-in simulated joystick instead of devices
    std::function<int()> run;
};

using addCommand = void (*)(CLI::App& app, context& ctx);

void addDecodeCommand(CLI::App& app, context& ctx);
void addEncodeCommand(CLI::App& app, context& ctx);
void addPacketsCommand(CLI::App& app, context& ctx);
void addDefaultsCommand(CLI::App& app, context& ctx);
void addSendCommand(CLI::App& app, context& ctx);
void addReceiveCommand(CLI::App& app, context& ctx);
void addInfoCommand(CLI::App& app, context& ctx);
void addPortsCommand(CLI::App& app, context& ctx);
void addFlashCommand(CLI::App& app, context& ctx);

} // namespace cli
