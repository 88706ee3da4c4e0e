#include "platform/hid.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class recordingDevice : public platform::hid::device {
public:
    int write(const std::uint8_t*, std::size_t size) override { return static_cast<int>(size); }
    int read(std::uint8_t* buffer, std::size_t, int) override {
        buffer[0] = 7;
        return 1;
    }
};

TEST(hid, registeredPathsOpenTheRegisteredDevice) {
    int opens = 0;
    platform::hid::registerDevice("sim:hid-test", [&] {
        ++opens;
        return std::make_unique<recordingDevice>();
    });
    auto opened = platform::hid::open("sim:hid-test");
    ASSERT_TRUE(opened.handle);
    EXPECT_EQ(opened.error, platform::hid::openError::none);
    std::uint8_t byte = 0;
    EXPECT_EQ(opened.handle->read(&byte, 1, 0), 1);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(opens, 1);

    platform::hid::registerDevice("sim:hid-gone", [] { return nullptr; });
    EXPECT_EQ(platform::hid::open("sim:hid-gone").error, platform::hid::openError::notFound);

    platform::hid::unregisterDevice("sim:hid-test");
    platform::hid::unregisterDevice("sim:hid-gone");
    auto after = platform::hid::open("sim:hid-test"); // now a path like any other
    EXPECT_FALSE(after.handle);
    EXPECT_EQ(after.error, platform::hid::openError::notFound);
    EXPECT_EQ(after.errorNumber, ENOENT);
}

// A node that exists but may not be opened is told apart from a missing one, so the
// user can be told to fix the permissions.
TEST(hid, aRefusedOpenIsAPermissionError) {
    char path[] = "/tmp/marlovan-hidrawXXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::fchmod(fd, 0600);
    ::close(fd);
    if (::geteuid() == 0) {
        ASSERT_EQ(::seteuid(65534), 0); // root opens anything; try as nobody
    }
    auto opened = platform::hid::open(path);
    if (::getuid() == 0) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    ::unlink(path);
    EXPECT_FALSE(opened.handle);
    EXPECT_EQ(opened.error, platform::hid::openError::permissionDenied);
    EXPECT_EQ(opened.errorNumber, EACCES);
}

} // namespace
