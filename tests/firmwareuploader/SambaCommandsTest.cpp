#include "MonitorRig.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

using strings = std::vector<std::string>;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// A connected USB session with a clean log.
struct usbSession : rig::session {
    explicit usbSession(sim::BootMonitorOptions options = {}, std::uint32_t deviceId = 0x10010005)
        : rig::session([deviceId](sim::TargetMemory& t) { rig::cortexM0Plus(t, deviceId); },
                       options) {
        connected = connect();
        monitor->clearLog();
    }
    bool connected = false;
};

std::vector<std::uint8_t> pattern(int size) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + 0x81);
    return bytes;
}

TEST(SambaCommands, wordAndByteAccessSendsTheExactCommandsAndTraces) {
    usbSession s;
    ASSERT_TRUE(s.connected);
    s.samba.setDebug(true);
    CaptureStdout();
    s.samba.writeWord(0x20000010, 0xCAFE00F1);
    EXPECT_EQ(s.samba.readWord(0x20000010), 0xCAFE00F1u);
    s.samba.writeByte(0x20000013, 0x5B);
    EXPECT_EQ(s.samba.readByte(0x20000013), 0x5B);
    EXPECT_EQ(s.samba.readByte(0x20000010), 0xF1); // little-endian in target memory
    s.samba.go(0x20000101);
    const std::string trace = GetCapturedStdout();

    ASSERT_TRUE(s.monitor->waitForCommands(6));
    EXPECT_EQ(s.monitor->commands(),
              (strings{"W20000010,CAFE00F1#", "w20000010,4#", "O20000013,5B#", "o20000013,4#",
                       "o20000010,4#", "G20000101#"}));
    EXPECT_EQ(trace, "writeWord(addr=0x20000010,value=0xcafe00f1)\n"
                     "readWord(addr=0x20000010)=0xcafe00f1\n"
                     "writeByte(addr=0x20000013,value=0x5b)\n"
                     "readByte(addr=0x20000013)=0x5b\n"
                     "readByte(addr=0x20000010)=0xf1\n"
                     "go(addr=0x20000101)\n");
    EXPECT_EQ(s.target.peekWord(0x20000010), 0x5BFE00F1u);
    EXPECT_EQ(s.target.goCalls(), std::vector<std::uint32_t>{0x20000101});
}

TEST(SambaCommands, rawBlocksOverUsbSplitPowerOfTwoReadsAbove32Bytes) {
    usbSession s;
    ASSERT_TRUE(s.connected);
    const auto data = pattern(300);
    s.samba.write(0x20000000, data.data(), 300);
    ASSERT_TRUE(s.monitor->waitForCommands(1)); // a write is not answered
    EXPECT_EQ(s.monitor->commands(), strings{"S20000000,0000012C#"});

    struct readCase {
        int size;
        strings commands;
    };
    const readCase cases[] = {
        {64, {"o20000000,4#", "R20000001,0000003F#"}},
        {256, {"o20000000,4#", "R20000001,000000FF#"}},
        {32, {"R20000000,00000020#"}},
        {48, {"R20000000,00000030#"}},
        {300, {"R20000000,0000012C#"}},
        {1, {"R20000000,00000001#"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        s.monitor->clearLog();
        std::vector<std::uint8_t> back(static_cast<std::size_t>(c.size));
        s.samba.read(0x20000000, back.data(), c.size);
        EXPECT_EQ(back, std::vector<std::uint8_t>(data.begin(), data.begin() + c.size));
        EXPECT_EQ(s.monitor->commands(), c.commands);
    }
}

TEST(SambaCommands, rawBlocksOfSeveralKilobytesSurviveTheLine) {
    usbSession s;
    ASSERT_TRUE(s.connected);
    const auto data = pattern(8192);
    s.samba.write(0x20000000, data.data(), 8192);
    std::vector<std::uint8_t> back(8192);
    s.samba.read(0x20000000, back.data(), 8192);
    EXPECT_EQ(back, data);
}

TEST(SambaCommands, extensionsSendTheirCommandsAndCheckTheReplyLetters) {
    usbSession s;
    ASSERT_TRUE(s.connected);
    ASSERT_TRUE(s.samba.canChipErase());
    const auto data = pattern(64);
    s.target.pokeWord(0x2000, 0);
    s.samba.setDebug(true);
    CaptureStdout();
    EXPECT_TRUE(s.samba.chipErase(0x2000));
    s.samba.write(0x20001000, data.data(), 64);
    EXPECT_TRUE(s.samba.writeBuffer(0x20001000, 0x2000, 64));
    const std::uint16_t crc = s.samba.checksumBuffer(0x2000, 64);
    const std::string trace = GetCapturedStdout();

    EXPECT_EQ(s.monitor->commands(), (strings{"X00002000#", "S20001000,00000040#", "Y20001000,0#",
                                              "Y00002000,00000040#", "Z00002000,00000040#"}));
    EXPECT_EQ(crc, Samba::crc16Calc(data.data(), 64));
    EXPECT_EQ(s.target.readBlock(0x2000, 64), data);
    char checksumLine[64];
    std::snprintf(checksumLine, sizeof checksumLine,
                  "checksumBuffer(start_addr=0x2000, size=0x40) = %x\n", crc);
    EXPECT_EQ(trace, std::string("chipErase(addr=0x2000)\n"
                                 "write(addr=0x20001000,size=0x40)\n"
                                 "writeBuffer(scr_addr=0x20001000, dst_addr=0x2000, size=0x40)\n") +
                         checksumLine);
}

TEST(SambaCommands, withoutExtensionsNothingIsSentAndChecksumsThrow) {
    sim::BootMonitorOptions options;
    options.extensions = false;
    usbSession s(options);
    ASSERT_TRUE(s.connected);
    EXPECT_FALSE(s.samba.chipErase(0x2000));
    EXPECT_FALSE(s.samba.writeBuffer(0x20001000, 0x2000, 64));
    EXPECT_THROW(s.samba.checksumBuffer(0x2000, 64), SambaError);
    EXPECT_TRUE(s.monitor->commands().empty());
}

TEST(SambaCommands, checksumRepliesAreParsedFromTheEightDigitsAfterZ) {
    struct reply {
        std::string text;
        int expected; // -1: SambaError
    };
    const reply cases[] = {
        {"Z0000ABCD#\n\r", 0xABCD},   {"Z1234abcd#\n\r", 0xABCD}, // low 16 bits only
        {"Z000000121234", 0x12}, // the ninth character on is ignored
        {"Z00ab#\n\r\n\r\n\r", 0xAB}, {"Zxyz00000#\n\r", -1},
        {"Y0000ABCD#\n\r", -1},       {"", -1}, // nothing within the 5 s time-out
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        sim::BootMonitorOptions options;
        options.replies['Z'] = c.text;
        usbSession s(options);
        ASSERT_TRUE(s.connected);
        if (c.expected < 0)
            EXPECT_THROW(s.samba.checksumBuffer(0x2000, 16), SambaError);
        else
            EXPECT_EQ(s.samba.checksumBuffer(0x2000, 16), c.expected);
    }
}

TEST(SambaCommands, wrongOrMissingExtensionRepliesThrow) {
    for (char letter : {'X', 'Y'}) {
        SCOPED_TRACE(letter);
        sim::BootMonitorOptions options;
        options.replies[letter] = letter == 'X' ? "Q\n\r" : "";
        usbSession s(options);
        ASSERT_TRUE(s.connected);
        if (letter == 'X')
            EXPECT_THROW(s.samba.chipErase(0x2000), SambaError);
        else
            EXPECT_THROW(s.samba.writeBuffer(0x20001000, 0x2000, 64), SambaError);
    }
}

TEST(SambaCommands, resetWritesTheResetRegisterOfTheListedChips) {
    struct resetCase {
        std::uint32_t cid;
        std::string command; // empty: not supported
    };
    const resetCase cases[] = {
        {0x10010000, "WE000ED0C,05FA0004#"},
        {0x10010005, "WE000ED0C,05FA0004#"},
        {0x1001000A, "WE000ED0C,05FA0004#"},
        {0x1001001C, "WE000ED0C,05FA0004#"},
        {0x285E0A60, "W400E1A00,A500000D#"},
        {0x284E0A60, ""},
        {0x10010100, ""},
    };
    sim::TargetMemory target;
    rig::cortexM3(target, 0x285E0A60);
    sim::BootMonitor monitor(target);
    Samba samba;
    PosixPortFactory factory;
    ASSERT_TRUE(samba.connect(factory.create(monitor.portName())));
    int resets = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.cid);
        target.pokeWord(0x400E0740, c.cid);
        monitor.clearLog();
        CaptureStdout(); // printed whether tracing or not
        samba.reset();
        const std::string printed = GetCapturedStdout();
        strings expected{"w00000000,4#", "wE000ED00,4#", "w400E0740,4#"};
        if (c.command.empty()) {
            EXPECT_EQ(printed, "CPU reset.\nReset not supported for this CPU.\n");
        } else {
            EXPECT_EQ(printed, "CPU reset.\n");
            expected.push_back(c.command);
            ++resets;
        }
        ASSERT_TRUE(monitor.waitForCommands(expected.size()));
        EXPECT_EQ(monitor.commands(), expected);
        EXPECT_EQ(target.resetRequests(), resets);
    }
}

TEST(SambaCommands, disconnectGivesThePortUp) {
    usbSession s;
    ASSERT_TRUE(s.connected);
    s.samba.disconnect();
    EXPECT_EQ(s.samba.serialPort(), nullptr);
    EXPECT_THROW(s.samba.readWord(0), SambaError);
    EXPECT_THROW(s.samba.version(), SambaError);
}

} // namespace
