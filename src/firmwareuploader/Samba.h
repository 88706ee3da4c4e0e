#pragma once

#include "firmwareuploader/SambaError.h"
#include "firmwareuploader/SerialPort.h"

#include <cstdint>
#include <string>

// Client of the chip's boot monitor. Owns the port; block transfers are raw on USB
// and XMODEM-CRC on a plain serial line. Every failed exchange throws SambaError.
class Samba {
public:
    Samba();
    virtual ~Samba();
    Samba(const Samba&) = delete;
    Samba& operator=(const Samba&) = delete;

    // Takes the port (dropping a held one). Tries USB at 921600 baud when the port is
    // USB, then `baud` on a plain line. False, with no port held, when the monitor
    // does not identify a supported chip; SambaError when it gives no version.
    bool connect(SerialPort::Ptr port, int baud = 115200);
    void disconnect();

    void writeByte(std::uint32_t addr, std::uint8_t value);
    std::uint8_t readByte(std::uint32_t addr);
    void writeWord(std::uint32_t addr, std::uint32_t value);
    std::uint32_t readWord(std::uint32_t addr);

    void write(std::uint32_t addr, const std::uint8_t* buffer, int size);
    void read(std::uint32_t addr, std::uint8_t* buffer, int size);

    void go(std::uint32_t addr);

    std::string version();
    std::uint32_t chipId();

    // Extensions; false (chipErase, writeBuffer) without an exchange when the monitor
    // did not announce them. checksumBuffer throws instead.
    bool chipErase(std::uint32_t startAddr);
    bool writeBuffer(std::uint32_t srcAddr, std::uint32_t dstAddr, std::uint32_t size);
    std::uint16_t checksumBuffer(std::uint32_t startAddr, std::uint32_t size);

    bool canChipErase() const { return chipEraseAnnounced; }
    bool canWriteBuffer() const { return writeBufferAnnounced; }
    bool canChecksumBuffer() const { return checksumBufferAnnounced; }

    void reset();

    void setDebug(bool enable) { debug = enable; }
    bool isUsb() const { return usb; }
    // The held port, or null.
    SerialPort* serialPort() const { return port.get(); }

    // CRC-16/XMODEM through a 256-entry table.
    static std::uint16_t crc16Calc(const std::uint8_t* data, int length);
    // Bytes 131..132 of a 133-byte XMODEM block (high byte first) against bytes 3..130.
    static bool crc16Check(const std::uint8_t* block);
    static void crc16Add(std::uint8_t* block);
    static std::uint16_t crc16AddByte(std::uint8_t byte, std::uint16_t crc);

private:
    bool init();
    std::uint32_t identifyChip();
    void sendCommand(const std::string& command);
    void flushIfUsb();
    void trace(const char* format, ...) const;

    void readBinary(std::uint8_t* buffer, int size);
    void writeBinary(const std::uint8_t* buffer, int size);
    void readXmodem(std::uint8_t* buffer, int size);
    void writeXmodem(const std::uint8_t* buffer, int size);

    bool chipEraseAnnounced = false;
    bool writeBufferAnnounced = false;
    bool checksumBufferAnnounced = false;
    bool debug = false;
    bool usb = false;
    SerialPort::Ptr port;
};
