#pragma once

#include "device/joystickIds.h"
#include "platform/hid.h"
#include "platform/usbDevices.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A HID interface that hands out a fixed sequence of input reports, one per waiting
// read (a read that does not wait sees nothing queued), and records every output
// report. For exact sequences the simulated joystick would only produce by chance.
class scriptedHidDevice {
public:
    using report = std::vector<std::uint8_t>;

    explicit scriptedHidDevice(std::vector<report> script,
                               std::string devicePath = "test:hidraw/scripted")
        : shared(std::make_shared<core>()), path(std::move(devicePath)) {
        shared->script.assign(script.begin(), script.end());
        auto keep = shared;
        platform::hid::registerDevice(path, [keep] { return std::make_unique<handle>(keep); });
        registration = platform::usbDevices::registerHidInterface(
            {path, joystickIds::vendor, joystickIds::product});
    }
    ~scriptedHidDevice() {
        platform::usbDevices::unregister(registration);
        platform::hid::unregisterDevice(path);
    }
    scriptedHidDevice(const scriptedHidDevice&) = delete;
    scriptedHidDevice& operator=(const scriptedHidDevice&) = delete;

    // Packets (bytes 1-7) of the output reports written, oldest first.
    std::vector<std::array<std::uint8_t, 7>> written() const {
        std::lock_guard guard(shared->lock);
        return shared->writes;
    }
    std::size_t remaining() const {
        std::lock_guard guard(shared->lock);
        return shared->script.size();
    }

private:
    struct core {
        mutable std::mutex lock;
        std::deque<report> script;
        std::vector<std::array<std::uint8_t, 7>> writes;
    };
    class handle : public platform::hid::device {
    public:
        explicit handle(std::shared_ptr<core> c) : owner(std::move(c)) {}
        int write(const std::uint8_t* bytes, std::size_t size) override {
            std::lock_guard guard(owner->lock);
            if (size >= 8 && bytes[0] == 2) {
                std::array<std::uint8_t, 7> p;
                std::copy_n(bytes + 1, 7, p.begin());
                owner->writes.push_back(p);
            }
            return static_cast<int>(size);
        }
        int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override {
            std::lock_guard guard(owner->lock);
            if (timeoutMs <= 0 || owner->script.empty()) {
                return 0;
            }
            report r = std::move(owner->script.front());
            owner->script.pop_front();
            const std::size_t n = std::min(size, r.size());
            std::copy_n(r.begin(), n, buffer);
            return static_cast<int>(n);
        }

    private:
        std::shared_ptr<core> owner;
    };

    std::shared_ptr<core> shared;
    std::string path;
    platform::usbDevices::token registration = 0;
};
