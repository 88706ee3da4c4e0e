#include "uiTestSupport.h"

#include "device/sendReceive.h"
#include "files/configFile.h"
#include "files/file.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/compilerDate.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/settingsLineEdit.h"
#include "ui/windowTitle.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <iterator>

namespace {

using platform::dialogs::button;

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A settings file whose mode A X sensitivity is `sensitivity`.
void writeSettingsFile(const std::string& path, float sensitivity) {
    settings::init();
    settings::modes[0].axes[0].sensitivity.set(sensitivity);
    const std::string kept = file::active;
    file::active = path;
    ASSERT_TRUE(file::saveCurrentFile());
    file::active = kept;
    settings::init();
}

class shell : public uiTest {};

TEST_F(shell, startsWithDefaultsWithoutConfigurationOrFile) {
    mainWindow& w = start();
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Not Connected");
    EXPECT_EQ(w.size(), QSize(765, 730));
    mainWindowLayout& l = w.layout();
    EXPECT_EQ(l.tab.tabControl->count(), 2);
    EXPECT_EQ(l.tab.selected(), 0);
    EXPECT_EQ(settings::activeMode, 0);
    EXPECT_TRUE(modifySetting::onAxisTab);
    EXPECT_EQ(l.axisSensitivity[0][0].window->text(), "1");
    EXPECT_EQ(l.axisBaseDeadzone[0][4].window->text(), "0.1");
    EXPECT_EQ(l.axisCurvature[0][5].window->text(), "1.4");
    EXPECT_EQ(l.knobMaximum[0][1].window->text(), "3375");
    EXPECT_EQ(l.baseSensitivity[0].sliderWindow->value(), 500);
    EXPECT_EQ(l.smoothing[0].sliderWindow->value(), 100);
    EXPECT_TRUE(w.menuAction(menuId::unitsImperial)->isChecked());
    EXPECT_FALSE(w.menuAction(menuId::unitsMetric)->isChecked());
    EXPECT_TRUE(w.menuAction(menuId::autoReceiveDisabled)->isChecked());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(configPath())));
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(shell, startsWithTheRememberedFile) {
    const std::string path = tempPath("remembered.jxc");
    writeSettingsFile(path, 2.5f);
    writeConfig(path, true, false);
    mainWindow& w = start();
    EXPECT_EQ(file::active, path);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings [remembered.jxc] - Not Connected");
    EXPECT_EQ(w.layout().axisSensitivity[0][0].window->text(), "2.5");
    EXPECT_TRUE(w.menuAction(menuId::unitsMetric)->isChecked());
}

TEST_F(shell, aRememberedFileThatIsGoneIsDroppedWithTheChoices) {
    writeConfig(tempPath("gone.jxc"), true, true);
    const auto before = readBytes(configPath());
    mainWindow& w = start();
    EXPECT_TRUE(file::active.empty());
    EXPECT_TRUE(configFile::lastFilePath.empty());
    EXPECT_EQ(configFile::lastFilePathLength, 0);
    EXPECT_FALSE(configFile::useMetricUnits);
    EXPECT_FALSE(configFile::autoRetrieveSettings);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Not Connected");
    EXPECT_EQ(readBytes(configPath()), before); // not written at start-up
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(shell, aConfigurationWithoutRememberedFileKeepsItsChoices) {
    writeConfig("", true, false);
    mainWindow& w = start();
    EXPECT_TRUE(configFile::useMetricUnits);
    EXPECT_TRUE(w.menuAction(menuId::unitsMetric)->isChecked());
}

TEST_F(shell, aFileOnTheCommandLineIsOpenedAndRemembered) {
    const std::string path = tempPath("given.jxc");
    writeSettingsFile(path, 3.0f);
    writeConfig(tempPath("other.jxc"), false, false);
    mainWindow& w = start("\"" + path + "\"");
    EXPECT_EQ(file::active, path);
    EXPECT_EQ(w.layout().axisSensitivity[0][0].window->text(), "3");
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings [given.jxc] - Not Connected");
    const auto config = readBytes(configPath());
    ASSERT_EQ(config.size(), 8 + path.size());
    EXPECT_EQ(std::string(config.begin() + 8, config.end()), path);
}

TEST_F(shell, aMissingFileOnTheCommandLineIsDroppedSilently) {
    mainWindow& w = start("\"" + tempPath("missing.jxc") + "\"");
    EXPECT_TRUE(file::active.empty());
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Not Connected");
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(shell, newAndResetAskFirst) {
    const std::string path = tempPath("current.jxc");
    writeSettingsFile(path, 4.0f);
    mainWindow& w = start("\"" + path + "\"");
    mainWindowLayout& l = w.layout();

    script.answer(button::cancel).answer(button::cancel);
    w.command(menuId::fileNew);
    l.resetButton.window->click();
    EXPECT_FLOAT_EQ(settings::modes[0].axes[0].sensitivity.value, 4.0f);
    EXPECT_EQ(file::active, path);
    ASSERT_EQ(script.boxes().size(), 2u);
    for (const auto& box : script.boxes()) {
        EXPECT_EQ(box.text, "Reset all settings to defaults?");
        EXPECT_EQ(box.caption, "Continue?");
        EXPECT_EQ(box.choice, platform::dialogs::buttons::okCancel);
    }

    // Reset keeps the current file; New forgets it.
    script.answer(button::ok);
    l.resetButton.window->click();
    EXPECT_FLOAT_EQ(settings::modes[0].axes[0].sensitivity.value, 1.0f);
    EXPECT_EQ(l.axisSensitivity[0][0].window->text(), "1");
    EXPECT_EQ(file::active, path);
    settings::modes[0].axes[0].sensitivity.set(5.0f);
    script.answer(button::ok);
    w.command(menuId::acceleratorNew);
    EXPECT_FLOAT_EQ(settings::modes[0].axes[0].sensitivity.value, 1.0f);
    EXPECT_TRUE(file::active.empty());
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Not Connected");
}

TEST_F(shell, openAsksOnlyWhenAFileIsCurrent) {
    const std::string first = tempPath("first.jxc");
    const std::string second = tempPath("second.jxc");
    writeSettingsFile(first, 2.0f);
    writeSettingsFile(second, 6.0f);
    mainWindow& w = start();

    script.choose(first);
    w.command(menuId::fileOpen);
    EXPECT_TRUE(script.boxes().empty());
    EXPECT_EQ(file::active, first);
    EXPECT_EQ(w.layout().axisSensitivity[0][0].window->text(), "2");
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings [first.jxc] - Not Connected");
    EXPECT_EQ(configFile::lastFilePath, first);
    ASSERT_EQ(script.fileDialogs().size(), 1u);
    const auto& dialog = script.fileDialogs()[0];
    EXPECT_FALSE(dialog.save);
    ASSERT_EQ(dialog.dialog.filters.size(), 2u);
    EXPECT_EQ(dialog.dialog.filters[0].description, "Marlovan Settings Files (*.jxc)");
    EXPECT_EQ(dialog.dialog.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(dialog.dialog.defaultSuffix, "jxc");

    script.choose(second).answer(button::cancel);
    w.command(menuId::acceleratorOpen);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text,
              "Opening a file will overwrite the\ncurrent settings. Continue?");
    EXPECT_EQ(script.boxes()[0].caption, "Overwrite settings?");
    EXPECT_EQ(file::active, first);
    EXPECT_FLOAT_EQ(settings::modes[0].axes[0].sensitivity.value, 2.0f);

    const std::string missing = tempPath("missing.jxc");
    script.choose(missing).answer(button::ok);
    w.command(menuId::fileOpen);
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[2].text, missing);
    EXPECT_EQ(script.boxes()[2].caption, "File not found!");
    EXPECT_EQ(file::active, first);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings [first.jxc] - Not Connected");
}

TEST_F(shell, ctrlSWithoutCurrentFileSavesAsAndStoresTheEditBeingTyped) {
    mainWindow& w = start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    settingsLineEdit* edit = w.layout().axisSensitivity[0][2].window;
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->setText("7.5");

    const std::string path = tempPath("saved.jxc");
    script.choose(path);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script.fileDialogs().size(), 1u);
    EXPECT_TRUE(script.fileDialogs()[0].save);
    EXPECT_FLOAT_EQ(settings::modes[0].axes[2].sensitivity.value, 7.5f);
    EXPECT_EQ(file::active, path);
    const std::size_t withEdit = readBytes(path).size();
    EXPECT_EQ(withEdit % 7, 0u);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings [saved.jxc] - Not Connected");
    EXPECT_EQ(configFile::lastFilePath, path);

    // A second save writes the current file without any dialog.
    settings::modes[0].axes[2].sensitivity.set(1.0f);
    w.command(menuId::fileSave);
    EXPECT_EQ(script.fileDialogs().size(), 1u);
    // Back at the defaults: the 210-byte default file, one packet shorter.
    EXPECT_EQ(readBytes(path).size(), 210u);
    EXPECT_EQ(withEdit, 217u);
}

TEST_F(shell, saveAsOntoAnExistingFileAsks) {
    const std::string path = tempPath("exists.jxc");
    writeSettingsFile(path, 9.0f);
    const auto before = readBytes(path);
    mainWindow& w = start();
    script.choose(path).answer(button::cancel);
    w.command(menuId::fileSaveAs);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "This file exists.  Overwrite?");
    EXPECT_EQ(script.boxes()[0].caption, "Save As");
    EXPECT_EQ(readBytes(path), before);

    script.choose(path).answer(button::ok);
    w.command(menuId::fileSaveAs);
    EXPECT_EQ(readBytes(path).size(), 210u);
    EXPECT_EQ(file::active, path);
}

TEST(windowTitle, composition) {
    struct row {
        const char* file;
        int state;
        int connection;
        const char* title;
    };
    const row rows[] = {
        {"", 0, 3, "Marlovan Settings - Not Connected"},
        {"C:\\data/sets\\my.jxc", 0, 3, "Marlovan Settings [my.jxc] - Not Connected"},
        {"plain.jxc", 1, 1, "Marlovan Settings [plain.jxc] - Connected (HID)"},
        {"/home/u/a.jxc", 1, 0, "Marlovan Settings [a.jxc] - Connected (pts/3)"},
        {"", 0, 2, "Marlovan Settings - Connected: Bootloader Mode (Reset or check firmware)"},
        {"", 2, 0, "Marlovan Settings"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.title);
        EXPECT_EQ(composeWindowTitle(r.file, r.state, r.connection, "pts/3").toStdString(),
                  r.title);
    }
}

TEST_F(shell, configMenuWritesTheConfigurationAndMarks) {
    mainWindow& w = start();
    w.menuAction(menuId::unitsMetric)->trigger();
    w.menuAction(menuId::autoReceiveEnabled)->trigger();
    EXPECT_EQ(readBytes(configPath()), (std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(w.menuAction(menuId::unitsMetric)->isChecked());
    EXPECT_FALSE(w.menuAction(menuId::unitsImperial)->isChecked());
    EXPECT_TRUE(w.menuAction(menuId::autoReceiveEnabled)->isChecked());
    EXPECT_FALSE(w.menuAction(menuId::autoReceiveDisabled)->isChecked());
    w.menuAction(menuId::unitsImperial)->trigger();
    EXPECT_EQ(readBytes(configPath())[0], 2);
    EXPECT_TRUE(w.menuAction(menuId::unitsImperial)->isChecked());
    EXPECT_FALSE(w.menuAction(menuId::unitsMetric)->isChecked());
}

TEST_F(shell, aboutShowsVersionAndBuildDate) {
    mainWindow& w = start();
    w.command(menuId::about);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "Marlovan Settings\nVersion 1.0.5\n" + compilerDate());
}

TEST_F(shell, menusHaveTheirTextsAndIds) {
    mainWindow& w = start();
    const std::pair<int, const char*> items[] = {
        {100, "&New\tCtrl-N"},  {101, "&Open\tCtrl-O"},
        {102, "&Save\tCtrl-S"}, {103, "&Save As..."},
        {104, "&Quit\tCtrl-Q"}, {112, "&Enabled"},
        {113, "&Disabled"},     {110, "&Imperial"},
        {111, "&Metric"},       {120, "&About Marlovan Settings"},
    };
    for (const auto& [id, text] : items) {
        SCOPED_TRACE(id);
        ASSERT_NE(w.findChild<QAction*>(QString::number(id)), nullptr);
        EXPECT_EQ(w.menuAction(id)->text().toStdString(), text);
    }
    EXPECT_EQ(w.menuAction(201)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(w.menuAction(204)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(shell, quitClosesTheWindowWithoutAsking) {
    mainWindow& w = start();
    w.show();
    settings::modes[0].axes[0].sensitivity.set(3.0f);
    w.command(menuId::fileQuit);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(script.boxes().empty());
}

} // namespace
