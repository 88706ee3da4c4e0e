#include "platform/hid.h"

#include <cerrno>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <map>
#include <mutex>
#include <unistd.h>

namespace platform::hid {

namespace {

struct registered {
    std::mutex lock;
    std::map<std::string, opener> devices;
};

registered& registry() {
    static registered r;
    return r;
}

class hidapiDevice final : public device {
public:
    explicit hidapiDevice(hid_device* handle) : handle(handle) {}
    ~hidapiDevice() override { hid_close(handle); }
    int write(const std::uint8_t* report, std::size_t size) override {
        return hid_write(handle, report, size);
    }
    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override {
        return hid_read_timeout(handle, buffer, size, timeoutMs);
    }

private:
    hid_device* handle;
};

bool hidapiReady() {
    static const bool ready = hid_init() == 0;
    return ready;
}

openError classify(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return openError::permissionDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return openError::notFound;
    default:
        return openError::failed;
    }
}

} // namespace

openResult open(const std::string& path) {
    opener registeredOpener;
    {
        auto& r = registry();
        std::lock_guard guard(r.lock);
        auto it = r.devices.find(path);
        if (it != r.devices.end())
            registeredOpener = it->second;
    }
    if (registeredOpener) {
        openResult result;
        result.handle = registeredOpener();
        if (!result.handle) {
            result.error = openError::notFound;
            result.errorNumber = ENODEV;
        }
        return result;
    }

    // hidapi does not say why an open failed; a plain open of the node does, so a
    // device the user may not open is told apart from a missing one.
    int probe = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (probe < 0) {
        int e = errno;
        return {nullptr, classify(e), e};
    }
    ::close(probe);
    if (!hidapiReady())
        return {nullptr, openError::failed, 0};
    hid_device* handle = hid_open_path(path.c_str());
    if (!handle)
        return {nullptr, openError::failed, 0};
    return {std::make_unique<hidapiDevice>(handle), openError::none, 0};
}

void registerDevice(const std::string& path, opener open) {
    auto& r = registry();
    std::lock_guard guard(r.lock);
    r.devices[path] = std::move(open);
}

void unregisterDevice(const std::string& path) {
    auto& r = registry();
    std::lock_guard guard(r.lock);
    r.devices.erase(path);
}

} // namespace platform::hid
