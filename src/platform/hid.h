#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// HID interfaces on hidapi's hidraw backend, and in-process devices registered under
// a path of their own (the simulated joystick). Opening a path that was registered
// opens the registered device; any other path goes to hidapi.
namespace platform::hid {

class device {
public:
    virtual ~device() = default;
    // Writes one output report, report ID first. Returns the bytes written or -1.
    virtual int write(const std::uint8_t* report, std::size_t size) = 0;
    // Reads one input report into `buffer` (report ID first when the device numbers
    // its reports), waiting up to `timeoutMs`. Returns its length, 0 when none came in
    // time, -1 on failure (the device has gone).
    virtual int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) = 0;
};

enum class openError { none, notFound, permissionDenied, failed };

struct openResult {
    std::unique_ptr<device> handle; // null on failure
    openError error = openError::none;
    int errorNumber = 0; // errno of the failed open, when known
};

openResult open(const std::string& path);

using opener = std::function<std::unique_ptr<device>()>;
// Devices registered here are opened in-process; the opener is called on every open
// and may be called from any thread.
void registerDevice(const std::string& path, opener open);
void unregisterDevice(const std::string& path);

} // namespace platform::hid
