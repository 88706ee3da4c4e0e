#pragma once

#include "firmwareuploader/Applet.h"
#include "firmwareuploader/WordCopyArm.h"

// Copies a number of 32-bit words from a source to a destination address on the
// target and returns to the monitor. It sits at the start of the chip's user RAM.
class WordCopyApplet : public Applet {
public:
    WordCopyApplet(Samba& samba, std::uint32_t user);

    void setDstAddr(std::uint32_t value);
    void setSrcAddr(std::uint32_t value);
    void setWords(std::uint32_t value);

    static const WordCopyArm applet;
};
