#include "firmwareuploader/firmwareUpdate.h"

#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "firmwareuploader/FileError.h"
#include "firmwareuploader/Flash.h"
#include "firmwareuploader/FlashFactory.h"
#include "firmwareuploader/Flasher.h"
#include "firmwareuploader/PosixPortFactory.h"
#include "firmwareuploader/Samba.h"
#include "platform/dialogs.h"
#include "platform/tty.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

namespace firmwareUpdate {

std::string filewareUploadFilename;
std::string firmwareUploadErrorMessage;

namespace {

constexpr const char* serialTestWarning = "Failed to receive serial message.\n"
                                          "New firmware might not upload successfully.\n"
                                          "Proceed anyway?";
constexpr const char* serialTestCaption = "Warning: Serial test failed";
constexpr const char* noConnectionMessage =
    "Failed to make serial connection. Check that the joystick\n"
    "is plugged in and that it can connect over serial.";

void tell(const options& opts, phase p, double fraction) {
    if (opts.report)
        opts.report(p, fraction);
}

enum class imageState { readable, missing, empty };

// A directory or anything else that is not a plain file cannot be an image.
imageState checkImage(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return imageState::missing;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return imageState::missing;
    const bool atEnd = std::fgetc(file) == EOF;
    const bool unreadable = atEnd && std::ferror(file);
    std::fclose(file);
    if (unreadable)
        return imageState::missing;
    return atEnd ? imageState::empty : imageState::readable;
}

// Checks the serial link before it is given up; false when the user cancels.
bool serialTestAccepted() {
    if (!serial.isConnected())
        return true;
    if (serial.sendRequestFirmwareVersion() == serialConnection::noReply &&
        platform::dialogs::messageBox(serialTestWarning, serialTestCaption,
                                      platform::dialogs::buttons::okCancelWarning) ==
            platform::dialogs::button::cancel)
        return false;
    serial.disconnect();
    return true;
}

// The 1200-baud touch on the joystick's own port, when it has one: it may already
// sit in its boot monitor.
void restartIntoBootMonitor(const options& opts) {
    tell(opts, phase::restart, 0.0);
    if (serial.getComPortPath(false, false)) {
        serial.bootloaderReset();
        platform::sleepMilliseconds(restartWaitMilliseconds);
    }
    tell(opts, phase::restart, 1.0);
}

bool findBootMonitor(const options& opts) {
    for (int search = 0; search < monitorSearches; ++search) {
        tell(opts, phase::search, static_cast<double>(search) / monitorSearches);
        if (serial.getComPortPath(false, true)) {
            tell(opts, phase::search, 1.0);
            return true;
        }
        platform::sleepMilliseconds(monitorSearchWaitMilliseconds);
    }
    return false;
}

// An image larger than the flash is refused before the erase, so that the firmware
// in the joystick survives a file that could never fit.
void refuseOversizedImage(Flash& flash, const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > std::uintmax_t(flash.numPages()) * flash.pageSize())
        throw FileSizeError();
}

phase phaseOf(Flasher::Phase p) {
    switch (p) {
    case Flasher::Phase::erase:
        return phase::erase;
    case Flasher::Phase::write:
        return phase::write;
    case Flasher::Phase::verify:
        return phase::verify;
    case Flasher::Phase::read:
        break;
    }
    return phase::verify;
}

// One attempt on the monitor's port. The objects are destroyed in reverse order on
// every way out, exceptions included: the driver first and the monitor client with
// its port last, so the port is closed when this returns.
int flashOnPort(const std::string& portName, const options& opts) {
    const std::string image = filewareUploadFilename;
    Samba samba;
    samba.setDebug(true);
    PosixPortFactory portFactory;
    FlashFactory flashFactory;
    Flash::Ptr flash;

    tell(opts, phase::connect, 0.0);
    if (!samba.connect(portFactory.create(portName, opts.usb), fallbackBaud)) {
        firmwareUploadErrorMessage = "No device found on " + portName + "\n";
        return attemptFailed;
    }
    const std::uint32_t chipId = samba.chipId();
    flash = flashFactory.create(samba, chipId);
    if (!flash) {
        firmwareUploadErrorMessage = FlashFactory::unsupportedMessage(chipId);
        return attemptFailed;
    }
    tell(opts, phase::connect, 1.0);

    Flasher flasher(
        flash, [&opts](Flasher::Phase p, double fraction) { tell(opts, phaseOf(p), fraction); });
    flasher.info(samba);
    refuseOversizedImage(*flash, image);
    flasher.erase();
    flasher.write(image);
    tell(opts, phase::verify, 0.0);
    if (!flasher.verify(image)) {
        // Not reset: the chip stays in its monitor for the next attempt.
        firmwareUploadErrorMessage = "Flash verification failed";
        return attemptFailed;
    }
    tell(opts, phase::verify, 1.0);
    tell(opts, phase::reset, 0.0);
    samba.reset();
    tell(opts, phase::reset, 1.0);
    return uploaded;
}

// The one place where the uploader's exceptions end; their text is what the user is
// told.
int attemptOnPort(const std::string& portName, const options& opts) {
    try {
        return flashOnPort(portName, opts);
    } catch (const std::exception& e) {
        firmwareUploadErrorMessage = e.what();
    } catch (...) {
        firmwareUploadErrorMessage = "Unhandled exception";
    }
    return attemptFailed;
}

} // namespace

int runFirmwareUploadSequence(const options& opts) {
    switch (checkImage(filewareUploadFilename)) {
    case imageState::missing:
        firmwareUploadErrorMessage = "File not file: " + filewareUploadFilename;
        return notStarted;
    case imageState::empty:
        // Flashing nothing would erase the joystick's firmware and report success.
        firmwareUploadErrorMessage = "Firmware file is empty: " + filewareUploadFilename;
        return notStarted;
    case imageState::readable:
        break;
    }

    if (!serialTestAccepted())
        return cancelled;

    std::string portName = opts.monitorPort;
    if (portName.empty()) {
        restartIntoBootMonitor(opts);
        if (!findBootMonitor(opts)) {
            firmwareUploadErrorMessage = noConnectionMessage;
            return sendReceive::activeState == 1 ||
                           sendReceive::currentConnection == sendReceive::connectionBootMonitor
                       ? attemptFailed
                       : notStarted;
        }
        portName = serial.portName;
    }
    return attemptOnPort(portName, opts);
}

int uploadFirmware(const options& opts) {
    int failures = 0;
    while (true) {
        const int result = runFirmwareUploadSequence(opts);
        if (result == uploaded || result == cancelled)
            return result;
        if ((result == notStarted && failures == 0) || ++failures >= maxAttempts) {
            platform::dialogs::messageBox(firmwareUploadErrorMessage, "Upload failed");
            return result;
        }
    }
}

std::string shortenedFilename(const std::string& path) {
    std::string name = path;
    if (const auto slash = name.find_last_of('/'); slash != std::string::npos)
        name = name.substr(slash + 1);
    if (const auto backslash = name.find_last_of('\\'); backslash != std::string::npos)
        name = name.substr(backslash + 1);
    return name;
}

} // namespace firmwareUpdate
