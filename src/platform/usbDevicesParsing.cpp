#include "platform/usbDevices.h"

#include <cstdio>

namespace platform::usbDevices {

namespace {

const std::string* find(const properties& set, const std::string& key) {
    auto it = set.find(key);
    return it == set.end() || it->second.empty() ? nullptr : &it->second;
}

// Hexadecimal of at most `maxDigits` digits, nothing else.
std::optional<std::uint32_t> parseHex(const std::string& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<std::string> usbIdentifier(const properties& set, const char* vendorKey,
                                         const char* productKey) {
    const std::string* vendor = find(set, vendorKey);
    const std::string* product = find(set, productKey);
    if (!vendor || !product)
        return std::nullopt;
    auto v = parseHex(*vendor, 4);
    auto p = parseHex(*product, 4);
    if (!v || !p)
        return std::nullopt;
    return hardwareIdentifier(static_cast<std::uint16_t>(*v), static_cast<std::uint16_t>(*p));
}

} // namespace

std::string hardwareIdentifier(std::uint16_t vendor, std::uint16_t product) {
    char text[32];
    std::snprintf(text, sizeof text, "USB\\VID_%04X&PID_%04X", unsigned{vendor}, unsigned{product});
    return text;
}

std::optional<serialPort> serialPortFromRecord(const ttyRecord& record) {
    const std::string* node = find(record.device, "DEVNAME");
    // Virtual terminals, ptmx and the console have no parent device: not ports.
    if (!node || !record.hasParent)
        return std::nullopt;
    serialPort port;
    port.portPath = *node;
    const std::string prefix = "/dev/";
    if (node->compare(0, prefix.size(), prefix) == 0 && node->size() > prefix.size())
        port.portName = node->substr(prefix.size());
    else
        port.portName = record.sysname.empty() ? *node : record.sysname;

    // The usb_device parent's attributes come from sysfs and are there even without a
    // udev daemon; the ID_* properties need udev's database.
    std::optional<std::string> id;
    if (record.usbDeviceAttributes)
        id = usbIdentifier(*record.usbDeviceAttributes, "idVendor", "idProduct");
    const std::string* bus = find(record.device, "ID_BUS");
    if (!id && bus && *bus == "usb")
        id = usbIdentifier(record.device, "ID_VENDOR_ID", "ID_MODEL_ID");
    port.isUsb = record.usbDeviceAttributes.has_value() || (bus && *bus == "usb");
    if (id)
        port.hardwareId = *id;
    return port;
}

std::optional<hidInterface> hidInterfaceFromRecord(const hidrawRecord& record) {
    const std::string* node = find(record.device, "DEVNAME");
    if (!node || !record.hidParent)
        return std::nullopt;
    // HID_ID is "bus:vendor:product", each hexadecimal ("0003:00001209:00004A58").
    const std::string* hidId = find(*record.hidParent, "HID_ID");
    if (!hidId)
        return std::nullopt;
    auto first = hidId->find(':');
    auto second = first == std::string::npos ? first : hidId->find(':', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    auto bus = parseHex(hidId->substr(0, first), 8);
    auto vendor = parseHex(hidId->substr(first + 1, second - first - 1), 8);
    auto product = parseHex(hidId->substr(second + 1), 8);
    if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF)
        return std::nullopt;
    return hidInterface{*node, static_cast<std::uint16_t>(*vendor),
                        static_cast<std::uint16_t>(*product)};
}

} // namespace platform::usbDevices
