#pragma once

#include "firmwareuploader/Flash.h"
#include "firmwareuploader/FlashFactory.h"
#include "firmwareuploader/PosixSerialPort.h"
#include "firmwareuploader/Samba.h"
#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"
#include "sim/targets/TargetChips.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A simulated chip behind its boot monitor on a pseudo-terminal, the real monitor
// client connected to it over the tty, and the driver the chip table picks.
namespace flashrig {

enum class chipKind { nvm, eefc, efc, efcTwoPlanes };

struct benchOptions {
    bool extensions = true;
    bool usb = true;
    // Leave the driver to the test.
    bool createDriver = true;
};

struct bench {
    sim::TargetMemory target;
    std::shared_ptr<sim::FlashTarget> controller;
    std::shared_ptr<sim::NvmController> nvm;
    std::shared_ptr<sim::EefcController> eefc;
    std::shared_ptr<sim::EfcController> efc;
    std::unique_ptr<sim::BootMonitor> monitor;
    Samba samba;
    Flash::Ptr flash;

    explicit bench(chipKind kind, benchOptions options = {}) {
        switch (kind) {
        case chipKind::nvm:
            controller = nvm = sim::installNvmChip(target);
            break;
        case chipKind::eefc:
            controller = eefc = sim::installEefcChip(target);
            break;
        case chipKind::efc:
        case chipKind::efcTwoPlanes:
            controller = efc = sim::installEfcChip(target, kind == chipKind::efcTwoPlanes);
            break;
        }
        sim::BootMonitorOptions monitorOptions;
        monitorOptions.extensions = options.extensions;
        monitorOptions.transport = options.usb ? sim::BootMonitorOptions::link::usb
                                               : sim::BootMonitorOptions::link::serial;
        monitorOptions.registerPort = false;
        monitor = std::make_unique<sim::BootMonitor>(target, monitorOptions);
        auto port = std::make_unique<PosixSerialPort>(monitor->portName(), options.usb);
        if (!samba.connect(std::move(port), 115200))
            throw std::runtime_error("the simulated monitor did not connect");
        if (options.createDriver) {
            flash = FlashFactory().create(samba, samba.chipId());
            if (!flash)
                throw std::runtime_error("no driver for the simulated chip");
        }
    }

    // A point in the monitor's command log after everything sent so far. A word read
    // is answered only after every earlier command was executed, so it marks the log.
    std::size_t mark() {
        samba.readWord(0);
        return monitor->commands().size();
    }

    // Everything sent since `from` (a mark()), with the closing read left out.
    std::vector<std::string> traffic(std::size_t from) {
        samba.readWord(0);
        auto all = monitor->commands();
        return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end() - 1};
    }
};

inline sim::FlashFaults lockErrorFault() {
    sim::FlashFaults faults;
    faults.lockError = true;
    return faults;
}

inline sim::FlashFaults neverReadyFault() {
    sim::FlashFaults faults;
    faults.neverReady = true;
    return faults;
}

inline sim::FlashFaults corruptByteFault(std::uint32_t addr) {
    sim::FlashFaults faults;
    faults.corruptAddress = addr;
    return faults;
}

inline bool contains(const std::vector<std::string>& commands, const std::string& command) {
    for (const auto& c : commands)
        if (c == command)
            return true;
    return false;
}

inline int countStarting(const std::vector<std::string>& commands, char letter) {
    int count = 0;
    for (const auto& c : commands)
        if (!c.empty() && c[0] == letter)
            ++count;
    return count;
}

} // namespace flashrig
