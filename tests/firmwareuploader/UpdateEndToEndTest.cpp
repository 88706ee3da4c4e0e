#include "UpdateRig.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

// The whole update against the simulated joystick over pseudo-terminals: the settings
// link's serial test, the 1200-baud touch, the boot monitor found by its hardware
// identifier, erase, write, verify, the reset, and the joystick back afterwards.
namespace {

using firmwareUpdate::phase;
using updaterig::sequenceTest;

constexpr std::uint32_t imageBase = 0x2000; // below it: the chip's boot monitor
constexpr std::uint32_t flashEnd = 0x40000;
constexpr std::size_t imageSize = 200 * 1024 + 37;

struct flavour {
    const char* name;
    bool extensions;
};

void PrintTo(const flavour& f, std::ostream* out) {
    *out << f.name;
}

class updateEndToEnd : public sequenceTest, public testing::WithParamInterface<flavour> {};

TEST_P(updateEndToEnd, flashesTheImageAndTheJoystickComesBack) {
    auto chip = updaterig::nvmChip();
    // Old firmware that the erase must clear, beyond the new image too.
    for (std::uint32_t addr = imageBase; addr < flashEnd; addr += 4)
        chip->memory.pokeWord(addr, 0x12345678);
    std::vector<std::uint8_t> monitor;
    for (std::uint32_t addr = 0; addr < imageBase; ++addr)
        monitor.push_back(chip->memory.peekByte(addr));
    sim::BootMonitorOptions monitorOptions;
    monitorOptions.extensions = GetParam().extensions;
    auto joystick = updaterig::joystickOn(*chip, monitorOptions);
    auto* link = joystick->serial();
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    ASSERT_TRUE(connectLink());
    const auto image = imagefiles::pattern(imageSize, 7);
    chooseImage("stick.bin", image);

    updaterig::progressLog progress;
    firmwareUpdate::options opts;
    opts.report = progress.callback();
    EXPECT_EQ(upload(opts), firmwareUpdate::uploaded);
    EXPECT_EQ(firmwareUpdate::firmwareUploadErrorMessage, "");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_FALSE(serial.isConnected());

    // The monitor's own 8 KiB untouched, the image in place, erased flash after it.
    for (std::uint32_t addr = 0; addr < imageBase; ++addr)
        ASSERT_EQ(chip->memory.peekByte(addr), monitor[addr]) << "monitor byte " << addr;
    for (std::uint32_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(chip->memory.peekByte(imageBase + i), image[i]) << "image offset " << i;
    const std::uint32_t lastPageEnd = imageBase + (image.size() + 63) / 64 * 64;
    for (std::uint32_t addr = lastPageEnd; addr < flashEnd; ++addr)
        ASSERT_EQ(chip->memory.peekByte(addr), 0xFF) << "address " << addr;
    EXPECT_EQ(chip->memory.resetRequests(), 1);

    // The touch wrote nothing: the joystick received only the serial test's request.
    std::vector<std::uint8_t> received;
    for (const auto& block : link->received())
        received.insert(received.end(), block.begin(), block.end());
    EXPECT_EQ(received, (std::vector<std::uint8_t>{0xE0, 0, 4, 0, 0, 0, 0}));

    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 5000));
    ASSERT_TRUE(connectLink());
    EXPECT_NE(serial.sendRequestFirmwareVersion(), serialConnection::noReply);

    const std::vector<phase> order = {phase::restart, phase::search, phase::connect, phase::erase,
                                      phase::write,   phase::verify, phase::reset};
    EXPECT_EQ(progress.order(), order);
    EXPECT_EQ(progress.count(phase::write, 1.0), 1);
    EXPECT_EQ(progress.count(phase::reset, 1.0), 1);
    for (const auto& [p, fraction] : progress.entries)
        EXPECT_TRUE(fraction >= 0.0 && fraction <= 1.0);

    const std::string& out = printed;
    EXPECT_NE(out.find("Device       : ATSAMD21G18A"), std::string::npos);
    EXPECT_NE(out.find("CPU reset."), std::string::npos);
    EXPECT_EQ(out.find("Arduino      : FAST_MULTI_PAGE_WRITE") != std::string::npos,
              GetParam().extensions);
}

INSTANTIATE_TEST_SUITE_P(monitors, updateEndToEnd,
                         testing::Values(flavour{"withExtensions", true},
                                         flavour{"pageByPage", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A joystick already in its boot monitor (no port of its own to touch) is flashed
// straight away.
TEST_F(sequenceTest, aJoystickAlreadyInItsMonitorIsFlashedWithoutATouch) {
    auto chip = updaterig::nvmChip();
    auto joystick = updaterig::joystickOn(*chip);
    auto* link = joystick->serial();
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    {
        platform::tty touch;
        ASSERT_TRUE(touch.open(link->portPath()));
        ASSERT_TRUE(
            touch.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    }
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::bootMonitor, 3000));
    sendReceive::currentConnection = sendReceive::connectionBootMonitor;
    const auto image = imagefiles::pattern(5000, 3);
    chooseImage("small.bin", image);

    EXPECT_EQ(upload(), firmwareUpdate::uploaded);
    for (std::uint32_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(chip->memory.peekByte(imageBase + i), image[i]) << "image offset " << i;
    EXPECT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 5000));
}

} // namespace
