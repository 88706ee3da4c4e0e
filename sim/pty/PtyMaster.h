#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

// The device end (master) of a pseudo-terminal, raw and non-blocking from the start.
// The program opens the slave by its path as it would a real serial port; the master
// stays open while the program closes and reopens its end.
class PtyMaster {
public:
    PtyMaster(); // check isOpen()
    ~PtyMaster();
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;

    bool isOpen() const { return master >= 0; }
    int fd() const { return master; }
    const std::string& slavePath() const { return path; } // "/dev/pts/3"
    std::string slaveName() const;                        // "pts/3"
    void close();

    enum class wait { data, closed, idle };
    // Waits up to `timeoutMs` for bytes from the program; `closed` while the program
    // has the slave closed (returned without waiting).
    wait waitForData(int timeoutMs);
    // What the program wrote, at most `size` bytes; 0 when nothing is there.
    int read(std::uint8_t* buffer, std::size_t size);

    enum class written { all, failed, woken };
    // Writes every byte, waiting while the program's input queue is full, until
    // `deadline` (then `failed`). A byte readable on `wakeFd` ends the wait (`woken`).
    written write(const std::uint8_t* data, std::size_t size,
                  std::chrono::steady_clock::time_point deadline, int wakeFd = -1);

    // The baud rate the program set on its end; 0 when unknown.
    int lineBaud() const;

private:
    int master = -1;
    std::string path;
};

} // namespace sim
