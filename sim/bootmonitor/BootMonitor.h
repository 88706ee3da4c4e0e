#pragma once

#include "platform/usbDevices.h"
#include "sim/bootmonitor/PseudoTerminal.h"
#include "sim/bootmonitor/TargetMemory.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sim {

struct BootMonitorOptions {
    // USB: blocks move raw, no auto-baud. Serial: the monitor waits for the auto-baud
    // sequence (0x80, 0x80, "#") and moves blocks with XMODEM-CRC.
    enum class link { usb, serial };
    link transport = link::usb;
    // Answer "X", "Y" and "Z" (the version text should announce them).
    bool extensions = true;
    // Empty: a text announcing the extensions when they are on, a plain one otherwise.
    std::string version;
    // When not 0 the monitor hears only this baud rate; bytes sent at another rate are
    // lost as line noise would be.
    int requiredBaud = 0;
    // XMODEM faults: NAK so many good blocks received; corrupt so many blocks sent.
    int xmodemNaks = 0;
    int xmodemCorruptBlocks = 0;
    // XMODEM: take so many ACKs to blocks sent as lost (the block is sent again).
    int xmodemLostAcks = 0;
    // Commands answered with a fixed text instead of their own reply, unexecuted
    // (a monitor with a fault or of another make).
    std::map<char, std::string> replies;
    // List the port in platform::usbDevices: with the boot monitor's hardware
    // identifier (USB\VID_239A&PID_000B) on USB, as a plain tty on serial.
    bool registerPort = true;
};

// The chip's boot monitor on a pseudo-terminal, answering on its own thread over a
// TargetMemory (which must outlive it).
class BootMonitor {
public:
    static constexpr std::uint16_t vendorId = 0x239A;
    static constexpr std::uint16_t productId = 0x000B;

    explicit BootMonitor(TargetMemory& target, BootMonitorOptions options = {});
    ~BootMonitor();
    BootMonitor(const BootMonitor&) = delete;
    BootMonitor& operator=(const BootMonitor&) = delete;

    bool isRunning() const { return line.isOpen(); }
    const std::string& portPath() const { return line.slavePath(); } // "/dev/pts/4"
    std::string portName() const { return line.slaveName(); }        // "pts/4"
    std::string versionText() const;
    TargetMemory& target() { return memory; }

    // Every command executed so far as it arrived, from its letter to its "#"
    // ("w00000000,4#"); block data is not included.
    std::vector<std::string> commands() const;
    // Every byte the monitor received, block data included.
    std::vector<std::uint8_t> received() const;
    void clearLog();
    // Waits until at least `count` commands were executed; false after `timeoutMs`.
    bool waitForCommands(std::size_t count, int timeoutMs = 2000) const;

private:
    void serve();
    void take(std::uint8_t byte);
    void execute(char command, std::uint32_t first, std::uint32_t second);
    void receiveBlock(std::uint32_t addr, std::uint32_t size);
    void sendBlock(std::uint32_t addr, std::uint32_t size);
    int nextByte(int timeoutMs);
    void reply(const std::string& text) { line.put(text); }

    TargetMemory& memory;
    BootMonitorOptions options;
    PseudoTerminal line;
    platform::usbDevices::token registration = 0;

    // Parser state, monitor thread only.
    bool terminalMode = true;
    bool autoBaudSeen = false;
    std::uint8_t recent[2] = {0, 0};
    char command = 0;
    std::uint32_t argument = 0;
    std::uint32_t pointer = 0;
    std::string pendingText;
    std::uint32_t bufferSource = 0;
    int naksLeft = 0;
    int corruptLeft = 0;
    int lostAcksLeft = 0;

    mutable std::mutex logLock;
    mutable std::condition_variable logChanged;
    std::vector<std::string> commandLog;
    std::vector<std::uint8_t> byteLog;

    std::thread worker;
};

} // namespace sim
