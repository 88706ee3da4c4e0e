#include "uiTestSupport.h"

#include "device/hidConnection.h"
#include "device/joystickOutputParser.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "firmwareuploader/firmwareUpdate.h"
#include "platform/tty.h"
#include "platform/usbDevices.h"
#include "settings/settings.h"
#include "sim/bootmonitor/JoystickMonitor.h"
#include "sim/joystick/Joystick.h"
#include "ui/diagnosticDialogs.h"
#include "ui/diagnosticOptionsDialog.h"
#include "ui/dialogRegistry.h"
#include "ui/firmwareDialog.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/outputDisplayDialog.h"
#include "ui/pixelBmpView.h"
#include "ui/uniqueID.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int waitMs = 60000;

template <typename T> T* child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

template <typename T> T* child(QWidget& parent, int id) {
    return child<T>(parent, QString::number(id));
}

// The dialogs against the simulated joystick, with the window running as the program.
class diagnosticDialogs : public uiTest {
protected:
    void SetUp() override {
        uiTest::SetUp();
        registerDiagnosticDialogs();
        settings::loadCellDiagnosticMode = false;
        settings::digitalOutputDiagnosticMode = false;
    }
    void TearDown() override {
        uiTest::TearDown();
        serial.disconnect();
        hidConnection::init();
        joystick.reset();
    }

    mainWindow& startWith(bool serialLink, bool hidLink, bool bootMonitor = false) {
        sim::JoystickOptions options;
        options.serial = serialLink;
        options.hid = hidLink;
        options.hidOptions.controllerPeriodMs = 2;
        joystick =
            std::make_unique<sim::Joystick>(bootMonitor ? sim::withBootMonitor(options) : options);
        if (serialLink) {
            EXPECT_TRUE(
                joystick->serial()->waitForPhase(sim::SerialJoystick::phase::normal, waitMs));
        }
        return start();
    }

    const platform::dialogs::scripted::shownBox& lastBox() const {
        static const platform::dialogs::scripted::shownBox none{};
        return script.boxes().empty() ? none : script.boxes().back();
    }

    std::unique_ptr<sim::Joystick> joystick;
};

// Colour of a bar's pixel, 0x00RRGGBB.
unsigned barPixel(outputDisplayDialog& d, int bar, int column) {
    auto* view = d.findChild<pixelBmpView*>(QStringLiteral("axisGraphs") + QString::number(bar));
    return view ? view->picture().pixel(column, 6) & 0xFFFFFFu : 0xDEADu;
}

bool boxChecked(outputDisplayDialog& d, const char* name, int i) {
    auto* box = d.findChild<QCheckBox*>(QString::fromLatin1(name) + QString::number(i));
    return box && box->isChecked();
}

constexpr unsigned black = 0x000000;
constexpr unsigned grey = 0x808080;

TEST_F(diagnosticDialogs, outputDisplayFollowsTheReports) {
    startWith(false, true);
    ASSERT_TRUE(hidConnection::isConnected);
    sim::ControllerState state;
    state.axes[0] = 1022; // full
    state.axes[1] = 0;
    state.axes[6] = 511; // left knob half
    state.buttons = (1ull << 0) | (1ull << 40);
    state.hat = 2;
    joystick->hid()->setControllerState(state);

    auto display = std::make_unique<outputDisplayDialog>(window.get());
    outputDisplayDialog& d = *display;
    d.show();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return boxChecked(d, "hatSwitchButtonDisplays", 2); }, waitMs));
    EXPECT_TRUE(boxChecked(d, "buttonDisplays", 0));
    EXPECT_TRUE(boxChecked(d, "buttonDisplays", 40));
    for (int k : {1, 31, 32, 63})
        EXPECT_FALSE(boxChecked(d, "buttonDisplays", k)) << k;
    EXPECT_EQ(d.findChild<QCheckBox*>(QStringLiteral("buttonDisplays40"))->text(), "41");
    EXPECT_NE(barPixel(d, 0, 190), black); // full bar lit to the end
    EXPECT_EQ(barPixel(d, 1, 50), black);  // empty bar
    EXPECT_NE(barPixel(d, 6, 50), black);  // half bar lit in its left half...
    EXPECT_EQ(barPixel(d, 6, 150), black); // ...and dark in its right half

    // The centre box for 8; none for the values above it.
    struct hatCase {
        std::uint8_t hat;
        int checked; // -1: none
    };
    for (const hatCase c : {hatCase{8, 8}, hatCase{12, -1}, hatCase{5, 5}}) {
        state.hat = c.hat;
        joystick->hid()->setControllerState(state);
        const auto shown = [&] {
            for (int j = 0; j < 9; ++j)
                if (boxChecked(d, "hatSwitchButtonDisplays", j) != (j == c.checked))
                    return false;
            return joystickOutputParser::hatVal == c.hat;
        };
        EXPECT_TRUE(QTest::qWaitFor(shown, waitMs)) << "hat " << int(c.hat);
    }

    // Reports without knobs grey both knob bars, and they stay grey when the knobs come
    // back, until the display is opened again.
    EXPECT_EQ(barPixel(d, 7, 150), black);
    joystick->hid()->setKnobOutput(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return barPixel(d, 7, 150) == grey; }, waitMs));
    EXPECT_EQ(barPixel(d, 6, 50), grey);
    EXPECT_EQ(joystickOutputParser::axisValues[6], 0);
    EXPECT_NE(barPixel(d, 5, 150), grey);
    joystick->hid()->setKnobOutput(true);
    state.buttons = 1ull << 2;
    joystick->hid()->setControllerState(state);
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxChecked(d, "buttonDisplays", 2); }, waitMs));
    EXPECT_TRUE(joystickOutputParser::hasKnobOutput);
    EXPECT_EQ(barPixel(d, 7, 150), grey);

    // Close gives 1, the close box 2; either returns the control ids it took.
    display.reset();
    for (const bool viaCloseButton : {true, false}) {
        const int before = uniqueID::nextID;
        outputDisplayDialog again(window.get());
        EXPECT_GT(uniqueID::nextID, before);
        again.show();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return boxChecked(again, "buttonDisplays", 2); }, waitMs));
        EXPECT_NE(barPixel(again, 7, 150), grey);
        if (viaCloseButton)
            child<QPushButton>(again, outputDisplayDialog::closeId)->click();
        else
            again.close();
        EXPECT_EQ(again.result(), viaCloseButton ? 1 : 2);
        EXPECT_FALSE(again.pollTimer()->isActive());
        EXPECT_EQ(uniqueID::nextID, before);
    }
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(diagnosticDialogs, outputDisplayEndsWhenTheJoystickIsUnplugged) {
    mainWindow& w = startWith(false, true);
    const int before = uniqueID::nextID;
    outputDisplayDialog d(&w);
    d.show();
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return joystickOutputParser::hatVal != 0 || joystickOutputParser::buttonVals != 0; },
        waitMs));
    joystick->unplug();
    w.deviceRemoved();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, waitMs));
    EXPECT_EQ(d.result(), 1);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(lastBox().text, "Connection to joystick lost.");
    EXPECT_EQ(lastBox().caption, "Connection");
    EXPECT_EQ(uniqueID::nextID, before);
}

TEST_F(diagnosticDialogs, checkErrorsOverSerialShowsEveryReading) {
    startWith(true, false);
    ASSERT_TRUE(serial.isConnected());
    auto& s = joystick->state();
    s.miscErrors = 0x2;
    s.loadCellErrors = 0x11;
    s.leftKnobRaw = 1000;
    s.rightKnobRaw = 0x0F80;
    s.buttons = 0x80000001u;
    s.diagnosticFps = 250;
    diagnosticOptionsDialog d(window.get());
    child<QPushButton>(d, diagnosticOptionsDialog::checkErrorsId)->click();
    EXPECT_EQ(lastBox().caption, "Errors");
    EXPECT_EQ(lastBox().text, sendReceive::makeErrorString(0x2, 0x11) +
                                  "\n\nLeft Knob Raw: 1000\nRight Knob Raw: 127"
                                  "\n\nButtons: -2147483647\nDiagnostic FPS: 250");

    // Requests without replies show their failure values.
    joystick->faults().silent = true;
    child<QPushButton>(d, diagnosticOptionsDialog::checkErrorsId)->click();
    EXPECT_EQ(lastBox().caption, "Errors");
    EXPECT_EQ(lastBox().text, sendReceive::makeErrorString(0xFFFFFFFFu, 0xFFFFFFFFu) +
                                  "\n\nLeft Knob Raw: 65535\nRight Knob Raw: -61440"
                                  "\n\nButtons: 0\nDiagnostic FPS: 0");
}

TEST_F(diagnosticDialogs, checkErrorsOverHidShowsOnlyTheErrorWords) {
    startWith(false, true);
    ASSERT_FALSE(serial.isConnected());
    joystick->state().miscErrors = 0x1;
    joystick->state().loadCellErrors = 0x4;
    diagnosticOptionsDialog d(window.get());
    child<QPushButton>(d, diagnosticOptionsDialog::checkErrorsId)->click();
    EXPECT_EQ(lastBox().caption, "Errors (HID)");
    EXPECT_EQ(lastBox().text, sendReceive::makeErrorString(0x1, 0x4));

    joystick->faults().silent = true;
    child<QPushButton>(d, diagnosticOptionsDialog::checkErrorsId)->click();
    EXPECT_EQ(lastBox().caption, "Serial/HID");
    EXPECT_EQ(lastBox().text, "Failed connect");
}

// The path of the listed serial port whose hardware identifier is the boot monitor's.
std::string monitorPortPath() {
    for (int attempt = 0; attempt < 3000; ++attempt) {
        for (const auto& port : platform::usbDevices::listSerialPorts())
            if (serialConnection::matchesHardwareId(port.hardwareId, true))
                return port.portPath;
        QTest::qWait(20);
    }
    return {};
}

TEST_F(diagnosticDialogs, serialTestReportsWhatItFoundAndReopensTheLink) {
    // The trace goes beside the program's working directory.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    struct restore {
        QString path;
        ~restore() { QDir::setCurrent(path); }
    } back{cwd};

    startWith(true, false, true);
    ASSERT_TRUE(serial.isConnected());
    diagnosticOptionsDialog d(window.get());
    QPushButton* test = child<QPushButton>(d, diagnosticOptionsDialog::testSerialId);
    test->click();
    EXPECT_EQ(lastBox().caption, "Serial Test");
    EXPECT_EQ(lastBox().text,
              "Serial connection succeeded\nPort: " + joystick->serial()->portPath());
    EXPECT_TRUE(serial.isConnected()); // closed for the test, opened again after it
    EXPECT_EQ(sendReceive::activeState, 1);
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/Connection test.txt")));

    // The joystick in its boot monitor.
    serial.disconnect();
    {
        platform::tty touch;
        ASSERT_TRUE(touch.open(joystick->serial()->portPath()));
        ASSERT_TRUE(
            touch.setLine(1200, 8, platform::tty::parity::none, platform::tty::stopBits::one));
    }
    ASSERT_TRUE(joystick->serial()->waitForPhase(sim::SerialJoystick::phase::bootMonitor, waitMs));
    const std::string monitorPath = monitorPortPath();
    ASSERT_FALSE(monitorPath.empty());
    test->click();
    EXPECT_EQ(lastBox().text, "Serial connection test found bootloader mode\nPort: " + monitorPath);
    EXPECT_EQ(lastBox().caption, "Serial Test");

    // Nothing there.
    joystick.reset();
    test->click();
    EXPECT_EQ(lastBox().text, "Serial connection failed\nUnable to detect COM port");
    EXPECT_EQ(lastBox().caption, "Serial Test");
    EXPECT_FALSE(serial.isConnected());
    EXPECT_EQ(script.boxes().size(), 3u);
}

TEST_F(diagnosticDialogs, tareSendsTheCommandOverEitherLinkAndHoldsTheButtonBriefly) {
    for (const bool serialLink : {true, false}) {
        SCOPED_TRACE(serialLink ? "serial" : "HID only");
        startWith(serialLink, !serialLink);
        {
            diagnosticOptionsDialog d(window.get());
            QPushButton* tare = child<QPushButton>(d, diagnosticOptionsDialog::tareId);
            tare->click();
            EXPECT_FALSE(tare->isEnabled());
            ASSERT_TRUE(QTest::qWaitFor([&] { return tare->isEnabled(); }, waitMs));
            EXPECT_FALSE(d.tareTimer()->isActive());
            ASSERT_TRUE(QTest::qWaitFor([&] { return joystick->state().retares >= 1; }, waitMs));
        }
        window.reset();
        serial.disconnect();
        hidConnection::init();
        joystick.reset();
    }
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(diagnosticDialogs, setCloseStoresTheDiagnosticFlagsAndTheCloseBoxDoesNot) {
    mainWindow& w = start();
    QCheckBox* usingDiagnostics = w.layout().usingDiagnosticsWindow;
    ASSERT_NE(usingDiagnostics, nullptr);
    struct step {
        bool loadCell, digital;
        bool viaSetClose;
        bool storedLoadCell, storedDigital;
    };
    const step steps[] = {
        {true, false, true, true, false},
        {false, true, false, true, false}, // close box: nothing stored
        {false, true, true, false, true},
        {false, false, true, false, false},
    };
    for (const step& s : steps) {
        diagnosticOptionsDialog d(&w);
        auto* loadCell = child<QCheckBox>(d, diagnosticOptionsDialog::loadCellDiagnosticModeId);
        auto* digital = child<QCheckBox>(d, diagnosticOptionsDialog::digitalOutputDiagnosticModeId);
        // The boxes open with the stored flags.
        EXPECT_EQ(loadCell->isChecked(), settings::loadCellDiagnosticMode);
        EXPECT_EQ(digital->isChecked(), settings::digitalOutputDiagnosticMode);
        d.show();
        loadCell->setChecked(s.loadCell);
        digital->setChecked(s.digital);
        if (s.viaSetClose)
            child<QPushButton>(d, diagnosticOptionsDialog::setCloseId)->click();
        else
            d.close();
        EXPECT_EQ(d.result(), s.viaSetClose ? 1 : 2);
        EXPECT_EQ(settings::loadCellDiagnosticMode, s.storedLoadCell);
        EXPECT_EQ(settings::digitalOutputDiagnosticMode, s.storedDigital);
        EXPECT_EQ(usingDiagnostics->isChecked(), s.storedLoadCell || s.storedDigital);
    }
}

TEST_F(diagnosticDialogs, firmwareVersionIsShownOrItsFailure) {
    startWith(true, false);
    joystick->state().firmwareMajor = 1;
    joystick->state().firmwareMinor = 2;
    joystick->state().firmwarePatch = 3;
    firmwareDialog d(window.get());
    child<QPushButton>(d, firmwareDialog::checkVersionId)->click();
    EXPECT_EQ(child<QLabel>(d, firmwareDialog::firmwareTextId)->text(), "Firmware: 1.2.3");
    EXPECT_TRUE(script.boxes().empty());

    joystick->faults().silent = true;
    child<QPushButton>(d, firmwareDialog::checkVersionId)->click();
    EXPECT_EQ(lastBox().text, "Serial retrieve failed");
    EXPECT_EQ(lastBox().caption, "Serial");

    // Without the serial link the version is asked over HID; nothing answers.
    serial.disconnect();
    child<QPushButton>(d, firmwareDialog::checkVersionId)->click();
    EXPECT_EQ(lastBox().text, "Failed connect");
    EXPECT_EQ(lastBox().caption, "Serial/HID");
}

void writeFile(const std::string& path, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < size; ++i)
        out.put(static_cast<char>(i * 7 + 3));
}

TEST_F(diagnosticDialogs, firmwareFileChoice) {
    start();
    firmwareUpdate::filewareUploadFilename = "left over";
    firmwareDialog d(window.get());
    EXPECT_EQ(firmwareUpdate::filewareUploadFilename, "");
    QPushButton* upload = child<QPushButton>(d, firmwareDialog::uploadId);
    QPushButton* open = child<QPushButton>(d, firmwareDialog::openFileId);
    QLabel* name = child<QLabel>(d, firmwareDialog::filenameTextId);
    EXPECT_FALSE(upload->isEnabled());

    const std::string image = tempPath("stick.bin");
    writeFile(image, 64);
    script.choose(image);
    open->click();
    ASSERT_EQ(script.fileDialogs().size(), 1u);
    const auto& asked = script.fileDialogs()[0].dialog;
    EXPECT_FALSE(script.fileDialogs()[0].save);
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0].description, "Firmware Binary Files (*.bin)");
    EXPECT_EQ(asked.filters[0].pattern, "*.bin");
    EXPECT_EQ(asked.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(asked.filters[1].pattern, "*.*");
    EXPECT_EQ(asked.defaultSuffix, "bin");
    EXPECT_TRUE(asked.mustExist);
    EXPECT_EQ(name->text(), "stick.bin");
    EXPECT_TRUE(upload->isEnabled());
    EXPECT_EQ(firmwareUpdate::filewareUploadFilename, image);

    // A cancelled dialog changes nothing.
    script.choose(std::nullopt);
    open->click();
    EXPECT_EQ(name->text(), "stick.bin");
    EXPECT_EQ(firmwareUpdate::filewareUploadFilename, image);
    EXPECT_TRUE(script.boxes().empty());

    // A file that cannot be opened.
    const std::string missing = tempPath("gone.bin");
    script.choose(missing);
    open->click();
    EXPECT_EQ(lastBox().text, missing);
    EXPECT_EQ(lastBox().caption, "File not found!");
    EXPECT_EQ(name->text(), "");
    EXPECT_FALSE(upload->isEnabled());
    EXPECT_EQ(firmwareUpdate::filewareUploadFilename, "");
}

TEST_F(diagnosticDialogs, firmwareUpdateAgainstTheSimulatedJoystick) {
    startWith(true, false, true);
    ASSERT_TRUE(serial.isConnected());
    firmwareDialog d(window.get());
    QPushButton* upload = child<QPushButton>(d, firmwareDialog::uploadId);
    QLabel* status = child<QLabel>(d, firmwareDialog::statusTextId);
    const std::string image = tempPath("stick.bin");
    writeFile(image, 3000);
    script.choose(image);
    child<QPushButton>(d, firmwareDialog::openFileId)->click();
    ASSERT_TRUE(upload->isEnabled());

    testing::internal::CaptureStdout(); // the monitor client's trace
    upload->click();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(status->text(), "Uploaded stick.bin");
    EXPECT_TRUE(upload->isEnabled());
    EXPECT_TRUE(script.boxes().empty());
    EXPECT_FALSE(serial.isConnected());
    // The reset brought the joystick back into its firmware.
    EXPECT_TRUE(joystick->serial()->waitForPhase(sim::SerialJoystick::phase::normal, waitMs));

    // The file went away after it was chosen: told at once, no attempt made. While the
    // box is up the update is still under way.
    struct duringUpdate : platform::dialogs::scripted {
        QLabel* status = nullptr;
        QPushButton* upload = nullptr;
        QString statusShown;
        bool uploadEnabled = true;
        platform::dialogs::button messageBox(const std::string& text, const std::string& caption,
                                             platform::dialogs::buttons choice) override {
            statusShown = status->text();
            uploadEnabled = upload->isEnabled();
            return scripted::messageBox(text, caption, choice);
        }
    } probe;
    probe.status = status;
    probe.upload = upload;
    const platform::dialogs::installGuard probing(probe);
    std::remove(image.c_str());
    upload->click();
    ASSERT_EQ(probe.boxes().size(), 1u);
    EXPECT_EQ(probe.boxes()[0].text, "File not file: " + image);
    EXPECT_EQ(probe.boxes()[0].caption, "Upload failed");
    EXPECT_EQ(probe.statusShown, "Uploading: Don't unplug joystick!");
    EXPECT_FALSE(probe.uploadEnabled);
    EXPECT_EQ(status->text(), "");
    EXPECT_TRUE(upload->isEnabled());
}

// Clicks the button `id` of the modal dialog of type D once it is up; a missing dialog
// or button is a failure, and whatever is modal is closed so the test cannot hang.
template <typename D> void clickInModalLater(int id, std::function<void()> then = {}) {
    QTimer::singleShot(0, [id, then] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = dynamic_cast<D*>(modal);
        QPushButton* b =
            dialog ? dialog->template findChild<QPushButton*>(QString::number(id)) : nullptr;
        if (!b) {
            ADD_FAILURE() << "no dialog or button " << id;
            if (modal)
                modal->close();
            return;
        }
        if (then)
            then();
        b->click();
    });
}

TEST_F(diagnosticDialogs, theWindowsButtonsOpenTheDialogs) {
    mainWindow& w = startWith(false, true);
    ASSERT_TRUE(w.layout().outputDisplayButton.window->isEnabled());
    clickInModalLater<outputDisplayDialog>(outputDisplayDialog::closeId);
    w.layout().outputDisplayButton.window->click();

    // The diagnostic options open the firmware dialog; both are closed with their buttons.
    clickInModalLater<diagnosticOptionsDialog>(diagnosticOptionsDialog::setCloseId, [] {
        clickInModalLater<firmwareDialog>(firmwareDialog::closeId);
        auto* options = dynamic_cast<diagnosticOptionsDialog*>(QApplication::activeModalWidget());
        options->findChild<QPushButton*>(QStringLiteral("1905"))->click();
    });
    w.layout().diagnosticOptionsButton.window->click();
    EXPECT_TRUE(script.boxes().empty());
}

} // namespace
