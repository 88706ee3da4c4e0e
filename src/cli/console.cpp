#include "cli/console.h"

#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace cli {

std::string messageLine(const std::string& text, const std::string& caption) {
    std::string line;
    for (char c : text)
        line += (c == '\n' || c == '\r') ? ' ' : c;
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line + " (" + caption + ")";
}

int usageError(const CLI::App& command, const std::string& message) {
    const CLI::App* parent = command.get_parent();
    std::cerr << message << "\n\n" << command.help(parent ? parent->get_name() : "");
    return exitUsage;
}

consoleDialogs::consoleDialogs(std::ostream& out) : out(out) {}

platform::dialogs::button consoleDialogs::messageBox(const std::string& text,
                                                     const std::string& caption,
                                                     platform::dialogs::buttons choice) {
    out << messageLine(text, caption) << std::endl;
    return choice == platform::dialogs::buttons::ok ? platform::dialogs::button::ok
                                                    : platform::dialogs::button::cancel;
}

std::optional<std::string> consoleDialogs::openFile(const platform::dialogs::fileDialog&) {
    return std::nullopt;
}

std::optional<std::string> consoleDialogs::saveFile(const platform::dialogs::fileDialog&) {
    return std::nullopt;
}

} // namespace cli
