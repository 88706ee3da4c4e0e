#include "settingsTestSupport.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

using settings::modes;
namespace result = settingsParser::result;

// 699 x 0.001f formed in double and rounded to single: one step above 0.699f.
const float lowRes699 = std::nextafter(0.699f, 1.0f);

int parse(const std::string& hex, bool commandsOnly = false, bool acceptHost = true) {
    loadPacket(hexPacket(hex));
    return settingsParser::parseToSettings(commandsOnly, acceptHost);
}

// Every block that the defaults produce, to tell whether a parse changed the model.
std::vector<std::string> modelPackets() {
    const auto saved = settings::numModes;
    settings::numModes = 3;
    auto texts = hexTexts(completeBlock());
    settings::numModes = saved;
    texts.push_back(std::to_string(saved));
    return texts;
}

TEST_F(settingsTest, CommandCodesMapToTheirResults) {
    const int expected[16] = {5, 4, 6, 7, 14, 15, 10, 11, 12, 13, 8, 9, 16, 17, 18, 19};
    for (int code = 0; code < 16; ++code) {
        SCOPED_TRACE(code);
        packet reply{0xC0, 0x55, static_cast<std::uint8_t>(code), 1, 2, 3, 4};
        loadPacket(reply);
        EXPECT_EQ(settingsParser::parseToSettings(true, false), expected[code]);
        EXPECT_EQ(currentPacket(), reply); // payload left for the caller
        reply[0] = 0xE0;
        loadPacket(reply);
        EXPECT_EQ(settingsParser::parseToSettings(false, true), expected[code]);
        EXPECT_EQ(settingsParser::commandResult(code), expected[code]);
    }
    EXPECT_EQ(parse("C0 00 10 00 00 00 00"), result::invalid);
    EXPECT_EQ(parse("C0 00 FF 00 00 00 00"), result::invalid);
}

TEST_F(settingsTest, PacketsAreClassifiedBeforeTheyTouchTheModel) {
    const struct {
        const char* name;
        const char* hex;
        bool commandsOnly;
        bool acceptHost;
        int expected;
    } rows[] = {
        {"no marker and no host bit", "01 C0 08 01 05 00 0A", false, true, result::invalid},
        {"command bit alone", "41 C0 08 01 05 00 0A", false, true, result::invalid},
        {"host bit without marker is a packet", "21 C0 05 01 00 00 00", false, true, 0},
        {"host packet refused", "21 C0 05 01 00 00 00", false, false, result::refused},
        {"program's command refused", "E0 00 05 00 01 02 03", true, false, result::refused},
        {"joystick reply to a command-only reader", "C0 00 05 00 01 02 03", true, false, 15},
        {"settings packet to a command-only reader", "A1 C0 05 01 00 00 00", true, true,
         result::ignored},
        {"global id 2", "B0 C0 02 00 00 00 00", false, true, result::invalid},
        {"global id 63", "B0 C0 3F 00 00 00 00", false, true, result::invalid},
        {"feature id 13", "A1 C0 0D 00 00 00 00", false, true, result::invalid},
        {"feature id with stray high bits", "A1 C0 C5 01 00 00 00", false, true, 0},
        {"mode-wide analog id 4", "A1 40 04 00 00 80 3F", false, true, result::invalid},
        {"mode-wide analog id 4, no mode", "A0 40 04 00 00 80 3F", false, true, result::invalid},
        {"per-axis analog id 5", "A1 01 05 00 00 80 3F", false, true, result::invalid},
        {"per-axis analog id 5, no axis", "A1 00 05 00 00 80 3F", false, true, 0},
        {"per-axis analog id 5, no mode", "A0 01 05 00 00 80 3F", false, true, 0},
        {"per-axis analog NaN", "A1 01 00 00 00 C0 7F", false, true, result::invalid},
        {"per-axis analog NaN, no axis", "A1 00 00 00 00 C0 7F", false, true, result::invalid},
        {"mode-wide analog NaN", "A1 40 00 01 00 C0 FF", false, true, result::invalid},
        {"knob value NaN", "A1 01 80 00 00 C0 7F", false, true, result::invalid},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        settings::init();
        const auto before = modelPackets();
        EXPECT_EQ(parse(row.hex, row.commandsOnly, row.acceptHost), row.expected);
        if (row.expected != 0) {
            EXPECT_EQ(modelPackets(), before);
        }
    }
}

TEST_F(settingsTest, ClearSettingsCommandResetsTheModel) {
    settings::numModes = 2;
    settings::activeMode = 1;
    modes[1].autofire.enabled = true;
    EXPECT_EQ(parse("C0 00 02 00 00 00 00", true, false), result::clearSettings);
    EXPECT_EQ(settings::numModes, 1);
    EXPECT_FALSE(modes[1].autofire.enabled);
    EXPECT_EQ(settings::activeMode, 1);
}

TEST_F(settingsTest, GlobalPacketsSetTheGlobalSettings) {
    EXPECT_EQ(parse("B0 00 00 00 00 09 1D"), 0); // byte 1 is not examined
    EXPECT_EQ(settings::LEDoutput, 9);           // stored as received
    EXPECT_TRUE(settings::knobsDisabled);
    EXPECT_FALSE(settings::ledHighBrightness);
    EXPECT_TRUE(settings::loadCellDiagnosticMode);
    EXPECT_TRUE(settings::digitalOutputDiagnosticMode);
    EXPECT_TRUE(settings::useRightKnobForSettings);

    EXPECT_EQ(parse("B7 C0 01 36 03 04 05"), 0);
    EXPECT_EQ(settings::numModes, 3);
    EXPECT_FALSE(settings::useModeCycleButton);
    EXPECT_TRUE(settings::useModeMomentary[0]);
    EXPECT_TRUE(settings::useModeMomentary[1]);
    EXPECT_EQ(settings::modeButtons[0], 3);
    EXPECT_EQ(settings::modeButtons[1], 4);
    EXPECT_EQ(settings::modeButtons[2], 5);

    // Two modes: mode C's button stays.
    EXPECT_EQ(parse("B0 C0 01 21 06 07 08"), 0);
    EXPECT_EQ(settings::numModes, 2);
    EXPECT_EQ(settings::modeButtons[1], 7);
    EXPECT_EQ(settings::modeButtons[2], 5);
}

TEST_F(settingsTest, AModeCountOfZeroOrFourGivesOneModeAndKeepsTheFlags) {
    for (const char* hex : {"B0 C0 01 07 09 30 31", "B0 C0 01 47 09 30 31"}) {
        SCOPED_TRACE(hex);
        settings::init();
        settings::numModes = 3;
        EXPECT_EQ(parse(hex), 0);
        EXPECT_EQ(settings::numModes, 1);
        EXPECT_TRUE(settings::useModeCycleButton);
        EXPECT_TRUE(settings::useModeMomentary[0]);
        EXPECT_TRUE(settings::useModeMomentary[1]);
        EXPECT_EQ(settings::modeButtons[0], 9);
        EXPECT_EQ(settings::modeButtons[1], 26);
        EXPECT_EQ(settings::modeButtons[2], 31);
    }
    // Buttons above 63 become 0, including one kept from before.
    settings::modeButtons[2] = 200;
    EXPECT_EQ(parse("B0 C0 01 21 40 3F 00"), 0);
    EXPECT_EQ(settings::modeButtons[0], 0);
    EXPECT_EQ(settings::modeButtons[1], 63);
    EXPECT_EQ(settings::modeButtons[2], 0);
}

// The fifteen feature packets of one mode, as mode A's.
std::vector<std::string> featurePackets(const settings::mode& m) {
    std::vector<std::string> texts;
    for (const auto* setting : m.digitalSettings) {
        setting->build(1);
        texts.push_back(hexText(currentPacket()));
    }
    return texts;
}

TEST_F(settingsTest, FeaturePacketsAreCorrectedByTheirClassRules) {
    const auto defaultFeatures = featurePackets(settings::mode{});
    const auto& b = modes[1];
    const struct {
        const char* name;
        const char* hex;
        std::function<void()> check;
    } rows[] = {
        {"knob range minimum 4095, maximum 100", "A2 C0 00 01 FF F0 64",
         [&] {
             EXPECT_EQ(b.knobRange[1].minimum, 4092);
             EXPECT_EQ(b.knobRange[1].maximum, 4093);
             EXPECT_EQ(b.knobRange[1].knob, 1);
             EXPECT_EQ(modes[1].knobRange[0].minimum, 720);
         }},
        {"knob range maximum not above minimum", "A2 C0 00 06 06 40 64",
         [&] {
             EXPECT_TRUE(b.knobRange[0].inverted);
             EXPECT_TRUE(b.knobRange[0].useCenterDeadzone);
             EXPECT_EQ(b.knobRange[0].minimum, 100);
             EXPECT_EQ(b.knobRange[0].maximum, 101);
         }},
        {"knob range kept", "A2 C0 00 00 00 1F FF",
         [&] {
             EXPECT_FALSE(b.knobRange[0].useCenterDeadzone);
             EXPECT_EQ(b.knobRange[0].minimum, 1);
             EXPECT_EQ(b.knobRange[0].maximum, 4095);
         }},
        {"knob centre 4095, deadzone end 4095", "A2 C0 01 01 FF FF FF",
         [&] {
             EXPECT_EQ(b.knobCenter[1].center, 4093);
             EXPECT_EQ(b.knobCenter[1].deadzoneEnd, 4094);
             EXPECT_EQ(b.knobCenter[1].knob, 1);
         }},
        {"knob centre 4094, deadzone end 100", "A2 C0 01 00 FF E0 64",
         [&] {
             EXPECT_EQ(b.knobCenter[0].center, 4093);
             EXPECT_EQ(b.knobCenter[0].deadzoneEnd, 4094);
         }},
        {"knob deadzone end below centre", "A2 C0 01 00 7D 00 64",
         [&] {
             EXPECT_EQ(b.knobCenter[0].center, 2000);
             EXPECT_EQ(b.knobCenter[0].deadzoneEnd, 2001);
         }},
        {"add knob to axis 6", "A2 C0 02 0F 06 02 BB",
         [&] {
             EXPECT_TRUE(b.addKnobToAxis.enabled && b.addKnobToAxis.rightKnob &&
                         b.addKnobToAxis.bidirectional && b.addKnobToAxis.inverted);
             EXPECT_EQ(b.addKnobToAxis.axis, 0);
             EXPECT_EQ(b.addKnobToAxis.scalingFactor, lowRes699);
         }},
        {"reorder entry above 7", "A2 C0 03 08 23 45 67",
         [&] {
             EXPECT_EQ(b.reorderAxes.order[1], 0);
             EXPECT_TRUE(b.reorderAxes.enabled); // 0 twice: not the identity
         }},
        {"reorder entry above 7 giving the identity", "A2 C0 03 81 23 45 67",
         [&] {
             EXPECT_EQ(b.reorderAxes.order[0], 0);
             EXPECT_FALSE(b.reorderAxes.enabled);
         }},
        {"reorder identity is disabled", "A2 C0 03 01 23 45 67",
         [&] { EXPECT_FALSE(b.reorderAxes.enabled); }},
        {"reorder swap", "A2 C0 03 10 23 45 67",
         [&] {
             EXPECT_TRUE(b.reorderAxes.enabled);
             EXPECT_EQ(b.reorderAxes.order[0], 1);
             EXPECT_EQ(b.reorderAxes.order[1], 0);
         }},
        {"modifier button 32", "A2 C0 04 FF FF 03 20",
         [&] {
             EXPECT_TRUE(b.extendedButtons.useModifiedButtons);
             EXPECT_TRUE(b.extendedButtons.disableHatSwitch);
             EXPECT_EQ(b.extendedButtons.modifierButton, 0);
         }},
        {"modifier button 31", "A2 C0 04 00 00 00 1F",
         [&] { EXPECT_EQ(b.extendedButtons.modifierButton, 31); }},
        {"button masks", "A2 C0 07 01 00 00 80",
         [&] {
             EXPECT_EQ(b.toggledButtons.buttons, 0x80000001u);
             EXPECT_EQ(b.disabledButtons.buttons, 0u);
         }},
        {"autofire button 32", "A2 C0 08 01 20 04 B0",
         [&] {
             EXPECT_TRUE(b.autofire.enabled);
             EXPECT_EQ(b.autofire.button, 0);
             EXPECT_EQ(b.autofire.period, 1200);
         }},
        {"cruise button 64", "A2 C0 09 00 01 3F 40",
         [&] {
             EXPECT_TRUE(b.cruiseControl.enabled);
             EXPECT_FALSE(b.cruiseControl.toggle);
             EXPECT_EQ(b.cruiseControl.axes, 0x3F);
             EXPECT_EQ(b.cruiseControl.button, 0);
         }},
        {"cruise button 63 kept", "A2 C0 09 00 02 02 3F",
         [&] { EXPECT_EQ(b.cruiseControl.button, 63); }},
        {"motor constant", "A2 C0 0A 01 FF 02 BB",
         [&] {
             EXPECT_TRUE(b.motorConstant.enabled);
             EXPECT_FALSE(b.motorConstant.highSpeed);
             EXPECT_EQ(b.motorConstant.pulsePeriod, 255);
             EXPECT_EQ(b.motorConstant.activationPoint, lowRes699);
         }},
        {"motor pulse", "A2 C0 0B 02 07 13 88",
         [&] {
             EXPECT_FALSE(b.motorPulse.enabled);
             EXPECT_TRUE(b.motorPulse.highSpeed);
             EXPECT_EQ(b.motorPulse.pulseLength, 7);
             EXPECT_EQ(b.motorPulse.activationPoint, 5.0f);
         }},
        {"motor axes stored as received", "A2 C0 0C 00 00 FF 80",
         [&] {
             EXPECT_EQ(b.motorExtended.constantAxes, 0xFF);
             EXPECT_EQ(b.motorExtended.pulseAxes, 0x80);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        settings::init();
        EXPECT_EQ(parse(row.hex), 0);
        row.check();
        // Only mode B was selected.
        EXPECT_EQ(featurePackets(modes[0]), defaultFeatures);
        EXPECT_EQ(featurePackets(modes[2]), defaultFeatures);
    }
}

TEST_F(settingsTest, AnalogPacketsFillTheValueOrTheKnobSlot) {
    auto& y = modes[2].axes[1];
    // Knob bit: the knob slot only; the value stays.
    EXPECT_EQ(parse("A4 02 83 00 00 20 40"), 0);
    EXPECT_TRUE(y.curvature.knobControlled);
    EXPECT_EQ(y.curvature.knobValue, 2.5f);
    EXPECT_EQ(y.curvature.value, 1.4f);
    EXPECT_FALSE(modes[2].axes[0].curvature.knobControlled);
    EXPECT_FALSE(modes[1].axes[1].curvature.knobControlled);
    // A plain value ends knob control.
    EXPECT_EQ(parse("A4 02 03 00 00 00 40"), 0);
    EXPECT_FALSE(y.curvature.knobControlled);
    EXPECT_EQ(y.curvature.value, 2.0f);

    // Every id reaches its member, in every selected mode and axis.
    const float values[5] = {2.0f, 0.25f, 0.5f, 3.0f, 4.0f};
    for (std::uint8_t id = 0; id < 5; ++id) {
        settingsParser::buildPerAxisAnalog(0x03, 0x21, id, values[id], false);
        EXPECT_EQ(settingsParser::parseToSettings(false, true), 0);
    }
    for (int m = 0; m < 3; ++m) {
        for (int a = 0; a < 6; ++a) {
            const bool selected = m < 2 && (a == 0 || a == 5);
            const auto& axis = modes[m].axes[a];
            EXPECT_EQ(axis.sensitivity.value == 2.0f, selected);
            EXPECT_EQ(axis.baseDeadzone.value == 0.25f, selected);
            EXPECT_EQ(axis.variableDeadzone.value == 0.5f, selected);
            EXPECT_EQ(axis.curvature.value == 3.0f, selected);
            EXPECT_EQ(axis.asymmetry.value == 4.0f, selected);
        }
    }

    const float infinity = std::numeric_limits<float>::infinity();
    for (std::uint8_t id = 0; id < 4; ++id) {
        settingsParser::buildAllAxisAnalog(0x05, id, id == 3 ? -infinity : id + 0.5f, id == 1);
        EXPECT_EQ(settingsParser::parseToSettings(false, true), 0);
    }
    for (int m : {0, 2}) {
        EXPECT_EQ(modes[m].baseSensitivity.value, 0.5f);
        EXPECT_TRUE(modes[m].smoothing.knobControlled);
        EXPECT_EQ(modes[m].smoothing.knobValue, 1.5f);
        EXPECT_EQ(modes[m].smoothing.value, 1.0f);
        EXPECT_EQ(modes[m].shiftX.value, 2.5f);
        EXPECT_EQ(modes[m].shiftY.value, -infinity);
    }
    EXPECT_EQ(modes[1].baseSensitivity.value, 1.0f);
}

TEST_F(settingsTest, AxisSwitchPacketsSetEverySelectedAxis) {
    EXPECT_EQ(parse("A6 8C 3F 00 00 00 03"), 0); // byte 2 is not examined
    for (int m = 0; m < 3; ++m) {
        for (int a = 0; a < 6; ++a) {
            const bool selected = m > 0 && (a == 2 || a == 3);
            EXPECT_EQ(modes[m].axes[a].disabled, selected);
            EXPECT_EQ(modes[m].axes[a].inverted, selected);
        }
    }
    EXPECT_EQ(parse("A2 84 00 00 00 00 02"), 0);
    EXPECT_FALSE(modes[1].axes[2].disabled);
    EXPECT_TRUE(modes[1].axes[2].inverted);
}

TEST_F(settingsTest, LowResolutionFloatsTruncateAfterScaling) {
    using settingsParser::lowResFloatToUnsigned;
    using settingsParser::unsignedToLowResFloat;
    EXPECT_EQ(lowResFloatToUnsigned(0.7f), 699);
    EXPECT_EQ(unsignedToLowResFloat(699), lowRes699);
    EXPECT_EQ(lowResFloatToUnsigned(1.0f), 1000);
    EXPECT_EQ(lowResFloatToUnsigned(2.0f), 2000);
    EXPECT_EQ(lowResFloatToUnsigned(65.535f), 65535);
    EXPECT_EQ(lowResFloatToUnsigned(70.0f), 70000 - 65536); // low 16 bits
    EXPECT_EQ(lowResFloatToUnsigned(-0.0009f), 0);          // toward zero
    EXPECT_EQ(lowResFloatToUnsigned(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(lowResFloatToUnsigned(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(unsignedToLowResFloat(1000), 1.0f);
    EXPECT_EQ(unsignedToLowResFloat(65535), 65.535f);

    // Through the packets: out as 699, back as 0.699.
    modes[0].motorConstant.activationPoint = 0.7f;
    modes[0].motorConstant.build(1);
    EXPECT_EQ(hexText(currentPacket()), "A1 C0 0A 02 03 02 BB");
    EXPECT_EQ(settingsParser::parseToSettings(false, true), 0);
    EXPECT_EQ(modes[0].motorConstant.activationPoint, lowRes699);
    char text[16];
    std::snprintf(text, sizeof text, "%.3f", lowRes699);
    EXPECT_STREQ(text, "0.699");
}

TEST_F(settingsTest, EveryLowResolutionValueSurvivesDecodeAndEncode) {
    for (unsigned value = 0; value <= 0xFFFF; ++value) {
        const auto u = static_cast<std::uint16_t>(value);
        ASSERT_EQ(settingsParser::lowResFloatToUnsigned(settingsParser::unsignedToLowResFloat(u)),
                  u);
    }
}

TEST_F(settingsTest, BufferHelpersAndStartPacketCount) {
    settingsParser::populateBitsFromFloat(1.0f);
    EXPECT_EQ(hexText(currentPacket()), "00 00 00 00 00 80 3F");
    EXPECT_EQ(settingsParser::getDataInt(), std::bit_cast<std::uint32_t>(1.0f));
    EXPECT_EQ(settingsParser::singleBit(5), 32u);

    const struct {
        std::uint32_t count;
        std::uint32_t parsed;
    } rows[] = {{0, 0}, {30, 30}, {585, 585}, {586, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& row : rows) {
        settingsParser::buildStartSettingsNumberOfPackets(row.count);
        EXPECT_EQ(settingsParser::parseToSettings(true, true), result::startSettings);
        EXPECT_EQ(settingsParser::parseNumberOfPackets(), row.parsed) << row.count;
    }
}

TEST_F(settingsTest, CommandBuildersFillTheWholeBuffer) {
    using namespace settingsParser;
    const struct {
        std::function<void()> build;
        const char* hex;
    } rows[] = {
        {buildRequestSettings, "E0 00 00 00 00 00 00"},
        {[] { buildStartSettingsNumberOfPackets(0x01020304); }, "E0 00 01 04 03 02 01"},
        {buildClearSettings, "E0 00 02 00 00 00 00"},
        {buildRetareLoadCells, "E0 00 03 00 00 00 00"},
        {buildRequestFirmwareVersion, "E0 00 04 00 00 00 00"},
        {[] { buildSendFirmwareVersion(1, 0, 5); }, "E0 00 05 00 01 00 05"},
        {[] { buildRequestErrorValues(false); }, "E0 00 06 00 00 00 00"},
        {[] { buildSendErrorValues(false, 0x80000001u); }, "E0 00 07 01 00 00 80"},
        {[] { buildRequestErrorValues(true); }, "E0 00 08 00 00 00 00"},
        {[] { buildSendErrorValues(true, 0x0102u); }, "E0 00 09 02 01 00 00"},
        {buildRequestKnobValues, "E0 00 0A 00 00 00 00"},
        {[] { buildSendKnobValues(0x0FFF, 0x0123); }, "E0 00 0B 0F FF 01 23"},
        {buildRequestButtonValues, "E0 00 0C 00 00 00 00"},
        {[] { buildSendButtonValues(0xA5000001u); }, "E0 00 0D 01 00 00 A5"},
        {buildRequestDiagnosticValues, "E0 00 0E 00 00 00 00"},
        {[] { buildSendDiagnosticValues(0x7E); }, "E0 00 0F 00 00 00 7E"},
    };
    for (const auto& row : rows) {
        std::fill(std::begin(data), std::end(data), 0xEE);
        row.build();
        EXPECT_EQ(hexText(currentPacket()), row.hex);
    }
}

// Whatever arrives, the model stays within what the rest of the program can show.
bool modelIsSound() {
    auto finite = [](const analogSetting& s) {
        return !std::isnan(s.value) && !std::isnan(s.knobValue);
    };
    if (settings::numModes < 1 || settings::numModes > 3) {
        return false;
    }
    for (auto button : settings::modeButtons) {
        if (button > 63) {
            return false;
        }
    }
    for (const auto& m : modes) {
        for (int k = 0; k < 2; ++k) {
            const auto& range = m.knobRange[k];
            const auto& center = m.knobCenter[k];
            if (range.knob != k || center.knob != k || range.minimum > 4092 ||
                range.maximum <= range.minimum || range.maximum > 4095 || center.center > 4093 ||
                center.deadzoneEnd <= center.center || center.deadzoneEnd > 4094) {
                return false;
            }
        }
        for (auto entry : m.reorderAxes.order) {
            if (entry > 7) {
                return false;
            }
        }
        if (m.addKnobToAxis.axis > 5 || m.extendedButtons.modifierButton > 31 ||
            m.autofire.button > 31 || m.cruiseControl.button > 63) {
            return false;
        }
        for (int id = 0; id < 4; ++id) {
            if (!finite(*m.analogById(id))) {
                return false;
            }
        }
        for (const auto& axis : m.axes) {
            for (int id = 0; id < 5; ++id) {
                if (!finite(*axis.analogById(id))) {
                    return false;
                }
            }
        }
    }
    return true;
}

TEST_F(settingsTest, AnyPacketLeavesASoundModel) {
    const std::uint8_t ids[] = {0,  1,  2,    3,    4,    5,    9,    12,   13,
                                15, 16, 0x3F, 0x40, 0x80, 0x83, 0x85, 0xC1, 0xFF};
    std::uint32_t noise = 12345;
    int failures = 0;
    for (int b0 = 0; b0 < 256; ++b0) {
        for (int b1 = 0; b1 < 256; ++b1) {
            for (auto id : ids) {
                packet p{static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1), id};
                for (int k = 3; k < 7; ++k) {
                    noise = noise * 1664525u + 1013904223u;
                    p[k] = static_cast<std::uint8_t>(noise >> 24);
                }
                if ((b1 & 3) == 0) {
                    p[6] = 0x7F; // NaN patterns for the analog packets
                    p[5] |= 0xC0;
                }
                loadPacket(p);
                const int r = settingsParser::parseToSettings((b1 & 0x10) != 0, (b0 & 1) == 0);
                if (r < 0 || r > 19 || !modelIsSound()) {
                    ADD_FAILURE() << hexText(p) << " gave " << r;
                    if (++failures > 5) {
                        return;
                    }
                }
            }
        }
    }
}

} // namespace
