#include "FlashRig.h"

#include "firmwareuploader/EefcFlash.h"
#include "firmwareuploader/EfcFlash.h"
#include "firmwareuploader/NvmFlash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using flashrig::bench;
using flashrig::chipKind;
using flashrig::contains;
using flashrig::countStarting;

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
    return bytes;
}

std::vector<std::uint8_t> flashBytes(sim::TargetMemory& target, std::uint32_t addr,
                                     std::uint32_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::uint32_t i = 0; i < size; ++i)
        bytes[i] = target.peekByte(addr + i);
    return bytes;
}

const chipKind everyController[] = {chipKind::nvm, chipKind::eefc, chipKind::efc,
                                    chipKind::efcTwoPlanes};

TEST(flashDrivers, rangeErrorsThrowWithoutTraffic) {
    for (chipKind kind : everyController) {
        SCOPED_TRACE(static_cast<int>(kind));
        bench b(kind);
        Flash& flash = *b.flash;
        std::vector<std::uint8_t> page(flash.pageSize());
        const std::size_t before = b.mark();

        EXPECT_THROW(flash.readPage(flash.numPages(), page.data()), FlashPageError);
        EXPECT_THROW(flash.writePage(flash.numPages()), FlashPageError);
        EXPECT_THROW(flash.writePage(0xFFFFFFFF), FlashPageError);
        EXPECT_THROW(flash.getLockRegion(flash.lockRegions()), FlashRegionError);
        EXPECT_THROW(flash.setLockRegion(flash.lockRegions(), true), FlashRegionError);
        EXPECT_TRUE(b.traffic(before).empty());
    }
    EXPECT_STREQ(FlashPageError().what(), "Invalid flash page");
    EXPECT_STREQ(FlashRegionError().what(), "Invalid lock region");
}

TEST(flashDrivers, lockingALockedRegionSendsNoCommand) {
    for (chipKind kind : everyController) {
        SCOPED_TRACE(static_cast<int>(kind));
        bench b(kind);
        b.controller->setRegionLocked(1, true);
        b.controller->clearRecord();
        const std::size_t before = b.mark();

        b.flash->setLockRegion(1, true);
        b.flash->setLockRegion(0, false);
        auto sent = b.traffic(before);
        if (kind == chipKind::eefc) {
            // Its lock query is itself a controller command; nothing else is sent.
            for (const auto& command : sent) {
                if (command[0] == 'W') {
                    EXPECT_EQ(command, "W400E0A04,5A00000A#");
                }
            }
        } else {
            EXPECT_EQ(countStarting(sent, 'W'), 0);
        }

        // The other way round it is sent, and the chip ends up as asked.
        b.flash->setLockRegion(2, true);
        b.flash->setLockRegion(1, false);
        b.mark(); // the last command is not waited for
        EXPECT_TRUE(b.controller->regionLocked(2));
        EXPECT_FALSE(b.controller->regionLocked(1));
        EXPECT_TRUE(b.flash->getLockRegion(2));
        EXPECT_FALSE(b.flash->getLockRegion(1));
    }
}

TEST(nvmFlash, offersThePagesAfterTheMonitorAndErasesRowsFromThere) {
    bench b(chipKind::nvm, {.extensions = false});
    Flash& flash = *b.flash;
    EXPECT_EQ(flash.name(), "ATSAMD21G18A");
    EXPECT_EQ(flash.address(), 0x2000u);
    EXPECT_EQ(flash.pageSize(), 64u);
    EXPECT_EQ(flash.numPages(), 3968u);
    const auto monitorBytes = flashBytes(b.target, 0, 0x2000);
    for (std::uint32_t addr = 0x2000; addr < 0x40000; addr += 4)
        b.target.pokeWord(addr, 0);
    b.controller->clearRecord();

    flash.eraseAll();

    std::vector<std::uint32_t> rowAddresses;
    for (const auto& [addr, value] : b.controller->registerWrites())
        if (addr == 0x4100401C)
            rowAddresses.push_back(value);
    ASSERT_EQ(rowAddresses.size(), (4096u - 128u) / 4u);
    EXPECT_EQ(rowAddresses.front(), 128u * 64u / 2u);
    EXPECT_EQ(rowAddresses.back(), 4092u * 64u / 2u);
    std::vector<std::uint32_t> commands = b.controller->commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x02u), 992);

    EXPECT_EQ(flashBytes(b.target, 0, 0x2000), monitorBytes);
    for (std::uint32_t addr = 0x2000; addr < 0x40000; ++addr)
        ASSERT_EQ(b.target.peekByte(addr), 0xFF) << addr;
}

TEST(nvmFlash, erasesWithTheMonitorsChipEraseWhenItHasOne) {
    bench b(chipKind::nvm);
    const std::size_t before = b.mark();
    b.flash->eraseAll();
    EXPECT_EQ(b.traffic(before), std::vector<std::string>{"X00002000#"});
}

TEST(flashDrivers, pageBuffersAlternateAndTheAppletProgramsThePages) {
    bench b(chipKind::nvm);
    Flash& flash = *b.flash;
    auto first = pattern(64, 1);
    auto second = pattern(64, 2);
    const std::size_t before = b.mark();

    EXPECT_EQ(flash.currentPageBuffer(), 0x20005000u);
    flash.loadBuffer(first.data(), 64);
    flash.writePage(0);
    EXPECT_EQ(flash.currentPageBuffer(), 0x20005040u);
    flash.loadBuffer(second.data(), 64);
    flash.writePage(1);
    EXPECT_EQ(flash.currentPageBuffer(), 0x20005000u);

    auto sent = b.traffic(before);
    std::vector<std::string> loads, sources;
    for (const auto& command : sent) {
        if (command[0] == 'S')
            loads.push_back(command);
        if (command.rfind("W2000402C,", 0) == 0)
            sources.push_back(command);
    }
    EXPECT_EQ(loads, (std::vector<std::string>{"S20005000,00000040#", "S20005040,00000040#"}));
    EXPECT_EQ(sources, (std::vector<std::string>{"W2000402C,20005000#", "W2000402C,20005040#"}));
    // Started on the applet's stack and reset words.
    EXPECT_EQ(countStarting(sent, 'G'), 2);
    EXPECT_TRUE(contains(sent, "G20004020#"));
    EXPECT_TRUE(contains(sent, "W20004024,20004001#"));
    EXPECT_EQ(b.controller->appletError(), "");

    EXPECT_EQ(flashBytes(b.target, 0x2000, 64), first);
    EXPECT_EQ(flashBytes(b.target, 0x2040, 64), second);
    std::vector<std::uint8_t> back(64);
    flash.readPage(1, back.data());
    EXPECT_EQ(back, second);
}

TEST(eefcFlash, writesWithEraseAndWriteUntilAutomaticEraseIsSwitchedOff) {
    bench b(chipKind::eefc);
    Flash& flash = *b.flash;
    auto data = pattern(256, 7);
    b.target.pokeWord(0x80000, 0x00000000); // not erased: erase-and-write copes
    b.target.pokeWord(0x80100, 0x00000000);
    std::size_t before = b.mark();

    flash.loadBuffer(data.data(), 256);
    flash.writePage(0);
    flash.loadBuffer(data.data(), 256);
    flash.writePage(1024); // first page of the second plane
    auto sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "W400E0A04,5A000003#"));
    EXPECT_TRUE(contains(sent, "W400E0C04,5A000003#"));
    EXPECT_EQ(flashBytes(b.target, 0x80000, 256), data);
    EXPECT_EQ(flashBytes(b.target, 0xC0000, 256), data);

    flash.eraseAuto(false);
    before = b.mark();
    flash.loadBuffer(data.data(), 256);
    flash.writePage(1);
    sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "W400E0A04,5A000101#"));
    EXPECT_FALSE(contains(sent, "W400E0A04,5A000103#"));
    // Plain write onto a page that was not erased: the chip shows it.
    auto written = flashBytes(b.target, 0x80100, 256);
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(written[4], data[4]);
}

TEST(eefcFlash, readsPagesThroughTheRamBuffer) {
    bench b(chipKind::eefc);
    auto data = pattern(256, 9);
    for (std::uint32_t i = 0; i < 256; ++i)
        b.target.pokeByte(0x80000 + 5 * 256 + i, data[i]);
    const std::size_t before = b.mark();
    std::vector<std::uint8_t> back(256);
    b.flash->readPage(5, back.data());
    EXPECT_EQ(back, data);
    auto sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "W20001028,20002000#"));
    EXPECT_TRUE(contains(sent, "W2000102C,00080500#"));
    EXPECT_TRUE(contains(sent, "G20001020#"));
    EXPECT_TRUE(contains(sent, "R20002000,00000100#") || contains(sent, "R20002001,000000FF#"));
}

TEST(flashDrivers, twoPlaneConstructorsSetBothModeRegisters) {
    bench eefc(chipKind::eefc);
    eefc.mark(); // the mode registers are written without an answer
    EXPECT_EQ(eefc.flash->name(), "ATSAM3X8");
    EXPECT_EQ(eefc.flash->numPlanes(), 2u);
    EXPECT_EQ(eefc.flash->numPages(), 2048u);
    EXPECT_EQ(eefc.eefc->modeRegister(0), 0x600u);
    EXPECT_EQ(eefc.eefc->modeRegister(1), 0x600u);
    auto writes = eefc.controller->registerWrites();
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[0], std::make_pair(0x400E0A00u, 0x600u));
    EXPECT_EQ(writes[1], std::make_pair(0x400E0C00u, 0x600u));

    // The EFC keeps the rest of controller 0's mode and clears no-erase-before-
    // programming on both controllers.
    bench efc(chipKind::efcTwoPlanes, {.createDriver = false});
    efc.target.writeWord(0xFFFFFF60, 0x00480180);
    efc.flash = FlashFactory().create(efc.samba, efc.samba.chipId());
    ASSERT_TRUE(efc.flash);
    efc.mark();
    EXPECT_EQ(efc.flash->name(), "AT91SAM7S512");
    EXPECT_EQ(efc.efc->modeRegister(0), 0x00480100u);
    EXPECT_EQ(efc.efc->modeRegister(1), 0x00480100u);
}

TEST(efcFlash, aLockErrorFailsTheNextWait) {
    bench b(chipKind::efc);
    Flash& flash = *b.flash;
    auto data = pattern(256, 3);
    b.controller->setRegionLocked(0, true);
    flash.loadBuffer(data.data(), 256);
    flash.writePage(0); // does not wait for the command it sent
    std::vector<std::uint8_t> back(256);
    EXPECT_THROW(flash.readPage(0, back.data()), FlashLockError);
    EXPECT_EQ(flashBytes(b.target, 0x100000, 4), (std::vector<std::uint8_t>(4, 0xFF)));

    // A lock error with the ready bit set still fails.
    b.controller->setFaults(flashrig::lockErrorFault());
    EXPECT_THROW(flash.eraseAll(), FlashLockError);
    EXPECT_STREQ(FlashLockError().what(), "Flash page is locked");
}

TEST(flashDrivers, aControllerThatNeverGetsReadyFailsTheCommand) {
    for (chipKind kind : everyController) {
        SCOPED_TRACE(static_cast<int>(kind));
        bench b(kind);
        auto data = pattern(b.flash->pageSize(), 4);
        b.flash->loadBuffer(data.data(), static_cast<std::uint16_t>(data.size()));
        b.controller->setFaults(flashrig::neverReadyFault());
        EXPECT_THROW(b.flash->writePage(3), FlashCmdError);
    }
    EXPECT_STREQ(FlashCmdError().what(), "Flash command failed");
}

TEST(flashDrivers, waitsThroughBusyStatusReads) {
    for (chipKind kind : everyController) {
        SCOPED_TRACE(static_cast<int>(kind));
        bench b(kind);
        b.controller->setBusyReads(5);
        auto data = pattern(b.flash->pageSize(), 5);
        b.flash->eraseAll();
        b.flash->eraseAuto(false);
        b.flash->loadBuffer(data.data(), static_cast<std::uint16_t>(data.size()));
        b.flash->writePage(2);
        std::vector<std::uint8_t> back(data.size());
        b.flash->readPage(2, back.data());
        EXPECT_EQ(back, data);
    }
}

TEST(efcFlash, secondPlaneGoesThroughTheSecondController) {
    bench b(chipKind::efcTwoPlanes);
    Flash& flash = *b.flash;
    for (std::uint32_t plane = 0; plane < 2; ++plane)
        b.target.pokeWord(0x100000 + plane * 0x40000, 0);
    std::size_t before = b.mark();
    flash.eraseAll();
    auto sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "WFFFFFF64,5A000008#"));
    EXPECT_TRUE(contains(sent, "WFFFFFF74,5A000008#"));
    EXPECT_EQ(b.target.peekWord(0x100000), 0xFFFFFFFFu);
    EXPECT_EQ(b.target.peekWord(0x140000), 0xFFFFFFFFu);

    before = b.mark();
    flash.setLockRegion(17, true);
    sent = b.traffic(before);
    // Region 1 of the second plane, whose first page there is 64.
    EXPECT_TRUE(contains(sent, "WFFFFFF74,5A004002#"));
    EXPECT_TRUE(b.controller->regionLocked(17));
    EXPECT_TRUE(flash.getLockRegion(17));
    EXPECT_FALSE(flash.getLockRegion(1));
    EXPECT_TRUE(flash.isLocked());

    auto data = pattern(256, 6);
    flash.loadBuffer(data.data(), 256);
    before = b.mark();
    flash.writePage(1030);
    sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "WFFFFFF74,5A000601#"));
    EXPECT_TRUE(contains(sent, "G00202001#")); // a plain jump into the applet
    std::vector<std::uint8_t> back(256);
    flash.readPage(1030, back.data());
    EXPECT_EQ(back, data);
}

TEST(eefcFlash, secondPlaneLocksAndGeneralPurposeBits) {
    bench b(chipKind::eefc);
    Flash& flash = *b.flash;
    std::size_t before = b.mark();
    flash.setLockRegion(16, true);
    auto sent = b.traffic(before);
    EXPECT_TRUE(contains(sent, "W400E0C04,5A00000A#"));
    EXPECT_TRUE(contains(sent, "W400E0C04,5A000008#"));
    EXPECT_TRUE(b.controller->regionLocked(16));
    EXPECT_TRUE(flash.isLocked());
    flash.unlockAll();
    EXPECT_FALSE(flash.isLocked());

    EXPECT_FALSE(flash.canBod());
    EXPECT_FALSE(flash.getBod());
    EXPECT_FALSE(flash.getBootFlash());
    before = b.mark();
    flash.setBootFlash(true);
    EXPECT_TRUE(contains(b.traffic(before), "W400E0A04,5A00010B#"));
    EXPECT_TRUE(flash.getBootFlash());
    EXPECT_EQ(b.eefc->gpBits(), 0x2u);
    flash.setSecurity();
    EXPECT_TRUE(flash.getSecurity());
}

TEST(nvmFlash, securityBrownOutAndBootFlash) {
    bench b(chipKind::nvm);
    Flash& flash = *b.flash;
    EXPECT_FALSE(flash.getSecurity());
    flash.setSecurity();
    EXPECT_TRUE(flash.getSecurity());
    EXPECT_NE(b.target.readWord(0x41004018) & 0x100, 0u);

    b.target.pokeWord(0x40000834, 0x10);
    flash.setBod(true);
    flash.setBor(true);
    b.mark();
    EXPECT_EQ(b.target.peekWord(0x40000834), 0x1Au);
    EXPECT_TRUE(flash.getBod());
    EXPECT_TRUE(flash.getBor());
    flash.setBor(false);
    flash.setBod(false);
    b.mark();
    EXPECT_EQ(b.target.peekWord(0x40000834), 0u);

    EXPECT_TRUE(flash.getBootFlash());
    testing::internal::CaptureStdout();
    const std::size_t before = b.mark();
    flash.setBootFlash(false);
    EXPECT_TRUE(b.traffic(before).empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Ignoring set boot from flash flag.\n");
}

} // namespace
