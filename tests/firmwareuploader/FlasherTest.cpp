#include "FlashRig.h"
#include "ImageFiles.h"

#include "firmwareuploader/Flasher.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

using flashrig::bench;
using flashrig::benchOptions;
using flashrig::chipKind;
using flashrig::contains;
using flashrig::countStarting;
using imagefiles::pattern;

std::vector<std::uint8_t> flashBytes(sim::TargetMemory& target, std::uint32_t addr,
                                     std::uint32_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::uint32_t i = 0; i < size; ++i)
        bytes[i] = target.peekByte(addr + i);
    return bytes;
}

TEST(flasher, anEmptyFileWritesNothingAndVerifiesOnEitherPath) {
    imagefiles::directory dir;
    const std::string empty = dir.write("empty.bin", {});
    for (bool extensions : {true, false}) {
        SCOPED_TRACE(extensions);
        bench b(chipKind::nvm, {.extensions = extensions});
        Flasher flasher(b.flash);
        const std::size_t before = b.mark();
        testing::internal::CaptureStdout();
        flasher.write(empty);
        const bool verified = flasher.verify(empty);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_TRUE(verified);
        EXPECT_TRUE(b.traffic(before).empty());
    }
}

TEST(flasher, aHundredByteFileGoesAsOnePageRoundedBufferWrite) {
    imagefiles::directory dir;
    const auto image = pattern(100, 1);
    const std::string file = dir.write("small.bin", image);
    bench b(chipKind::nvm);
    Flasher flasher(b.flash);

    std::size_t before = b.mark();
    testing::internal::CaptureStdout();
    flasher.write(file);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(30, '='));
    auto sent = b.traffic(before);
    EXPECT_EQ(sent, (std::vector<std::string>{"S20005000,00000080#", "Y20005000,0#",
                                              "Y00002000,00000080#"}));
    auto flashed = flashBytes(b.target, 0x2000, 128);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flashed.begin()));
    EXPECT_EQ(std::vector<std::uint8_t>(flashed.begin() + 100, flashed.end()),
              std::vector<std::uint8_t>(28, 0));

    before = b.mark();
    EXPECT_TRUE(flasher.verify(file));
    EXPECT_EQ(b.traffic(before), std::vector<std::string>{"Z00002000,00000064#"});
}

TEST(flasher, aFileLargerThanTheFlashIsRefusedBeforeAnyWrite) {
    imagefiles::directory dir;
    bench b(chipKind::nvm);
    const std::string file = dir.write("big.bin", pattern((3968 + 1) * 64, 2));
    Flasher flasher(b.flash);
    const std::size_t before = b.mark();
    try {
        flasher.write(file);
        ADD_FAILURE() << "no FileSizeError";
    } catch (const FileSizeError& error) {
        EXPECT_STREQ(error.what(), "file operation exceeds flash size");
    }
    EXPECT_THROW(flasher.verify(file), FileSizeError);
    EXPECT_TRUE(b.traffic(before).empty());

    // Exactly the usable flash fits.
    const std::string full = dir.write("full.bin", pattern(3968 * 64, 3));
    EXPECT_NO_THROW(flasher.write(full));
}

TEST(flasher, aDifferenceInTheFirstPageFailsVerification) {
    imagefiles::directory dir;
    const auto image = pattern(64 * 40, 4);
    const std::string file = dir.write("image.bin", image);

    // Page path: the flash is read back and compared.
    {
        bench b(chipKind::nvm, {.extensions = false});
        Flasher flasher(b.flash);
        testing::internal::CaptureStdout();
        flasher.erase();
        flasher.write(file);
        EXPECT_TRUE(flasher.verify(file));
        b.target.pokeByte(0x2005, image[5] ^ 0x01);
        EXPECT_FALSE(flasher.verify(file));
        testing::internal::GetCapturedStdout();
    }
    // Checksum path, with a byte that lands wrong when it is programmed.
    {
        bench b(chipKind::nvm);
        b.controller->setFaults(flashrig::corruptByteFault(0x2003));
        Flasher flasher(b.flash);
        testing::internal::CaptureStdout();
        flasher.erase();
        flasher.write(file);
        EXPECT_FALSE(flasher.verify(file));
        testing::internal::GetCapturedStdout();
    }
}

TEST(flasher, aMissingFileThrowsThePlatformsText) {
    imagefiles::directory dir;
    bench b(chipKind::nvm);
    Flasher flasher(b.flash);
    const std::string missing = dir.file("missing.bin");
    try {
        flasher.write(missing);
        ADD_FAILURE() << "no FileOpenError";
    } catch (const FileOpenError& error) {
        EXPECT_EQ(error.code(), ENOENT);
        EXPECT_STREQ(error.what(), std::strerror(ENOENT));
    }
    EXPECT_THROW(flasher.verify(missing), FileOpenError);
    EXPECT_THROW(flasher.read(dir.file("no/such/dir.bin"), 64), FileOpenError);
}

TEST(flasher, pagePathWritesEveryPageAndFillsAShortLastPageWithZeros) {
    imagefiles::directory dir;
    const auto image = pattern(64 * 25 + 10, 5);
    const std::string file = dir.write("image.bin", image);
    bench b(chipKind::nvm, {.extensions = false});
    // Leftovers in the page buffers must not reach the flash.
    for (std::uint32_t addr = 0x20005000; addr < 0x20005080; ++addr)
        b.target.pokeByte(addr, 0xA5);
    std::vector<std::pair<Flasher::Phase, double>> reports;
    Flasher flasher(b.flash, [&](Flasher::Phase phase, double fraction) {
        reports.emplace_back(phase, fraction);
    });

    testing::internal::CaptureStdout();
    flasher.erase();
    const std::size_t before = b.mark();
    flasher.write(file);
    const std::string bars = testing::internal::GetCapturedStdout();
    auto sent = b.traffic(before);
    EXPECT_EQ(countStarting(sent, 'Y'), 0);
    EXPECT_EQ(countStarting(sent, 'G'), 26);
    auto flashed = flashBytes(b.target, 0x2000, 64 * 26);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flashed.begin()));
    EXPECT_EQ(
        std::vector<std::uint8_t>(flashed.begin() + static_cast<long>(image.size()), flashed.end()),
        std::vector<std::uint8_t>(54, 0));
    // 26 pages, a bar every second page (interval 2) and one at the end.
    EXPECT_EQ(bars.size(), 14u * 30u);
    EXPECT_EQ(bars.substr(bars.size() - 30), std::string(30, '='));

    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), std::make_pair(Flasher::Phase::erase, 0.0));
    EXPECT_EQ(reports[1], std::make_pair(Flasher::Phase::erase, 1.0));
    EXPECT_EQ(reports.back(), std::make_pair(Flasher::Phase::write, 1.0));
}

TEST(flasher, readsTheFlashIntoAFile) {
    imagefiles::directory dir;
    bench b(chipKind::nvm);
    const auto image = pattern(1000, 6);
    for (std::uint32_t i = 0; i < image.size(); ++i)
        b.target.pokeByte(0x2000 + i, image[i]);
    Flasher flasher(b.flash);
    testing::internal::CaptureStdout();
    const std::string out = dir.file("out.bin");
    flasher.read(out, 1000);
    EXPECT_EQ(imagefiles::directory::read(out), image);

    // Too much for the flash: refused, and the file already there stays as it was.
    EXPECT_THROW(flasher.read(out, 3968 * 64 + 1), FileSizeError);
    EXPECT_EQ(imagefiles::directory::read(out), image);
    const std::string bars = testing::internal::GetCapturedStdout();
    EXPECT_EQ(bars.substr(bars.size() - 30), std::string(30, '='));
}

TEST(flasher, locksTheRegionsNamedOrAll) {
    bench b(chipKind::nvm);
    Flasher flasher(b.flash);
    flasher.lock("1,3", true);
    for (std::uint32_t r = 0; r < 16; ++r)
        EXPECT_EQ(b.controller->regionLocked(r), r == 1 || r == 3) << r;
    flasher.lock("0x4,010", true); // hexadecimal and octal
    EXPECT_TRUE(b.controller->regionLocked(4));
    EXPECT_TRUE(b.controller->regionLocked(8));
    flasher.lock("", false);
    for (std::uint32_t r = 0; r < 16; ++r)
        EXPECT_FALSE(b.controller->regionLocked(r)) << r;
    flasher.lock("", true);
    for (std::uint32_t r = 0; r < 16; ++r)
        EXPECT_TRUE(b.controller->regionLocked(r)) << r;

    // A piece that is no region number is refused rather than taken as region 0.
    flasher.lock("", false);
    EXPECT_THROW(flasher.lock("2,x", true), FlashRegionError);
    EXPECT_TRUE(b.controller->regionLocked(2));
    EXPECT_FALSE(b.controller->regionLocked(0));
    EXPECT_THROW(flasher.lock("16", true), FlashRegionError);
    EXPECT_THROW(flasher.lock("-1", true), FlashRegionError);
}

TEST(flasher, printsTheDeviceInformation) {
    bench b(chipKind::nvm);
    b.controller->setRegionLocked(0, true);
    b.controller->setRegionLocked(5, true);
    Flasher flasher(b.flash);
    testing::internal::CaptureStdout();
    flasher.info(b.samba);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Device       : ATSAMD21G18A\n"
              "Chip ID      : 10010005\n"
              "Version      : " +
                  b.monitor->versionText() +
                  "\n"
                  "Address      : 8192\n"
                  "Pages        : 3968\n"
                  "Page Size    : 64 bytes\n"
                  "Total Size   : 248KB\n"
                  "Planes       : 1\n"
                  "Lock Regions : 16\n"
                  "Locked       : 0,5\n"
                  "Security     : false\n"
                  "Boot Flash   : true\n"
                  "BOD          : false\n"
                  "BOR          : false\n"
                  "Arduino      : FAST_CHIP_ERASE\n"
                  "Arduino      : FAST_MULTI_PAGE_WRITE\n"
                  "Arduino      : CAN_CHECKSUM_MEMORY_BUFFER\n");

    bench plain(chipKind::efc, {.extensions = false});
    Flasher efcFlasher(plain.flash);
    testing::internal::CaptureStdout();
    efcFlasher.info(plain.samba);
    const std::string text = testing::internal::GetCapturedStdout();
    EXPECT_NE(text.find("Device       : AT91SAM7S256\n"), std::string::npos);
    EXPECT_NE(text.find("Chip ID      : 270b0940\n"), std::string::npos);
    EXPECT_NE(text.find("Locked       : none\n"), std::string::npos);
    EXPECT_EQ(text.find("Boot Flash"), std::string::npos); // this part cannot choose
    EXPECT_EQ(text.find("Arduino"), std::string::npos);
}

TEST(flasher, progressBarPrintsThirtyColumns) {
    Flash::Ptr none;
    Flasher flasher(none);
    const struct {
        int num, div;
        int filled;
    } cases[] = {{0, 10, 0}, {1, 3, 10}, {5, 10, 15}, {10, 10, 30}, {7, 0, 30}, {12, 10, 30}};
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        flasher.progressBar(c.num, c.div);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string(c.filled, '=') + std::string(30 - c.filled, ' '))
            << c.num << "/" << c.div;
    }
}

} // namespace
