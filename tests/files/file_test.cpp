#include "files/configFile.h"
#include "files/file.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace testSupport;
namespace dialogs = platform::dialogs;

// The block a save of the current model would write.
std::vector<std::uint8_t> currentBlock() {
    return settingsParser::buildBlock();
}

class fileTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::init();
        file::init("");
        file::settingsLoaded = nullptr;
    }
    void TearDown() override { file::settingsLoaded = nullptr; }

    tempDir dir;
    dialogs::scripted script;
    dialogs::installGuard guard{script};
};

TEST_F(fileTest, savingTheDefaultsWritesTheCompleteBlockWithStartCountZero) {
    file::active = dir.file("defaults.jxc");
    ASSERT_TRUE(file::saveCurrentFile());
    std::vector<std::uint8_t> bytes = readBytes(file::active);
    ASSERT_EQ(bytes.size(), 210u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 14),
              fromHex("E0 00 01 00 00 00 00 B0 C0 00 00 00 01 02"));
    EXPECT_EQ(bytes, defaultFile());
    EXPECT_TRUE(script.boxes().empty());
    // Only the target is left in the folder, no temporary file.
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"defaults.jxc"});
}

TEST_F(fileTest, opensShortAndGarbageFilesOnTopOfTheDefaults) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> garbage(700);
    for (auto& b : garbage)
        b = static_cast<std::uint8_t>(random());
    struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"ten bytes", fromHex("E0 00 01 1E 00 00 00 A1 C0 08")},
        {"garbage", garbage},
        {"six trailing bytes", fromHex("E0 00 01 00 00 00 00 A1 C0 08 01 05 00")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings::modes[0].autofire.enabled = true; // must be reset by the open
        settings::activeMode = 2;
        file::active = dir.file("case.jxc");
        writeBytes(file::active, c.bytes);
        ASSERT_TRUE(file::openCurrentFile());
        EXPECT_EQ(settings::activeMode, 0);
        if (c.bytes != garbage) {
            EXPECT_EQ(currentBlock(), defaultFile());
        }
    }
}

TEST_F(fileTest, appliesPacketsInOrderAndAClearCommandResetsAtItsPlace) {
    // Autofire on with button 5, then smoothing 2.0; a clear command; then button 7.
    std::vector<std::uint8_t> bytes = fromHex(R"(
        A1 C0 08 01 05 00 0A
        A1 40 01 00 00 00 40
        E0 00 02 00 00 00 00
        A1 C0 08 01 07 00 0C
        FF FF FF
    )");
    file::active = dir.file("ordered.jxc");
    writeBytes(file::active, bytes);
    ASSERT_TRUE(file::openCurrentFile());
    EXPECT_TRUE(settings::modes[0].autofire.enabled);
    EXPECT_EQ(settings::modes[0].autofire.button, 7);
    EXPECT_EQ(settings::modes[0].autofire.period, 12);
    EXPECT_EQ(settings::modes[0].smoothing.value, 1.0f); // cleared again
}

TEST_F(fileTest, aFileThatCannotBeReadLeavesTheSettingsAlone) {
    settings::modes[0].autofire.button = 9;
    for (std::string path : {dir.file("missing.jxc"), dir.path().string()}) {
        SCOPED_TRACE(path);
        file::active = path;
        EXPECT_FALSE(file::openCurrentFile());
        EXPECT_EQ(settings::modes[0].autofire.button, 9);
    }
}

TEST_F(fileTest, reportsEveryLoadSoTheWindowCanRefresh) {
    int loads = 0;
    file::settingsLoaded = [&] { ++loads; };
    file::active = dir.file("a.jxc");
    writeBytes(file::active, defaultFile());
    ASSERT_TRUE(file::openCurrentFile());
    file::active = dir.file("missing.jxc");
    ASSERT_FALSE(file::openCurrentFile());
    EXPECT_EQ(loads, 1);
}

TEST(fileInit, takesAQuotedSettingsFileFromTheCommandLine) {
    struct {
        std::string commandLine;
        std::string active;
        bool opened;
    } cases[] = {
        {R"("/home/me/profiles/flight.jxc")", "/home/me/profiles/flight.jxc", true},
        {R"("/home/me/profiles/flight.JXC")", "", false},
        {R"(marlovan-settings "my file.jxc" --ignored)", "my file.jxc", true},
        {"plain.jxc", "plain.jxc", true},
        {R"(x "unterminated.jxc)", "unterminated.jxc", true},
        {R"("a.jxc" "b.jxc")", "a.jxc", true},
        {".jxc", ".jxc", true},
        {"jxc", "", false},
        {R"("")", "", false},
        {R"("x.jx")", "", false},
        {"", "", false},
        {"\"" + std::string(255, 'a') + ".jxc\"", std::string(255, 'a') + ".jxc", true},
        {"\"" + std::string(256, 'a') + ".jxc\"", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        file::active = "previous.jxc";
        file::fileChanged = true;
        file::init(c.commandLine);
        EXPECT_EQ(file::active, c.active);
        EXPECT_EQ(file::openedFromSettingsFile, c.opened);
        EXPECT_FALSE(file::fileChanged);
    }
}

TEST(fileChangedFlag, recomposesTheTitleOnlyWhenTheFlagChanges) {
    int titles = 0;
    auto title = [&] { ++titles; };
    file::clear();
    file::setFileChanged(title);
    file::setFileChanged(title);
    EXPECT_TRUE(file::fileChanged);
    file::clearFileChanged(title);
    file::clearFileChanged(title);
    EXPECT_FALSE(file::fileChanged);
    EXPECT_EQ(titles, 2);
}

TEST_F(fileTest, openDialogFlowAsksOnlyWhenAFileIsCurrent) {
    std::string first = dir.file("first.jxc");
    std::string second = dir.file("second.jxc");
    writeBytes(first, fromHex("A1 C0 08 01 05 00 0A"));
    writeBytes(second, fromHex("A1 C0 08 01 06 00 0A"));

    script.choose(first);
    ASSERT_TRUE(file::open());
    EXPECT_TRUE(script.boxes().empty());
    EXPECT_EQ(file::active, first);
    EXPECT_EQ(settings::modes[0].autofire.button, 5);

    // With a file current the question comes first; Cancel keeps everything.
    script.choose(second).answer(dialogs::button::cancel);
    EXPECT_FALSE(file::open());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text,
              "Opening a file will overwrite the\ncurrent settings. Continue?");
    EXPECT_EQ(script.boxes()[0].caption, "Overwrite settings?");
    EXPECT_EQ(script.boxes()[0].choice, dialogs::buttons::okCancel);
    EXPECT_EQ(file::active, first);
    EXPECT_EQ(settings::modes[0].autofire.button, 5);

    script.choose(second).answer(dialogs::button::ok);
    EXPECT_TRUE(file::open());
    EXPECT_EQ(file::active, second);
    EXPECT_EQ(settings::modes[0].autofire.button, 6);

    // The dialog offers settings files first, then everything.
    const dialogs::fileDialog& shown = script.fileDialogs()[0].dialog;
    EXPECT_FALSE(script.fileDialogs()[0].save);
    ASSERT_EQ(shown.filters.size(), 2u);
    EXPECT_EQ(shown.filters[0].description, "Marlovan Settings Files (*.jxc)");
    EXPECT_EQ(shown.filters[0].pattern, "*.jxc");
    EXPECT_EQ(shown.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(shown.filters[1].pattern, "*.*");
    EXPECT_EQ(shown.defaultSuffix, "jxc");
    EXPECT_TRUE(shown.mustExist);
}

TEST_F(fileTest, openOfAFileThatVanishedShowsItsPathAndKeepsTheCurrentFile) {
    file::active = dir.file("current.jxc");
    settings::modes[0].autofire.button = 3;
    std::string gone = dir.file("gone.jxc");
    script.choose(gone).answer(dialogs::button::ok);
    EXPECT_FALSE(file::open());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].text, gone);
    EXPECT_EQ(script.boxes()[1].caption, "File not found!");
    EXPECT_EQ(file::active, dir.file("current.jxc"));
    EXPECT_EQ(settings::modes[0].autofire.button, 3);

    script.choose(std::nullopt);
    EXPECT_FALSE(file::open()); // cancelled dialog
    EXPECT_EQ(script.boxes().size(), 2u);
}

TEST_F(fileTest, saveAsAsksBeforeOverwriting) {
    std::string existing = dir.file("existing.jxc");
    writeBytes(existing, {1, 2, 3});
    file::active = dir.file("current.jxc");

    // Cancel: nothing written, the current file stays, and the flow still reports true.
    script.choose(existing).answer(dialogs::button::cancel);
    EXPECT_TRUE(file::saveAs());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "This file exists.  Overwrite?");
    EXPECT_EQ(script.boxes()[0].caption, "Save As");
    EXPECT_EQ(readBytes(existing), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(file::active, dir.file("current.jxc"));

    script.choose(existing).answer(dialogs::button::ok);
    EXPECT_TRUE(file::saveAs());
    EXPECT_EQ(readBytes(existing), defaultFile());
    EXPECT_EQ(file::active, existing);

    // A new name asks nothing.
    std::string fresh = dir.file("fresh.jxc");
    script.choose(fresh);
    EXPECT_TRUE(file::saveAs());
    EXPECT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(readBytes(fresh), defaultFile());
    EXPECT_TRUE(script.fileDialogs().back().save);
    EXPECT_FALSE(script.fileDialogs().back().dialog.mustExist);

    script.choose(std::nullopt);
    EXPECT_FALSE(file::saveAs());
}

TEST_F(fileTest, saveWithoutACurrentFileRunsSaveAs) {
    std::string chosen = dir.file("chosen.jxc");
    script.choose(chosen);
    EXPECT_TRUE(file::save());
    EXPECT_EQ(file::active, chosen);
    EXPECT_EQ(readBytes(chosen), defaultFile());

    settings::modes[0].autofire.button = 4;
    EXPECT_TRUE(file::save()); // now to the current file, no dialog
    EXPECT_EQ(script.fileDialogs().size(), 1u);
    EXPECT_NE(readBytes(chosen), defaultFile());
}

TEST(fileConfigData, movesThePathIntoAndOutOfTheConfiguration) {
    file::active = "/data/flight.jxc";
    file::saveToConfigData();
    EXPECT_EQ(configFile::lastFilePath, "/data/flight.jxc");
    EXPECT_EQ(configFile::lastFilePathLength, 16);

    struct {
        std::int32_t length;
        std::string expected;
    } cases[] = {{16, "/data/flight.jxc"}, {6, "/data/"}, {0, ""}, {-5, ""}, {259, "kept"}};
    // The longest path that is taken back is 258 characters.
    file::active = std::string(258, 'p');
    file::saveToConfigData();
    file::active.clear();
    file::setFromConfigData();
    EXPECT_EQ(file::active, std::string(258, 'p'));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        file::active = "kept";
        configFile::lastFilePath = "/data/flight.jxc";
        configFile::lastFilePathLength = c.length;
        file::setFromConfigData();
        EXPECT_EQ(file::active, c.expected);
    }
}

} // namespace
