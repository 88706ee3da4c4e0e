#include "sim/joystick/ControllerReport.h"

namespace sim {

namespace {

// Ten bits of `value` at bit `bit` of the packed area, which starts at byte 1.
void putTenBits(std::vector<std::uint8_t>& report, int bit, std::uint16_t value) {
    unsigned v = value & 0x3FFu;
    for (int i = 0; i < 10; ++i) {
        int at = bit + i;
        if (v >> i & 1u)
            report[1 + at / 8] |= static_cast<std::uint8_t>(1u << (at % 8));
    }
}

} // namespace

std::vector<std::uint8_t> controllerReport(const ControllerState& state, bool withKnobs) {
    std::vector<std::uint8_t> report(withKnobs ? 20 : 17, 0);
    report[0] = 1;
    for (int axis = 0; axis < 6; ++axis)
        putTenBits(report, axis * 10, state.axes[axis]);
    report[8] |= static_cast<std::uint8_t>((state.hat & 0x0F) << 4);
    int buttonsAt = 9;
    if (withKnobs) {
        putTenBits(report, 64, state.axes[6]);
        putTenBits(report, 74, state.axes[7]);
        buttonsAt = 12;
    }
    for (int i = 0; i < 8; ++i)
        report[buttonsAt + i] = static_cast<std::uint8_t>(state.buttons >> (8 * i));
    return report;
}

ControllerState movingControllerState(std::uint64_t ms) {
    ControllerState s;
    for (int axis = 0; axis < 8; ++axis) {
        // A triangle wave per axis, each with its own period.
        std::uint64_t period = 2000 + 250 * static_cast<std::uint64_t>(axis);
        std::uint64_t phase = ms % period;
        std::uint64_t half = period / 2;
        std::uint64_t up = phase < half ? phase : period - phase;
        s.axes[axis] = static_cast<std::uint16_t>(up * 1023 / half);
    }
    s.hat = static_cast<std::uint8_t>((ms / 500) % 9);
    s.buttons = std::uint64_t{1} << ((ms / 250) % 64);
    return s;
}

} // namespace sim
