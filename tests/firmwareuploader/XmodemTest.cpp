#include "firmwareuploader/Xmodem.h"
#include "MonitorRig.h"
#include "firmwareuploader/PosixSerialPort.h"
#include "sim/bootmonitor/MonitorXmodem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::vector<std::uint8_t> pattern(int size) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0xF0 - i * 3);
    return bytes;
}

TEST(Crc16, matchesTheXmodemCheckValueAndTheBitwiseForm) {
    const std::string check = "123456789";
    EXPECT_EQ(Samba::crc16Calc(reinterpret_cast<const std::uint8_t*>(check.data()), 9), 0x31C3);
    EXPECT_EQ(Samba::crc16Calc(nullptr, 0), 0);
    EXPECT_EQ(Samba::crc16Calc(nullptr, -3), 0);

    const auto data = pattern(1000);
    std::uint16_t stepwise = 0;
    for (std::uint8_t b : data)
        stepwise = Samba::crc16AddByte(b, stepwise);
    EXPECT_EQ(stepwise, sim::MonitorXmodem::crc16(data.data(), data.size()));
    EXPECT_EQ(Samba::crc16Calc(data.data(), 1000), stepwise);
}

TEST(Crc16, blockHelpersWriteAndCheckHighByteFirst) {
    std::uint8_t block[133] = {};
    const auto data = pattern(128);
    std::copy(data.begin(), data.end(), block + 3);
    Samba::crc16Add(block);
    const std::uint16_t crc = Samba::crc16Calc(data.data(), 128);
    EXPECT_EQ(block[131], crc >> 8);
    EXPECT_EQ(block[132], crc & 0xFF);
    EXPECT_TRUE(Samba::crc16Check(block));
    block[70] ^= 0x01;
    EXPECT_FALSE(Samba::crc16Check(block));
}

sim::BootMonitorOptions plainLine() {
    sim::BootMonitorOptions options;
    options.transport = sim::BootMonitorOptions::link::serial;
    return options;
}

struct plainSession : rig::session {
    explicit plainSession(sim::BootMonitorOptions options = plainLine())
        : rig::session([](sim::TargetMemory& t) { rig::cortexM0Plus(t, 0x10010005); }, options) {
        connected = connect(true);
        monitor->clearLog();
    }
    bool connected = false;
};

TEST(SambaXmodem, sends130BytesAsTwoBlocksWithZeroPadding) {
    plainSession s;
    ASSERT_TRUE(s.connected);
    ASSERT_FALSE(s.samba.isUsb());
    s.target.writeBlock(0x20000000, std::vector<std::uint8_t>(300, 0xEE));
    const auto data = pattern(130);
    s.samba.write(0x20000000, data.data(), 130);

    std::vector<std::uint8_t> expected;
    const std::string command = "S20000000,00000082#";
    expected.insert(expected.end(), command.begin(), command.end());
    for (std::uint8_t number : {1, 2}) {
        std::uint8_t block[133] = {0x01, number, static_cast<std::uint8_t>(~number)};
        const int from = (number - 1) * 128;
        std::copy(data.begin() + from, data.begin() + std::min(130, from + 128), block + 3);
        const std::uint16_t crc = sim::MonitorXmodem::crc16(block + 3, 128);
        block[131] = static_cast<std::uint8_t>(crc >> 8);
        block[132] = static_cast<std::uint8_t>(crc);
        expected.insert(expected.end(), block, block + 133);
    }
    expected.push_back(0x04); // EOT
    EXPECT_EQ(s.monitor->received(), expected);
    // The monitor keeps only the announced 130 bytes.
    auto stored = data;
    stored.insert(stored.end(), 170, 0xEE);
    EXPECT_EQ(s.target.readBlock(0x20000000, 300), stored);

    std::vector<std::uint8_t> back(130);
    s.samba.read(0x20000000, back.data(), 130);
    EXPECT_EQ(back, data);
}

TEST(SambaXmodem, fourNaksAreRetriedAndTheFifthFailsTheSend) {
    for (int naks : {4, 5}) {
        SCOPED_TRACE(naks);
        auto options = plainLine();
        options.xmodemNaks = naks;
        plainSession s(options);
        ASSERT_TRUE(s.connected);
        const auto data = pattern(100);
        if (naks == 5) {
            EXPECT_THROW(s.samba.write(0x20000000, data.data(), 100), SambaError);
        } else {
            s.samba.write(0x20000000, data.data(), 100);
            EXPECT_EQ(s.target.readBlock(0x20000000, 100), data);
        }
        // The same block went out once per NAK plus the accepted one.
        const auto bytes = s.monitor->received();
        const std::size_t blocks = (bytes.size() - 19) / 133;
        EXPECT_EQ(blocks, 5u);
    }
}

TEST(SambaXmodem, receiveRetriesCorruptBlocksAndGivesUpAfterFive) {
    auto options = plainLine();
    options.xmodemCorruptBlocks = 4;
    plainSession s(options);
    ASSERT_TRUE(s.connected);
    const auto data = pattern(300);
    s.target.writeBlock(0x20000000, data);
    std::vector<std::uint8_t> back(300);
    s.samba.read(0x20000000, back.data(), 300); // four bad copies of block 1, then good
    EXPECT_EQ(back, data);

    auto failing = plainLine();
    failing.xmodemCorruptBlocks = 5;
    plainSession f(failing);
    ASSERT_TRUE(f.connected);
    EXPECT_THROW(f.samba.read(0x20000000, back.data(), 300), SambaError);
}

TEST(SambaXmodem, aBlockRepeatedForALostAckIsAcknowledgedAndDropped) {
    auto options = plainLine();
    options.xmodemLostAcks = 2;
    plainSession s(options);
    ASSERT_TRUE(s.connected);
    const auto data = pattern(384);
    s.target.writeBlock(0x20000000, data);
    std::vector<std::uint8_t> back(384);
    s.samba.read(0x20000000, back.data(), 384);
    EXPECT_EQ(back, data);
}

// Past 256 blocks the block number on the wire starts at 1 again; that block is no
// new transfer and is not asked for with another "C".
TEST(SambaXmodem, receivingMoreThan256BlocksAsksForCrcBlocksOnce) {
    plainSession s;
    ASSERT_TRUE(s.connected);
    constexpr int size = 258 * 128 + 5; // 259 blocks, the last short
    const auto data = pattern(size);
    s.target.writeBlock(0x1000, data);
    s.monitor->clearLog();
    std::vector<std::uint8_t> back(size);
    s.samba.read(0x1000, back.data(), size);
    EXPECT_EQ(back, data);
    s.samba.readWord(0); // answered once the last ACK has been taken

    const std::string command = "R00001000,00008105#";
    std::vector<std::uint8_t> expected(command.begin(), command.end());
    expected.push_back('C');
    expected.insert(expected.end(), 259 + 1, 0x06); // each block and the EOT acknowledged
    const std::string mark = "w00000000,4#";
    expected.insert(expected.end(), mark.begin(), mark.end());
    EXPECT_EQ(s.monitor->received(), expected);
}

int openMaster(std::string& slavePath) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::grantpt(master);
    ::unlockpt(master);
    slavePath = ::ptsname(master);
    // Raw before anyone uses it: a fresh line echoes and edits what it receives.
    termios t{};
    ::tcgetattr(master, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(master, TCSANOW, &t);
    return master;
}

// A standard XMODEM program from lrzsz at the far end of a null-modem cable. It reads
// its own pseudo-terminal and writes into a pipe, both joined to ours by a relay: its
// line settings stay on its end, and the flush of its line when it exits cannot
// swallow its last ACK (on a real line the drain before that flush waits for it).
struct lrzszPeer {
    std::string slavePath; // ours
    std::string peerPath;  // the program's input
    int ours = -1;
    int theirs = -1;
    int output[2] = {-1, -1};
    int stopPipe[2] = {-1, -1};
    std::thread relay;
    pid_t child = -1;

    lrzszPeer() {
        ours = openMaster(slavePath);
        theirs = openMaster(peerPath);
        ::pipe2(output, O_CLOEXEC);
        ::pipe2(stopPipe, O_CLOEXEC);
        relay = std::thread([this] { copy(); });
    }
    void copy() {
        std::uint8_t buffer[512];
        for (;;) {
            pollfd fds[3] = {{ours, POLLIN, 0}, {output[0], POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
            if (::poll(fds, 3, 100) < 0 || (fds[2].revents & POLLIN))
                return;
            for (int i = 0; i < 2; ++i) {
                if (!(fds[i].revents & POLLIN)) {
                    if (fds[i].revents & POLLHUP)
                        std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    continue;
                }
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) [[maybe_unused]]
                    auto w = ::write(i == 0 ? theirs : ours, buffer, static_cast<std::size_t>(n));
            }
        }
    }
    // Runs in `directory`: the receiver takes only plain file names.
    bool start(std::vector<std::string> args, const std::string& directory) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
        posix_spawn_file_actions_addopen(&actions, 0, peerPath.c_str(), O_RDWR | O_NOCTTY, 0);
        posix_spawn_file_actions_adddup2(&actions, output[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        return rc == 0;
    }
    int wait() {
        int status = 0;
        if (child > 0 && ::waitpid(child, &status, 0) == child) {
            child = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return -1;
    }
    ~lrzszPeer() {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        [[maybe_unused]] auto w = ::write(stopPipe[1], "x", 1);
        relay.join();
        for (int fd : {ours, theirs, output[0], output[1], stopPipe[0], stopPipe[1]})
            ::close(fd);
    }
};

std::string temporaryDirectory() {
    const char* dir = std::getenv("TMPDIR");
    return dir ? dir : "/tmp";
}

std::string temporaryName(const char* name) {
    return "marlovan-xmodem-" + std::to_string(::getpid()) + "-" + name;
}

TEST(XmodemInterop, aStandardReceiverTakesOurBlocks) {
    lrzszPeer peer;
    const std::string name = temporaryName("received.bin");
    const std::string file = temporaryDirectory() + "/" + name;
    std::remove(file.c_str());
    PosixSerialPort port(peer.slavePath, false);
    ASSERT_TRUE(port.open());
    port.timeout(1000);
    ASSERT_TRUE(peer.start({"rx", "-c", "-b", "-q", name}, temporaryDirectory()));

    const auto data = pattern(300);
    Xmodem::send(port, data.data(), 300);
    EXPECT_EQ(peer.wait(), 0);

    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> got((std::istreambuf_iterator<char>(in)), {});
    auto expected = data;
    expected.resize(384, 0); // three whole blocks, zero-padded
    EXPECT_EQ(got, expected);
    std::remove(file.c_str());
}

TEST(XmodemInterop, aStandardSenderIsReceived) {
    lrzszPeer peer;
    const std::string file = temporaryDirectory() + "/" + temporaryName("sent.bin");
    const auto data = pattern(200);
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), 200);
    }
    PosixSerialPort port(peer.slavePath, false);
    ASSERT_TRUE(port.open());
    port.timeout(1000);
    ASSERT_TRUE(peer.start({"sx", "-q", file}, temporaryDirectory()));

    std::vector<std::uint8_t> got(200);
    Xmodem::receive(port, got.data(), 200);
    EXPECT_EQ(got, data);
    EXPECT_EQ(peer.wait(), 0);
    std::remove(file.c_str());
}

} // namespace
