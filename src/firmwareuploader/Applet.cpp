#include "firmwareuploader/Applet.h"

#include "firmwareuploader/Samba.h"

Applet::Applet(Samba& samba, std::uint32_t addr, const std::uint8_t* code, std::uint32_t size,
               std::uint32_t start, std::uint32_t stack, std::uint32_t reset)
    : samba(samba), codeAddr(addr), codeSize(size), startAddr(start), stackAddr(stack),
      resetAddr(reset) {
    samba.write(addr, code, static_cast<int>(size));
}

void Applet::setStack(std::uint32_t value) {
    samba.writeWord(stackAddr, value);
}

void Applet::run() {
    // The low bit selects the Thumb instruction set.
    samba.go(startAddr + 1);
}

void Applet::runv() {
    samba.writeWord(resetAddr, startAddr + 1);
    samba.go(stackAddr);
}
