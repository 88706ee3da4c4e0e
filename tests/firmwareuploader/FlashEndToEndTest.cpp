#include "FlashRig.h"
#include "ImageFiles.h"

#include "firmwareuploader/Flasher.h"

#include <gtest/gtest.h>

// The update sequence's flashing steps over the simulated monitor on a pseudo-
// terminal: info, erase, write, verify, then the flash compared with the image.
namespace {

using flashrig::bench;
using flashrig::benchOptions;
using flashrig::chipKind;
using flashrig::countStarting;

struct scenario {
    const char* name;
    chipKind chip;
    benchOptions options;
    std::size_t imageSize;
};

void flashAndCheck(const scenario& s) {
    SCOPED_TRACE(s.name);
    imagefiles::directory dir;
    const auto image = imagefiles::pattern(s.imageSize, 11);
    const std::string file = dir.write("firmware.bin", image);
    bench b(s.chip, s.options);
    const std::uint32_t base = b.flash->address();
    // On the Cortex-M0+ part the boot monitor sits in the 8 KiB below the image.
    std::vector<std::uint8_t> monitor;
    if (s.chip == chipKind::nvm)
        for (std::uint32_t addr = 0; addr < 0x2000; ++addr)
            monitor.push_back(b.target.peekByte(addr));
    // Stale contents that the erase must clear.
    for (std::uint32_t i = 0; i < s.imageSize + 4096; i += 4)
        b.target.pokeWord(base + i, 0x12345678);

    Flasher flasher(b.flash);
    testing::internal::CaptureStdout();
    const std::size_t before = b.mark();
    flasher.info(b.samba);
    flasher.erase();
    flasher.write(file);
    const bool verified = flasher.verify(file);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(verified);
    EXPECT_NE(printed.find("Device       : " + b.flash->name()), std::string::npos);
    EXPECT_EQ(b.controller->appletError(), "");

    for (std::uint32_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(b.target.peekByte(base + i), image[i]) << "offset " << i;
    for (std::uint32_t addr = 0; addr < monitor.size(); ++addr)
        ASSERT_EQ(b.target.peekByte(addr), monitor[addr]) << "monitor byte " << addr;

    const auto sent = b.traffic(before);
    if (s.options.extensions) {
        EXPECT_EQ(countStarting(sent, 'Y'), 2 * static_cast<int>((s.imageSize + 4095) / 4096));
        EXPECT_EQ(countStarting(sent, 'Z'), static_cast<int>((s.imageSize + 4095) / 4096));
        EXPECT_EQ(countStarting(sent, 'G'), 0);
    } else {
        const int pages =
            static_cast<int>((s.imageSize + b.flash->pageSize() - 1) / b.flash->pageSize());
        EXPECT_EQ(countStarting(sent, 'Y') + countStarting(sent, 'Z'), 0);
        EXPECT_GE(countStarting(sent, 'G'), pages);
    }
}

TEST(flashEndToEnd, nvmPartWithTheMonitorsExtensions) {
    flashAndCheck({"nvm, X/Y/Z, usb", chipKind::nvm, {.extensions = true}, 200 * 1024 + 37});
}

// Page by page every page costs some fifteen exchanges and 1 ms pauses; the whole
// update of a 200 KiB image this way runs in the update sequence's end-to-end test.
TEST(flashEndToEnd, nvmPartPageByPageWithoutExtensions) {
    flashAndCheck(
        {"nvm, no extensions, usb", chipKind::nvm, {.extensions = false}, 24 * 1024 + 37});
}

TEST(flashEndToEnd, nvmPartOverAPlainSerialLine) {
    flashAndCheck(
        {"nvm, X/Y/Z, xmodem", chipKind::nvm, {.extensions = true, .usb = false}, 40 * 1024 + 5});
}

TEST(flashEndToEnd, twoPlaneEefcPartAcrossThePlaneBoundary) {
    flashAndCheck({"eefc, no extensions", chipKind::eefc, {.extensions = false}, 264 * 1024 + 9});
}

TEST(flashEndToEnd, twoPlaneEfcPartAcrossThePlaneBoundary) {
    flashAndCheck(
        {"efc, no extensions", chipKind::efcTwoPlanes, {.extensions = false}, 264 * 1024 + 9});
}

} // namespace
