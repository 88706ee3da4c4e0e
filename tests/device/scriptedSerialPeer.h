#pragma once

#include "device/joystickIds.h"
#include "platform/usbDevices.h"
#include "sim/pty/PtyMaster.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A serial device that answers every 7 bytes it receives with one fixed reply, written
// at once or in pieces: for answers the simulated joystick never gives (wrong counts,
// short blocks, a block in USB-sized pieces). Listed under the hardware identifier
// given.
class scriptedSerialPeer {
public:
    explicit scriptedSerialPeer(std::vector<std::uint8_t> reply,
                                std::uint16_t vendor = joystickIds::vendor,
                                std::uint16_t product = joystickIds::product)
        : answer(std::move(reply)) {
        platform::usbDevices::serialPort port;
        port.portPath = pty.slavePath();
        port.portName = pty.slaveName();
        port.hardwareId = platform::usbDevices::hardwareIdentifier(vendor, product);
        port.isUsb = true;
        registration = platform::usbDevices::registerSerialPort(port);
        server = std::thread([this] { serve(); });
    }
    ~scriptedSerialPeer() {
        stopping = true;
        server.join();
        platform::usbDevices::unregister(registration);
    }
    scriptedSerialPeer(const scriptedSerialPeer&) = delete;
    scriptedSerialPeer& operator=(const scriptedSerialPeer&) = delete;

    // Later replies go out in pieces of `size` bytes, `gapMs` apart.
    void inPieces(std::size_t size, int gapMs) {
        pieceSize = size;
        pieceGapMs = gapMs;
    }

    const std::string& path() const { return pty.slavePath(); }
    // The longest time between two pieces of the first reply, once it has gone out
    // whole: longer than intended when a loaded machine held the peer's thread up.
    std::chrono::microseconds widestGap() const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (repliesDone == 0 && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return std::chrono::microseconds(gapUs.load());
    }
    int requestsSeen() const { return requests; }
    std::vector<std::uint8_t> received() const {
        std::lock_guard guard(lock);
        return log;
    }

private:
    void serve() {
        std::uint8_t buffer[4096];
        std::size_t pending = 0;
        while (!stopping) {
            if (pty.waitForData(5) != sim::PtyMaster::wait::data) {
                continue;
            }
            int n = pty.read(buffer, sizeof buffer);
            if (n <= 0) {
                continue;
            }
            {
                std::lock_guard guard(lock);
                log.insert(log.end(), buffer, buffer + n);
            }
            pending += static_cast<std::size_t>(n);
            while (pending >= 7) {
                pending -= 7;
                ++requests;
                reply();
            }
        }
    }

    void reply() {
        using clock = std::chrono::steady_clock;
        const std::size_t piece = pieceSize == 0 ? answer.size() : std::size_t{pieceSize};
        std::int64_t widest = 0;
        auto previous = clock::now();
        for (std::size_t at = 0; at < answer.size(); at += piece) {
            if (at > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(pieceGapMs));
            }
            const auto now = clock::now();
            if (at > 0) {
                widest = std::max<std::int64_t>(
                    widest,
                    std::chrono::duration_cast<std::chrono::microseconds>(now - previous).count());
            }
            pty.write(answer.data() + at, std::min(piece, answer.size() - at),
                      clock::now() + std::chrono::seconds(3));
            previous = clock::now();
        }
        if (repliesDone == 0) {
            gapUs = widest;
        }
        ++repliesDone;
    }

    std::vector<std::uint8_t> answer;
    std::atomic<std::size_t> pieceSize{0};
    std::atomic<int> pieceGapMs{0};
    sim::PtyMaster pty;
    platform::usbDevices::token registration = 0;
    std::atomic<bool> stopping{false};
    std::atomic<int> requests{0};
    std::atomic<std::int64_t> gapUs{0};
    std::atomic<int> repliesDone{0};
    mutable std::mutex lock;
    std::vector<std::uint8_t> log;
    std::thread server;
};
