#include "settingsTestSupport.h"

#include <cmath>
#include <limits>

namespace {

using settings::modes;

// The default block with one mode, after its start packet.
const std::vector<std::string> defaultBody = {
    "B0 C0 00 00 00 01 02", // basic setup
    "B0 C0 01 11 15 00 00", // mode settings
    "A1 C0 00 04 2D 0D 2F", "A1 C0 00 05 2D 0D 2F", "A1 C0 01 00 7B C8 42", "A1 C0 01 01 7B C8 42",
    "A1 C0 02 00 01 03 E8", "A1 C0 03 01 23 45 67", "A1 C0 04 00 00 00 00", "A1 C0 05 00 00 00 00",
    "A1 C0 06 FF FF FF FF", "A1 C0 07 00 00 00 00", "A1 C0 08 00 00 00 0A", "A1 C0 09 00 02 02 00",
    "A1 C0 0A 02 03 07 D0", "A1 C0 0B 02 02 03 E8", "A1 C0 0C 00 00 3F 3F",
    "A1 BF 00 00 00 00 00", // per-axis digital
    "A1 40 00 00 00 80 3F", "A1 40 01 00 00 80 3F", "A1 40 02 00 00 00 00",
    "A1 40 03 00 00 00 00", // mode-wide analog
    "A1 3F 00 00 00 80 3F", "A1 07 01 CD CC 4C 3D", "A1 28 01 00 00 00 00", "A1 10 01 CD CC CC 3D",
    "A1 3F 02 8F C2 F5 3D", "A1 3F 03 33 33 B3 3F",
    "A1 3F 04 00 00 80 3F", // per-axis analog
};

std::vector<std::string> withStart(const std::string& start, std::vector<std::string> body) {
    body.insert(body.begin(), start);
    return body;
}

// The default packets of one section with byte 0 replaced.
std::vector<std::string> rebased(std::size_t from, std::size_t to, const char* byte0) {
    std::vector<std::string> out;
    for (std::size_t i = from; i < to; ++i) {
        out.push_back(byte0 + defaultBody[i].substr(2));
    }
    return out;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

TEST_F(settingsTest, DefaultsWithOneModeGiveTheThirtyPacketBlock) {
    EXPECT_EQ(hexTexts(completeBlock(30)), withStart("E0 00 01 1E 00 00 00", defaultBody));
}

TEST_F(settingsTest, ThreeIdenticalModesShareModePacketsAndRepeatAxisPackets) {
    settings::numModes = 3;
    std::vector<std::string> expected = {"E0 00 01 00 00 00 00", "B0 C0 00 00 00 01 02",
                                         "B0 C0 01 31 15 1A 1F"};
    append(expected, rebased(2, 17, "A7"));  // feature settings, all modes
    append(expected, rebased(17, 18, "A1")); // per-axis digital, mode by mode
    append(expected, rebased(17, 18, "A2"));
    append(expected, rebased(17, 18, "A4"));
    append(expected, rebased(18, 22, "A7")); // mode-wide analog, all modes
    append(expected, rebased(22, 29, "A1")); // per-axis analog, mode by mode
    append(expected, rebased(22, 29, "A2"));
    append(expected, rebased(22, 29, "A4"));
    EXPECT_EQ(hexTexts(completeBlock()), expected);
}

TEST_F(settingsTest, KnobControlledValuesAddTheirKnobPacket) {
    modes[0].smoothing.knobControlled = true;
    modes[0].smoothing.knobValue = 2.0f;
    modes[0].axes[2].curvature.knobControlled = true;
    modes[0].axes[2].curvature.knobValue = 2.5f;

    std::vector<std::string> expected = withStart("E0 00 01 00 00 00 00", defaultBody);
    // After smoothing's value packet.
    expected.insert(expected.begin() + 21, "A1 40 81 00 00 00 40");
    // Curvature: axis Z leaves the group and carries its knob value after its own value.
    auto curvature = std::find(expected.begin(), expected.end(), "A1 3F 03 33 33 B3 3F");
    *curvature = "A1 3B 03 33 33 B3 3F";
    expected.insert(curvature + 1, {"A1 04 03 33 33 B3 3F", "A1 04 83 00 00 20 40"});
    EXPECT_EQ(hexTexts(completeBlock()), expected);
}

TEST_F(settingsTest, ModeGroupsCompareAgainstTheirFirstModeOnly) {
    settings::numModes = 3;
    modes[1].baseSensitivity.set(2.0f);
    // A and C share a packet although B lies between them.
    auto packets = collect(settingsParser::buildOutputAllAxisAnalog);
    ASSERT_EQ(packets.size(), 5u);
    EXPECT_EQ(hexText(packets[0]), "A5 40 00 00 00 80 3F");
    EXPECT_EQ(hexText(packets[1]), "A2 40 00 00 00 00 40");
    EXPECT_EQ(hexText(packets[2]), "A7 40 01 00 00 80 3F");

    // A NaN never equals anything, not even itself, so it is always sent alone.
    modes[1].baseSensitivity.set(1.0f);
    modes[0].baseSensitivity.set(std::numeric_limits<float>::quiet_NaN());
    packets = collect(settingsParser::buildOutputAllAxisAnalog);
    EXPECT_EQ(packets[0][0], 0xA1);
    EXPECT_EQ(packets[1][0], 0xA6);
}

TEST_F(settingsTest, DisabledFeaturesGroupAndCarryTheFirstModesValues) {
    settings::numModes = 2;
    modes[0].autofire.button = 5;
    modes[1].autofire.button = 9;
    auto packets = collect([](const settingsParser::outputCallback& cb) {
        return settingsParser::buildOutputSingleModeAllAxisDigital(cb, settings::autofireIndex);
    });
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(hexText(packets[0]), "A3 C0 08 00 05 00 0A");

    modes[1].autofire.enabled = true;
    packets = collect([](const settingsParser::outputCallback& cb) {
        return settingsParser::buildOutputSingleModeAllAxisDigital(cb, settings::autofireIndex);
    });
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(hexText(packets[0]), "A1 C0 08 00 05 00 0A");
    EXPECT_EQ(hexText(packets[1]), "A2 C0 08 01 09 00 0A");
}

TEST_F(settingsTest, AxisGroupsFollowTheFirstAxisOfEachGroup) {
    modes[0].axes[1].inverted = true;
    modes[0].axes[4].inverted = true;
    modes[0].axes[5].disabled = true;
    const auto packets = collect(settingsParser::buildOutputPerAxisDigital);
    EXPECT_EQ(hexTexts(packets), (std::vector<std::string>{
                                     "A1 8D 00 00 00 00 00", // X, Z, pitch
                                     "A1 92 00 00 00 00 02", // Y, roll inverted
                                     "A1 A0 00 00 00 00 01", // yaw disabled
                                 }));
}

TEST_F(settingsTest, FeaturePacketsCarryTheirFieldsInPlace) {
    auto& m = modes[0];
    m.reorderAxes.order[0] = 7;
    m.reorderAxes.order[7] = 0x1A; // only the low nibble is sent
    m.extendedButtons.disableHatSwitch = true;
    m.extendedButtons.useModifiedButtons = true;
    m.extendedButtons.modifierButton = 12;
    m.autofire.period = 0x1234;
    m.cruiseControl.enabled = true;
    m.cruiseControl.toggle = false;
    m.cruiseControl.axes = 0x21;
    m.cruiseControl.button = 17;
    m.disabledButtons.buttons = 0x12345678;
    m.addKnobToAxis.enabled = true;
    m.addKnobToAxis.rightKnob = true;
    m.addKnobToAxis.inverted = true;
    m.addKnobToAxis.scalingFactor = 0.7f;
    m.motorPulse.highSpeed = false;
    m.motorPulse.enabled = true;
    m.motorPulse.activationPoint = 0.7f;

    const struct {
        int index;
        const char* disabledOrder;
        const char* enabledOrder;
    } rows[] = {
        {settings::reorderAxesIndex, "A1 C0 03 01 23 45 67", "A1 C0 03 71 23 45 6A"},
        {settings::extendedButtonsIndex, "A1 C0 04 00 00 03 0C", nullptr},
        {settings::autofireIndex, "A1 C0 08 00 00 12 34", nullptr},
        {settings::cruiseControlIndex, "A1 C0 09 00 01 21 11", nullptr},
        {settings::disabledButtonsIndex, "A1 C0 05 78 56 34 12", nullptr},
        {settings::addKnobToAxisIndex, "A1 C0 02 0B 01 02 BB", nullptr},
        {settings::motorPulseIndex, "A1 C0 0B 01 02 02 BB", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        m.digitalSettings[row.index]->build(1);
        EXPECT_EQ(hexText(currentPacket()), row.disabledOrder);
        if (row.enabledOrder) {
            m.reorderAxes.enabled = true;
            m.digitalSettings[row.index]->build(1);
            EXPECT_EQ(hexText(currentPacket()), row.enabledOrder);
        }
    }
}

TEST_F(settingsTest, AFalseCallbackStopsTheSequenceAtOnce) {
    for (int stopAfter : {1, 2, 3, 17, 18, 19, 23, 30}) {
        SCOPED_TRACE(stopAfter);
        int calls = 0;
        const bool ok = settingsParser::buildOutputAll([&] { return ++calls < stopAfter; }, 0);
        EXPECT_FALSE(ok);
        EXPECT_EQ(calls, stopAfter);
    }
    int calls = 0;
    EXPECT_TRUE(settingsParser::buildOutputAll([&] { return ++calls > 0; }, 0));
    EXPECT_EQ(calls, 30);
}

TEST_F(settingsTest, AModeCountOutsideOneToThreeNeverReachesPastTheModes) {
    settings::numModes = 200;
    EXPECT_EQ(completeBlock().size(), 46u); // worked as three modes
    settings::numModes = 0;
    EXPECT_EQ(completeBlock().size(), 30u); // worked as one mode
}

TEST_F(settingsTest, ABlockParsedBackRebuildsTheSameBlock) {
    settings::numModes = 3;
    settings::LEDoutput = 3;
    settings::knobsDisabled = true;
    settings::useRightKnobForSettings = true;
    settings::useModeMomentary[1] = true;
    settings::modeButtons[2] = 7;
    auto& b = modes[1];
    b.knobRange[1].minimum = 100;
    b.knobRange[1].maximum = 4000;
    b.knobRange[0].inverted = true;
    b.knobCenter[1].center = 2048;
    b.knobCenter[1].deadzoneEnd = 2100;
    b.addKnobToAxis.enabled = true;
    b.addKnobToAxis.axis = 4;
    b.addKnobToAxis.scalingFactor = 2.5f;
    b.reorderAxes.enabled = true;
    std::swap(b.reorderAxes.order[0], b.reorderAxes.order[6]);
    b.toggledButtons.buttons = 0x80000001u;
    b.motorConstant.enabled = true;
    b.motorConstant.activationPoint = 3.25f;
    b.motorExtended.pulseAxes = 5;
    b.shiftX.set(-1.25f);
    b.axes[3].sensitivity.set(4.0f);
    b.axes[3].disabled = true;
    modes[2].axes[0].asymmetry.knobControlled = true;
    modes[2].axes[0].asymmetry.knobValue = 0.5f;
    modes[2].shiftY.set(std::numeric_limits<float>::infinity());

    const auto sent = completeBlock();
    settings::init();
    for (const auto& p : sent) {
        loadPacket(p);
        settingsParser::parseToSettings(false, true);
    }
    EXPECT_EQ(hexTexts(completeBlock()), hexTexts(sent));
}

TEST_F(settingsTest, EveryModeAndAxisDifferentGivesTheLargestBlock) {
    settings::numModes = 3;
    for (int m = 0; m < 3; ++m) {
        auto& mode = modes[m];
        const auto v = static_cast<std::uint8_t>(m);
        for (int k = 0; k < settings::knobCount; ++k) {
            mode.knobRange[k].minimum = v;
            mode.knobCenter[k].center = v;
        }
        mode.addKnobToAxis.enabled = true;
        mode.addKnobToAxis.axis = v;
        mode.reorderAxes.enabled = true;
        mode.reorderAxes.order[0] = v;
        mode.extendedButtons.modifierButton = v;
        mode.extendedButtons.useModifiedButtons = true;
        mode.disabledButtons.buttons = v;
        mode.modifiedButtons.buttons = v;
        mode.toggledButtons.buttons = v;
        mode.autofire.enabled = true;
        mode.autofire.button = v;
        mode.cruiseControl.enabled = true;
        mode.cruiseControl.button = v;
        mode.motorConstant.enabled = true;
        mode.motorConstant.pulsePeriod = v;
        mode.motorPulse.enabled = true;
        mode.motorPulse.pulseLength = v;
        mode.motorExtended.pulseAxes = v;
        for (int id = 0; id < 4; ++id) {
            mode.analogById(id)->value = m;
            mode.analogById(id)->knobControlled = true;
        }
        for (int a = 0; a < settings::axisCount; ++a) {
            mode.axes[a].disabled = a & 1;
            mode.axes[a].inverted = a & 2;
            for (int id = 0; id < 5; ++id) {
                mode.axes[a].analogById(id)->value = a;
                mode.axes[a].analogById(id)->knobControlled = true;
            }
        }
    }
    // 3 start and global, 15 x 3 features, 4 x 3 axis switches (two bools give at most
    // four different axes), 4 x 3 x 2 mode-wide and 5 x 6 x 3 x 2 per-axis analog.
    const auto block = completeBlock();
    EXPECT_EQ(block.size(), 3u + 45u + 12u + 24u + 180u);
    EXPECT_LE(block.size() * 7, static_cast<std::size_t>(settingsParser::maxBlockBytes));
}

} // namespace
