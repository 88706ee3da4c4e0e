#include "MonitorRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using strings = std::vector<std::string>;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SambaConnect, overUsbAt921600WithoutAutoBaud) {
    rig::session s([](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x10010305); });
    s.samba.setDebug(true);
    CaptureStdout();
    ASSERT_TRUE(s.connect());
    const std::string trace = GetCapturedStdout();

    EXPECT_TRUE(s.samba.isUsb());
    EXPECT_EQ(s.monitor->commands(),
              (strings{"N#", "w00000000,4#", "wE000ED00,4#", "w41002018,4#", "V#"}));
    EXPECT_FALSE(contains(trace, "Send auto-baud"));
    EXPECT_TRUE(contains(trace, "Set binary mode\n"));
    EXPECT_TRUE(contains(trace, "readWord(addr=0x41002018)=0x10010305\n"));
    EXPECT_TRUE(contains(trace, "version()=v2.0 [Arduino:XYZ] Dec 10 2026 10:00:00\n"));
    EXPECT_TRUE(contains(trace, "chipId=0x10010005\n"));
    EXPECT_TRUE(contains(trace, "Connected at 921600 baud\n"));
    EXPECT_EQ(s.samba.serialPort()->name(), s.monitor->portName());
}

TEST(SambaConnect, fallsBackToAPlainLineWithAutoBaud) {
    // The monitor hears only 115200 baud and speaks XMODEM: the USB attempt at 921600
    // meets silence, the fallback finds it.
    sim::BootMonitorOptions options;
    options.transport = sim::BootMonitorOptions::link::serial;
    options.requiredBaud = 115200;
    rig::session s([](sim::TargetMemory& t) { rig::cortexM3(t, 0x285E0A60); }, options);
    s.samba.setDebug(true);
    PosixPortFactory factory;
    CaptureStdout();
    ASSERT_TRUE(s.samba.connect(factory.create(s.monitor->portName(), true), 115200));
    const std::string trace = GetCapturedStdout();

    EXPECT_FALSE(s.samba.isUsb());
    EXPECT_TRUE(contains(trace, "Send auto-baud\n"));
    EXPECT_TRUE(contains(trace, "Connected at 115200 baud\n"));
    EXPECT_FALSE(contains(trace, "Connected at 921600"));
    const auto bytes = s.monitor->received();
    const std::vector<std::uint8_t> autoBaud = {0x80, 0x80, '#', 'N', '#'};
    ASSERT_GE(bytes.size(), autoBaud.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 5), autoBaud);
    EXPECT_EQ(s.monitor->commands(),
              (strings{"N#", "w00000000,4#", "wE000ED00,4#", "w400E0740,4#", "V#"}));
    EXPECT_EQ(s.samba.chipId(), 0x285E0A60u);
}

TEST(SambaConnect, aSilentMonitorGivesFalseAndNoPort) {
    sim::BootMonitorOptions options;
    options.requiredBaud = 300; // never the client's rate
    rig::session s([](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x10010005); }, options);
    EXPECT_FALSE(s.connect());
    EXPECT_EQ(s.samba.serialPort(), nullptr);
    EXPECT_THROW(s.samba.readWord(0), SambaError);
}

struct identification {
    const char* what;
    void (*setup)(sim::TargetMemory&);
    std::uint32_t expected;
    strings commands;
};

TEST(SambaConnect, chipIdFollowsTheRegistersOfEachCore) {
    const identification cases[] = {
        {"ARM7 branch at 0 reads only the debug unit",
         [](sim::TargetMemory& t) { rig::arm7(t, 0x275B0940); },
         0x275B0940,
         {"w00000000,4#", "wFFFFF240,4#"}},
        {"Cortex-M0+ device id loses its die and revision bits",
         [](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x1001FF05); },
         0x10010005,
         {"w00000000,4#", "wE000ED00,4#", "w41002018,4#"}},
        {"Cortex-M3 chip id at 0x400E0740",
         [](sim::TargetMemory& t) { rig::cortexM3(t, 0x28000960, 0x11111111); },
         0x28000960,
         {"w00000000,4#", "wE000ED00,4#", "w400E0740,4#"}},
        {"Cortex-M4 with 0 there reads 0x400E0940",
         [](sim::TargetMemory& t) { rig::cortexM3(t, 0, 0x288B07E0); },
         0x288B07E0,
         {"w00000000,4#", "wE000ED00,4#", "w400E0740,4#", "w400E0940,4#"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rig::session s(c.setup);
        ASSERT_TRUE(s.connect());
        s.monitor->clearLog();
        EXPECT_EQ(s.samba.chipId(), c.expected);
        EXPECT_EQ(s.monitor->commands(), c.commands);
    }
}

TEST(SambaConnect, acceptsOnlyTheSupportedIdentifiers) {
    struct verdict {
        std::uint32_t cid;
        const char* refusal; // null: accepted
    };
    const verdict cases[] = {
        {0x275B0940, nullptr}, // ARM7TDMI, architecture 0x75
        {0x27700940, "Unsupported ARM7TDMI architecture\n"},
        {0x285E0A60, nullptr}, // Cortex-M3, 0x85
        {0x29340960, nullptr}, // Cortex-M3, 0x93
        {0x28B00960, "Unsupported Cortex-M3 architecture\n"},
        {0x29200960, "Unsupported Cortex-M3 architecture\n"},
        {0x288B07E0, nullptr}, // Cortex-M4, 0x88
        {0x28BB07E0, "Unsupported Cortex-M4 architecture\n"},
        {0x02900080, nullptr}, // ARM920T, 0x29
        {0x02A00080, "Unsupported ARM920T architecture\n"},
        {0x10010100, nullptr}, // Cortex-M0+ with bit 8 set
        {0x1001001C, nullptr},
        {0x10010001, "Unsupported processor\n"},
        {0x329973A0, "Unsupported processor\n"}, // processor field 5
    };
    sim::TargetMemory target;
    rig::cortexM3(target, 0);
    sim::BootMonitor monitor(target);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.cid);
        target.pokeWord(0x400E0740, c.cid);
        Samba samba;
        samba.setDebug(true);
        PosixPortFactory factory;
        CaptureStdout();
        // A plain port makes one attempt only.
        const bool connected = samba.connect(factory.create(monitor.portName(), false));
        const std::string trace = GetCapturedStdout();
        EXPECT_EQ(connected, c.refusal == nullptr);
        if (c.refusal) {
            EXPECT_TRUE(contains(trace, c.refusal)) << trace;
            EXPECT_EQ(samba.serialPort(), nullptr);
        }
    }
}

TEST(SambaConnect, versionLettersSetTheCapabilities) {
    struct letters {
        std::string version;
        bool erase, writeBuffer, checksum;
    };
    const letters cases[] = {
        {"v1.1 Dec 10 2026", false, false, false},
        {"v2.0 [Arduino:XYZ] Dec 10 2026", true, true, true},
        {"v2.0 [Arduino:Y]XZ", false, true, false}, // after the bracket: ignored
        {"[Arduino:ZqX", true, false, true},        // no bracket: to the end
        {"[Arduino:XY\x01Z]", true, true, false},   // the text ends at a control byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        sim::BootMonitorOptions options;
        options.version = c.version;
        rig::session s([](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x10010005); }, options);
        ASSERT_TRUE(s.connect());
        EXPECT_EQ(s.samba.canChipErase(), c.erase);
        EXPECT_EQ(s.samba.canWriteBuffer(), c.writeBuffer);
        EXPECT_EQ(s.samba.canChecksumBuffer(), c.checksum);
        EXPECT_EQ(s.samba.version(), c.version.substr(0, c.version.find('\x01')));
    }
}

TEST(SambaConnect, aMonitorWithoutVersionMakesConnectThrow) {
    sim::BootMonitorOptions options;
    options.replies['V'] = "";
    rig::session s([](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x10010005); }, options);
    EXPECT_THROW(s.connect(), SambaError);
}

} // namespace
