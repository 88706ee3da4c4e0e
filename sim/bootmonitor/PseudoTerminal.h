#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

// The device side of a pseudo-terminal. The program opens the slave by its path as
// it would a real serial port; the simulated device reads and writes the master,
// which stays open while the program closes and reopens its end.
class PseudoTerminal {
public:
    // Thrown out of get() and put() once stop() was called.
    struct stopped {};

    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return master >= 0; }
    const std::string& slavePath() const { return path; } // "/dev/pts/3"
    std::string slaveName() const;                        // "pts/3"

    // One byte as 0..255, or -1 when none arrived within `timeoutMs`.
    int get(int timeoutMs);
    // Writes every byte, waiting while the program does not read (at most a few
    // seconds, after which the rest is dropped).
    void put(const std::uint8_t* data, std::size_t size);
    void put(const std::string& text);

    // The baud rate the program last set on its end of the line.
    int lineBaud() const;
    // Makes get() and put() throw `stopped`, from any thread.
    void stop();

private:
    int master = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::string path;
};

} // namespace sim
