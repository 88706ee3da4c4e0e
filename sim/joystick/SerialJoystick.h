#pragma once

#include "platform/usbDevices.h"
#include "sim/joystick/BootEntry.h"
#include "sim/joystick/JoystickState.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sim {

class PtyMaster;

struct SerialJoystickOptions {
    // Time between the joystick's port going and the boot monitor's appearing.
    int bootEntryDelayMs = 200;
    // Without a factory the joystick only reappears under the boot monitor's hardware
    // identifier, on a port that takes bytes and never answers.
    BootMonitorFactory bootMonitor;
};

// The joystick's USB serial port on a pseudo-terminal, served by a thread of its own
// and listed in platform::usbDevices with the joystick's hardware identifier.
class SerialJoystick {
public:
    explicit SerialJoystick(JoystickState& state, SerialJoystickOptions options = {});
    ~SerialJoystick();
    SerialJoystick(const SerialJoystick&) = delete;
    SerialJoystick& operator=(const SerialJoystick&) = delete;

    enum class phase { unplugged, normal, bootMonitor };
    phase currentPhase() const;
    // The slave of the joystick's port; empty while it is not there.
    std::string portPath() const;
    std::string portName() const;

    // Take effect before they return.
    void unplug();
    void plug();
    // Back from the boot monitor to normal operation.
    void restart();

    // Waits until the phase is `wanted`; false after `timeoutMs`.
    bool waitForPhase(phase wanted, int timeoutMs) const;
    // Every block of bytes received in one read, oldest first.
    std::vector<std::vector<std::uint8_t>> received() const;

private:
    void serve();
    void handle(const std::uint8_t* bytes, std::size_t size);
    void answer(std::vector<std::uint8_t> bytes);
    void appear(bool asBootMonitor);
    void disappear();

    JoystickState& state;
    SerialJoystickOptions options;

    mutable std::mutex lock;
    mutable std::condition_variable changed;
    phase current = phase::unplugged;
    phase wanted = phase::normal;
    bool stopping = false;
    std::string path, name;
    std::vector<std::vector<std::uint8_t>> log;

    // Serving thread only.
    std::unique_ptr<PtyMaster> line;
    std::unique_ptr<BootMonitorSession> monitor;
    platform::usbDevices::token registration = 0;
    std::vector<std::uint8_t> pending;
    std::thread server;
};

} // namespace sim
