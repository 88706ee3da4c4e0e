#include "platform/tty.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

struct speedName {
    int baud;
    speed_t speed;
};

constexpr speedName speeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000},
};

speed_t speedFor(int baud) {
    for (const auto& s : speeds)
        if (s.baud == baud)
            return s.speed;
    return B0;
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return 0;
    // Round up so a wait never ends just short of the deadline.
    return static_cast<int>(left.count()) + 1;
}

} // namespace

tty::~tty() {
    close();
}

tty::tty(tty&& other) noexcept
    : fd(std::exchange(other.fd, -1)), error(other.error), baud(other.baud),
      openPath(std::move(other.openPath)) {}

tty& tty::operator=(tty&& other) noexcept {
    if (this != &other) {
        close();
        fd = std::exchange(other.fd, -1);
        error = other.error;
        baud = other.baud;
        openPath = std::move(other.openPath);
    }
    return *this;
}

bool tty::open(const std::string& devicePath) {
    if (fd >= 0) {
        error = EBUSY;
        return false;
    }
    int handle = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        error = errno;
        return false;
    }
    // TIOCEXCL keeps other users out; the lock also keeps out privileged ones of
    // ours, which TIOCEXCL lets through.
    if (::ioctl(handle, TIOCEXCL) != 0 || ::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        ::close(handle);
        return false;
    }
    termios t{};
    if (::tcgetattr(handle, &t) != 0) {
        error = errno;
        ::close(handle);
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    // VMIN 1 on a non-blocking descriptor: "no data" is EAGAIN, end of file is a hang-up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(handle, TCSANOW, &t) != 0) {
        error = errno;
        ::close(handle);
        return false;
    }
    fd = handle;
    error = 0;
    baud = 0; // unknown until setLine
    openPath = devicePath;
    return true;
}

void tty::close() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
        baud = 0;
    }
}

bool tty::setLine(int baudRate, int dataBits, parity p, stopBits s) {
    if (fd < 0) {
        error = EBADF;
        return false;
    }
    speed_t speed = speedFor(baudRate);
    tcflag_t size = 0;
    switch (dataBits) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        speed = B0;
    }
    if (speed == B0) {
        error = EINVAL;
        return false;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        error = errno;
        return false;
    }
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    t.c_cflag |= size;
    switch (p) {
    case parity::none:
        break;
    case parity::odd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case parity::even:
        t.c_cflag |= PARENB;
        break;
    }
    if (s != stopBits::one)
        t.c_cflag |= CSTOPB;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        error = errno;
        return false;
    }
    baud = baudRate;
    return true;
}

int tty::baudRate() const {
    return fd >= 0 ? baud : 0;
}

int tty::read(std::uint8_t* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    if (fd < 0) {
        error = EBADF;
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::size_t got = 0;
    while (got < size) {
        ssize_t n = ::read(fd, buffer + got, size - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // End of file on a tty means the device has gone (a pty whose other
            // side closed, an unplugged adapter).
            error = n == 0 ? EIO : errno;
            return got > 0 ? static_cast<int>(got) : -1;
        }
        int wait = remainingMs(deadline);
        if (wait == 0)
            break;
        pollfd pfd{fd, POLLIN, 0};
        int r = ::poll(&pfd, 1, wait);
        if (r < 0 && errno != EINTR) {
            error = errno;
            return -1;
        }
        if (r > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(pfd.revents & POLLIN)) {
            error = EIO;
            return got > 0 ? static_cast<int>(got) : -1;
        }
    }
    return static_cast<int>(got);
}

int tty::readQueued(std::uint8_t* buffer, std::size_t size) {
    if (fd < 0) {
        error = EBADF;
        return -1;
    }
    if (size == 0)
        return 0;
    ssize_t n = ::read(fd, buffer, size);
    if (n > 0)
        return static_cast<int>(n);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return 0;
    error = n == 0 ? EIO : errno;
    return -1;
}

int tty::queued() const {
    if (fd < 0)
        return -1;
    int count = 0;
    if (::ioctl(fd, FIONREAD, &count) != 0)
        return -1;
    return count;
}

int tty::write(const std::uint8_t* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    if (fd < 0) {
        error = EBADF;
        return -1;
    }
    const bool unlimited = timeout.count() < 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, buffer + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error = errno;
            return done > 0 ? static_cast<int>(done) : -1;
        }
        int wait = unlimited ? -1 : remainingMs(deadline);
        if (wait == 0)
            break;
        pollfd pfd{fd, POLLOUT, 0};
        if (::poll(&pfd, 1, wait) < 0 && errno != EINTR) {
            error = errno;
            return done > 0 ? static_cast<int>(done) : -1;
        }
    }
    if (done == 0 && size > 0) {
        error = ETIMEDOUT;
        return -1;
    }
    return static_cast<int>(done);
}

void tty::discardInput() {
    if (fd >= 0)
        ::tcflush(fd, TCIFLUSH);
}

int lineBaud(int fd) {
    termios t{};
    if (fd < 0 || ::tcgetattr(fd, &t) != 0)
        return 0;
    const speed_t speed = ::cfgetospeed(&t);
    for (const auto& s : speeds)
        if (s.speed == speed)
            return s.baud;
    return 0;
}

std::string errorString(int errorNumber) {
    return std::strerror(errorNumber);
}

void sleepMilliseconds(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace platform
