#include "platform/tty.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A pseudo-terminal whose master end plays the device.
struct ptyPair {
    int master = -1;
    std::string slavePath;
    ptyPair() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slavePath = ::ptsname(master);
    }
    ~ptyPair() { ::close(master); }
};

TEST(tty, opensExclusivelyAndRefusesMissingDevices) {
    ptyPair pty;
    platform::tty a;
    ASSERT_TRUE(a.open(pty.slavePath));
    EXPECT_FALSE(a.open(pty.slavePath));
    EXPECT_EQ(a.lastError(), EBUSY);

    platform::tty b;
    EXPECT_FALSE(b.open(pty.slavePath)); // a second opener is kept out
    platform::tty missing;
    EXPECT_FALSE(missing.open("/dev/does-not-exist"));
    EXPECT_EQ(missing.lastError(), ENOENT);
}

TEST(tty, readsReturnWhatArrivedByTheDeadline) {
    ptyPair pty;
    platform::tty t;
    ASSERT_TRUE(t.open(pty.slavePath));
    ASSERT_TRUE(t.setLine(115200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    std::uint8_t bytes[20];
    for (int i = 0; i < 20; ++i)
        bytes[i] = static_cast<std::uint8_t>(0xE0 + i);
    ASSERT_EQ(::write(pty.master, bytes, 20), 20);
    // The kernel moves the bytes to the slave's queue in the background; a busy
    // machine may take a while.
    const auto queuedBy = std::chrono::steady_clock::now() + 5s;
    while (t.queued() < 20 && std::chrono::steady_clock::now() < queuedBy)
        ::usleep(1000);
    EXPECT_EQ(t.queued(), 20);

    std::uint8_t in[255] = {};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(t.read(in, 255, 100ms), 20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_EQ(in[19], 0xE0 + 19);

    EXPECT_EQ(t.readQueued(in, 10), 0);
    std::uint8_t out[3] = {1, 2, 0xFF};
    EXPECT_EQ(t.write(out, 3), 3);
    std::uint8_t echo[3];
    EXPECT_EQ(::read(pty.master, echo, 3), 3);
    EXPECT_EQ(echo[2], 0xFF);
}

TEST(tty, refusesUnknownLineSettings) {
    ptyPair pty;
    platform::tty t;
    ASSERT_TRUE(t.open(pty.slavePath));
    EXPECT_FALSE(t.setLine(12345, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    EXPECT_FALSE(t.setLine(9600, 9, platform::tty::parity::none, platform::tty::stopBits::one));
    EXPECT_TRUE(t.setLine(921600, 8, platform::tty::parity::even, platform::tty::stopBits::two));
    EXPECT_EQ(t.baudRate(), 921600);
    // The device side sees the rate the program set: how the simulator notices the
    // 1200-baud touch.
    EXPECT_EQ(platform::lineBaud(pty.master), 921600);
    EXPECT_TRUE(t.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    EXPECT_EQ(platform::lineBaud(pty.master), 1200);
    EXPECT_EQ(platform::lineBaud(-1), 0);
}

TEST(tty, aVanishedDeviceIsAnError) {
    auto* pty = new ptyPair;
    platform::tty t;
    ASSERT_TRUE(t.open(pty->slavePath));
    delete pty;
    std::uint8_t in[4];
    EXPECT_EQ(t.read(in, 4, 50ms), -1);
}

} // namespace
