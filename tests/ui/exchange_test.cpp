#include "uiTestSupport.h"

#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "files/file.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "sim/joystick/Joystick.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/settingsLineEdit.h"

#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

namespace {

using platform::dialogs::button;

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window against the simulated joystick: settings edited in the window go out with
// Send, are reset, and come back with Receive.
class exchange : public uiTest {
protected:
    void TearDown() override {
        uiTest::TearDown();
        serial.disconnect();
        hidConnection::init();
        joystick.reset();
    }

    mainWindow& startWith(bool serialLink, bool hidLink) {
        sim::JoystickOptions options;
        options.serial = serialLink;
        options.hid = hidLink;
        options.hidOptions.controllerPeriodMs = 1; // echoes found among busy controller reports
        joystick = std::make_unique<sim::Joystick>(options);
        return start();
    }

    void editSensitivity(mainWindow& w, const char* text) {
        settingsEdit& edit = w.layout().axisSensitivity[0][1];
        edit.window->setText(text);
        emit edit.window->focusLost();
    }

    bool boxShown(const std::string& text) const {
        for (const auto& box : script.boxes())
            if (box.text == text)
                return true;
        return false;
    }

    std::unique_ptr<sim::Joystick> joystick;
};

TEST_F(exchange, sendAndReceiveOverSerial) {
    mainWindow& w = startWith(true, true);
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionSerial);
    EXPECT_EQ(w.windowTitle().toStdString(),
              "Marlovan Settings - Connected (" + joystick->serial()->portName() + ")");
    mainWindowLayout& l = w.layout();
    EXPECT_TRUE(l.sendButton.window->isEnabled());
    EXPECT_TRUE(l.outputDisplayButton.window->isEnabled()); // HID is there as well

    editSensitivity(w, "2.5");
    l.sendButton.window->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "Sent via serial");
    EXPECT_EQ(script.boxes()[0].caption, "Send");

    script.answer(button::ok);
    l.resetButton.window->click();
    EXPECT_EQ(l.axisSensitivity[0][1].window->text(), "1");

    // Cancelled: nothing is asked of the joystick.
    script.answer(button::cancel);
    l.receiveButton.window->click();
    EXPECT_EQ(l.axisSensitivity[0][1].window->text(), "1");

    script.answer(button::ok);
    l.receiveButton.window->click();
    ASSERT_EQ(script.boxes().size(), 5u);
    EXPECT_EQ(script.boxes()[3].text, "Retrieve all settings from joystick?");
    EXPECT_EQ(script.boxes()[3].caption, "Continue?");
    EXPECT_EQ(script.boxes()[4].text, "Received via serial");
    EXPECT_EQ(script.boxes()[4].caption, "Receive");
    EXPECT_FLOAT_EQ(settings::modes[0].axes[1].sensitivity.value, 2.5f);
    EXPECT_EQ(l.axisSensitivity[0][1].window->text(), "2.5");

    // Received settings that differ between modes open those groups on the mode B page.
    settings::numModes = 2;
    settings::modes[1] = settings::modes[0];
    settings::modes[1].smoothing.set(4.0f);
    l.sendButton.window->click();
    script.answer(button::ok);
    l.resetButton.window->click();
    script.answer(button::ok);
    l.receiveButton.window->click();
    EXPECT_EQ(script.boxes().back().text, "Received via serial");
    EXPECT_TRUE(modifySetting::modeUseConstant[modifySetting::smoothingGroup]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.smoothing[1].sliderWindow->isEnabled(); }, 60000));
    EXPECT_FALSE(l.baseSensitivity[1].sliderWindow->isEnabled());
}

TEST_F(exchange, sendAndReceiveOverHid) {
    mainWindow& w = startWith(false, true);
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionHid);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Connected (HID)");
    mainWindowLayout& l = w.layout();

    editSensitivity(w, "3.75");
    l.sendButton.window->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "Sent via HID");
    EXPECT_EQ(script.boxes()[0].caption, "Send");

    script.answer(button::ok);
    l.resetButton.window->click();
    ASSERT_FLOAT_EQ(settings::modes[0].axes[1].sensitivity.value, 1.0f);

    // The receive runs on timer 1 of the window; its last tick reports the outcome.
    script.answer(button::ok);
    l.receiveButton.window->click();
    EXPECT_TRUE(w.timer(sendReceive::receiveTimerId)->isActive() || boxShown("Received via HID"));
    // The receive ends by itself, at the latest 3.3 s after the last new packet; a loaded
    // machine only makes it slower.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !w.timer(sendReceive::receiveTimerId)->isActive(); }, 120000));
    ASSERT_FALSE(script.boxes().empty());
    EXPECT_EQ(script.boxes().back().text, "Received via HID");
    EXPECT_EQ(script.boxes().back().caption, "Receive");
    EXPECT_EQ(l.axisSensitivity[0][1].window->text(), "3.75");
    EXPECT_GT(l.progressBar->value(), 0);
    // Timer 2 clears the progress bar half a second later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.progressBar->value() == 0; }, 60000));
    EXPECT_FALSE(w.timer(sendReceive::progressResetTimerId)->isActive());
}

// --simulate pins the HID link to the simulated joystick before the window starts; the
// window's reset of the link state keeps that choice.
TEST_F(exchange, aPinnedHidInterfaceIsTheOnlyOneTaken) {
    sim::JoystickOptions listedFirst;
    listedFirst.serial = false;
    sim::Joystick other(listedFirst);
    sim::JoystickOptions pinnedOptions = listedFirst;
    pinnedOptions.hidOptions.path = "sim:hidraw/pinned";
    joystick = std::make_unique<sim::Joystick>(pinnedOptions);
    hidConnection::onlyPath = joystick->hid()->path();

    mainWindow& w = start();
    ASSERT_EQ(sendReceive::currentConnection, sendReceive::connectionHid);
    EXPECT_EQ(hidConnection::devicePath, "sim:hidraw/pinned");
    w.sendClicked();
    EXPECT_EQ(script.boxes().back().text, "Sent via HID");
    EXPECT_FALSE(joystick->hid()->received().empty());
    EXPECT_TRUE(other.hid()->received().empty());
}

TEST_F(exchange, autoReceiveAtStartReadsTheJoystickWithoutAsking) {
    // The joystick holds a block with one setting changed; a remembered file is open.
    const std::string path = tempPath("remembered.jxc");
    settings::init();
    settings::modes[0].axes[5].curvature.set(2.0f);
    file::active = path;
    ASSERT_TRUE(file::saveCurrentFile());
    const auto changed = readFileBytes(path);
    settings::init();
    ASSERT_TRUE(file::saveCurrentFile());
    file::active.clear();
    writeConfig(path, false, true);

    joystick = std::make_unique<sim::Joystick>();
    joystick->state().storeBlock(changed);
    mainWindow& w = start();
    EXPECT_TRUE(script.boxes().empty());
    EXPECT_FLOAT_EQ(settings::modes[0].axes[5].curvature.value, 2.0f);
    EXPECT_EQ(w.layout().axisCurvature[0][5].window->text(), "2");
    // The received settings belong to no file.
    EXPECT_TRUE(file::active.empty());
    EXPECT_EQ(w.windowTitle().toStdString(),
              "Marlovan Settings - Connected (" + joystick->serial()->portName() + ")");
}

TEST_F(exchange, withoutJoystickSendFailsAndButtonsAreOff) {
    mainWindow& w = start();
    mainWindowLayout& l = w.layout();
    EXPECT_FALSE(l.sendButton.window->isEnabled());
    EXPECT_FALSE(l.receiveButton.window->isEnabled());
    EXPECT_FALSE(l.outputDisplayButton.window->isEnabled());
    w.sendClicked();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "Failed to send settings");
    EXPECT_EQ(script.boxes()[0].caption, "Not connected");
}

TEST_F(exchange, arrivalAndRemovalReprobeTheLinks) {
    mainWindow& w = startWith(true, false);
    ASSERT_EQ(sendReceive::activeState, 1);
    joystick->unplug();
    w.deviceRemoved();
    EXPECT_EQ(sendReceive::activeState, 0);
    EXPECT_EQ(w.windowTitle(), "Marlovan Settings - Not Connected");
    EXPECT_FALSE(w.layout().sendButton.window->isEnabled());

    // Auto-receive asks before reading the joystick that came back.
    w.command(menuId::autoReceiveEnabled);
    joystick->plug();
    script.answer(button::cancel);
    w.deviceArrived();
    EXPECT_EQ(sendReceive::activeState, 1);
    EXPECT_TRUE(w.layout().sendButton.window->isEnabled());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, "Retrieve all settings from joystick?");
}

TEST_F(exchange, theDeviceWatchNoticesTheJoystick) {
    mainWindow& w = start();
    ASSERT_EQ(sendReceive::activeState, 0);
    joystick = std::make_unique<sim::Joystick>();
    ASSERT_TRUE(QTest::qWaitFor([] { return sendReceive::activeState == 1; }, 20000));
    EXPECT_NE(w.windowTitle(), "Marlovan Settings - Not Connected");
}

} // namespace
