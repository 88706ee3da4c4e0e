#include "platform/usbRegistry.h"

#include <cstdint>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace platform::usbDevices {

namespace {

struct entry {
    token id;
    bool isSerial;
    serialPort serial;
    hidInterface hid;
    const std::string& path() const { return isSerial ? serial.portPath : hid.path; }
};

struct subscriber {
    int eventFd;
    std::vector<event> pending;
};

struct state {
    std::mutex lock;
    token next = 1;
    std::vector<entry> entries;
    std::vector<subscriber> subscribers;
};

state& shared() {
    static state s;
    return s;
}

void notify(state& s, event::kind action, const std::string& path) {
    for (auto& sub : s.subscribers) {
        sub.pending.push_back({action, path});
        std::uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(sub.eventFd, &one, sizeof one);
    }
}

token add(entry e) {
    auto& s = shared();
    std::lock_guard guard(s.lock);
    e.id = s.next++;
    s.entries.push_back(e);
    notify(s, event::kind::added, e.path());
    return e.id;
}

} // namespace

token registerSerialPort(const serialPort& port) {
    return add({0, true, port, {}});
}

token registerHidInterface(const hidInterface& interface) {
    return add({0, false, {}, interface});
}

void unregister(token id) {
    auto& s = shared();
    std::lock_guard guard(s.lock);
    for (auto it = s.entries.begin(); it != s.entries.end(); ++it) {
        if (it->id == id) {
            std::string path = it->path();
            s.entries.erase(it);
            notify(s, event::kind::removed, path);
            return;
        }
    }
}

namespace registry {

std::vector<serialPort> serialPorts() {
    auto& s = shared();
    std::lock_guard guard(s.lock);
    std::vector<serialPort> result;
    for (const auto& e : s.entries)
        if (e.isSerial)
            result.push_back(e.serial);
    return result;
}

std::vector<hidInterface> hidInterfaces() {
    auto& s = shared();
    std::lock_guard guard(s.lock);
    std::vector<hidInterface> result;
    for (const auto& e : s.entries)
        if (!e.isSerial)
            result.push_back(e.hid);
    return result;
}

int subscribe() {
    int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        return -1;
    auto& s = shared();
    std::lock_guard guard(s.lock);
    s.subscribers.push_back({fd, {}});
    return fd;
}

void unsubscribe(int eventFd) {
    auto& s = shared();
    {
        std::lock_guard guard(s.lock);
        std::erase_if(s.subscribers, [&](const subscriber& sub) { return sub.eventFd == eventFd; });
    }
    if (eventFd >= 0)
        ::close(eventFd);
}

std::vector<event> take(int eventFd) {
    auto& s = shared();
    std::lock_guard guard(s.lock);
    std::uint64_t count;
    [[maybe_unused]] auto n = ::read(eventFd, &count, sizeof count);
    for (auto& sub : s.subscribers)
        if (sub.eventFd == eventFd)
            return std::exchange(sub.pending, {});
    return {};
}

} // namespace registry

} // namespace platform::usbDevices
