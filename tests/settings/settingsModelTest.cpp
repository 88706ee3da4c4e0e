#include "settingsTestSupport.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

using settings::modes;

void expectTableOwnedBy(const settings::mode& m) {
    const settings::singleModeAllAxisDigitalSetting* expected[settings::digitalCount] = {
        &m.knobRange[0],    &m.knobRange[1],   &m.knobCenter[0],   &m.knobCenter[1],
        &m.addKnobToAxis,   &m.reorderAxes,    &m.extendedButtons, &m.disabledButtons,
        &m.modifiedButtons, &m.toggledButtons, &m.autofire,        &m.cruiseControl,
        &m.motorConstant,   &m.motorPulse,     &m.motorExtended,
    };
    for (int i = 0; i < settings::digitalCount; ++i) {
        EXPECT_EQ(m.digitalSettings[i], expected[i]) << i;
    }
}

TEST_F(settingsTest, InitGivesThreeEqualDefaultModesWithTheirOwnTables) {
    settings::activeMode = 2;
    settings::init();
    EXPECT_EQ(settings::activeMode, 0);
    for (const auto& m : modes) {
        expectTableOwnedBy(m);
        EXPECT_EQ(m.knobRange[0].knob, 0);
        EXPECT_EQ(m.knobRange[1].knob, 1);
        EXPECT_EQ(m.knobCenter[0].knob, 0);
        EXPECT_EQ(m.knobCenter[1].knob, 1);
        EXPECT_EQ(m.modifiedButtons.buttons, 0xFFFFFFFFu);
        EXPECT_EQ(m.disabledButtons.buttons, 0u);
        EXPECT_EQ(m.toggledButtons.buttons, 0u);
        const float baseDeadzones[6] = {0.05f, 0.05f, 0.05f, 0.0f, 0.1f, 0.0f};
        for (int a = 0; a < 6; ++a) {
            EXPECT_EQ(m.axes[a].baseDeadzone.value, baseDeadzones[a]) << a;
        }
    }
    settings::numModes = 3;
    EXPECT_EQ(completeBlock().size(), 46u); // every mode-wide packet shared by all three

    // setDefaultValues leaves the active mode alone.
    settings::activeMode = 2;
    settings::setDefaultValues();
    EXPECT_EQ(settings::activeMode, 2);
    EXPECT_EQ(settings::numModes, 1);
}

TEST_F(settingsTest, CopyingAModeKeepsTheTargetsTable) {
    modes[1].autofire.enabled = true;
    modes[1].autofire.period = 99;
    modes[1].axes[2].curvature.knobControlled = true;
    modes[1].axes[2].curvature.knobValue = 3.0f;
    modes[1].shiftY.set(-0.5f);
    modes[0] = modes[1];
    expectTableOwnedBy(modes[0]);
    expectTableOwnedBy(modes[1]);
    EXPECT_TRUE(modes[0].autofire.enabled);
    EXPECT_EQ(modes[0].autofire.period, 99);
    EXPECT_EQ(modes[0].axes[2].curvature, modes[1].axes[2].curvature);
    EXPECT_EQ(modes[0].shiftY.value, -0.5f);

    // An edit through mode A's table stays in mode A.
    static_cast<settings::autofireSettings*>(modes[0].digitalSettings[settings::autofireIndex])
        ->period = 5;
    EXPECT_EQ(modes[1].autofire.period, 99);

    // A copy held aside (as for swapping two modes) points at its own objects.
    settings::mode held = modes[1];
    expectTableOwnedBy(held);
    modes[1] = modes[2];
    modes[2] = held;
    EXPECT_EQ(modes[2].autofire.period, 99);
    expectTableOwnedBy(modes[2]);
}

TEST_F(settingsTest, AnalogSettingsCompareValueAndKnobState) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto make = [](float value, bool knob, float knobValue) {
        analogSetting s{value};
        s.knobControlled = knob;
        s.knobValue = knobValue;
        return s;
    };
    const struct {
        analogSetting a, b;
        bool equal;
    } rows[] = {
        {make(1, false, 0), make(1, false, 7), true}, // knob value unused
        {make(1, false, 0), make(2, false, 0), false},
        {make(1, true, 2), make(1, true, 2), true},
        {make(1, true, 2), make(1, true, 3), false},
        {make(1, true, 2), make(1, false, 2), false},
        {make(nan, false, 0), make(nan, false, 0), false},
        {make(1, true, nan), make(1, true, nan), false},
        {make(0.0f, false, 0), make(-0.0f, false, 0), true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.a == row.b, row.equal);
    }
    analogSetting s;
    EXPECT_FALSE(s.knobControlled);
    s.knobControlled = true;
    s.set(4.0f);
    EXPECT_FALSE(s.knobControlled);
}

TEST_F(settingsTest, FeatureComparisonsIgnoreWhatADisabledFeatureHolds) {
    settings::mode a, b;
    const struct {
        const char* name;
        int index;
        std::function<void(settings::mode&)> change;
        bool equalAfter;
    } rows[] = {
        {"knob range minimum", 0, [](auto& m) { m.knobRange[0].minimum = 1; }, false},
        {"knob centre", 3, [](auto& m) { m.knobCenter[1].deadzoneEnd = 3000; }, false},
        {"knob number", 1, [](auto& m) { m.knobRange[1].knob = 0; }, false},
        {"add knob, disabled", 4, [](auto& m) { m.addKnobToAxis.scalingFactor = 3; }, true},
        {"add knob, enabled", 4,
         [](auto& m) {
             m.addKnobToAxis.enabled = true;
             m.addKnobToAxis.axis = 4;
         },
         false},
        {"reorder, disabled", 5, [](auto& m) { m.reorderAxes.order[3] = 0; }, true},
        {"reorder, enabled", 5, [](auto& m) { m.reorderAxes.enabled = true; }, false},
        {"modifier button unused", 6, [](auto& m) { m.extendedButtons.modifierButton = 4; }, true},
        {"hat switch", 6, [](auto& m) { m.extendedButtons.disableHatSwitch = true; }, false},
        {"modifier button used", 6,
         [](auto& m) {
             m.extendedButtons.useModifiedButtons = true;
             m.extendedButtons.modifierButton = 4;
         },
         false},
        {"disabled buttons", 7, [](auto& m) { m.disabledButtons.buttons = 8; }, false},
        {"modified buttons", 8, [](auto& m) { m.modifiedButtons.buttons = 8; }, false},
        {"autofire, disabled", 10,
         [](auto& m) {
             m.autofire.button = 3;
             m.autofire.period = 70;
         },
         true},
        {"autofire, enabled", 10, [](auto& m) { m.autofire.enabled = true; }, false},
        {"cruise, disabled", 11, [](auto& m) { m.cruiseControl.axes = 0x3F; }, true},
        {"motor constant, disabled", 12, [](auto& m) { m.motorConstant.activationPoint = 4; },
         true},
        {"motor pulse, disabled", 13, [](auto& m) { m.motorPulse.pulseLength = 9; }, true},
        {"motor pulse, enabled", 13, [](auto& m) { m.motorPulse.enabled = true; }, false},
        {"motor axes", 14, [](auto& m) { m.motorExtended.constantAxes = 1; }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        a = settings::mode{};
        b = settings::mode{};
        ASSERT_TRUE(a.digitalSettings[row.index]->compare(*b.digitalSettings[row.index]));
        row.change(b);
        EXPECT_EQ(a.digitalSettings[row.index]->compare(*b.digitalSettings[row.index]),
                  row.equalAfter);
        EXPECT_EQ(b.digitalSettings[row.index]->compare(*a.digitalSettings[row.index]),
                  row.equalAfter);
    }
    // Objects of different classes never compare equal, even with equal data.
    b = settings::mode{};
    b.modifiedButtons.buttons = 0;
    EXPECT_FALSE(b.disabledButtons.compare(b.modifiedButtons));
    EXPECT_FALSE(b.disabledButtons.compare(b.toggledButtons));
    EXPECT_FALSE(b.knobRange[0].compare(b.knobCenter[0]));
}

} // namespace
