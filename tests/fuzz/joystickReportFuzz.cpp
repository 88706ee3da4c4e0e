// Any HID input reports for the live output display. The input is a series of
// reports, each a length byte and that many bytes (the last one takes what is left),
// each handed over in a buffer of exactly its size.
#include "fuzzSupport.h"

#include "device/joystickOutputParser.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct state {
    std::int32_t axes[8];
    std::uint64_t buttons;
    std::int32_t hat;
    bool hasKnobOutput;
    bool operator==(const state& other) const {
        return std::equal(axes, axes + 8, other.axes) && buttons == other.buttons &&
               hat == other.hat && hasKnobOutput == other.hasKnobOutput;
    }
};

state current() {
    state s;
    std::copy(joystickOutputParser::axisValues, joystickOutputParser::axisValues + 8, s.axes);
    s.buttons = joystickOutputParser::buttonVals;
    s.hat = joystickOutputParser::hatVal;
    s.hasKnobOutput = joystickOutputParser::hasKnobOutput;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    joystickOutputParser::setDefaults();
    std::size_t at = 0;
    while (at < size) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        ++at;
        // new[] of zero bytes still gives a distinct pointer ASan guards.
        std::unique_ptr<std::uint8_t[]> report(new std::uint8_t[length]);
        if (length > 0)
            std::memcpy(report.get(), data + at, length);
        at += length;

        const state before = current();
        if (!joystickOutputParser::parseReport(report.get(), length)) {
            fuzzSupport::check(current() == before, "a refused report changed the output");
            continue;
        }
        const state after = current();
        for (std::int32_t axis : after.axes)
            fuzzSupport::check(axis >= 0 && axis <= 1023, "axis value beyond 10 bits");
        fuzzSupport::check(after.hat >= 0 && after.hat <= 15, "hat value beyond 4 bits");
        fuzzSupport::check(after.hasKnobOutput ==
                               (length != joystickOutputParser::reportWithoutKnobsSize),
                           "knob output flag does not follow the report size");
        for (int n = -1; n <= 64; ++n) {
            const int button = joystickOutputParser::getSingleButton(n);
            fuzzSupport::check(button == 0 || button == 1, "button state not 0 or 1");
        }
    }
    return 0;
}
