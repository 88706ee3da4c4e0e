#include "platform/usbDevices.h"
#include "platform/usbRegistry.h"

#include <libudev.h>
#include <sys/epoll.h>
#include <unistd.h>

namespace platform::usbDevices {

namespace {

properties propertiesOf(udev_device* device) {
    properties result;
    udev_list_entry* item;
    udev_list_entry_foreach(item, udev_device_get_properties_list_entry(device)) {
        const char* value = udev_list_entry_get_value(item);
        result[udev_list_entry_get_name(item)] = value ? value : "";
    }
    return result;
}

std::optional<properties> usbDeviceAttributes(udev_device* device) {
    // Borrowed from the child; not to be unreferenced.
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (!usb)
        return std::nullopt;
    properties attributes;
    for (const char* name : {"idVendor", "idProduct"})
        if (const char* value = udev_device_get_sysattr_value(usb, name))
            attributes[name] = value;
    return attributes;
}

template <typename visit> void enumerate(const char* subsystem, visit&& onDevice) {
    udev* context = udev_new();
    if (!context)
        return;
    udev_enumerate* scan = udev_enumerate_new(context);
    if (scan && udev_enumerate_add_match_subsystem(scan, subsystem) >= 0 &&
        udev_enumerate_scan_devices(scan) >= 0) {
        udev_list_entry* item;
        udev_list_entry_foreach(item, udev_enumerate_get_list_entry(scan)) {
            udev_device* device =
                udev_device_new_from_syspath(context, udev_list_entry_get_name(item));
            if (!device)
                continue;
            onDevice(device);
            udev_device_unref(device);
        }
    }
    if (scan)
        udev_enumerate_unref(scan);
    udev_unref(context);
}

} // namespace

std::vector<serialPort> listSerialPorts() {
    std::vector<serialPort> result;
    enumerate("tty", [&](udev_device* device) {
        ttyRecord record;
        const char* sysname = udev_device_get_sysname(device);
        record.sysname = sysname ? sysname : "";
        record.device = propertiesOf(device);
        record.hasParent = udev_device_get_parent(device) != nullptr;
        record.usbDeviceAttributes = usbDeviceAttributes(device);
        if (auto port = serialPortFromRecord(record))
            result.push_back(*port);
    });
    for (auto& port : registry::serialPorts())
        result.push_back(port);
    return result;
}

std::vector<hidInterface> listHidInterfaces() {
    std::vector<hidInterface> result;
    enumerate("hidraw", [&](udev_device* device) {
        hidrawRecord record;
        record.device = propertiesOf(device);
        if (udev_device* hid =
                udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr))
            record.hidParent = propertiesOf(hid);
        if (auto interface = hidInterfaceFromRecord(record))
            result.push_back(*interface);
    });
    for (auto& interface : registry::hidInterfaces())
        result.push_back(interface);
    return result;
}

struct watch::udevState {
    ::udev* context = nullptr;
    udev_monitor* monitor = nullptr;
};

watch::watch() {
    pollFd = ::epoll_create1(EPOLL_CLOEXEC);
    if (pollFd < 0)
        return;
    registryFd = registry::subscribe();
    if (registryFd >= 0) {
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.fd = registryFd;
        ::epoll_ctl(pollFd, EPOLL_CTL_ADD, registryFd, &e);
    }
    // Without netlink (some containers) only the registered entries are watched.
    monitorState = new udevState;
    monitorState->context = udev_new();
    // udev's own events come after the node has its name and permissions; without a
    // udev daemon (containers) only the kernel's are sent.
    const char* source = ::access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
    if (monitorState->context)
        monitorState->monitor = udev_monitor_new_from_netlink(monitorState->context, source);
    if (monitorState->monitor) {
        udev_monitor_filter_add_match_subsystem_devtype(monitorState->monitor, "tty", nullptr);
        udev_monitor_filter_add_match_subsystem_devtype(monitorState->monitor, "hidraw", nullptr);
        if (udev_monitor_enable_receiving(monitorState->monitor) >= 0) {
            epoll_event e{};
            e.events = EPOLLIN;
            e.data.fd = udev_monitor_get_fd(monitorState->monitor);
            ::epoll_ctl(pollFd, EPOLL_CTL_ADD, e.data.fd, &e);
        }
    }
}

watch::~watch() {
    if (monitorState) {
        if (monitorState->monitor)
            udev_monitor_unref(monitorState->monitor);
        if (monitorState->context)
            udev_unref(monitorState->context);
        delete monitorState;
    }
    if (registryFd >= 0)
        registry::unsubscribe(registryFd);
    if (pollFd >= 0)
        ::close(pollFd);
}

std::vector<event> watch::drain() {
    std::vector<event> result;
    if (monitorState && monitorState->monitor) {
        // The monitor's socket is non-blocking: receive returns null when empty.
        while (udev_device* device = udev_monitor_receive_device(monitorState->monitor)) {
            const char* action = udev_device_get_action(device);
            const char* node = udev_device_get_devnode(device);
            std::string what = action ? action : "";
            if (what == "add" || what == "remove")
                result.push_back(
                    {what == "add" ? event::kind::added : event::kind::removed, node ? node : ""});
            udev_device_unref(device);
        }
    }
    if (registryFd >= 0)
        for (auto& e : registry::take(registryFd))
            result.push_back(std::move(e));
    return result;
}

} // namespace platform::usbDevices
