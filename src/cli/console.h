#pragma once

#include "platform/dialogs.h"

#include <iosfwd>
#include <string>

// The terminal's face of the program's messages: a message box becomes its text on one
// line followed by " (caption)".
namespace CLI {
class App;
}

namespace cli {

// Prints `message` and the usage of `command` to standard error; returns exitUsage.
int usageError(const CLI::App& command, const std::string& message);

std::string messageLine(const std::string& text, const std::string& caption);

// Prints every message box to `out`. Questions cannot be answered from a script run
// unattended, so they are printed and answered Cancel; file dialogs are cancelled.
class consoleDialogs : public platform::dialogs::provider {
public:
    explicit consoleDialogs(std::ostream& out);

    platform::dialogs::button messageBox(const std::string& text, const std::string& caption,
                                         platform::dialogs::buttons choice) override;
    std::optional<std::string> openFile(const platform::dialogs::fileDialog&) override;
    std::optional<std::string> saveFile(const platform::dialogs::fileDialog&) override;

private:
    std::ostream& out;
};

} // namespace cli
