#include "firmwareuploader/Samba.h"

#include "firmwareuploader/Xmodem.h"
#include "platform/tty.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int standingTimeoutMs = 1000;
constexpr int shortTimeoutMs = 100;
constexpr int longTimeoutMs = 5000;

std::string format(const char* pattern, ...) {
    char text[64];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

bool isPowerOfTwo(int value) {
    return value > 0 && (value & (value - 1)) == 0;
}

// Why the monitor client does not drive the chip with this identifier, or null when
// it does: each core family with the architectures it covers.
const char* refusal(std::uint32_t cid) {
    const std::uint32_t eproc = (cid >> 5) & 0x7;
    const std::uint32_t arch = (cid >> 20) & 0xFF;
    switch (eproc) {
    case 2:
        return arch >= 0x70 && arch <= 0x76 ? nullptr : "Unsupported ARM7TDMI architecture\n";
    case 3:
        return (arch >= 0x80 && arch <= 0x8A) || (arch >= 0x93 && arch <= 0x9A)
                   ? nullptr
                   : "Unsupported Cortex-M3 architecture\n";
    case 7:
        return arch >= 0x88 && arch <= 0x8A ? nullptr : "Unsupported Cortex-M4 architecture\n";
    case 4:
        return arch == 0x29 ? nullptr : "Unsupported ARM920T architecture\n";
    default:
        return (cid & ~0x100u) == 0x10010000 || cid == 0x10010005 || cid == 0x1001000A ||
                       cid == 0x1001001C
                   ? nullptr
                   : "Unsupported processor\n";
    }
}

} // namespace

Samba::Samba() = default;

Samba::~Samba() = default;

void Samba::trace(const char* pattern, ...) const {
    if (!debug)
        return;
    va_list args;
    va_start(args, pattern);
    std::vprintf(pattern, args);
    va_end(args);
    std::fflush(stdout);
}

bool Samba::connect(SerialPort::Ptr newPort, int baud) {
    port = std::move(newPort);
    if (!port)
        return false;

    usb = port->isUsb();
    if (usb) {
        if (port->open(921600) && init()) {
            trace("Connected at 921600 baud\n");
            return true;
        }
        port->close();
    }

    usb = false;
    if (port->open(baud) && init()) {
        trace("Connected at %d baud\n", baud);
        return true;
    }
    port->close();
    port.reset();
    return false;
}

void Samba::disconnect() {
    if (port)
        port->close();
    port.reset();
}

bool Samba::init() {
    std::uint8_t stale[1024];
    port->timeout(shortTimeoutMs);
    platform::sleepMilliseconds(500);
    port->read(stale, sizeof stale);

    if (!usb) {
        trace("Send auto-baud\n");
        port->put(0x80);
        port->get();
        port->put(0x80);
        port->get();
        port->put('#');
        port->read(stale, 3);
    }

    trace("Set binary mode\n");
    port->write(reinterpret_cast<const std::uint8_t*>("N#"), 2);
    port->read(stale, 2);

    std::uint32_t cid = 0;
    try {
        cid = identifyChip();
    } catch (const SambaError&) {
        return false;
    }

    const std::string text = version();
    const auto tag = text.find("[Arduino:");
    if (tag != std::string::npos) {
        for (std::size_t i = tag + 9; i < text.size() && text[i] != ']'; ++i) {
            switch (text[i]) {
            case 'X':
                chipEraseAnnounced = true;
                break;
            case 'Y':
                writeBufferAnnounced = true;
                break;
            case 'Z':
                checksumBufferAnnounced = true;
                break;
            default:
                break;
            }
        }
    }

    port->timeout(standingTimeoutMs);
    trace("chipId=%#08x\n", cid);

    if (const char* reason = refusal(cid)) {
        trace("%s", reason);
        return false;
    }
    return true;
}

void Samba::sendCommand(const std::string& command) {
    if (!port)
        throw SambaError();
    const int length = static_cast<int>(command.size());
    if (port->write(reinterpret_cast<const std::uint8_t*>(command.data()), length) != length)
        throw SambaError();
}

void Samba::flushIfUsb() {
    if (usb)
        port->flush();
}

void Samba::writeByte(std::uint32_t addr, std::uint8_t value) {
    trace("%s(addr=%#x,value=%#x)\n", "writeByte", addr, value);
    sendCommand(format("O%08X,%02X#", addr, value));
    flushIfUsb();
}

std::uint8_t Samba::readByte(std::uint32_t addr) {
    sendCommand(format("o%08X,4#", addr));
    std::uint8_t value = 0;
    if (port->read(&value, 1) != 1)
        throw SambaError();
    trace("%s(addr=%#x)=%#x\n", "readByte", addr, value);
    return value;
}

void Samba::writeWord(std::uint32_t addr, std::uint32_t value) {
    trace("%s(addr=%#x,value=%#x)\n", "writeWord", addr, value);
    sendCommand(format("W%08X,%08X#", addr, value));
    flushIfUsb();
}

std::uint32_t Samba::readWord(std::uint32_t addr) {
    sendCommand(format("w%08X,4#", addr));
    std::uint8_t bytes[4];
    if (port->read(bytes, 4) != 4)
        throw SambaError();
    const std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    trace("%s(addr=%#x)=%#x\n", "readWord", addr, value);
    return value;
}

void Samba::write(std::uint32_t addr, const std::uint8_t* buffer, int size) {
    // Nothing to move: an empty XMODEM transfer would only wait for an EOT exchange.
    if (size <= 0)
        return;
    trace("%s(addr=%#x,size=%#x)\n", "write", addr, size);
    sendCommand(format("S%08X,%08X#", addr, size));
    if (usb) {
        port->flush();
        writeBinary(buffer, size);
    } else {
        writeXmodem(buffer, size);
    }
}

void Samba::read(std::uint32_t addr, std::uint8_t* buffer, int size) {
    if (size <= 0)
        return;
    // Some monitors mishandle USB reads of a power-of-two length above 32 bytes, so the
    // first byte is fetched on its own.
    if (usb && size > 32 && isPowerOfTwo(size)) {
        buffer[0] = readByte(addr);
        ++addr;
        ++buffer;
        --size;
    }
    trace("%s(addr=%#x,size=%#x)\n", "read", addr, size);
    sendCommand(format("R%08X,%08X#", addr, size));
    if (usb)
        readBinary(buffer, size);
    else
        readXmodem(buffer, size);
}

void Samba::readBinary(std::uint8_t* buffer, int size) {
    if (port->read(buffer, size) != size)
        throw SambaError();
}

void Samba::writeBinary(const std::uint8_t* buffer, int size) {
    while (size > 0) {
        const int written = port->write(buffer, size);
        if (written <= 0)
            throw SambaError();
        buffer += written;
        size -= written;
    }
}

void Samba::readXmodem(std::uint8_t* buffer, int size) {
    Xmodem::receive(*port, buffer, size);
}

void Samba::writeXmodem(const std::uint8_t* buffer, int size) {
    Xmodem::send(*port, buffer, size);
}

void Samba::go(std::uint32_t addr) {
    trace("%s(addr=%#x)\n", "go", addr);
    sendCommand(format("G%08X#", addr));
    flushIfUsb();
}

std::string Samba::version() {
    if (!port)
        throw SambaError();
    port->write(reinterpret_cast<const std::uint8_t*>("V#"), 2);
    port->timeout(shortTimeoutMs);
    std::uint8_t reply[256] = {};
    const int count = port->read(reply, 255);
    port->timeout(standingTimeoutMs);
    if (count <= 0)
        throw SambaError();
    std::string text;
    for (int i = 0; i < count && reply[i] >= 0x20 && reply[i] <= 0x7E; ++i)
        text += static_cast<char>(reply[i]);
    trace("%s()=%s\n", "version", text.c_str());
    return text;
}

std::uint32_t Samba::identifyChip() {
    const std::uint32_t vector = readWord(0);
    if ((vector >> 24) == 0xEA)
        return readWord(0xFFFFF240);

    const std::uint32_t cpuid = readWord(0xE000ED00);
    if (((cpuid >> 4) & 0xFFF) == 0xC60)
        return readWord(0x41002018) & 0xFFFF00FF;

    const std::uint32_t cid = readWord(0x400E0740);
    return cid != 0 ? cid : readWord(0x400E0940);
}

std::uint32_t Samba::chipId() {
    return identifyChip();
}

bool Samba::chipErase(std::uint32_t startAddr) {
    if (!chipEraseAnnounced)
        return false;
    trace("%s(addr=%#x)\n", "chipErase", startAddr);
    sendCommand(format("X%08X#", startAddr));
    port->timeout(longTimeoutMs);
    std::uint8_t reply[3] = {};
    port->read(reply, 3);
    port->timeout(standingTimeoutMs);
    if (reply[0] != 'X')
        throw SambaError();
    return true;
}

bool Samba::writeBuffer(std::uint32_t srcAddr, std::uint32_t dstAddr, std::uint32_t size) {
    if (!writeBufferAnnounced)
        return false;
    trace("%s(scr_addr=%#x, dst_addr=%#x, size=%#x)\n", "writeBuffer", srcAddr, dstAddr, size);
    std::uint8_t reply[3] = {};

    sendCommand(format("Y%08X,0#", srcAddr));
    port->timeout(shortTimeoutMs);
    port->read(reply, 3);
    port->timeout(standingTimeoutMs);
    if (reply[0] != 'Y')
        throw SambaError();

    reply[0] = 0;
    sendCommand(format("Y%08X,%08X#", dstAddr, size));
    port->timeout(longTimeoutMs);
    port->read(reply, 3);
    port->timeout(standingTimeoutMs);
    if (reply[0] != 'Y')
        throw SambaError();
    return true;
}

std::uint16_t Samba::checksumBuffer(std::uint32_t startAddr, std::uint32_t size) {
    if (!checksumBufferAnnounced)
        throw SambaError();
    trace("%s(start_addr=%#x, size=%#x) = ", "checksumBuffer", startAddr, size);
    sendCommand(format("Z%08X,%08X#", startAddr, size));
    port->timeout(longTimeoutMs);
    std::uint8_t reply[13] = {};
    port->read(reply, 12);
    port->timeout(standingTimeoutMs);
    if (reply[0] != 'Z')
        throw SambaError();
    char digits[9] = {};
    std::memcpy(digits, reply + 1, 8);
    unsigned int value = 0;
    if (std::sscanf(digits, "%x", &value) != 1)
        throw SambaError();
    trace("%x\n", value & 0xFFFF);
    return static_cast<std::uint16_t>(value);
}

void Samba::reset() {
    std::printf("CPU reset.\n");
    std::fflush(stdout);
    const std::uint32_t cid = identifyChip();
    switch (cid) {
    case 0x10010000:
    case 0x10010005:
    case 0x1001000A:
    case 0x1001001C:
        // System reset request through the core's application interrupt and reset
        // control register.
        writeWord(0xE000ED0C, 0x05FA0004);
        break;
    case 0x285E0A60:
        // Reset controller: key, processor, peripheral and external reset.
        writeWord(0x400E1A00, 0xA500000D);
        break;
    default:
        std::printf("Reset not supported for this CPU.\n");
        std::fflush(stdout);
        return;
    }
    platform::sleepMilliseconds(100);
}
