// The monitor client against a hostile or broken boot monitor: whatever it answers to
// the connection, the version and chip-id questions, the extension commands, the
// block transfers and the flash driver's register reads, the client either goes on or
// throws one of the uploader's exceptions.
//
// Byte 0: bit 0 the port is USB, bits 1-2 how writes go (whole, five bytes at a time,
// refused). Bytes 1-8: the operations run after connecting (low nibble the operation,
// high nibble its size). The rest is the monitor's answers (see playbackSerialPort).
#include "playbackSerialPort.h"

#include "firmwareuploader/FlashFactory.h"
#include "firmwareuploader/Samba.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t scriptLength = 8;
// Transfer sizes around the XMODEM block and the USB power-of-two rule.
constexpr int sizes[16] = {1, 2, 4, 31, 32, 33, 64, 127, 128, 129, 255, 256, 257, 300, 512, 1000};

void run(Samba& samba, std::uint8_t op) {
    const int size = sizes[op >> 4];
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size), 0x5A);
    switch (op & 0x0F) {
    case 1:
        samba.version();
        break;
    case 2: {
        const std::uint32_t id = samba.chipId();
        if (!FlashFactory::find(id))
            FlashFactory::unsupportedMessage(id);
        break;
    }
    case 3:
        samba.readByte(0x20000000);
        break;
    case 4:
        samba.readWord(0x400E0740);
        break;
    case 5:
        samba.read(0x20001000, buffer.data(), size);
        break;
    case 6:
        samba.write(0x20001000, buffer.data(), size);
        break;
    case 7:
        samba.chipErase(0);
        break;
    case 8:
        samba.writeBuffer(0x20001000, 0x80000, static_cast<std::uint32_t>(size));
        break;
    case 9:
        samba.checksumBuffer(0x80000, static_cast<std::uint32_t>(size));
        break;
    case 10:
        samba.reset();
        break;
    case 11:
        samba.go(0x20001000);
        break;
    case 12:
        samba.writeWord(0x400E0A04, 0x5A000001);
        break;
    case 13:
        samba.writeByte(0x20000000, 0xA5);
        break;
    case 14:
        // The driver of the part the monitor claims to be, talking to that monitor.
        if (Flash::Ptr flash = FlashFactory().create(samba, samba.chipId())) {
            flash->isLocked();
            flash->getSecurity();
            flash->getLockRegion(static_cast<std::uint32_t>(size) % (flash->lockRegions() + 1));
            flash->loadBuffer(buffer.data(),
                              static_cast<std::uint16_t>(std::min<int>(size, flash->pageSize())));
            flash->writePage(static_cast<std::uint32_t>(size) % (flash->numPages() + 1));
        }
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + scriptLength)
        return 0;
    const bool usb = data[0] & 1;
    const int writeMode = (data[0] >> 1) & 3;
    const auto writes = writeMode == 1   ? playbackSerialPort::writes::piecewise
                        : writeMode == 2 ? playbackSerialPort::writes::refused
                                         : playbackSerialPort::writes::whole;
    const std::uint8_t* script = data + 1;
    const std::uint8_t* answers = script + scriptLength;

    Samba samba;
    try {
        samba.connect(
            std::make_unique<playbackSerialPort>(answers, size - 1 - scriptLength, usb, writes));
    } catch (const SambaError&) {
    }
    for (std::size_t i = 0; i < scriptLength; ++i) {
        // Every failure of the uploader is an exception with a text for the user.
        try {
            run(samba, script[i]);
        } catch (const std::exception&) {
        }
    }
    samba.disconnect();
    return 0;
}
