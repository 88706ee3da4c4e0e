#include "sim/joystick/SerialJoystick.h"

#include "device/joystickIds.h"
#include "sim/pty/PtyMaster.h"

#include <chrono>

namespace sim {

namespace {

using clock = std::chrono::steady_clock;

constexpr std::size_t packetSize = 7;
constexpr std::uint32_t maxBlockPackets = 585;
constexpr int touchBaud = 1200;
// Bytes of an unfinished packet or block are dropped after this long without more.
constexpr auto staleAfter = std::chrono::milliseconds(200);
constexpr std::size_t logLimit = 1000;
// Far longer than the pause that ends an answer, and than a busy machine holds up the
// program reading it: a split answer stays split however loaded the machine is.
constexpr int splitGapMs = 200;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint32_t valueOf(const std::uint8_t* p) {
    return std::uint32_t{p[3]} | std::uint32_t{p[4]} << 8 | std::uint32_t{p[5]} << 16 |
           std::uint32_t{p[6]} << 24;
}

} // namespace

SerialJoystick::SerialJoystick(JoystickState& joystickState, SerialJoystickOptions opts)
    : state(joystickState), options(std::move(opts)) {
    server = std::thread([this] { serve(); });
    waitForPhase(phase::normal, 2000);
}

SerialJoystick::~SerialJoystick() {
    {
        std::lock_guard guard(lock);
        stopping = true;
    }
    changed.notify_all();
    server.join();
}

SerialJoystick::phase SerialJoystick::currentPhase() const {
    std::lock_guard guard(lock);
    return current;
}

std::string SerialJoystick::portPath() const {
    std::lock_guard guard(lock);
    return path;
}

std::string SerialJoystick::portName() const {
    std::lock_guard guard(lock);
    return name;
}

void SerialJoystick::unplug() {
    {
        std::lock_guard guard(lock);
        wanted = phase::unplugged;
    }
    waitForPhase(phase::unplugged, 2000);
}

void SerialJoystick::plug() {
    {
        std::lock_guard guard(lock);
        wanted = phase::normal;
    }
    waitForPhase(phase::normal, 2000);
}

void SerialJoystick::restart() {
    plug();
}

bool SerialJoystick::waitForPhase(phase target, int timeoutMs) const {
    std::unique_lock guard(lock);
    return changed.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                            [&] { return current == target; });
}

std::vector<std::vector<std::uint8_t>> SerialJoystick::received() const {
    std::lock_guard guard(lock);
    return log;
}

void SerialJoystick::appear(bool asBootMonitor) {
    auto pty = std::make_unique<PtyMaster>();
    if (!pty->isOpen())
        return;
    platform::usbDevices::serialPort port;
    port.portPath = pty->slavePath();
    port.portName = pty->slaveName();
    port.hardwareId =
        asBootMonitor
            ? platform::usbDevices::hardwareIdentifier(joystickIds::bootMonitorVendor,
                                                       joystickIds::bootMonitorProduct)
            : platform::usbDevices::hardwareIdentifier(joystickIds::vendor, joystickIds::product);
    port.isUsb = true;
    line = std::move(pty);
    pending.clear();
    {
        std::lock_guard guard(lock);
        path = port.portPath;
        name = port.portName;
    }
    registration = platform::usbDevices::registerSerialPort(port);
}

void SerialJoystick::disappear() {
    if (registration != 0) {
        platform::usbDevices::unregister(registration);
        registration = 0;
    }
    line.reset();
    pending.clear();
    std::lock_guard guard(lock);
    path.clear();
    name.clear();
}

void SerialJoystick::serve() {
    auto setPhase = [&](phase p) {
        {
            std::lock_guard guard(lock);
            current = p;
        }
        changed.notify_all();
    };
    auto lastData = clock::now();
    std::uint8_t buffer[4096];
    while (true) {
        phase now, target;
        {
            std::lock_guard guard(lock);
            if (stopping)
                break;
            now = current;
            target = wanted;
        }
        if (target == phase::unplugged && now != phase::unplugged) {
            monitor.reset();
            disappear();
            setPhase(phase::unplugged);
            continue;
        }
        if (target == phase::normal && now != phase::normal) {
            if (now == phase::bootMonitor) {
                monitor.reset();
                disappear();
                sleepMs(options.bootEntryDelayMs);
            }
            appear(false);
            setPhase(line ? phase::normal : phase::unplugged);
            continue;
        }
        if (!line) {
            sleepMs(5);
            continue;
        }
        auto waited = line->waitForData(5);
        if (waited == PtyMaster::wait::data) {
            int n = line->read(buffer, sizeof buffer);
            if (n > 0) {
                {
                    std::lock_guard guard(lock);
                    if (log.size() < logLimit)
                        log.emplace_back(buffer, buffer + n);
                }
                lastData = clock::now();
                if (now == phase::normal)
                    handle(buffer, static_cast<std::size_t>(n));
            }
            continue;
        }
        if (waited == PtyMaster::wait::closed) {
            pending.clear();
            // The slave keeps its line settings while closed: the rate it was closed at.
            if (now == phase::normal && line->lineBaud() == touchBaud) {
                // Opened at 1200 baud and closed again: restart into the boot monitor.
                disappear();
                sleepMs(options.bootEntryDelayMs);
                {
                    std::lock_guard guard(lock);
                    wanted = phase::bootMonitor;
                }
                if (options.bootMonitor)
                    monitor = options.bootMonitor([this] {
                        {
                            std::lock_guard guard(lock);
                            wanted = phase::normal;
                        }
                        changed.notify_all();
                    });
                else
                    appear(true);
                setPhase(phase::bootMonitor);
                continue;
            }
            sleepMs(5);
            continue;
        }
        if (!pending.empty() && clock::now() - lastData > staleAfter)
            pending.clear();
    }
    monitor.reset();
    disappear();
}

void SerialJoystick::handle(const std::uint8_t* bytes, std::size_t size) {
    pending.insert(pending.end(), bytes, bytes + size);
    while (pending.size() >= packetSize) {
        packet p;
        std::copy_n(pending.begin(), packetSize, p.begin());
        if (p[0] == 0xE0 && p[2] == 1) {
            // A settings block, announced by its start packet: echoed whole, in one write.
            std::uint32_t count = valueOf(p.data());
            if (count < 1 || count > maxBlockPackets) {
                pending.erase(pending.begin(), pending.begin() + packetSize);
                continue;
            }
            std::size_t need = count * packetSize;
            if (pending.size() < need)
                return;
            std::vector<std::uint8_t> block(pending.begin(), pending.begin() + need);
            pending.erase(pending.begin(), pending.begin() + need);
            state.storeBlock(block);
            answer(std::move(block));
            continue;
        }
        pending.erase(pending.begin(), pending.begin() + packetSize);
        if (p[0] == 0xE0 && p[2] == 0) {
            answer(state.outgoingBlock());
        } else if (auto reply = state.reply(p)) {
            answer(std::vector<std::uint8_t>(reply->begin(), reply->end()));
        } else {
            state.command(p);
        }
    }
}

void SerialJoystick::answer(std::vector<std::uint8_t> bytes) {
    auto& faults = state.faults;
    if (faults.silent || bytes.empty() || !line)
        return;
    if (faults.corruptReplies)
        bytes.back() ^= 0x01;
    if (faults.staleBytes)
        bytes.insert(bytes.begin(), 0x00);
    // A program that stops reading loses the rest after a few seconds.
    auto write = [&](const std::uint8_t* data, std::size_t size) {
        line->write(data, size, clock::now() + std::chrono::seconds(3));
    };
    if (faults.splitReplies && bytes.size() > 1) {
        std::size_t half = bytes.size() / 2;
        write(bytes.data(), half);
        sleepMs(splitGapMs);
        write(bytes.data() + half, bytes.size() - half);
        return;
    }
    write(bytes.data(), bytes.size());
}

} // namespace sim
