#include "firmwareuploader/FlashFactory.h"
#include "firmwareuploader/PosixPortFactory.h"
#include "firmwareuploader/Samba.h"
#include "platform/tty.h"
#include "platform/usbDevices.h"
#include "sim/bootmonitor/JoystickMonitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

namespace {

// The boot monitor's port as the update sequence finds it: by hardware identifier.
std::string bootMonitorPort() {
    static const std::regex pattern(".*VID_239A.*PID_000B.*");
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (const auto& port : platform::usbDevices::listSerialPorts())
            if (std::regex_match(port.hardwareId, pattern))
                return port.portName;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

TEST(BootEntry, theJoysticksTouchBringsUpItsChipsMonitorAndTheResetEndsIt) {
    sim::JoystickOptions options;
    options.hid = false;
    options.serialOptions.bootEntryDelayMs = 10;
    sim::Joystick joystick(sim::withBootMonitor(options));
    auto* serial = joystick.serial();
    ASSERT_NE(serial, nullptr);
    {
        platform::tty touch;
        ASSERT_TRUE(touch.open(serial->portPath()));
        ASSERT_TRUE(
            touch.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    }
    ASSERT_TRUE(serial->waitForPhase(sim::SerialJoystick::phase::bootMonitor, 3000));
    const std::string name = bootMonitorPort();
    ASSERT_FALSE(name.empty());

    PosixPortFactory ports;
    auto port = ports.create(name, true);
    Samba samba;
    ASSERT_TRUE(samba.connect(std::move(port), 115200));
    EXPECT_TRUE(samba.isUsb());
    EXPECT_EQ(samba.chipId(), 0x10010005u);
    EXPECT_TRUE(samba.canWriteBuffer());
    FlashFactory flashes;
    auto flash = flashes.create(samba, samba.chipId());
    ASSERT_TRUE(flash);
    EXPECT_EQ(flash->numPages(), 3968u);

    samba.reset();
    EXPECT_TRUE(serial->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    int monitors = 0;
    for (const auto& listed : platform::usbDevices::listSerialPorts())
        monitors += listed.hardwareId == "USB\\VID_239A&PID_000B";
    EXPECT_EQ(monitors, 0);
    EXPECT_FALSE(serial->portPath().empty()); // the joystick's own port is back
}

} // namespace
