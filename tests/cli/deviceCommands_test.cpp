#include "cliRunner.h"
#include "testSupport.h"

#include "sim/joystick/JoystickState.h"
#include "sim/joystick/SerialJoystick.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace testSupport;
using cliRunner::run;

// Every test gets a runtime directory of its own, so the simulated joystick's state
// file starts absent and no two tests share it.
class deviceCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        if (old) {
            previous = old;
        }
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    }
    void TearDown() override {
        if (previous.empty()) {
            ::unsetenv("XDG_RUNTIME_DIR");
        } else {
            ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
        }
    }

    std::string stateFile() const { return runtime.file("marlovan/simulated-joystick.jxc"); }

    tempDir runtime;
    tempDir work;
    std::string previous;
};

// A settings file that differs from the defaults: LEDs, two modes, mode B smoothing.
std::string profileFile(const tempDir& dir) {
    const std::string json = dir.file("profile.json");
    const std::string jxc = dir.file("profile.jxc");
    const std::string text = R"({"LEDoutput": 2, "numModes": 2,
        "modes": [{}, {"smoothing": {"value": 2.5, "knobControlled": false, "knobValue": 0}}, {}]})";
    writeBytes(json, std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(run({"encode", json, jxc}).exitCode, 0);
    return jxc;
}

TEST_F(deviceCommands, simulatedSendThenReceiveGivesTheSameFileOverEitherLink) {
    const std::string sent = profileFile(work);
    ASSERT_NE(readBytes(sent), defaultFile());

    auto send = run({"--simulate", "send", sent});
    EXPECT_EQ(send.exitCode, 0) << send.err;
    EXPECT_EQ(send.out, "Sent via serial (Send)\n");
    EXPECT_EQ(send.err, "");

    const std::string overSerial = work.file("serial.jxc");
    auto receive = run({"--simulate", "receive", overSerial});
    EXPECT_EQ(receive.exitCode, 0) << receive.err;
    EXPECT_EQ(receive.out, "Received via serial (Receive)\n");
    EXPECT_EQ(readBytes(overSerial), readBytes(sent));

    const std::string overHid = work.file("hid.jxc");
    receive = run({"receive", overHid, "--hid", "--simulate"});
    EXPECT_EQ(receive.exitCode, 0) << receive.err;
    EXPECT_EQ(receive.out, "Received via HID (Receive)\n");
    EXPECT_EQ(readBytes(overHid), readBytes(sent));

    // Back to the defaults over HID, read back over serial.
    const std::string defaults = work.file("defaults.jxc");
    ASSERT_EQ(run({"defaults", defaults}).exitCode, 0);
    send = run({"--simulate", "send", "--hid", defaults});
    EXPECT_EQ(send.out, "Sent via HID (Send)\n");
    receive = run({"--simulate", "receive", overSerial});
    EXPECT_EQ(readBytes(overSerial), defaultFile());
}

TEST_F(deviceCommands, aDamagedStateFileLeavesTheSimulatedJoystickAtItsDefaults) {
    ::mkdir(runtime.file("marlovan").c_str(), 0700);
    writeBytes(stateFile(), {0xE0, 0x00, 0x01, 0x05, 0x00}); // cut short
    const std::string out = work.file("out.jxc");
    auto receive = run({"--simulate", "receive", out});
    EXPECT_EQ(receive.exitCode, 0) << receive.err;
    EXPECT_EQ(readBytes(out), defaultFile());
}

TEST_F(deviceCommands, infoPrintsTheFirmwareVersionAndTheErrorReport) {
    // Over serial, and over HID alone.
    for (bool hidOnly : {false, true}) {
        SCOPED_TRACE(hidOnly);
        std::vector<std::string> args{"--simulate", "info"};
        if (hidOnly) {
            args.push_back("--hid");
        }
        auto info = run(args);
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_EQ(info.out, "Firmware: 1.0.5\nNo errors detected\n");
    }
}

TEST_F(deviceCommands, infoListsTheJoysticksErrorsOneLineEach) {
    sim::JoystickState state;
    state.firmwareMajor = 2;
    state.firmwareMinor = 13;
    state.firmwarePatch = 255;
    state.miscErrors = 0x01;
    state.loadCellErrors = 0x8000;
    sim::SerialJoystick joystick(state);

    auto info = run({"info", "--port", joystick.portPath()});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out, "Firmware: 2.13.255\nErrors detected:\n"
                        "Misc (0): Base amplifier connection failed\n"
                        "LC (15): Load cell ZFL is outside valid range\n");
}

TEST_F(deviceCommands, portsListsWhatTheSearchSees) {
    auto ports = run({"--simulate", "ports"});
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_NE(ports.out.find("Serial ports:\n"), std::string::npos);
    EXPECT_NE(ports.out.find("USB\\VID_1209&PID_4A58  joystick\n"), std::string::npos) << ports.out;
    EXPECT_NE(
        ports.out.find("Joystick HID interfaces:\n  sim:hidraw/joystick  USB\\VID_1209&PID_4A58\n"),
        std::string::npos)
        << ports.out;
}

TEST_F(deviceCommands, aChosenPortIsUsedAsTheJoysticksSerialPort) {
    // The joystick in this process, on a pseudo-terminal that only --port names.
    sim::JoystickState state;
    const std::string sent = profileFile(work);
    sim::SerialJoystick joystick(state);

    auto send = run({"send", sent, "--port", joystick.portPath()});
    EXPECT_EQ(send.exitCode, 0) << send.err;
    EXPECT_EQ(send.out, "Sent via serial (Send)\n");
    // The joystick holds the file's block; only the start packet's count differs.
    auto stored = state.storedBlock();
    auto file = readBytes(sent);
    ASSERT_EQ(stored.size(), file.size());
    EXPECT_EQ(stored[3], file.size() / 7);
    std::fill(stored.begin() + 3, stored.begin() + 7, 0);
    EXPECT_EQ(stored, file);

    const std::string back = work.file("back.jxc");
    auto receive = run({"receive", back, "--port", joystick.portPath()});
    EXPECT_EQ(receive.out, "Received via serial (Receive)\n");
    EXPECT_EQ(readBytes(back), file);
}

TEST_F(deviceCommands, failuresGoToStandardErrorWithStatusOne) {
    const std::string defaults = work.file("defaults.jxc");
    ASSERT_EQ(run({"defaults", defaults}).exitCode, 0);
    const std::string missing = work.file("missing.jxc");

    struct row {
        std::vector<std::string> args;
        std::string err;
    };
    const row rows[] = {
        {{"send", defaults, "--port", "/nonexistent/tty"},
         "Failed to send settings (Not connected)\n"},
        {{"receive", work.file("never.jxc"), "--port", "/nonexistent/tty"},
         "Failed to receive settings (Not connected)\n"},
        {{"info", "--port", "/nonexistent/tty"}, "Failed connect (Serial/HID)\n"},
        {{"send", missing, "--simulate"}, missing + " (File not found!)\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args[0]);
        auto result = run(r.args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, r.err);
    }
    EXPECT_FALSE(std::filesystem::exists(work.file("never.jxc")));
}

TEST_F(deviceCommands, portAndHidTogetherIsAUsageError) {
    auto result = run({"send", "x.jxc", "--hid", "--port", "/dev/null"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Usage:"), std::string::npos);
}

// Runs the CLI as the user `nobody`, who may not open a root-owned pseudo-terminal.
cliRunner::result runAsNobody(const std::vector<std::string>& args) {
    tempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");
    ::chmod(capture.path().c_str(), 0777);
    std::vector<std::string> argv{MARLOVAN_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_t child = fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || setgid(65534) != 0 ||
            setuid(65534) != 0) {
            _exit(127);
        }
        std::vector<char*> raw;
        for (auto& a : argv) {
            raw.push_back(a.data());
        }
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    cliRunner::result r;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        r.exitCode = WEXITSTATUS(status);
    }
    auto bytes = readBytes(errPath);
    r.err.assign(bytes.begin(), bytes.end());
    bytes = readBytes(outPath);
    r.out.assign(bytes.begin(), bytes.end());
    return r;
}

TEST_F(deviceCommands, aPortThatMayNotBeOpenedSaysHowToGetAccess) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as another user";
    }
    sim::JoystickState state;
    sim::SerialJoystick joystick(state);
    ::chmod(joystick.portPath().c_str(), 0600);

    auto info = runAsNobody({"info", "--port", joystick.portPath()});
    if (info.exitCode == 127) {
        GTEST_SKIP() << "cannot run the program as nobody here";
    }
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_NE(info.err.find("Failed connect (Serial/HID)\n"), std::string::npos) << info.err;
    EXPECT_NE(info.err.find("serial port " + joystick.portPath() +
                            " is present but may not be opened (permission denied)"),
              std::string::npos)
        << info.err;
    EXPECT_NE(info.err.find("sudo usermod -aG"), std::string::npos) << info.err;
}

} // namespace
