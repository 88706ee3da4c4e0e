#include "files/configFile.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace testSupport;

class configFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        configFile::init();
        configFile::configFilePath = dir.file("marlovan/marlovan.jxcconfig");
    }
    std::vector<std::uint8_t> written() { return readBytes(configFile::configFilePath); }

    tempDir dir;
};

TEST_F(configFileTest, writesTheFlagsAndLengthLeastSignificantByteFirst) {
    configFile::useMetricUnits = true;
    configFile::autoRetrieveSettings = true;
    ASSERT_TRUE(configFile::write()); // creates the folder too
    EXPECT_EQ(written(), fromHex("03 00 00 00 00 00 00 00"));

    configFile::useMetricUnits = false;
    configFile::lastFilePath = "/home/me/flight.jxc!"; // 20 characters
    configFile::lastFilePathLength = 20;
    ASSERT_TRUE(configFile::write());
    std::vector<std::uint8_t> bytes = written();
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8),
              fromHex("02 00 00 00 14 00 00 00"));
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.end()), "/home/me/flight.jxc!");

    configFile::clear();
    ASSERT_TRUE(configFile::tryReadLast());
    EXPECT_EQ(configFile::lastFilePath, "/home/me/flight.jxc!");
    EXPECT_EQ(configFile::lastFilePathLength, 20);
    EXPECT_FALSE(configFile::useMetricUnits);
    EXPECT_TRUE(configFile::autoRetrieveSettings);
}

TEST_F(configFileTest, aLengthOutsideOneTo259StoresNoPath) {
    for (std::int32_t length : {0, 260, -1}) {
        SCOPED_TRACE(length);
        configFile::lastFilePath = "/x.jxc";
        configFile::lastFilePathLength = length;
        ASSERT_TRUE(configFile::write());
        EXPECT_EQ(written().size(), 8u);
        configFile::clear();
        ASSERT_TRUE(configFile::tryReadLast());
        EXPECT_EQ(configFile::lastFilePath, "");
        EXPECT_EQ(configFile::lastFilePathLength, length);
    }
}

TEST_F(configFileTest, readsThePathUpToItsFirstZero) {
    configFile::configFilePath = dir.file("marlovan.cfg");
    writeBytes(configFile::configFilePath, fromHex("01 00 00 00 05 00 00 00 61 62 00 63 64"));
    ASSERT_TRUE(configFile::tryReadLast());
    EXPECT_EQ(configFile::lastFilePath, "ab");
    EXPECT_EQ(configFile::lastFilePathLength, 5);
    EXPECT_TRUE(configFile::useMetricUnits);
}

TEST_F(configFileTest, aFileShorterThanItClaimsGivesNoPathAndNoChoices) {
    configFile::configFilePath = dir.file("short.cfg");
    const char* cases[] = {
        "", "03", "03 00 00 00", "03 00 00 00 14 00 00", "03 00 00 00 14 00 00 00 61 62 63",
    };
    for (const char* hex : cases) {
        SCOPED_TRACE(hex);
        configFile::lastFilePath = "stale";
        configFile::lastFilePathLength = 5;
        configFile::useMetricUnits = configFile::autoRetrieveSettings = true;
        writeBytes(configFile::configFilePath, fromHex(hex));
        EXPECT_TRUE(configFile::tryReadLast());
        EXPECT_EQ(configFile::lastFilePath, "");
        EXPECT_EQ(configFile::lastFilePathLength, 0);
        EXPECT_FALSE(configFile::useMetricUnits);
        EXPECT_FALSE(configFile::autoRetrieveSettings);
    }
}

TEST_F(configFileTest, aMissingFileChangesNothing) {
    configFile::useMetricUnits = true;
    configFile::configFilePath = dir.file("none.cfg");
    EXPECT_FALSE(configFile::tryReadLast());
    EXPECT_TRUE(configFile::useMetricUnits);
}

TEST_F(configFileTest, aFolderThatCannotBeMadeFailsQuietlyAndKeepsTheOldFile) {
    configFile::useMetricUnits = true;
    ASSERT_TRUE(configFile::write());
    std::string blocker = dir.file("blocker");
    writeBytes(blocker, {1});
    configFile::configFilePath = blocker + "/marlovan/marlovan.jxcconfig";
    EXPECT_FALSE(configFile::write());
    EXPECT_EQ(readBytes(blocker), std::vector<std::uint8_t>{1});
}

TEST(configFileLocation, followsTheBaseDirectoryConvention) {
    EXPECT_EQ(configFile::locate("/xdg", "/home/me"), "/xdg/marlovan/marlovan.jxcconfig");
    EXPECT_EQ(configFile::locate(nullptr, "/home/me"),
              "/home/me/.config/marlovan/marlovan.jxcconfig");
    EXPECT_EQ(configFile::locate("", "/home/me"), "/home/me/.config/marlovan/marlovan.jxcconfig");
    EXPECT_EQ(configFile::locate("relative", "/home/me"),
              "/home/me/.config/marlovan/marlovan.jxcconfig");
    EXPECT_EQ(configFile::locate(nullptr, nullptr), "marlovan.jxcconfig");

    setenv("XDG_CONFIG_HOME", "/somewhere", 1);
    configFile::lastFilePathLength = 4;
    configFile::init();
    EXPECT_EQ(configFile::configFilePath, "/somewhere/marlovan/marlovan.jxcconfig");
    EXPECT_EQ(configFile::lastFilePathLength, 0);
    unsetenv("XDG_CONFIG_HOME");
}

TEST(configFileMenu, marksExactlyOneItemOfEachPair) {
    for (int flags = 0; flags < 4; ++flags) {
        configFile::useMetricUnits = flags & 1;
        configFile::autoRetrieveSettings = flags & 2;
        std::map<int, bool> marks;
        configFile::updateMainMenu([&](int id, bool checked) { marks[id] = checked; });
        EXPECT_EQ(marks, (std::map<int, bool>{{110, !(flags & 1)},
                                              {111, (flags & 1) != 0},
                                              {112, (flags & 2) != 0},
                                              {113, !(flags & 2)}}));
    }
}

} // namespace
