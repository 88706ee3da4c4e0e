#pragma once

#include "firmwareuploader/PosixPortFactory.h"
#include "firmwareuploader/Samba.h"
#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Simulated chips as the monitor client meets them.
namespace rig {

constexpr std::uint32_t ramBase = 0x20000000;
constexpr std::uint32_t flashBase = 0x00000000;

// A Cortex-M0+ part: CPUID part number 0xC60, device identifier at 0x41002018.
inline void cortexM0Plus(sim::TargetMemory& target, std::uint32_t deviceId) {
    target.addRegion(sim::TargetMemory::regionKind::flash, flashBase, 0x40000, 0xFF);
    target.addRegion(sim::TargetMemory::regionKind::ram, ramBase, 0x8000);
    target.pokeWord(0, 0x20008000); // initial stack pointer of the boot monitor's vectors
    target.pokeWord(0xE000ED00, 0x410CC601);
    target.pokeWord(0x41002018, deviceId);
}

// A Cortex-M3/M4 part with its chip identifier at 0x400E0740 (or 0x400E0940 when
// the first reads 0).
inline void cortexM3(sim::TargetMemory& target, std::uint32_t cid0740, std::uint32_t cid0940 = 0) {
    target.addRegion(sim::TargetMemory::regionKind::flash, 0x80000, 0x80000, 0xFF);
    target.addRegion(sim::TargetMemory::regionKind::ram, ramBase, 0x10000);
    target.pokeWord(0, 0x20001000);
    target.pokeWord(0xE000ED00, 0x412FC230);
    target.pokeWord(0x400E0740, cid0740);
    target.pokeWord(0x400E0940, cid0940);
}

// An ARM7 part: a branch instruction (0xEA......) at address 0, identifier at 0xFFFFF240.
inline void arm7(sim::TargetMemory& target, std::uint32_t cid) {
    target.addRegion(sim::TargetMemory::regionKind::flash, 0x100000, 0x40000, 0xFF);
    target.addRegion(sim::TargetMemory::regionKind::ram, 0x200000, 0x10000);
    target.pokeWord(0, 0xEA000006);
    target.pokeWord(0xFFFFF240, cid);
}

// A monitor over a target and a client connected to it.
struct session {
    sim::TargetMemory target;
    std::unique_ptr<sim::BootMonitor> monitor;
    Samba samba;

    explicit session(const std::function<void(sim::TargetMemory&)>& setup,
                     sim::BootMonitorOptions options = {}) {
        setup(target);
        monitor = std::make_unique<sim::BootMonitor>(target, options);
    }
    // The port as the update sequence makes it (the factory finds it registered as a
    // USB device) or explicitly plain.
    bool connect(bool plain = false, int baud = 115200) {
        PosixPortFactory factory;
        auto port = plain ? factory.create(monitor->portName(), false)
                          : factory.create(monitor->portName());
        return samba.connect(std::move(port), baud);
    }
};

} // namespace rig
