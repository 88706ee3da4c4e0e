#pragma once

#include "sim/bootmonitor/MemoryHook.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// What can be made to go wrong in a simulated flash controller.
struct FlashFaults {
    // Every status read reports a lock error (ready or not).
    bool lockError = false;
    // The controller never reports ready.
    bool neverReady = false;
    // When the page holding this flash address is programmed, the byte lands with
    // `corruptMask` flipped.
    std::optional<std::uint32_t> corruptAddress;
    std::uint8_t corruptMask = 0x10;
};

// The part all simulated flash controllers share: the flash array with its lock
// regions and per-plane page latches, the core that runs applets for "G", the
// monitor's own erase and buffer write, fault switches and a record of what the
// controller was told. Controllers add their registers.
//
// Writes into the flash's address range never reach the array directly: they fill
// the page latch of that plane, which a write command then programs. Programming
// only clears bits (new = old AND latch), so a page that was not erased shows it.
class FlashTarget : public MemoryHook {
public:
    // How the core starts code given to "G": Cortex-M monitors take the address as a
    // vector pair (initial stack pointer, entry); ARM7 monitors jump to it.
    enum class startKind { vector, direct };

    struct geometry {
        std::uint32_t flashBase;
        std::uint32_t pageSize;
        std::uint32_t pages; // the whole array, all planes
        std::uint32_t planes;
        std::uint32_t lockRegions; // the whole array, all planes
    };

    FlashTarget(const geometry& g, startKind start);

    const geometry& layout() const { return geo; }

    // Fault switches and busy time; safe from any thread.
    void setFaults(const FlashFaults& faults);
    FlashFaults faults();
    // Status reads that report busy after each command.
    void setBusyReads(int reads);

    // Region state, for setting a chip up and for checks (global region numbers).
    void setRegionLocked(std::uint32_t region, bool locked);
    bool regionLocked(std::uint32_t region);

    // Every controller register write (address, value), in order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> registerWrites();
    // Controller commands executed (the command field only), in order.
    std::vector<std::uint32_t> commands();
    int pagesProgrammed();
    // Set when an applet could not be run.
    std::string appletError();
    void clearRecord();

    bool writeWord(TargetMemory& memory, std::uint32_t addr, std::uint32_t value) override;
    bool writeByte(TargetMemory& memory, std::uint32_t addr, std::uint8_t value) override;
    bool go(TargetMemory& memory, std::uint32_t addr) override;
    bool chipErase(TargetMemory& memory, std::uint32_t addr) override;
    bool writeBuffer(TargetMemory& memory, std::uint32_t src, std::uint32_t dst,
                     std::uint32_t size) override;

protected:
    bool inFlash(std::uint32_t addr) const {
        return addr - geo.flashBase < geo.pages * geo.pageSize;
    }
    std::uint32_t pagesPerPlane() const { return geo.pages / geo.planes; }
    std::uint32_t pagesPerRegion() const { return geo.pages / geo.lockRegions; }
    std::uint32_t regionsPerPlane() const { return geo.lockRegions / geo.planes; }
    std::uint32_t planeOf(std::uint32_t page) const { return page / pagesPerPlane(); }
    bool pageLocked(std::uint32_t page) const { return locks[page / pagesPerRegion()]; }

    // Programs the plane's latch into `page` (absolute page number); false, with
    // nothing changed, when the page is locked. The latch is cleared afterwards.
    bool programPage(TargetMemory& memory, std::uint32_t page);
    // Erases `page`; false when locked.
    bool erasePage(TargetMemory& memory, std::uint32_t page);
    void clearLatch(std::uint32_t plane);

    // Called with the state lock held, after a command was accepted.
    void noteCommand(std::uint32_t command);
    void noteRegisterWrite(std::uint32_t addr, std::uint32_t value);
    // Whether a status read shows ready now; counts down the busy reads.
    bool readyNow();

    std::recursive_mutex state;
    geometry geo;
    startKind start;
    FlashFaults faultSwitches;
    int busyReadsAfterCommand = 0;
    int busyReadsLeft = 0;
    std::vector<bool> locks;
    std::vector<std::vector<std::uint8_t>> latches;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> writes;
    std::vector<std::uint32_t> commandLog;
    int programmed = 0;
    std::string lastAppletError;
};

} // namespace sim
