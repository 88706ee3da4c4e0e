#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// One serial line (a tty device node) on termios. Used by the joystick's settings
// link and by the firmware uploader's serial port; nothing else opens ttys.
class tty {
public:
    enum class parity { none = 0, odd = 1, even = 2 };
    enum class stopBits { one = 0, oneAndHalf = 1, two = 2 };

    tty() = default;
    ~tty();
    tty(const tty&) = delete;
    tty& operator=(const tty&) = delete;
    tty(tty&& other) noexcept;
    tty& operator=(tty&& other) noexcept;

    // Opens the device for reading and writing, exclusively (TIOCEXCL), in raw mode
    // with non-blocking descriptor semantics handled internally. False on failure,
    // with the reason in lastError(). Opening an open tty fails with EBUSY.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return fd >= 0; }
    const std::string& path() const { return openPath; }

    // Line settings. Baud rates without a termios constant are refused (EINVAL);
    // 1.5 stop bits are taken as two, the nearest the kernel has.
    bool setLine(int baud, int dataBits, parity p, stopBits s);
    int baudRate() const; // as last applied, 0 when closed

    // Reads until `size` bytes have arrived or `timeout` has passed since the call,
    // whichever comes first. Returns the number read (possibly 0), or -1 on error.
    int read(std::uint8_t* buffer, std::size_t size, std::chrono::milliseconds timeout);
    // Reads only what is queued already; never waits. 0 when nothing is queued, -1 on error.
    int readQueued(std::uint8_t* buffer, std::size_t size);
    // Bytes waiting in the input queue (FIONREAD), -1 on error.
    int queued() const;

    // Writes all bytes unless `timeout` passes first (a negative timeout waits
    // without limit). Returns the number written, or -1 when nothing could be written.
    int write(const std::uint8_t* buffer, std::size_t size,
              std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));
    // Discards unread input (TCIFLUSH).
    void discardInput();

    int lastError() const { return error; }
    int nativeHandle() const { return fd; }

private:
    int fd = -1;
    int error = 0;
    int baud = 0;
    std::string openPath;
};

// The baud rate set on the line behind `fd` (a pseudo-terminal's master reports what
// the program on its slave set), 0 when unknown.
int lineBaud(int fd);

// The operating system's text for an error number (strerror).
std::string errorString(int errorNumber);

// Waits for the calling thread.
void sleepMilliseconds(int ms);

} // namespace platform
