// The complete settings block: the fixed order of packets that carries a whole
// settings set, with modes and axes of equal settings sharing one packet.
#include "settings/settings.h"
#include "settings/settingsParser.h"

namespace settingsParser {

namespace {

using settings::axisCount;
using settings::modeCount;
using settings::modes;

// Masks of the groups among items 0..count-1 whose setting equals that of the group's
// first item; `equal(first, later)` compares against the first item only.
constexpr int maskBits = 8;
static_assert(modeCount <= maskBits && axisCount <= maskBits);

template <class Equal, class Emit> bool forEachGroup(int count, Equal equal, Emit emit) {
    bool covered[maskBits] = {};
    for (int first = 0; first < count; ++first) {
        if (covered[first]) {
            continue;
        }
        std::uint8_t mask = static_cast<std::uint8_t>(1u << first);
        for (int later = first + 1; later < count; ++later) {
            if (!covered[later] && equal(first, later)) {
                mask |= static_cast<std::uint8_t>(1u << later);
                covered[later] = true;
            }
        }
        if (!emit(first, mask)) {
            return false;
        }
    }
    return true;
}

// Groups of the modes in use (mode mask) and of the six axes (axis mask).
template <class Equal, class Emit> bool forEachModeGroup(Equal equal, Emit emit) {
    return forEachGroup(settings::modesInUse(), equal, emit);
}

template <class Equal, class Emit> bool forEachAxisGroup(Equal equal, Emit emit) {
    return forEachGroup(axisCount, equal, emit);
}

} // namespace

bool buildOutputSingleModeAllAxisDigital(const outputCallback& callback, int index) {
    if (index < 0 || index >= settings::digitalCount) {
        return true;
    }
    return forEachModeGroup(
        [index](int first, int later) {
            return modes[first].digitalSettings[index]->compare(
                *modes[later].digitalSettings[index]);
        },
        [&](int first, std::uint8_t mask) {
            modes[first].digitalSettings[index]->build(mask);
            return callback();
        });
}

bool buildOutputAllAxisDigital(const outputCallback& callback) {
    buildBasicSetupBits();
    if (!callback()) {
        return false;
    }
    buildModeSettings();
    if (!callback()) {
        return false;
    }
    for (int index = 0; index < settings::digitalCount; ++index) {
        if (!buildOutputSingleModeAllAxisDigital(callback, index)) {
            return false;
        }
    }
    return true;
}

bool buildOutputPerAxisDigital(const outputCallback& callback) {
    const int count = settings::modesInUse();
    for (int m = 0; m < count; ++m) {
        const auto& axes = modes[m].axes;
        const bool ok = forEachAxisGroup(
            [&](int first, int later) {
                return axes[first].disabled == axes[later].disabled &&
                       axes[first].inverted == axes[later].inverted;
            },
            [&](int first, std::uint8_t axisMask) {
                buildPerAxisDigitalAxisModifiers(static_cast<std::uint8_t>(1u << m), axisMask,
                                                 axes[first].disabled, axes[first].inverted);
                return callback();
            });
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool buildOutputAllAxisAnalog(const outputCallback& callback) {
    for (int id = 0; id <= 3; ++id) {
        const bool ok = forEachModeGroup(
            [id](int first, int later) {
                return *modes[first].analogById(id) == *modes[later].analogById(id);
            },
            [&](int first, std::uint8_t mask) {
                const analogSetting& setting = *modes[first].analogById(id);
                const auto packetId = static_cast<std::uint8_t>(id);
                buildAllAxisAnalog(mask, packetId, setting.value, false);
                if (!callback()) {
                    return false;
                }
                if (setting.knobControlled) {
                    buildAllAxisAnalog(mask, packetId, setting.knobValue, true);
                    return callback();
                }
                return true;
            });
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool buildOutputPerAxisAnalog(const outputCallback& callback) {
    const int count = settings::modesInUse();
    for (int m = 0; m < count; ++m) {
        const auto& axes = modes[m].axes;
        const auto modeMask = static_cast<std::uint8_t>(1u << m);
        for (int id = 0; id <= 4; ++id) {
            const bool ok = forEachAxisGroup(
                [&](int first, int later) {
                    return *axes[first].analogById(id) == *axes[later].analogById(id);
                },
                [&](int first, std::uint8_t axisMask) {
                    const analogSetting& setting = *axes[first].analogById(id);
                    const auto packetId = static_cast<std::uint8_t>(id);
                    buildPerAxisAnalog(modeMask, axisMask, packetId, setting.value, false);
                    if (!callback()) {
                        return false;
                    }
                    if (setting.knobControlled) {
                        buildPerAxisAnalog(modeMask, axisMask, packetId, setting.knobValue, true);
                        return callback();
                    }
                    return true;
                });
            if (!ok) {
                return false;
            }
        }
    }
    return true;
}

bool buildOutputAllAfterStart(const outputCallback& callback) {
    return buildOutputAllAxisDigital(callback) && buildOutputPerAxisDigital(callback) &&
           buildOutputAllAxisAnalog(callback) && buildOutputPerAxisAnalog(callback);
}

bool buildOutputAll(const outputCallback& callback, std::uint32_t count) {
    buildStartSettingsNumberOfPackets(count);
    if (!callback()) {
        return false;
    }
    return buildOutputAllAfterStart(callback);
}

std::vector<std::uint8_t> buildBlock() {
    std::vector<std::uint8_t> block;
    buildOutputAll(
        [&block] {
            block.insert(block.end(), data, data + packetSize);
            return true;
        },
        0);
    return block;
}

} // namespace settingsParser
