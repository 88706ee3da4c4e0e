#include "sim/bootmonitor/PseudoTerminal.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace sim {

PseudoTerminal::PseudoTerminal() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    wakeRead = fds[0];
    wakeWrite = fds[1];
}

PseudoTerminal::~PseudoTerminal() {
    for (int fd : {wakeRead, wakeWrite})
        if (fd >= 0)
            ::close(fd);
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
        if (pty.read(&byte, 1) == 1)
            return byte;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return -1;
        pollfd fds[2] = {{pty.fd(), POLLIN, 0}, {wakeRead, POLLIN, 0}};
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
    if (pty.write(data, size, deadline, wakeRead) == PtyMaster::written::woken)
        throw stopped{};
}

void PseudoTerminal::put(const std::string& text) {
    put(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

} // namespace sim
