#include "cliRunner.h"
#include "testSupport.h"

#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"
#include "sim/targets/TargetChips.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// marlovan-cli flash, run as a program: against its built-in simulated joystick, and
// against a boot monitor on a pseudo-terminal of this process given with --port.
namespace {

using cliRunner::run;

constexpr std::uint32_t imageBase = 0x2000;

std::vector<std::uint8_t> image(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 31 + (i >> 7));
    return bytes;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(flashCommand, simulatedJoystickIsRestartedFlashedAndReset) {
    testSupport::tempDir dir;
    const std::string file = dir.file("image.bin");
    testSupport::writeBytes(file, image(200 * 1024));

    const auto r = run({"--simulate", "flash", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(endsWith(r.out, "\nUploaded image.bin\n")) << r.out.substr(r.out.size() - 200);
    EXPECT_NE(r.out.find("Device       : ATSAMD21G18A"), std::string::npos);
    EXPECT_NE(r.out.find("CPU reset."), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST(flashCommand, aGivenMonitorPortIsFlashedOverUsbOrAPlainLine) {
    for (bool plain : {false, true}) {
        SCOPED_TRACE(plain ? "plain serial" : "usb");
        sim::TargetMemory target;
        sim::installNvmChip(target);
        sim::BootMonitorOptions options;
        options.registerPort = false;
        options.transport =
            plain ? sim::BootMonitorOptions::link::serial : sim::BootMonitorOptions::link::usb;
        sim::BootMonitor monitor(target, options);
        testSupport::tempDir dir;
        const auto bytes = image(3000);
        const std::string file = dir.file("fw.bin");
        testSupport::writeBytes(file, bytes);

        std::vector<std::string> args{"flash", file, "--port", monitor.portPath()};
        if (plain)
            args.push_back("--plain-serial");
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(endsWith(r.out, "\nUploaded fw.bin\n"));
        for (std::uint32_t i = 0; i < bytes.size(); ++i)
            ASSERT_EQ(target.peekByte(imageBase + i), bytes[i]) << "offset " << i;
        EXPECT_EQ(target.resetRequests(), 1);
    }
}

TEST(flashCommand, failuresPrintTheMessageOnStandardErrorAndUsageErrorsTheUsage) {
    testSupport::tempDir dir;
    const std::string missing = dir.file("missing.bin");
    auto r = run({"--simulate", "flash", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "File not file: " + missing + " (Upload failed)\n");
    EXPECT_EQ(r.out.find("Uploaded"), std::string::npos);

    // No joystick and no monitor: told at once after the three searches.
    const std::string file = dir.file("fw.bin");
    testSupport::writeBytes(file, image(100));
    r = run({"flash", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Failed to make serial connection. Check that the joystick is plugged in "
                     "and that it can connect over serial. (Upload failed)\n");

    r = run({"flash"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("FIRMWARE.bin"), std::string::npos);
}

} // namespace
