#include "sim/bootmonitor/PseudoTerminal.h"

#include "platform/tty.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace sim {

PseudoTerminal::PseudoTerminal() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    wakeRead = fds[0];
    wakeWrite = fds[1];
    int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m < 0)
        return;
    if (::grantpt(m) != 0 || ::unlockpt(m) != 0) {
        ::close(m);
        return;
    }
    char name[128];
    if (::ptsname_r(m, name, sizeof name) != 0) {
        ::close(m);
        return;
    }
    // Raw from the start: no echo or line editing before the program configures its
    // end. Line settings asked of the master apply to the slave's end.
    termios t{};
    ::tcgetattr(m, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m, TCSANOW, &t);
    ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
    master = m;
    path = name;
}

PseudoTerminal::~PseudoTerminal() {
    for (int fd : {master, wakeRead, wakeWrite})
        if (fd >= 0)
            ::close(fd);
}

std::string PseudoTerminal::slaveName() const {
    const std::string prefix = "/dev/";
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

void PseudoTerminal::stop() {
    const char byte = 1;
    if (wakeWrite >= 0) [[maybe_unused]]
        auto ignored = ::write(wakeWrite, &byte, 1);
}

int PseudoTerminal::get(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::uint8_t byte = 0;
        if (::read(master, &byte, 1) == 1)
            return byte;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return -1;
        pollfd fds[2] = {{master, POLLIN, 0}, {wakeRead, POLLIN, 0}};
        const int ready = ::poll(fds, 2, static_cast<int>(left) + 1);
        if (ready > 0 && (fds[1].revents & POLLIN))
            throw stopped{};
        // A hang-up without data: nobody holds the line; poll would return at once.
        if (ready > 0 && !(fds[0].revents & POLLIN))
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void PseudoTerminal::put(const std::uint8_t* data, std::size_t size) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(master, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (std::chrono::steady_clock::now() > deadline)
            return;
        pollfd fds[2] = {{master, POLLOUT, 0}, {wakeRead, POLLIN, 0}};
        const int ready = ::poll(fds, 2, 50);
        if (ready > 0 && (fds[1].revents & POLLIN))
            throw stopped{};
    }
}

void PseudoTerminal::put(const std::string& text) {
    put(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

int PseudoTerminal::lineBaud() const {
    return platform::lineBaud(master);
}

} // namespace sim
