#include "UpdateRig.h"

#include "firmwareuploader/FlashFactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

// The update sequence's ways out: its results, the message the user is told, how many
// attempts run, and the ports left closed on every path.
namespace {

using firmwareUpdate::phase;
using updaterig::sequenceTest;
using updaterig::standaloneMonitor;

constexpr std::uint32_t imageBase = 0x2000;
constexpr std::uint32_t usableFlash = 0x40000 - imageBase;
constexpr const char* noConnection = "Failed to make serial connection. Check that the joystick\n"
                                     "is plugged in and that it can connect over serial.";

void installNvm(updaterig::keptChip& chip) {
    chip.controller = sim::installNvmChip(chip.memory);
}

auto eefcWithId(std::uint32_t id) {
    return [id](updaterig::keptChip& chip) {
        chip.controller = sim::installEefcChip(chip.memory, id);
    };
}

// Attempts that ran, counted by their searches for the boot monitor.
int attempts(updaterig::progressLog& log) {
    return log.count(phase::search, 0.0);
}

TEST_F(sequenceTest, imagesThatCannotBeFlashedEndAtOnceBeforeTheJoystickIsTouched) {
    const std::string empty = files.write("empty.bin", {});
    std::filesystem::create_directory(files.file("folder.bin"));
    struct imageCase {
        std::string path;
        std::string message;
    };
    const std::vector<imageCase> cases = {
        {files.file("gone.bin"), "File not file: " + files.file("gone.bin")},
        {"", "File not file: "},
        {files.file("folder.bin"), "File not file: " + files.file("folder.bin")},
        {empty, "Firmware file is empty: " + empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        firmwareUpdate::filewareUploadFilename = c.path;
        updaterig::progressLog progress;
        firmwareUpdate::options opts;
        opts.report = progress.callback();
        EXPECT_EQ(attempt(opts), firmwareUpdate::notStarted);
        EXPECT_EQ(firmwareUpdate::firmwareUploadErrorMessage, c.message);
        EXPECT_TRUE(progress.entries.empty());
    }

    // A link is known, yet the file alone decides: shown at once, one attempt only.
    sendReceive::activeState = 1;
    firmwareUpdate::filewareUploadFilename = files.file("gone.bin");
    EXPECT_EQ(upload(), firmwareUpdate::notStarted);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "File not file: " + files.file("gone.bin"));
    EXPECT_EQ(boxes.boxes()[0].caption, "Upload failed");
    EXPECT_EQ(boxes.boxes()[0].choice, platform::dialogs::buttons::ok);
}

TEST_F(sequenceTest, withoutJoystickOrMonitorTheFirstAttemptTellsAtOnceUnlessALinkIsKnown) {
    chooseImage("fw.bin", imagefiles::pattern(1000, 1));
    struct linkCase {
        std::int32_t activeState;
        std::int32_t currentConnection;
        int result;
        int attempts;
    };
    const std::vector<linkCase> cases = {
        {0, sendReceive::connectionNone, firmwareUpdate::notStarted, 1},
        {1, sendReceive::connectionHid, firmwareUpdate::attemptFailed, 5},
        {0, sendReceive::connectionBootMonitor, firmwareUpdate::attemptFailed, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.currentConnection);
        sendReceive::activeState = c.activeState;
        sendReceive::currentConnection = c.currentConnection;
        platform::dialogs::scripted shown;
        platform::dialogs::installGuard scope(shown);
        updaterig::progressLog progress;
        firmwareUpdate::options opts;
        opts.report = progress.callback();
        EXPECT_EQ(upload(opts), c.result);
        EXPECT_EQ(attempts(progress), c.attempts);
        // Three searches per attempt, none of them found the monitor.
        EXPECT_EQ(progress.count(phase::search, 1.0), 0);
        EXPECT_EQ(progress.count(phase::connect, 0.0), 0);
        ASSERT_EQ(shown.boxes().size(), 1u);
        EXPECT_EQ(shown.boxes()[0].text, noConnection);
        EXPECT_EQ(shown.boxes()[0].caption, "Upload failed");
    }
}

// A monitor that passes the client's chip check with an identifier the chip table
// lacks: five attempts, then the identifier in signed decimal.
TEST_F(sequenceTest, anUnknownChipIdentifierIsToldInSignedDecimalAfterFiveAttempts) {
    standaloneMonitor target(eefcWithId(0xA8000961)); // bit 31 set: negative
    sendReceive::currentConnection = sendReceive::connectionBootMonitor;
    chooseImage("fw.bin", imagefiles::pattern(1000, 1));
    updaterig::progressLog progress;
    firmwareUpdate::options opts;
    opts.report = progress.callback();

    EXPECT_EQ(upload(opts), firmwareUpdate::attemptFailed);
    EXPECT_EQ(attempts(progress), 5);
    EXPECT_EQ(progress.count(phase::erase, 0.0), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Flash for chip ID -1476392607 is not supported\n");
    EXPECT_EQ(boxes.boxes()[0].caption, "Upload failed");
    EXPECT_TRUE(updaterig::portIsFree(target.monitor->portPath()));

    target.monitor.reset();
    standaloneMonitor next(eefcWithId(0x28000960 + 1)); // the first ATSAM3U4 id plus one
    EXPECT_EQ(attempt(), firmwareUpdate::attemptFailed);
    EXPECT_EQ(firmwareUpdate::firmwareUploadErrorMessage,
              "Flash for chip ID 671091041 is not supported\n");
    EXPECT_TRUE(updaterig::portIsFree(next.monitor->portPath()));
}

struct failureCase {
    const char* name;
    std::function<void(updaterig::keptChip&)> install;
    sim::FlashFaults faults;
    bool extensions;
    std::size_t imageSize;
    std::string message;   // empty: "No device found on " and the port
    std::uint32_t oldWord; // a word of the old firmware
    bool erased;           // the flash was erased before the attempt failed
};

// One attempt that reaches the monitor and fails there; afterwards the monitor's
// port is free and the chip was not reset.
TEST_F(sequenceTest, attemptsFailingAtTheMonitorCloseItsPortAndLeaveTheChipInIt) {
    sim::FlashFaults none;
    sim::FlashFaults corrupt;
    corrupt.corruptAddress = imageBase + 3000;
    sim::FlashFaults locked;
    locked.lockError = true;
    const std::vector<failureCase> cases = {
        {"refusedByTheClient", eefcWithId(0x329973A0), none, true, 1000, "", 0x80100, false},
        {"verificationFails", installNvm, corrupt, true, 5000, "Flash verification failed", 0x2100,
         true},
        {"driverThrows", eefcWithId(0x285E0A60), locked, false, 5000, "Flash page is locked",
         0x80100, false},
        {"imageLargerThanTheFlash", installNvm, none, true, usableFlash + 1,
         "file operation exceeds flash size", 0x2100, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::BootMonitorOptions monitorOptions;
        monitorOptions.extensions = c.extensions;
        standaloneMonitor target(c.install, monitorOptions);
        firmwareUpdate::firmwareUploadErrorMessage.clear();
        target.chip.controller->setFaults(c.faults);
        // Old firmware, which only an erase removes.
        target.chip.memory.pokeWord(c.oldWord, 0x12345678);
        chooseImage("fw.bin", imagefiles::pattern(c.imageSize, 5));

        EXPECT_EQ(attempt(), firmwareUpdate::attemptFailed);
        EXPECT_EQ(firmwareUpdate::firmwareUploadErrorMessage,
                  c.message.empty() ? "No device found on " + target.monitor->portName() + "\n"
                                    : c.message);
        EXPECT_EQ(target.chip.memory.peekWord(c.oldWord) != 0x12345678, c.erased);
        EXPECT_EQ(target.chip.memory.resetRequests(), 0);
        EXPECT_TRUE(updaterig::portIsFree(target.monitor->portPath()));
        EXPECT_TRUE(boxes.boxes().empty());
    }
}

TEST_F(sequenceTest, cancellingTheSerialTestWarningKeepsTheLinkAndTheJoystickAsTheyWere) {
    auto chip = updaterig::nvmChip();
    auto joystick = updaterig::joystickOn(*chip);
    auto* link = joystick->serial();
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    ASSERT_TRUE(connectLink());
    joystick->faults().silent = true;
    chooseImage("fw.bin", imagefiles::pattern(1000, 1));
    boxes.answer(platform::dialogs::button::cancel);

    EXPECT_EQ(upload(), firmwareUpdate::cancelled);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Failed to receive serial message.\n"
                                     "New firmware might not upload successfully.\n"
                                     "Proceed anyway?");
    EXPECT_EQ(boxes.boxes()[0].caption, "Warning: Serial test failed");
    EXPECT_EQ(boxes.boxes()[0].choice, platform::dialogs::buttons::okCancelWarning);
    EXPECT_TRUE(serial.isConnected());
    EXPECT_EQ(link->currentPhase(), sim::SerialJoystick::phase::normal);
    EXPECT_EQ(chip->memory.resetRequests(), 0);
}

TEST_F(sequenceTest, acceptingTheSerialTestWarningGoesOnWithTheUpdate) {
    auto chip = updaterig::nvmChip();
    auto joystick = updaterig::joystickOn(*chip);
    auto* link = joystick->serial();
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    ASSERT_TRUE(connectLink());
    joystick->faults().silent = true;
    const auto image = imagefiles::pattern(3000, 9);
    chooseImage("fw.bin", image);
    boxes.answer(platform::dialogs::button::ok);

    EXPECT_EQ(upload(), firmwareUpdate::uploaded);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_FALSE(serial.isConnected());
    for (std::uint32_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(chip->memory.peekByte(imageBase + i), image[i]) << "image offset " << i;
}

// --port: the monitor's port is given; there is nothing to restart or search for.
TEST_F(sequenceTest, aGivenMonitorPortIsFlashedWithoutRestartOrSearch) {
    struct portCase {
        const char* name;
        sim::BootMonitorOptions::link transport;
    };
    for (const portCase c : {portCase{"usb", sim::BootMonitorOptions::link::usb},
                             portCase{"plainSerial", sim::BootMonitorOptions::link::serial}}) {
        SCOPED_TRACE(c.name);
        sim::BootMonitorOptions monitorOptions;
        monitorOptions.registerPort = false;
        monitorOptions.transport = c.transport;
        standaloneMonitor target(installNvm, monitorOptions);
        const auto image = imagefiles::pattern(2000, 4);
        chooseImage("fw.bin", image);
        updaterig::progressLog progress;
        firmwareUpdate::options opts;
        opts.monitorPort = target.monitor->portPath();
        opts.usb = c.transport == sim::BootMonitorOptions::link::usb;
        opts.report = progress.callback();

        EXPECT_EQ(attempt(opts), firmwareUpdate::uploaded)
            << firmwareUpdate::firmwareUploadErrorMessage;
        EXPECT_EQ(progress.count(phase::restart, 0.0), 0);
        EXPECT_EQ(attempts(progress), 0);
        EXPECT_EQ(target.chip.memory.resetRequests(), 1);
        for (std::uint32_t i = 0; i < image.size(); ++i)
            ASSERT_EQ(target.chip.memory.peekByte(imageBase + i), image[i]) << "offset " << i;
        EXPECT_TRUE(updaterig::portIsFree(target.monitor->portPath()));
    }
}

TEST_F(sequenceTest, theTouchOpensAt1200BaudWritesNothingAndClosesTheLink) {
    sim::JoystickOptions options;
    options.hid = false;
    options.serialOptions.bootEntryDelayMs = 10;
    sim::Joystick joystick(options); // no monitor: the port only takes bytes
    auto* link = joystick.serial();
    ASSERT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::normal, 3000));
    ASSERT_TRUE(connectLink());

    EXPECT_TRUE(serial.bootloaderReset());
    EXPECT_FALSE(serial.isConnected());
    EXPECT_FALSE(serial.hSerial.isOpen());
    EXPECT_TRUE(link->waitForPhase(sim::SerialJoystick::phase::bootMonitor, 3000));
    EXPECT_TRUE(link->received().empty());

    serial.portPath = files.file("no-such-tty");
    serial.connectRetries = 3;
    EXPECT_FALSE(serial.bootloaderReset());
    EXPECT_FALSE(serial.hSerial.isOpen());
    serial.connectRetries = serialConnection::defaultConnectRetries;
}

TEST(firmwareUpdateNames, theFileNameShownIsThePathAfterItsLastSlashOrBackslash) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\fw\\stick.bin", "stick.bin"},
        {"/home/user/fw/stick.bin", "stick.bin"},
        {"/home/user/a\\b.bin", "b.bin"},
        {"stick.bin", "stick.bin"},
        {"/home/user/", ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(firmwareUpdate::shortenedFilename(path), name) << path;
}

} // namespace
