#include "sim/pty/PtyMaster.h"

#include "platform/tty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

PtyMaster::PtyMaster() {
    int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    char name[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
        ::close(fd);
        return;
    }
    // On Linux the master's termios calls act on the slave: start it raw, so nothing
    // the device sends is echoed or translated before the program sets it up.
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    master = fd;
    path = name;
}

PtyMaster::~PtyMaster() {
    close();
}

void PtyMaster::close() {
    if (master >= 0) {
        ::close(master);
        master = -1;
    }
}

std::string PtyMaster::slaveName() const {
    const std::string prefix = "/dev/";
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

PtyMaster::wait PtyMaster::waitForData(int timeoutMs) {
    if (master < 0)
        return wait::closed;
    pollfd p{master, POLLIN, 0};
    int r = ::poll(&p, 1, timeoutMs);
    if (r <= 0)
        return wait::idle;
    if (p.revents & POLLIN)
        return wait::data;
    return (p.revents & (POLLHUP | POLLERR)) ? wait::closed : wait::idle;
}

int PtyMaster::read(std::uint8_t* buffer, std::size_t size) {
    if (master < 0)
        return 0;
    ssize_t n = ::read(master, buffer, size);
    return n > 0 ? static_cast<int>(n) : 0;
}

PtyMaster::written PtyMaster::write(const std::uint8_t* data, std::size_t size,
                                    std::chrono::steady_clock::time_point deadline, int wakeFd) {
    if (master < 0)
        return written::failed;
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(master, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return written::failed;
        if (std::chrono::steady_clock::now() >= deadline)
            return written::failed;
        pollfd fds[2] = {{master, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(fds, wakeFd >= 0 ? 2 : 1, 10) > 0 && (fds[1].revents & POLLIN))
            return written::woken;
    }
    return written::all;
}

int PtyMaster::lineBaud() const {
    return platform::lineBaud(master);
}

} // namespace sim
