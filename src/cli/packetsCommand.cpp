#include "cli/commands.h"
#include "cli/packetDescription.h"
#include "platform/dialogs.h"
#include "settings/settingsParser.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace cli {

namespace {

// One line per whole 7-byte record; trailing bytes are ignored, as opening does.
int packets(const std::string& path) {
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        platform::dialogs::messageBox(path, "File not found!");
        return exitFailure;
    }
    char record[settingsParser::packetSize];
    while (in.read(record, sizeof record) && in.gcount() == sizeof record) {
        std::uint8_t packet[settingsParser::packetSize];
        for (int k = 0; k < settingsParser::packetSize; ++k)
            packet[k] = static_cast<std::uint8_t>(record[k]);
        std::cout << packetHex(packet) << "  " << describePacket(packet) << '\n';
    }
    std::cout.flush();
    return exitSuccess;
}

} // namespace

void addPacketsCommand(CLI::App& app, context& ctx) {
    CLI::App* sub =
        app.add_subcommand("packets", "list the packets of a settings file with their meaning");
    auto path = std::make_shared<std::string>();
    sub->add_option("FILE.jxc", *path, "settings file")->required();
    sub->callback([&ctx, path] { ctx.run = [path] { return packets(*path); }; });
}

} // namespace cli
