#include "device/joystickOutputParser.h"

#include "sim/joystick/ControllerReport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

namespace jop = joystickOutputParser;

// X 0x3FF, Y 0x155, Z 0x2AA, pitch 0x001, roll 0x200, yaw 0x0F0, hat 8, left knob
// 0x123, right knob 0x3C5; packed by hand after the report layout.
const std::vector<std::uint8_t> withKnobs = {
    0x01,                                           // report ID
    0xFF,                                           // X 0-7
    0x57,                                           // X 8-9 = 11, Y 0-5 = 010101
    0xA5,                                           // Y 6-9 = 0101, Z 0-3 = 1010
    0x6A,                                           // Z 4-9 = 101010, pitch 0-1 = 01
    0x00,                                           // pitch 2-9
    0x00,                                           // roll 0-7
    0xC2,                                           // roll 8-9 = 10, yaw 0-5 = 110000
    0x83,                                           // yaw 6-9 = 0011, hat = 8
    0x23,                                           // left 0-7
    0x15,                                           // left 8-9 = 01, right 0-5 = 000101
    0x0F,                                           // right 6-9 = 1111
    0x01, 0x00, 0x00, 0x80, 0x02, 0x00, 0x00, 0x80, // buttons 1, 32, 34, 64
};

TEST(joystickOutputParser, unpacksTheReportWithKnobs) {
    jop::setDefaults();
    ASSERT_TRUE(jop::parseReport(withKnobs.data(), withKnobs.size()));
    const std::int32_t expected[8] = {0x3FF, 0x155, 0x2AA, 0x001, 0x200, 0x0F0, 0x123, 0x3C5};
    for (int axis = 0; axis < 8; ++axis)
        EXPECT_EQ(jop::axisValues[axis], expected[axis]) << "axis " << axis;
    EXPECT_EQ(jop::hatVal, 8);
    EXPECT_TRUE(jop::hasKnobOutput);
    EXPECT_EQ(jop::buttonVals, 0x8000000280000001ull);
    EXPECT_EQ(jop::getSingleButton(0), 1);
    EXPECT_EQ(jop::getSingleButton(1), 0);
    EXPECT_EQ(jop::getSingleButton(31), 1);
    EXPECT_EQ(jop::getSingleButton(33), 1);
    EXPECT_EQ(jop::getSingleButton(63), 1);
    EXPECT_EQ(jop::getSingleButton(64), 0);
}

TEST(joystickOutputParser, the17ByteReportHasNoKnobs) {
    std::vector<std::uint8_t> report(withKnobs.begin(), withKnobs.begin() + 9);
    const std::uint8_t buttons[8] = {0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};
    report.insert(report.end(), buttons, buttons + 8);
    ASSERT_EQ(report.size(), 17u);
    jop::setDefaults();
    jop::axisValues[6] = jop::axisValues[7] = 500;
    ASSERT_TRUE(jop::parseReport(report.data(), report.size()));
    EXPECT_FALSE(jop::hasKnobOutput);
    EXPECT_EQ(jop::axisValues[0], 0x3FF);
    EXPECT_EQ(jop::axisValues[5], 0x0F0);
    EXPECT_EQ(jop::axisValues[6], 0);
    EXPECT_EQ(jop::axisValues[7], 0);
    EXPECT_EQ(jop::buttonVals, 0x4000000000000100ull);
    EXPECT_EQ(jop::hatVal, 8);
}

TEST(joystickOutputParser, otherReportsChangeNothing) {
    jop::setDefaults();
    ASSERT_TRUE(jop::parseReport(withKnobs.data(), withKnobs.size()));
    auto packetReport = withKnobs;
    packetReport[0] = 2; // a settings packet, not the controller
    std::vector<std::uint8_t> truncated(withKnobs.begin(), withKnobs.begin() + 12);
    std::vector<std::uint8_t> eighteen(withKnobs.begin(), withKnobs.begin() + 18);
    for (const auto* bad : {&packetReport, &truncated, &eighteen}) {
        EXPECT_FALSE(jop::parseReport(bad->data(), bad->size()));
        EXPECT_EQ(jop::axisValues[0], 0x3FF);
        EXPECT_EQ(jop::buttonVals, 0x8000000280000001ull);
        EXPECT_TRUE(jop::hasKnobOutput);
    }
    EXPECT_FALSE(jop::parseReport(withKnobs.data(), 0));
    // Nor does a report between the two sizes after the knob-less form: the display
    // keeps showing no knobs.
    ASSERT_TRUE(jop::parseReport(withKnobs.data(), jop::reportWithoutKnobsSize));
    EXPECT_FALSE(jop::parseReport(eighteen.data(), eighteen.size()));
    EXPECT_FALSE(jop::hasKnobOutput);
    // Longer reports are the form with knobs.
    auto longer = withKnobs;
    longer.resize(32, 0xEE);
    EXPECT_TRUE(jop::parseReport(longer.data(), longer.size()));
    EXPECT_EQ(jop::axisValues[7], 0x3C5);
}

TEST(joystickOutputParser, readsBackWhatTheSimulatorPacks) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        sim::ControllerState state;
        for (auto& axis : state.axes)
            axis = static_cast<std::uint16_t>(random() % 1024);
        state.hat = static_cast<std::uint8_t>(random() % 16);
        state.buttons = (std::uint64_t{random()} << 32) | random();
        for (bool knobs : {true, false}) {
            auto report = sim::controllerReport(state, knobs);
            ASSERT_TRUE(jop::parseReport(report.data(), report.size()));
            for (int axis = 0; axis < 8; ++axis)
                ASSERT_EQ(jop::axisValues[axis], axis < 6 || knobs ? state.axes[axis] : 0);
            ASSERT_EQ(jop::hatVal, state.hat);
            ASSERT_EQ(jop::buttonVals, state.buttons);
            ASSERT_EQ(jop::hasKnobOutput, knobs);
        }
    }
}

} // namespace
