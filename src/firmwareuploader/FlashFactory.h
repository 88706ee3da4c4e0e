#pragma once

#include "firmwareuploader/Flash.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

class Samba;

// The table of supported chips: for each chip identifier, the part name, the flash
// driver and its geometry.
class FlashFactory {
public:
    enum class Driver { efc, eefc, nvm };

    // The identifiers of one row (at most six: die and revision variants).
    class IdList {
    public:
        constexpr IdList(std::initializer_list<std::uint32_t> list) {
            for (std::uint32_t id : list)
                values[count++] = id;
        }
        constexpr const std::uint32_t* begin() const { return values; }
        constexpr const std::uint32_t* end() const { return values + count; }
        constexpr std::size_t size() const { return count; }

    private:
        std::uint32_t values[6] = {};
        std::size_t count = 0;
    };

    struct Part {
        IdList ids;
        Driver driver;
        const char* name;
        std::uint32_t addr;
        std::uint32_t pages;
        std::uint32_t size;
        std::uint32_t planes;
        std::uint32_t lockRegions;
        std::uint32_t user;
        std::uint32_t stack;
        std::uint32_t regs; // EEFC and NVM register base; unused for the EFC
        bool flag;          // EFC: boot from flash selectable; EEFC, NVM: brown-out bits
    };

    FlashFactory() = default;
    virtual ~FlashFactory() = default;

    // A new driver for the part whose identifier list holds `chipId` exactly, or null.
    // Building a driver talks to the target (SambaError, FlashCmdError, FlashLockError);
    // a part whose geometry the driver cannot handle throws FlashGeometryError first.
    Flash::Ptr create(Samba& samba, std::uint32_t chipId);

    // The row for `chipId`, or null; no traffic.
    static const Part* find(std::uint32_t chipId);
    static std::span<const Part> parts();

    // What the user is told for an identifier in no row; the identifier is shown in
    // signed decimal.
    static std::string unsupportedMessage(std::uint32_t chipId);
};
