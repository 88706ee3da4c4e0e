#pragma once

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

// A settings set that differs from the defaults in a global, a per-axis and a
// per-mode value, with two modes that differ in one group.
inline void applyProfile() {
    settings::init();
    settings::LEDoutput = 2;
    settings::numModes = 2;
    settings::modes[0].axes[2].curvature.set(2.25f);
    settings::modes[1].axes[2].curvature.set(2.25f);
    settings::modes[1].smoothing.set(3.5f);
}

inline void expectProfile() {
    EXPECT_EQ(settings::LEDoutput, 2);
    EXPECT_EQ(settings::numModes, 2);
    EXPECT_FLOAT_EQ(settings::modes[0].axes[2].curvature.value, 2.25f);
    EXPECT_FLOAT_EQ(settings::modes[1].smoothing.value, 3.5f);
    EXPECT_FLOAT_EQ(settings::modes[0].smoothing.value, 1.0f);
    // Received settings recompute which groups differ between modes.
    EXPECT_TRUE(modifySetting::modeUseConstant[modifySetting::smoothingGroup]);
    EXPECT_FALSE(modifySetting::modeUseConstant[modifySetting::axisCurvatureGroup]);
}

// The block the program sends for the profile (start packet with the real count).
inline std::vector<std::uint8_t> profileBlock() {
    applyProfile();
    prebuiltSettings::upToDate = false;
    prebuiltSettings::prebuildAllSettings();
    std::vector<std::uint8_t> block(prebuiltSettings::bytes(),
                                    prebuiltSettings::bytes() + prebuiltSettings::size);
    settings::init();
    prebuiltSettings::reset();
    return block;
}
