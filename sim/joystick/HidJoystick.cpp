#include "sim/joystick/HidJoystick.h"

#include "device/joystickIds.h"
#include "platform/hid.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace sim {

namespace {

using clock = std::chrono::steady_clock;
using ms = std::chrono::milliseconds;

constexpr std::size_t queueLimit = 64; // what a hidraw node keeps
constexpr std::size_t logLimit = 10000;
// The last packet of a block is never echoed; it is repeated this long at most.
constexpr auto blockGiveUp = std::chrono::milliseconds(3500);

struct report {
    clock::time_point at;
    std::vector<std::uint8_t> bytes;
};

bool isRequest(const packet& p) {
    return p[0] == 0xE0 && (p[2] == 0 || (p[2] >= 4 && p[2] % 2 == 0));
}

} // namespace

class hidHandle;

struct HidJoystick::core {
    core(JoystickState& s, HidJoystickOptions o) : state(s), options(std::move(o)) {}

    JoystickState& state;
    HidJoystickOptions options;
    const clock::time_point epoch = clock::now();

    std::mutex lock;
    std::condition_variable wake;
    bool plugged = true;
    int generation = 0;
    std::vector<hidHandle*> handles;
    clock::time_point nextController = clock::now();
    std::optional<ControllerState> fixedController;
    std::vector<packet> log;

    // Sending a block: the packet at `index` is repeated until echoed.
    bool sending = false;
    std::vector<std::uint8_t> outgoing;
    std::size_t index = 0;
    clock::time_point nextRepeat, lastProgress;

    // Receiving a block from the program.
    bool collecting = false;
    std::uint32_t expected = 0;
    std::vector<std::uint8_t> incoming;
    packet lastIncoming{};

    void deliver(const std::vector<std::uint8_t>& bytes, clock::time_point at);
    void advance(clock::time_point now);
    void onOutput(const std::uint8_t* bytes, std::size_t size);
    std::vector<std::uint8_t> packetReport(const std::uint8_t* p) const {
        std::vector<std::uint8_t> r(8);
        r[0] = 2;
        std::copy_n(p, 7, r.begin() + 1);
        return r;
    }
    void collect(const packet& p);
};

class hidHandle final : public platform::hid::device {
public:
    explicit hidHandle(std::shared_ptr<HidJoystick::core> c) : owner(std::move(c)) {
        std::lock_guard guard(owner->lock);
        generation = owner->generation;
        owner->handles.push_back(this);
    }
    ~hidHandle() override {
        std::lock_guard guard(owner->lock);
        std::erase(owner->handles, this);
    }

    int write(const std::uint8_t* bytes, std::size_t size) override {
        {
            std::lock_guard guard(owner->lock);
            if (!alive())
                return -1;
            owner->onOutput(bytes, size);
        }
        owner->wake.notify_all();
        return static_cast<int>(size);
    }

    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override {
        std::unique_lock guard(owner->lock);
        const auto deadline = clock::now() + ms(std::max(0, timeoutMs));
        while (true) {
            if (!alive())
                return -1;
            auto now = clock::now();
            owner->advance(now);
            if (!queue.empty() && queue.front().at <= now) {
                auto& front = queue.front();
                std::size_t n = std::min(size, front.bytes.size());
                std::copy_n(front.bytes.begin(), n, buffer);
                queue.pop_front();
                return static_cast<int>(n);
            }
            if (now >= deadline)
                return 0;
            auto until = deadline;
            if (!queue.empty())
                until = std::min(until, queue.front().at);
            if (owner->options.controllerPeriodMs > 0)
                until = std::min(until, owner->nextController);
            if (owner->sending)
                until = std::min(until, owner->nextRepeat);
            owner->wake.wait_until(guard, until);
        }
    }

    void push(const std::vector<std::uint8_t>& bytes, clock::time_point at) {
        auto it =
            std::find_if(queue.begin(), queue.end(), [&](const report& r) { return r.at > at; });
        queue.insert(it, report{at, bytes});
        if (queue.size() > queueLimit)
            queue.pop_front();
    }

private:
    bool alive() const { return owner->plugged && owner->generation == generation; }

    std::shared_ptr<HidJoystick::core> owner;
    int generation = 0;
    std::deque<report> queue;
};

void HidJoystick::core::deliver(const std::vector<std::uint8_t>& bytes, clock::time_point at) {
    for (auto* h : handles)
        h->push(bytes, at);
}

void HidJoystick::core::advance(clock::time_point now) {
    if (int period = options.controllerPeriodMs; period > 0) {
        // Only the last few would still be queued; do not make up the rest.
        auto oldest = now - ms(period * static_cast<int>(queueLimit));
        if (nextController < oldest)
            nextController = oldest;
        while (nextController <= now) {
            auto elapsed = std::chrono::duration_cast<ms>(nextController - epoch).count();
            auto controller = fixedController
                                  ? *fixedController
                                  : movingControllerState(static_cast<std::uint64_t>(elapsed));
            deliver(controllerReport(controller, options.knobOutput), nextController);
            nextController += ms(period);
        }
    }
    if (sending) {
        if (now - lastProgress > blockGiveUp) {
            sending = false;
            return;
        }
        if (nextRepeat < now - ms(options.blockRepeatMs * static_cast<int>(queueLimit)))
            nextRepeat = now - ms(options.blockRepeatMs * static_cast<int>(queueLimit));
        while (nextRepeat <= now) {
            deliver(packetReport(outgoing.data() + index * 7), nextRepeat);
            nextRepeat += ms(std::max(1, options.blockRepeatMs));
        }
    }
}

void HidJoystick::core::collect(const packet& p) {
    if (p[0] == 0xE0 && p[2] == 1) {
        std::uint32_t count = std::uint32_t{p[3]} | std::uint32_t{p[4]} << 8 |
                              std::uint32_t{p[5]} << 16 | std::uint32_t{p[6]} << 24;
        collecting = count >= 1 && count <= 585;
        expected = count;
        incoming.assign(p.begin(), p.end());
        lastIncoming = p;
    } else if (collecting && p != lastIncoming) {
        // A packet written again (its echo was missed) is the same packet, not a new one.
        incoming.insert(incoming.end(), p.begin(), p.end());
        lastIncoming = p;
    }
    if (collecting && incoming.size() == std::size_t{expected} * 7) {
        state.storeBlock(incoming);
        collecting = false;
    }
}

void HidJoystick::core::onOutput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 8 || bytes[0] != 2)
        return;
    packet p;
    std::copy_n(bytes + 1, 7, p.begin());
    if (log.size() < logLimit)
        log.push_back(p);
    if (state.faults.silent)
        return;
    const auto now = clock::now();
    const auto at = now + ms(options.replyLatencyMs);
    // The answer takes the next slot of the interrupt endpoint; the controller report
    // due meanwhile goes out in the slot after it.
    if (options.controllerPeriodMs > 0 && nextController <= at) {
        advance(now);
        nextController = at + ms(1);
    }
    if (sending) {
        if (std::equal(p.begin(), p.end(), outgoing.begin() + index * 7)) {
            lastProgress = now;
            if (++index * 7 >= outgoing.size())
                sending = false;
            nextRepeat = at;
            return;
        }
        // A copy of the previous packet was on its way before the echo arrived; the
        // program echoes that copy too.
        if (index > 0 && std::equal(p.begin(), p.end(), outgoing.begin() + (index - 1) * 7))
            return;
        sending = false;
    }
    auto corrupt = [&](std::vector<std::uint8_t> r) {
        if (state.faults.corruptReplies)
            r.back() ^= 0x01;
        return r;
    };
    if (isRequest(p)) {
        if (p[2] == 0) {
            outgoing = state.outgoingBlock();
            if (outgoing.size() < 7)
                return;
            sending = true;
            index = 0;
            nextRepeat = at;
            lastProgress = now;
            if (state.faults.corruptReplies)
                outgoing[6] ^= 0x01;
        } else if (auto reply = state.reply(p)) {
            deliver(corrupt(packetReport(reply->data())), at);
        }
        return;
    }
    state.command(p);
    collect(p);
    deliver(corrupt(packetReport(p.data())), at);
}

HidJoystick::HidJoystick(JoystickState& state, HidJoystickOptions options)
    : shared(std::make_shared<core>(state, options)), devicePath(options.path) {
    plug();
}

HidJoystick::~HidJoystick() {
    unplug();
}

void HidJoystick::plug() {
    {
        std::lock_guard guard(shared->lock);
        if (registration != 0)
            return;
        shared->plugged = true;
        ++shared->generation;
    }
    auto keep = shared;
    platform::hid::registerDevice(devicePath, [keep]() -> std::unique_ptr<platform::hid::device> {
        {
            std::lock_guard guard(keep->lock);
            if (!keep->plugged)
                return nullptr;
        }
        return std::make_unique<hidHandle>(keep);
    });
    registration = platform::usbDevices::registerHidInterface(
        {devicePath, joystickIds::vendor, joystickIds::product});
}

void HidJoystick::unplug() {
    {
        std::lock_guard guard(shared->lock);
        shared->plugged = false;
        shared->sending = false;
    }
    shared->wake.notify_all();
    if (registration != 0) {
        platform::usbDevices::unregister(registration);
        platform::hid::unregisterDevice(devicePath);
        registration = 0;
    }
}

void HidJoystick::setControllerState(std::optional<ControllerState> fixed) {
    std::lock_guard guard(shared->lock);
    shared->fixedController = fixed;
}

void HidJoystick::setKnobOutput(bool withKnobs) {
    std::lock_guard guard(shared->lock);
    shared->options.knobOutput = withKnobs;
}

std::vector<packet> HidJoystick::received() const {
    std::lock_guard guard(shared->lock);
    return shared->log;
}

bool HidJoystick::sendingBlock() const {
    std::lock_guard guard(shared->lock);
    return shared->sending;
}

} // namespace sim
