#pragma once

#include <functional>
#include <string>

// The user's firmware update: the joystick restarted into its boot monitor by the
// 1200-baud touch, the monitor found, the chip identified, the image erased, written
// and verified, and the chip reset into it. Blocks the calling thread throughout.
// Errors of the uploader are caught here and only here; their text becomes
// firmwareUploadErrorMessage.
namespace firmwareUpdate {

// Results of runFirmwareUploadSequence.
inline constexpr int uploaded = 0;
inline constexpr int notStarted = 1; // nothing to repeat: no file, or no joystick known
inline constexpr int attemptFailed = 2;
inline constexpr int cancelled = 3; // at the serial-test warning

inline constexpr int maxAttempts = 5;
// Time the joystick needs after the touch to come up as its boot monitor.
inline constexpr int restartWaitMilliseconds = 1500;
inline constexpr int monitorSearches = 3;
inline constexpr int monitorSearchWaitMilliseconds = 150;
inline constexpr int fallbackBaud = 115200;

// What an attempt is doing, in order.
enum class phase { restart, search, connect, erase, write, verify, reset };
// Called with the phase and the part of it done, 0.0 to 1.0.
using progress = std::function<void(phase, double fraction)>;

struct options {
    // Non-empty: the boot monitor's port (a name under /dev or a path); the restart and
    // the search are skipped.
    std::string monitorPort;
    // False: the monitor sits on a plain serial line (auto-baud, XMODEM blocks).
    bool usb = true;
    progress report;
};

// The chosen firmware image; empty when none is chosen.
extern std::string filewareUploadFilename;
// Why the last attempt failed.
extern std::string firmwareUploadErrorMessage;

// One attempt; returns one of the results above. The settings serial link is closed
// afterwards, except when the user cancelled.
int runFirmwareUploadSequence(const options& opts = {});

// Attempts until one succeeds, the user cancels, or five have failed (a result of
// notStarted on the first attempt ends at once). A failure is shown in an "Upload
// failed" message box. Returns the last attempt's result.
int uploadFirmware(const options& opts = {});

// The path after its last "/" and then after its last "\".
std::string shortenedFilename(const std::string& path);

} // namespace firmwareUpdate
