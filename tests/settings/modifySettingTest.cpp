#include "settingsTestSupport.h"

#include <functional>
#include <limits>
#include <utility>

namespace {

using settings::modes;
namespace ms = modifySetting;

std::vector<int> setFlags() {
    std::vector<int> flags;
    for (int g = 0; g < ms::groupCount; ++g) {
        if (ms::modeUseConstant[g]) {
            flags.push_back(g);
        }
    }
    return flags;
}

struct groupCase {
    const char* name;
    std::function<void(settings::mode&)> change;
    std::vector<int> flags;
};

// One change of mode B per row, and the flags it must raise.
const std::vector<groupCase>& groupCases() {
    static const std::vector<groupCase> cases = {
        {"base sensitivity", [](auto& m) { m.baseSensitivity.set(2); }, {0}},
        {"smoothing", [](auto& m) { m.smoothing.set(0); }, {1}},
        {"axis disabled", [](auto& m) { m.axes[5].disabled = true; }, {2}},
        {"axis inverted", [](auto& m) { m.axes[0].inverted = true; }, {3}},
        {"sensitivity", [](auto& m) { m.axes[3].sensitivity.set(2); }, {4}},
        {"asymmetry", [](auto& m) { m.axes[1].asymmetry.set(2); }, {5}},
        {"base deadzone", [](auto& m) { m.axes[2].baseDeadzone.set(0.5f); }, {6}},
        {"variable deadzone", [](auto& m) { m.axes[4].variableDeadzone.set(0.5f); }, {7}},
        {"curvature", [](auto& m) { m.axes[5].curvature.set(3); }, {8}},
        {"reordered axes", [](auto& m) { m.reorderAxes.enabled = true; }, {9}},
        {"cruise control", [](auto& m) { m.cruiseControl.enabled = true; }, {10}},
        {"knob add to axis", [](auto& m) { m.addKnobToAxis.enabled = true; }, {11}},
        {"disabled buttons", [](auto& m) { m.disabledButtons.buttons = 1; }, {12}},
        {"toggled buttons", [](auto& m) { m.toggledButtons.buttons = 1; }, {13}},
        {"autofire", [](auto& m) { m.autofire.enabled = true; }, {14}},
        {"modified buttons", [](auto& m) { m.modifiedButtons.buttons = 1; }, {15}},
        {"use modified buttons",
         [](auto& m) { m.extendedButtons.useModifiedButtons = true; },
         {15}},
        {"unused modifier button", [](auto& m) { m.extendedButtons.modifierButton = 3; }, {15}},
        {"motor constant", [](auto& m) { m.motorConstant.enabled = true; }, {16}},
        {"constant axes of a disabled motor",
         [](auto& m) { m.motorExtended.constantAxes = 1; },
         {16}},
        {"motor pulse", [](auto& m) { m.motorPulse.enabled = true; }, {17}},
        {"pulse axes", [](auto& m) { m.motorExtended.pulseAxes = 1; }, {17}},
        {"handle centre X", [](auto& m) { m.shiftX.set(1); }, {18}},
        {"handle centre Y", [](auto& m) { m.shiftY.set(-1); }, {18}},
        {"hat switch", [](auto& m) { m.extendedButtons.disableHatSwitch = true; }, {19}},
        {"knob inverted", [](auto& m) { m.knobRange[1].inverted = true; }, {20}},
        {"knob deadzone", [](auto& m) { m.knobRange[0].useCenterDeadzone = false; }, {21}},
        {"knob minimum", [](auto& m) { m.knobRange[1].minimum = 1; }, {22}},
        {"knob maximum", [](auto& m) { m.knobRange[0].maximum = 4000; }, {23}},
        {"knob centre", [](auto& m) { m.knobCenter[1].center = 2000; }, {24}},
        {"knob deadzone end", [](auto& m) { m.knobCenter[0].deadzoneEnd = 2200; }, {25}},
        {"disabled autofire's button", [](auto& m) { m.autofire.button = 7; }, {}},
        {"disabled cruise's axes", [](auto& m) { m.cruiseControl.axes = 7; }, {}},
        {"disabled reordering's order",
         [](auto& m) { std::swap(m.reorderAxes.order[0], m.reorderAxes.order[1]); },
         {}},
        {"disabled motor's speed", [](auto& m) { m.motorConstant.highSpeed = false; }, {}},
        {"knob control only",
         [](auto& m) {
             m.smoothing.knobControlled = true;
             m.axes[0].curvature.knobControlled = true;
             m.axes[0].curvature.knobValue = 9;
         },
         {}},
        {"NaN value",
         [](auto& m) { m.axes[0].sensitivity.set(std::numeric_limits<float>::quiet_NaN()); },
         {4}},
        {"several groups",
         [](auto& m) {
             m.autofire.enabled = true;
             m.axes[2].disabled = true;
             m.knobCenter[0].center = 100;
         },
         {2, 14, 24}},
    };
    return cases;
}

TEST_F(settingsTest, FlagsFollowTheGroupsThatDifferFromModeA) {
    for (const auto& row : groupCases()) {
        SCOPED_TRACE(row.name);
        settings::init();
        settings::numModes = 2;
        row.change(modes[1]);
        std::fill(std::begin(ms::modeUseConstant), std::end(ms::modeUseConstant), true);
        ms::setOnConstantFromSettings(true);
        EXPECT_EQ(setFlags(), row.flags);

        // Mode C is compared too when in use, mode B unchanged.
        settings::init();
        settings::numModes = 3;
        row.change(modes[2]);
        ms::setOnConstantFromSettings(true);
        EXPECT_EQ(setFlags(), row.flags);

        // Not in use: mode C's differences do not count.
        settings::numModes = 2;
        ms::setOnConstantFromSettings(true);
        EXPECT_EQ(setFlags(), std::vector<int>{});
    }
}

TEST_F(settingsTest, FlagsAreOnlyClearedOnReset) {
    ms::modeUseConstant[5] = true;
    settings::numModes = 2;
    modes[1].smoothing.set(3);
    ms::setOnConstantFromSettings(false);
    EXPECT_EQ(setFlags(), (std::vector<int>{1, 5}));
    ms::setOnConstantFromSettings(true);
    EXPECT_EQ(setFlags(), (std::vector<int>{1}));

    // One mode: the flags are cleared and nothing is compared.
    settings::numModes = 1;
    ms::setOnConstantFromSettings(false);
    EXPECT_EQ(setFlags(), (std::vector<int>{1}));
    ms::setOnConstantFromSettings(true);
    EXPECT_EQ(setFlags(), std::vector<int>{});
}

TEST_F(settingsTest, EditsInModeAFollowIntoModesHeldConstant) {
    std::vector<std::pair<int, int>> refreshed;
    ms::refreshCopiedGroup = [&](int mode, int group) { refreshed.emplace_back(mode, group); };
    settings::numModes = 3;
    modes[0].cruiseControl.enabled = true;
    modes[0].cruiseControl.button = 9;

    EXPECT_TRUE(ms::updateSettingFromModeConstants(true, ms::cruiseControlGroup));
    EXPECT_TRUE(modes[1].cruiseControl.enabled);
    EXPECT_EQ(modes[2].cruiseControl.button, 9);
    EXPECT_EQ(refreshed, (std::vector<std::pair<int, int>>{{1, 10}, {2, 10}}));

    // The same edit with the group allowed to differ stays in mode A.
    settings::init();
    settings::numModes = 3;
    refreshed.clear();
    ms::modeUseConstant[ms::cruiseControlGroup] = true;
    modes[0].cruiseControl.enabled = true;
    EXPECT_FALSE(ms::updateSettingFromModeConstants(true, ms::cruiseControlGroup));
    EXPECT_FALSE(modes[1].cruiseControl.enabled);
    EXPECT_TRUE(refreshed.empty());
}

TEST_F(settingsTest, NothingIsCopiedFromAnotherModeOrWithOneMode) {
    int refreshes = 0;
    ms::refreshCopiedGroup = [&](int, int) { ++refreshes; };
    modes[0].autofire.enabled = true;
    // One mode.
    EXPECT_FALSE(ms::updateSettingFromModeConstants(false, ms::autofireGroup));
    settings::numModes = 2;
    // An edit made while mode B is shown.
    settings::activeMode = 1;
    for (int g = 0; g < ms::groupCount; ++g) {
        EXPECT_FALSE(ms::updateSettingFromModeConstants(true, g));
    }
    // A group number out of range.
    settings::activeMode = 0;
    EXPECT_FALSE(ms::updateSettingFromModeConstants(false, -1));
    EXPECT_FALSE(ms::updateSettingFromModeConstants(false, 26));
    EXPECT_FALSE(modes[1].autofire.enabled);
    EXPECT_EQ(refreshes, 0);

    // After the mode dialog: with afterEdit false the active mode does not matter.
    settings::activeMode = 1;
    EXPECT_TRUE(ms::updateSettingFromModeConstants(false, ms::autofireGroup));
    EXPECT_TRUE(modes[1].autofire.enabled);
}

TEST_F(settingsTest, CopyingEveryGroupMakesTheModesEqual) {
    settings::numModes = 3;
    for (int m = 1; m < 3; ++m) {
        for (const auto& row : groupCases()) {
            row.change(modes[m]);
        }
        modes[m].knobRange[1].maximum = 100;
    }
    modes[0].axes[3].asymmetry.knobControlled = true;
    modes[0].axes[3].asymmetry.knobValue = 0.25f;
    ms::modeUseConstant[ms::smoothingGroup] = true;

    for (int g = 0; g < ms::groupCount; ++g) {
        ms::updateSettingFromModeConstants(false, g);
    }
    ms::setOnConstantFromSettings(true);
    EXPECT_EQ(setFlags(), std::vector<int>{ms::smoothingGroup});
    for (int m = 1; m < 3; ++m) {
        EXPECT_EQ(modes[m].axes[3].asymmetry, modes[0].axes[3].asymmetry); // copied whole
        EXPECT_EQ(modes[m].knobRange[1].knob, 1);
        EXPECT_EQ(modes[m].knobCenter[0].knob, 0);
        EXPECT_EQ(modes[m].digitalSettings[settings::autofireIndex], &modes[m].autofire);
    }
    // Smoothing was allowed to differ and kept mode B's own value.
    EXPECT_EQ(modes[1].smoothing.value, 0.0f);
}

} // namespace
