#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

// The device end (master) of a pseudo-terminal whose slave the program opens as the
// joystick's serial port. Non-blocking; used from one thread.
class JoystickPty {
public:
    JoystickPty(); // check isOpen()
    ~JoystickPty();
    JoystickPty(const JoystickPty&) = delete;
    JoystickPty& operator=(const JoystickPty&) = delete;

    bool isOpen() const { return master >= 0; }
    const std::string& slavePath() const { return path; } // "/dev/pts/3"
    std::string slaveName() const;                        // "pts/3"
    void close();

    enum class wait { data, closed, idle };
    // Waits up to `timeoutMs` for bytes from the program; `closed` while the program
    // has the slave closed (returned without waiting).
    wait waitForData(int timeoutMs);
    // What the program wrote, at most `size` bytes; 0 when nothing is there.
    int read(std::uint8_t* buffer, std::size_t size);
    // One write of all bytes (waits while the program's input queue is full, at most a
    // few seconds). False when not everything went.
    bool write(const std::uint8_t* data, std::size_t size);
    // The baud rate the program set on its end; 0 when unknown.
    int slaveBaud() const;

private:
    int master = -1;
    std::string path;
};

} // namespace sim
