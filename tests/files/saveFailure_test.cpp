#include "files/file.h"
#include "files/replaceFile.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace testSupport;
namespace dialogs = platform::dialogs;

const std::vector<std::uint8_t> previous = fromHex("A1 C0 08 01 05 00 0A  E0 00 02");

// A save that fails must say so, must not count as saved, and must leave the
// previous file byte for byte as it was.
class saveFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::init();
        file::init("");
        target = dir.file("profile.jxc");
        writeBytes(target, previous);
    }

    void expectFailureReported() {
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(script.boxes()[0].text, "Failed to save settings file");
        EXPECT_EQ(script.boxes()[0].caption, "Save");
        EXPECT_EQ(script.boxes()[0].choice, dialogs::buttons::ok);
    }
    void expectPreviousFileWhole() {
        EXPECT_EQ(readBytes(target), previous);
        EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"profile.jxc"});
    }

    tempDir dir;
    std::string target;
    dialogs::scripted script;
    dialogs::installGuard guard{script};
};

TEST_F(saveFailureTest, interruptedBetweenWriteAndRename) {
    bool reached = false;
    auto restore =
        replaceFile::setCommitStep([&](const std::string& temporary, const std::string&) {
            // The whole new content is on disk beside the target at this point.
            reached = readBytes(temporary).size() == 210;
            return false;
        });
    file::active = target;
    EXPECT_FALSE(file::saveCurrentFile());
    replaceFile::setCommitStep(restore);
    EXPECT_TRUE(reached);
    expectFailureReported();
    expectPreviousFileWhole();
}

TEST_F(saveFailureTest, writeFailsHalfway) {
    // The file-size limit makes the kernel refuse the write past 100 bytes (EFBIG).
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    file::active = target;
    bool saved = file::saveCurrentFile();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    expectFailureReported();
    expectPreviousFileWhole();
}

TEST_F(saveFailureTest, saveAsFailureKeepsTheCurrentFileAndReturnsFalse) {
    // A folder that cannot exist: its parent is a regular file.
    std::string impossible = target + "/sub.jxc";
    file::active = target;
    script.choose(impossible);
    EXPECT_FALSE(file::saveAs());
    EXPECT_EQ(file::active, target);
    expectFailureReported();
    expectPreviousFileWhole();
}

TEST_F(saveFailureTest, readOnlyFolder) {
    // Root writes anywhere, so as root the save runs in a child without privileges and
    // the folder is the owner's only; as anyone else the folder is closed to its owner.
    const bool root = geteuid() == 0;
    std::filesystem::permissions(dir.path(), root ? std::filesystem::perms(0755)
                                                  : std::filesystem::perms(0555));
    chmod(target.c_str(), 0666); // writable in place, yet the folder is not
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0)
            _exit(10);
        dialogs::scripted own;
        dialogs::installGuard ownGuard(own);
        file::active = target;
        bool saved = file::save();
        bool reported =
            own.boxes().size() == 1 && own.boxes()[0].text == "Failed to save settings file";
        _exit(saved ? 11 : reported ? 0 : 12);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expectPreviousFileWhole();
}

TEST_F(saveFailureTest, aReplacedFileKeepsItsPermissionsAndLinks) {
    chmod(target.c_str(), 0640);
    std::string link = dir.file("link.jxc");
    std::filesystem::create_symlink(target, link);
    file::active = link;
    ASSERT_TRUE(file::saveCurrentFile());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), defaultFile());
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(script.boxes().empty());
}

} // namespace
