#pragma once

#include <cstdint>

class Samba;

// A small routine that runs on the target itself. The code is uploaded once, at
// construction; its parameter words are then written before each run.
class Applet {
public:
    Applet(Samba& samba, std::uint32_t addr, const std::uint8_t* code, std::uint32_t size,
           std::uint32_t start, std::uint32_t stack, std::uint32_t reset);
    virtual ~Applet() = default;
    Applet(const Applet&) = delete;
    Applet& operator=(const Applet&) = delete;

    virtual std::uint32_t size() { return codeSize; }
    virtual std::uint32_t addr() { return codeAddr; }
    virtual void setStack(std::uint32_t value);
    // Jumps straight to the entry point (Thumb).
    virtual void run();
    // Starts the monitor on the stack/reset word pair, as a core starts on its vector.
    virtual void runv();

protected:
    Samba& samba;
    std::uint32_t codeAddr;
    std::uint32_t codeSize;
    std::uint32_t startAddr;
    std::uint32_t stackAddr;
    std::uint32_t resetAddr;
};
