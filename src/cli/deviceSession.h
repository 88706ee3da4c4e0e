#pragma once

#include "cli/commands.h"
#include "cli/simulatedJoystick.h"
#include "device/exchangeWindow.h"
#include "platform/dialogs.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace CLI {
class App;
}

// What the device commands (send, receive, info) share: the link options, the
// simulated joystick of --simulate, the window side of the settings exchange on a
// terminal, and the messages printed once the outcome is known.
namespace cli {

struct linkOptions {
    std::string port;     // --port PATH
    bool hidOnly = false; // --hid
};

// Adds --port and --hid (mutually exclusive) to a device command.
void addLinkOptions(CLI::App& command, linkOptions& options);

// The exchange's window on a terminal: the timers are flags run by the command's own
// loop, the progress bar a text line on standard error when that is a terminal.
class terminalWindow : public sendReceive::exchangeWindow {
public:
    explicit terminalWindow(std::ostream& progressOut, bool showProgress);

    void setSendReceiveEnabled(bool) override {}
    void setOutputDisplayEnabled(bool) override {}
    void setProgressRange(int maximum) override;
    void setProgressPosition(int position) override;
    void startTimer(int id, int milliseconds) override;
    void stopTimer(int id) override;
    void updateTitle() override {}
    void refreshFromSettings() override {}

    bool timerRunning(int id) const { return running.count(id) != 0; }
    bool receiveTimerStarted() const { return receiveStarted; }
    // Ends the progress line, if one was drawn.
    void finishProgress();

private:
    std::ostream& out;
    bool show;
    bool drawn = false;
    int maximum = 0;
    std::set<int> running;
    bool receiveStarted = false;
};

// Message boxes kept until the command knows whether it succeeded.
class collectedMessages : public platform::dialogs::provider {
public:
    platform::dialogs::button messageBox(const std::string& text, const std::string& caption,
                                         platform::dialogs::buttons choice) override;
    std::optional<std::string> openFile(const platform::dialogs::fileDialog&) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const platform::dialogs::fileDialog&) override {
        return std::nullopt;
    }

    // Every message, one line each (" (caption)" appended).
    void print(std::ostream& out) const;

private:
    std::vector<std::string> lines;
};

// One device command's run: sets up the links (and the simulated joystick), probes
// them, and on leaving puts everything back.
class deviceSession {
public:
    deviceSession(const context& ctx, const linkOptions& options);
    ~deviceSession();
    deviceSession(const deviceSession&) = delete;
    deviceSession& operator=(const deviceSession&) = delete;

    terminalWindow& window() { return exchangeWindow; }

    // Runs timer 1 every 10 ms until the HID receive has ended, re-probing the links
    // when a device comes or goes, as the window program does.
    void runReceiveTimer();

    // Prints the collected messages (standard output on success, standard error on
    // failure), and on failure how to get access to a joystick that could not be
    // opened. Returns the exit status.
    int finish(bool succeeded);

private:
    collectedMessages messages;
    platform::dialogs::installGuard guard{messages};
    terminalWindow exchangeWindow;
    std::unique_ptr<simulatedJoystick> simulation;
};

} // namespace cli
