#include "curves/responseCurves.h"

#include "files/configFile.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace modifySetting;

constexpr int X = 0, pitch = 3;

// The edited axis and knob at their defaults, in mode A, imperial units.
class responseCurves : public ::testing::Test {
protected:
    void SetUp() override {
        settings::init();
        modifySetting::reset();
        configFile::useMetricUnits = false;
        whichTempAxis = X;
    }
    void TearDown() override { configFile::useMetricUnits = false; }
};

TEST_F(responseCurves, deadzoneRemovesTheBandAndPowerKeepsTheSign) {
    EXPECT_EQ(deadzone(0.05f, 0.05f), 0.0f);
    EXPECT_EQ(deadzone(-0.05f, 0.05f), 0.0f);
    EXPECT_NEAR(deadzone(0.06f, 0.05f), 0.01f, 1e-6);
    EXPECT_NEAR(deadzone(-0.06f, 0.05f), -0.01f, 1e-6);
    EXPECT_FLOAT_EQ(gradedSensitivity(0.5f, 2.0f), 0.25f);
    EXPECT_FLOAT_EQ(gradedSensitivity(-0.5f, 2.0f), -0.25f);
    EXPECT_EQ(gradedSensitivity(0.0f, 1.4f), 0.0f);
}

TEST_F(responseCurves, theDefaultXAxisReachesFullOutputWhereItsMaximumSays) {
    const float withoutVariable = getTempAxisMaxInput(false, false);
    const float withVariable = getTempAxisMaxInput(false, true);
    EXPECT_NEAR(withoutVariable, 1.05 * 10000 / 5.2, 0.01);
    EXPECT_NEAR(withVariable, 1.17 * 10000 / 5.2, 0.01);
    EXPECT_NEAR(getTempAxisOutputFromInput(withoutVariable, false), 1.0f, 1e-5);
    EXPECT_NEAR(getTempAxisOutputFromInput(withVariable, true), 1.0f, 1e-5);
    EXPECT_NEAR(getTempAxisOutputFromInput(-withVariable, true), -1.0f, 1e-5);
    // Inside the base deadzone nothing comes out; past the maximum it is not limited.
    EXPECT_EQ(getTempAxisOutputFromInput(90.0f, false), 0.0f); // 90 x 5.2e-4 < 0.05
    EXPECT_GT(getTempAxisOutputFromInput(2 * withVariable, true), 1.0f);
    // Halfway into the live range the curvature bends the output below a straight line.
    const float half =
        getTempAxisOutputFromInput((withoutVariable + 0.05f * 10000 / 5.2f) / 2, false);
    EXPECT_NEAR(half, std::pow(0.5, 1.4), 1e-4);
}

TEST_F(responseCurves, disabledGivesNothingInvertedTheNegativeAndAsymmetryTheOtherSide) {
    const float x = 1500.0f;
    const float normal = getTempAxisOutputFromInput(x, true);
    ASSERT_GT(normal, 0.0f);
    tempAxis.inverted = true;
    EXPECT_FLOAT_EQ(getTempAxisOutputFromInput(x, true), -normal);
    tempAxis.disabled = true;
    for (float input : {-3000.0f, -x, 0.0f, x, 3000.0f})
        EXPECT_EQ(getTempAxisOutputFromInput(input, true), 0.0f) << input;

    tempAxis = axisSettings{};
    tempAxis.asymmetry.value = 2.0f;
    EXPECT_NEAR(getTempAxisMaxInput(true, true), getTempAxisMaxInput(false, true) / 2, 0.01);
    EXPECT_NEAR(getTempAxisOutputFromInput(-getTempAxisMaxInput(true, false), false), -1.0f, 1e-5);
    EXPECT_NEAR(getTempAxisOutputFromInput(getTempAxisMaxInput(false, false), false), 1.0f, 1e-5);
}

TEST_F(responseCurves, theGainFollowsBaseAndAxisSensitivityAndTheAxisTable) {
    const float defaultMax = getTempAxisMaxInput(false, false);
    settings::modes[0].baseSensitivity.value = 2.0f;
    EXPECT_NEAR(getTempAxisMaxInput(false, false), defaultMax / 2, 0.01);
    tempAxis.sensitivity.value = 0.5f;
    EXPECT_NEAR(getTempAxisMaxInput(false, false), defaultMax, 0.01);
    // The active mode's base sensitivity is the one used.
    settings::activeMode = 1;
    settings::modes[1].baseSensitivity.value = 1.0f;
    EXPECT_NEAR(getTempAxisMaxInput(false, false), defaultMax * 2, 0.02);
    settings::activeMode = 0;

    settings::modes[0].baseSensitivity.value = 1.0f;
    tempAxis.sensitivity.value = 1.0f;
    whichTempAxis = 5; // yaw
    EXPECT_NEAR(getTempAxisMaxInput(false, false), 1.05 * 10000 / 6.47, 0.01);
}

TEST_F(responseCurves, theForceDisplayShowsThreeDigitsWithItsUnitPastTheCurvesEnd) {
    forceDisplay shown = getTempAxisForceDisplay(false);
    EXPECT_FLOAT_EQ(shown.maximum, 1.16f); // 1.155 with the half going up
    EXPECT_EQ(shown.unit, " lb");
    // The label sits at 1.05 / 1.17 of the graph's half-width, above the graph.
    EXPECT_EQ(shown.x, 610 + static_cast<int>(1.05 / 1.17 * 176));
    EXPECT_EQ(shown.y, 22);

    shown = getTempAxisForceDisplay(true);
    EXPECT_FLOAT_EQ(shown.maximum, 1.16f);
    EXPECT_EQ(shown.x, 610 - static_cast<int>(1.05 / 1.17 * 176));
    EXPECT_EQ(shown.y, 413);
    tempAxis.inverted = true;
    EXPECT_EQ(getTempAxisForceDisplay(true).y, 22);
    EXPECT_EQ(getTempAxisForceDisplay(false).y, 413);

    configFile::useMetricUnits = true;
    shown = getTempAxisForceDisplay(false);
    EXPECT_FLOAT_EQ(shown.maximum, 526.0f);
    EXPECT_EQ(shown.unit, " g");
    whichTempAxis = pitch;
    EXPECT_EQ(getTempAxisForceDisplay(false).unit, " g-cm");
    configFile::useMetricUnits = false;
    EXPECT_EQ(getTempAxisForceDisplay(false).unit, " in-lb");
}

TEST_F(responseCurves, theForceScaleUsesTheLargerSide) {
    // Asymmetry 2: the negative side is full at half the force; the scale stays the
    // positive side's, so the negative label sits halfway out.
    tempAxis.asymmetry.value = 2.0f;
    const int positive = getTempAxisForceDisplay(false).x - 610;
    const int negative = getTempAxisForceDisplay(true).x - 610;
    EXPECT_EQ(positive, static_cast<int>(1.05 / 1.17 * 176));
    EXPECT_EQ(negative, -static_cast<int>(1.05 / 1.17 * 176 / 2));
    // 1.155 / 2: 0.5775 lies just below the half in single precision.
    EXPECT_FLOAT_EQ(getTempAxisForceDisplay(true).maximum, 0.577f);

    // Asymmetry 0.5: the negative side needs twice the force and sets the scale.
    tempAxis.asymmetry.value = 0.5f;
    EXPECT_EQ(getTempAxisForceDisplay(true).x - 610, -static_cast<int>(1.05 / 1.17 * 176));
    EXPECT_EQ(getTempAxisForceDisplay(false).x - 610, static_cast<int>(1.05 / 1.17 * 176 / 2));
}

TEST_F(responseCurves, valuesOutsideTheEditableRangesDoNotBreakTheDisplay) {
    // A settings file may carry anything; the label must still land on the graph.
    for (float sensitivity : {0.0f, -1.0f, 1e30f, NAN}) {
        tempAxis.sensitivity.value = sensitivity;
        for (bool negative : {false, true}) {
            const forceDisplay shown = getTempAxisForceDisplay(negative);
            EXPECT_GE(shown.x, 610 - 176) << sensitivity;
            EXPECT_LE(shown.x, 610 + 176) << sensitivity;
        }
    }
}

TEST_F(responseCurves, knobOutputMapsTheTravelAroundItsCentreBand) {
    // minimum 720, centre 1980, deadzone end 2114, maximum 3375, centre band used
    struct {
        std::uint16_t raw, out;
    } cases[] = {{0, 0},       {720, 0},     {721, 0},    {1350, 255}, {1979, 510},
                 {1980, 511},  {2000, 511},  {2114, 511}, {2115, 511}, {2745, 766},
                 {3374, 1021}, {3375, 1022}, {4095, 1022}};
    for (const auto& c : cases)
        EXPECT_EQ(getIndividualKnobOutput(c.raw), c.out) << c.raw;
    EXPECT_FLOAT_EQ(knobConstants::floatLowRange, 1260.0f);
    EXPECT_EQ(knobConstants::centerDeadzoneSize, 134);
    EXPECT_FLOAT_EQ(knobConstants::floatHighRange, 1261.0f);

    tempKnobRange.inverted = true;
    EXPECT_EQ(getIndividualKnobOutput(720), 1022);
    EXPECT_EQ(getIndividualKnobOutput(1350), 1022 - 255);
    EXPECT_EQ(getIndividualKnobOutput(4095), 0);

    tempKnobRange.inverted = false;
    tempKnobRange.useCenterDeadzone = false;
    EXPECT_EQ(getIndividualKnobOutput(2114), 511 + 134 * 511 / 1395);
    EXPECT_EQ(getIndividualKnobOutput(1980), 511);
    EXPECT_FLOAT_EQ(knobConstants::floatHighRange, 1395.0f);
}

TEST_F(responseCurves, knobRangesInAnyOrderNeverDivideByZero) {
    // Positions from a file need not be ordered; every raw value still maps into 0..1022.
    const std::uint16_t positions[] = {0, 720, 1980, 2114, 3375, 4095};
    for (auto minimum : positions)
        for (auto centre : positions)
            for (auto end : positions)
                for (auto maximum : positions) {
                    tempKnobRange.minimum = minimum;
                    tempKnobRange.maximum = maximum;
                    tempKnobCenter.center = centre;
                    tempKnobCenter.deadzoneEnd = end;
                    for (bool band : {false, true}) {
                        tempKnobRange.useCenterDeadzone = band;
                        for (std::uint16_t raw = 0; raw <= 4095; raw += 35)
                            ASSERT_LE(getIndividualKnobOutput(raw), 1022)
                                << minimum << " " << centre << " " << end << " " << maximum;
                    }
                }
}

} // namespace
