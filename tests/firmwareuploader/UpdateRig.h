#pragma once

#include "ImageFiles.h"

#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "firmwareuploader/firmwareUpdate.h"
#include "platform/dialogs.h"
#include "platform/tty.h"
#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"
#include "sim/joystick/BootEntry.h"
#include "sim/joystick/Joystick.h"
#include "sim/targets/TargetChips.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The update sequence against the simulator: the program's global serial link and
// link state as the window leaves them, scripted message boxes, and simulated chips
// whose memory outlives the boot monitor sessions, as a real chip's flash does.
namespace updaterig {

// A chip kept by the test; every restart of the joystick into its boot monitor serves
// the same memory, so the flash can be examined after the joystick came back.
struct keptChip {
    sim::TargetMemory memory;
    std::shared_ptr<sim::FlashTarget> controller;
};

class keptSession : public sim::BootMonitorSession {
public:
    keptSession(keptChip& chip, const sim::BootMonitorOptions& options,
                std::function<void()> restart) {
        chip.memory.setResetHandler(std::move(restart));
        server = std::make_unique<sim::BootMonitor>(chip.memory, options);
    }
    ~keptSession() override { server.reset(); }

private:
    std::unique_ptr<sim::BootMonitor> server;
};

inline sim::BootMonitorFactory keptMonitor(keptChip& chip, sim::BootMonitorOptions options = {}) {
    return [&chip, options](std::function<void()> restart) {
        return std::unique_ptr<sim::BootMonitorSession>(
            std::make_unique<keptSession>(chip, options, std::move(restart)));
    };
}

inline std::unique_ptr<keptChip> nvmChip() {
    auto chip = std::make_unique<keptChip>();
    chip->controller = sim::installNvmChip(chip->memory);
    return chip;
}

// The simulated joystick (serial link only) that restarts into `chip`'s monitor.
inline std::unique_ptr<sim::Joystick> joystickOn(keptChip& chip,
                                                 sim::BootMonitorOptions options = {}) {
    sim::JoystickOptions joystickOptions;
    joystickOptions.hid = false;
    joystickOptions.serialOptions.bootMonitor = keptMonitor(chip, options);
    return std::make_unique<sim::Joystick>(joystickOptions);
}

// A boot monitor without a joystick, listed under its hardware identifier unless
// `options.registerPort` is false: the joystick sits in it already.
struct standaloneMonitor {
    keptChip chip;
    std::unique_ptr<sim::BootMonitor> monitor;
    explicit standaloneMonitor(const std::function<void(keptChip&)>& install,
                               sim::BootMonitorOptions options = {}) {
        install(chip);
        monitor = std::make_unique<sim::BootMonitor>(chip.memory, options);
    }
    ~standaloneMonitor() { monitor.reset(); }
};

// Nobody holds the tty at `path` open (the sequence's ports open exclusively).
inline bool portIsFree(const std::string& path) {
    platform::tty probe;
    return probe.open(path);
}

// Every progress report of a run.
struct progressLog {
    std::mutex lock;
    std::vector<std::pair<firmwareUpdate::phase, double>> entries;
    firmwareUpdate::progress callback() {
        return [this](firmwareUpdate::phase p, double fraction) {
            std::lock_guard guard(lock);
            entries.emplace_back(p, fraction);
        };
    }
    int count(firmwareUpdate::phase p, double fraction) {
        int n = 0;
        for (const auto& [q, f] : entries)
            n += q == p && f == fraction;
        return n;
    }
    // The phases in the order they were first reported.
    std::vector<firmwareUpdate::phase> order() {
        std::vector<firmwareUpdate::phase> seen;
        for (const auto& entry : entries)
            if (seen.empty() || seen.back() != entry.first)
                seen.push_back(entry.first);
        return seen;
    }
};

// Every test starts with no link known, no file chosen and boxes answered from a
// script; the monitor client's and the flasher's print-out is collected.
class sequenceTest : public testing::Test {
protected:
    void SetUp() override {
        resetLink();
        sendReceive::reset();
        firmwareUpdate::filewareUploadFilename.clear();
        firmwareUpdate::firmwareUploadErrorMessage.clear();
    }
    void TearDown() override {
        resetLink();
        sendReceive::reset();
    }

    static void resetLink() {
        serial.disconnect();
        serial.portPath.clear();
        serial.portName.clear();
    }

    // The sequence with its print-out collected in `printed` (the monitor client's
    // trace is long; the test's own failures still reach the terminal).
    int upload(const firmwareUpdate::options& opts = {}) {
        testing::internal::CaptureStdout();
        const int result = firmwareUpdate::uploadFirmware(opts);
        printed += testing::internal::GetCapturedStdout();
        return result;
    }
    int attempt(const firmwareUpdate::options& opts = {}) {
        testing::internal::CaptureStdout();
        const int result = firmwareUpdate::runFirmwareUploadSequence(opts);
        printed += testing::internal::GetCapturedStdout();
        return result;
    }

    // The settings link up on the joystick's serial port, as the window keeps it.
    static bool connectLink() {
        if (!serial.getComPortPath(false, false) || !serial.connect(false))
            return false;
        sendReceive::activeState = 1;
        sendReceive::currentConnection = sendReceive::connectionSerial;
        return true;
    }

    std::string chooseImage(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        firmwareUpdate::filewareUploadFilename = files.write(name, bytes);
        return firmwareUpdate::filewareUploadFilename;
    }

    imagefiles::directory files;
    platform::dialogs::scripted boxes;
    platform::dialogs::installGuard guard{boxes};
    std::string printed;
};

} // namespace updaterig
