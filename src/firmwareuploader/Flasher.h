#pragma once

#include "firmwareuploader/FileError.h"
#include "firmwareuploader/Flash.h"

#include <cstdint>
#include <functional>
#include <string>

class Samba;

// Turns an image file into flash contents and back through one flash driver. Uses
// the monitor's buffer writes and checksums when it announced them. Progress goes to
// standard output as a bar and, when given, to a callback.
class Flasher {
public:
    enum class Phase { erase, write, verify, read };
    // Called with the phase and the part done, 0.0 to 1.0.
    using Progress = std::function<void(Phase phase, double fraction)>;

    // `flash` stays owned by the caller.
    explicit Flasher(Flash::Ptr& flash, Progress progress = {});
    virtual ~Flasher() = default;

    void erase();
    // Writes the whole file from flash page 0.
    void write(const std::string& filename);
    // True when the flash holds the file.
    bool verify(const std::string& filename);
    // Reads `size` bytes (0: the whole flash) from page 0 into the file.
    void read(const std::string& filename, std::uint32_t size);
    // `regionArg`: empty for every region, else comma-separated region numbers (decimal,
    // 0x hexadecimal or 0 octal).
    void lock(const std::string& regionArg, bool enable);
    void info(Samba& samba);
    // `num` * 30 / `div` "=" padded with spaces to 30 characters.
    void progressBar(int num, int div);

private:
    void report(Phase phase, int num, int div, bool bar = true);
    std::uint32_t imagePages(std::uint64_t fileSize);

    Flash::Ptr& flash;
    Progress progress;
};
