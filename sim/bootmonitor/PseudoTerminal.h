#pragma once

#include "sim/pty/PtyMaster.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

// The boot monitor's side of a pseudo-terminal: byte-wise reads and whole writes that
// another thread can interrupt.
class PseudoTerminal {
public:
    // Thrown out of get() and put() once stop() was called.
    struct stopped {};

    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return pty.isOpen() && wakeRead >= 0; }
    const std::string& slavePath() const { return pty.slavePath(); } // "/dev/pts/3"
    std::string slaveName() const { return pty.slaveName(); }        // "pts/3"

    // One byte as 0..255, or -1 when none arrived within `timeoutMs`.
    int get(int timeoutMs);
    // Writes every byte, waiting while the program does not read (at most a few
    // seconds, after which the rest is dropped).
    void put(const std::uint8_t* data, std::size_t size);
    void put(const std::string& text);

    // The baud rate the program last set on its end of the line.
    int lineBaud() const { return pty.lineBaud(); }
    // Makes get() and put() throw `stopped`, from any thread.
    void stop();

private:
    PtyMaster pty;
    int wakeRead = -1;
    int wakeWrite = -1;
};

} // namespace sim
