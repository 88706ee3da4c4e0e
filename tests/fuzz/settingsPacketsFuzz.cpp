// Any packets, from a transfer or a file, applied to the settings model.
//
// Byte 0 chooses the route: bit 0 commands only, bit 1 host packets accepted, bit 2
// through the prebuilt list (whole block, trailing bytes included) instead of packet
// by packet, bit 3 the mode rules afterwards. The rest are the packets.
#include "fuzzSupport.h"

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t route = data[0];
    const std::uint8_t* packets = data + 1;
    const std::size_t length = size - 1;
    fuzzSupport::resetSettings();

    if (route & 4) {
        const auto n = static_cast<std::int32_t>(std::min<std::size_t>(length, 4096));
        prebuiltSettings::clearAllocateStart(n);
        if (n > 0)
            std::memcpy(prebuiltSettings::bytes(), packets, static_cast<std::size_t>(n));
        prebuiltSettings::parseAllPrebuilt();
    } else {
        const bool commandsOnly = route & 1;
        const bool acceptHost = route & 2;
        for (std::size_t at = 0; at + settingsParser::packetSize <= length;
             at += settingsParser::packetSize) {
            std::memcpy(settingsParser::data, packets + at, settingsParser::packetSize);
            const int result = settingsParser::parseToSettings(commandsOnly, acceptHost);
            fuzzSupport::check(result >= 0 && result <= 19, "parse result out of range");
        }
    }

    if (route & 8) {
        modifySetting::setOnConstantFromSettings(true);
        for (int group = 0; group < modifySetting::groupCount; ++group)
            modifySetting::updateSettingFromModeConstants(false, group);
    }

    fuzzSupport::checkSaveKeepsSettings();
    // The prebuilt list of the parsed model is the same block as a save.
    prebuiltSettings::upToDate = false;
    const std::int32_t count = prebuiltSettings::prebuildAllSettings();
    fuzzSupport::check(count >= 1 &&
                           count * settingsParser::packetSize <= prebuiltSettings::maxSize,
                       "prebuilt block count out of range");
    const std::vector<std::uint8_t> saved = fuzzSupport::settingsBlock();
    fuzzSupport::check(prebuiltSettings::size == static_cast<std::int32_t>(saved.size()) &&
                           std::equal(saved.begin() + settingsParser::packetSize, saved.end(),
                                      prebuiltSettings::bytes() + settingsParser::packetSize),
                       "prebuilt block differs from the saved block");
    return 0;
}
