#include "settings/prebuiltSettings.h"

#include "settings/settingsParser.h"

#include <algorithm>
#include <cstring>

namespace prebuiltSettings {

std::vector<std::uint8_t> data;
std::int32_t size = 0;
std::int32_t index = 0;
bool upToDate = false;

namespace {

bool present = false;

constexpr int packetSize = settingsParser::packetSize;

// Bytes that really exist, whatever `size` was set to from outside.
std::int32_t usable() {
    return std::min<std::int32_t>(size, static_cast<std::int32_t>(data.size()));
}

} // namespace

bool hasData() {
    return present;
}

std::uint8_t* bytes() {
    return present ? data.data() : nullptr;
}

void allocate(std::int32_t n) {
    n = std::clamp<std::int32_t>(n, 0, maxSize);
    data.assign(static_cast<std::size_t>(n), 0);
    present = true;
    size = n;
}

void clear() {
    if (present) {
        data.clear();
        data.shrink_to_fit();
        present = false;
        upToDate = false;
    }
}

void clearAllocateStart(std::int32_t n) {
    clear();
    allocate(n);
    upToDate = false;
    index = 0;
}

void startIndex() {
    index = 0;
}

void increment() {
    index += packetSize;
}

bool end() {
    return index + (packetSize - 1) >= size;
}

bool setParser() {
    if (!present) {
        return false;
    }
    const std::int32_t limit = usable();
    if (index < 0 || index >= limit) {
        return true;
    }
    for (int k = 0; k < packetSize && index + k < limit; ++k) {
        settingsParser::data[k] = data[static_cast<std::size_t>(index + k)];
    }
    return true;
}

bool setNextFromParser() {
    if (!present) {
        return false;
    }
    const std::int32_t limit = usable();
    for (int k = 0; k < packetSize; ++k) {
        const std::int32_t at = index + k;
        if (at >= 0 && at < limit) {
            data[static_cast<std::size_t>(at)] = settingsParser::data[k];
        }
    }
    index += packetSize;
    return true;
}

std::int32_t prebuildAllSettings() {
    if (upToDate) {
        return size / packetSize;
    }
    const std::int32_t count = settingsCounter::countPackets();
    clear();
    allocate(std::min<std::int32_t>(count * packetSize, maxSize));
    upToDate = false;

    index = 0;
    settingsParser::buildStartSettingsNumberOfPackets(static_cast<std::uint32_t>(count));
    setNextFromParser();
    settingsParser::buildOutputAllAfterStart(setNextFromParser);

    upToDate = true;
    return count;
}

void parseAllPrebuilt() {
    if (!present) {
        return;
    }
    index = 0;
    const std::int32_t limit = usable();
    while (index + (packetSize - 1) < limit) {
        std::memcpy(settingsParser::data, data.data() + index, packetSize);
        index += packetSize;
        settingsParser::parseToSettings(false, true);
    }
    upToDate = true;
}

void reset() {
    clear();
    size = 0;
    index = 0;
    upToDate = false;
    settingsCounter::reset();
}

namespace settingsCounter {

std::int32_t value = 0;

void reset() {
    value = 0;
}

std::int32_t getValue() {
    return value;
}

bool increment() {
    ++value;
    return true;
}

std::int32_t countPackets() {
    reset();
    settingsParser::buildOutputAll(increment, 0);
    return value;
}

} // namespace settingsCounter

} // namespace prebuiltSettings
