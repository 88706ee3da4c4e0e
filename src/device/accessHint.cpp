#include "device/accessHint.h"

#include "device/hidConnection.h"
#include "device/joystickIds.h"
#include "device/serialConnection.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>

namespace sendReceive {

namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xFFFFu);
    return text;
}

// The group owning a device node, or empty when it cannot be told.
std::string owningGroup(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return {};
    }
    const group* g = ::getgrgid(info.st_gid);
    return g != nullptr ? g->gr_name : std::string{};
}

} // namespace

std::string accessHint() {
    std::string hint;
    if (hidConnection::lastOpenError == platform::hid::openError::permissionDenied) {
        hint += "The joystick's HID interface is present but may not be opened (permission "
                "denied).\nAllow it with a udev rule, for example in "
                "/etc/udev/rules.d/70-marlovan.rules:\n  KERNEL==\"hidraw*\", "
                "ATTRS{idVendor}==\"" +
                hex4(joystickIds::vendor) + "\", ATTRS{idProduct}==\"" +
                hex4(joystickIds::product) +
                "\", TAG+=\"uaccess\"\nthen run 'sudo udevadm control --reload && sudo udevadm "
                "trigger' and plug the joystick in again.\n";
    }
    if (serial.openError == EACCES || serial.openError == EPERM) {
        std::string groupName = owningGroup(serial.portPath);
        if (groupName.empty()) {
            groupName = "dialout";
        }
        hint += "The joystick's serial port " + serial.portPath +
                " is present but may not be opened (permission denied).\nAdd your user to the "
                "group '" +
                groupName + "' that owns it ('sudo usermod -aG " + groupName +
                " $USER', then log in again), or give the port to your user with a udev rule "
                "(TAG+=\"uaccess\").\n";
    }
    return hint;
}

} // namespace sendReceive
