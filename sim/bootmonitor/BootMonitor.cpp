#include "sim/bootmonitor/BootMonitor.h"

#include "sim/bootmonitor/MonitorXmodem.h"

#include <chrono>
#include <cstdio>

namespace sim {

namespace {

constexpr int rawByteTimeoutMs = 1000;

int hexDigit(std::uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

BootMonitor::BootMonitor(TargetMemory& target, BootMonitorOptions opts)
    : memory(target), options(std::move(opts)) {
    naksLeft = options.xmodemNaks;
    corruptLeft = options.xmodemCorruptBlocks;
    lostAcksLeft = options.xmodemLostAcks;
    autoBaudSeen = options.transport == BootMonitorOptions::link::usb;
    if (!line.isOpen())
        return;
    if (options.registerPort) {
        platform::usbDevices::serialPort entry;
        entry.portPath = line.slavePath();
        entry.portName = line.slaveName();
        if (options.transport == BootMonitorOptions::link::usb) {
            entry.hardwareId = platform::usbDevices::hardwareIdentifier(vendorId, productId);
            entry.isUsb = true;
        }
        registration = platform::usbDevices::registerSerialPort(entry);
    }
    worker = std::thread([this] { serve(); });
}

BootMonitor::~BootMonitor() {
    line.stop();
    if (worker.joinable())
        worker.join();
    if (registration != 0)
        platform::usbDevices::unregister(registration);
}

std::string BootMonitor::versionText() const {
    if (!options.version.empty())
        return options.version;
    return options.extensions ? "v2.0 [Arduino:XYZ] Dec 10 2026 10:00:00"
                              : "v1.1 Dec 10 2026 10:00:00";
}

std::vector<std::string> BootMonitor::commands() const {
    std::lock_guard<std::mutex> g(logLock);
    return commandLog;
}

std::vector<std::uint8_t> BootMonitor::received() const {
    std::lock_guard<std::mutex> g(logLock);
    return byteLog;
}

void BootMonitor::clearLog() {
    std::lock_guard<std::mutex> g(logLock);
    commandLog.clear();
    byteLog.clear();
}

bool BootMonitor::waitForCommands(std::size_t count, int timeoutMs) const {
    std::unique_lock<std::mutex> g(logLock);
    return logChanged.wait_for(g, std::chrono::milliseconds(timeoutMs),
                               [&] { return commandLog.size() >= count; });
}

int BootMonitor::nextByte(int timeoutMs) {
    for (;;) {
        const int c = line.get(timeoutMs);
        if (c < 0)
            return c;
        // At a rate the monitor does not listen on, a byte is only noise.
        if (options.requiredBaud != 0 && line.lineBaud() != options.requiredBaud)
            continue;
        std::lock_guard<std::mutex> g(logLock);
        byteLog.push_back(static_cast<std::uint8_t>(c));
        return c;
    }
}

void BootMonitor::serve() {
    try {
        for (;;) {
            const int c = nextByte(200);
            if (c >= 0)
                take(static_cast<std::uint8_t>(c));
        }
    } catch (const PseudoTerminal::stopped&) {
    }
}

void BootMonitor::take(std::uint8_t c) {
    if (!autoBaudSeen) {
        // On a plain line the monitor measures the rate on 0x80, 0x80 and "#" first.
        autoBaudSeen = recent[0] == 0x80 && recent[1] == 0x80 && c == '#';
        recent[0] = recent[1];
        recent[1] = c;
        if (autoBaudSeen)
            reply("\n\r>");
        return;
    }
    if (c == '#') {
        const char executed = command;
        const std::uint32_t first = pointer, second = argument;
        {
            std::lock_guard<std::mutex> g(logLock);
            commandLog.push_back(pendingText + '#');
        }
        logChanged.notify_all();
        command = 0;
        pointer = argument = 0;
        pendingText.clear();
        execute(executed, first, second);
        return;
    }
    pendingText += static_cast<char>(c);
    if (const int digit = hexDigit(c); digit >= 0) {
        argument = (argument << 4) | static_cast<std::uint32_t>(digit);
    } else if (c == ',') {
        pointer = argument;
        argument = 0;
    } else {
        command = static_cast<char>(c);
        pointer = argument = 0;
        pendingText = static_cast<char>(c);
    }
}

void BootMonitor::execute(char cmd, std::uint32_t first, std::uint32_t second) {
    if (const auto fixed = options.replies.find(cmd); fixed != options.replies.end()) {
        reply(fixed->second);
        return;
    }
    // With one argument ("G%08X#") it is in `second`; with two, the address is `first`.
    switch (cmd) {
    case 'N':
        if (terminalMode)
            reply("\n\r");
        terminalMode = false;
        return;
    case 'T':
        terminalMode = true;
        reply("\n\r>");
        return;
    case 'V':
        reply(versionText() + "\n\r");
        break;
    case 'w': {
        const std::uint32_t v = memory.readWord(first);
        const std::uint8_t bytes[4] = {
            static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        line.put(bytes, 4);
        break;
    }
    case 'o': {
        const std::uint8_t b = memory.readByte(first);
        line.put(&b, 1);
        break;
    }
    case 'W':
        memory.writeWord(first, second);
        break;
    case 'O':
        memory.writeByte(first, static_cast<std::uint8_t>(second));
        break;
    case 'S':
        receiveBlock(first, second);
        break;
    case 'R':
        sendBlock(first, second);
        break;
    case 'G':
        memory.go(second);
        break;
    case 'X':
        if (!options.extensions)
            break;
        memory.chipErase(second);
        reply("X\n\r");
        break;
    case 'Y':
        if (!options.extensions)
            break;
        // "Y<src>,0#" names the RAM buffer; "Y<dst>,<size>#" programs it into flash.
        if (second == 0)
            bufferSource = first;
        else
            memory.writeBuffer(bufferSource, first, second);
        reply("Y\n\r");
        break;
    case 'Z': {
        if (!options.extensions)
            break;
        const auto bytes = memory.readBlock(first, second);
        char text[16];
        std::snprintf(text, sizeof text, "Z%08X#\n\r",
                      MonitorXmodem::crc16(bytes.data(), bytes.size()));
        reply(text);
        break;
    }
    default:
        break;
    }
    if (terminalMode)
        reply("\n\r>");
}

void BootMonitor::receiveBlock(std::uint32_t addr, std::uint32_t size) {
    std::vector<std::uint8_t> data;
    if (options.transport == BootMonitorOptions::link::usb) {
        while (data.size() < size) {
            const int c = nextByte(rawByteTimeoutMs);
            if (c < 0)
                break;
            data.push_back(static_cast<std::uint8_t>(c));
        }
    } else {
        MonitorXmodem xmodem(line, [this](int timeoutMs) { return nextByte(timeoutMs); });
        xmodem.naks = naksLeft;
        data = xmodem.receive();
        naksLeft = xmodem.naks;
        if (data.size() > size)
            data.resize(size);
    }
    memory.writeBlock(addr, data);
}

void BootMonitor::sendBlock(std::uint32_t addr, std::uint32_t size) {
    const auto bytes = memory.readBlock(addr, size);
    if (options.transport == BootMonitorOptions::link::usb) {
        line.put(bytes.data(), bytes.size());
        return;
    }
    MonitorXmodem xmodem(line, [this](int timeoutMs) { return nextByte(timeoutMs); });
    xmodem.corruptBlocks = corruptLeft;
    xmodem.lostAcks = lostAcksLeft;
    xmodem.send(bytes);
    corruptLeft = xmodem.corruptBlocks;
    lostAcksLeft = xmodem.lostAcks;
}

} // namespace sim
