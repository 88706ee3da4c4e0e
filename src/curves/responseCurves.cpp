#include "curves/responseCurves.h"

#include "files/configFile.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>

namespace modifySetting {

const float preScalingSensitivity[6] = {5.2f, 2.31f, 3.35f, 2.18f, 1.67f, 6.47f};
const float lbInScalingFactors[6] = {0.00011f, 0.00026f, 0.000178f, 0.000492f, 0.000645f, 0.00024f};
const float gCmScalingFactors[6] = {0.0501f, 0.118f, 0.0806f, 0.567f, 0.743f, 0.277f};

namespace {

// Forces for X, Y, Z; torques for pitch, roll, yaw.
constexpr int firstRotation = 3;

// Graph geometry of the axis detail dialog: the label goes past the curve's end,
// 176 pixels either side of the graph's centre, above or below it.
constexpr int labelCentreX = 610;
constexpr double labelHalfSpan = 176.0;
constexpr int labelTopY = 22;
constexpr int labelBottomY = 413;

double removeBand(double v, double d) {
    if (v > d)
        return v - d;
    if (v < -d)
        return v + d;
    return 0.0;
}

float signedPower(double b, double p) {
    return b < 0 ? -static_cast<float>(std::pow(-b, p)) : static_cast<float>(std::pow(b, p));
}

// whichTempAxis is set by the dialogs to 0..5; never index past the tables.
int tempAxisIndex() {
    return std::min<int>(whichTempAxis, 5);
}

// Base sensitivity x pre-scaling x axis sensitivity: raw force to output units.
double tempAxisGain() {
    const double base = settings::modes[settings::activeMode].baseSensitivity.value;
    return base * preScalingSensitivity[tempAxisIndex()] * tempAxis.sensitivity.value;
}

} // namespace

float deadzone(float value, float size) {
    return static_cast<float>(removeBand(value, size));
}

float gradedSensitivity(float base, float power) {
    return signedPower(base, power);
}

float getTempAxisOutputFromInput(float x, bool includeVariableDeadzone) {
    double v = x * tempAxisGain() / 10000.0;
    if (v < 0)
        v *= tempAxis.asymmetry.value;
    v = removeBand(v, tempAxis.baseDeadzone.value);
    if (includeVariableDeadzone)
        v = removeBand(v, tempAxis.variableDeadzone.value);
    float out = signedPower(v, tempAxis.curvature.value);
    if (tempAxis.disabled)
        return 0.0f;
    return tempAxis.inverted ? -out : out;
}

float getTempAxisMaxInput(bool negativeSide, bool includeVariableDeadzone) {
    double deadzones = 1.0 + tempAxis.baseDeadzone.value;
    if (includeVariableDeadzone)
        deadzones += tempAxis.variableDeadzone.value;
    double m = deadzones * 10000.0 / tempAxisGain();
    if (negativeSide)
        m /= tempAxis.asymmetry.value;
    return static_cast<float>(m);
}

forceDisplay getTempAxisForceDisplay(bool negativeSide) {
    const int axis = tempAxisIndex();
    const double asymmetry = tempAxis.asymmetry.value;
    const double k = 10000.0 / tempAxisGain();
    float m = static_cast<float>((1.0 + tempAxis.baseDeadzone.value) * k);
    if (negativeSide)
        m = static_cast<float>(m / asymmetry);
    const double full = (1.0 + tempAxis.baseDeadzone.value + tempAxis.variableDeadzone.value) * k;
    const float scale = static_cast<float>(std::max(full, full / asymmetry));

    const bool metric = configFile::useMetricUnits;
    const float factor = metric ? gCmScalingFactors[axis] : lbInScalingFactors[axis];
    const float t =
        static_cast<float>(static_cast<double>(preScalingSensitivity[axis]) * m * factor);

    forceDisplay shown;
    shown.maximum = t;
    // Three significant digits, halves away from zero. Values read from a file can be
    // out of the editable ranges (a sensitivity of 0): those are shown as they are.
    if (std::isfinite(t) && t > 0) {
        const double e = std::floor(std::log10(t)) - 2;
        const float p = static_cast<float>(std::pow(10.0, e));
        // The quotient in single precision: 1.155 must come out as 1.16, and in double
        // it is 115.4999997.
        const float steps = t / p;
        shown.maximum = static_cast<float>(std::round(steps) * p);
    }
    if (axis < firstRotation)
        shown.unit = metric ? " g" : " lb";
    else
        shown.unit = metric ? " g-cm" : " in-lb";

    double along = static_cast<double>(m) / scale;
    if (!std::isfinite(along))
        along = 0.0;
    along = std::clamp(along, -1.0, 1.0);
    shown.x = labelCentreX +
              static_cast<int>(std::trunc((negativeSide ? -along : along) * labelHalfSpan));
    const bool top = negativeSide == tempAxis.inverted;
    shown.y = top ? labelTopY : labelBottomY;
    return shown;
}

void updateKnobConstants() {
    knobConstants::floatLowRange =
        static_cast<float>(int{tempKnobCenter.center} - int{tempKnobRange.minimum});
    knobConstants::centerDeadzoneSize =
        static_cast<std::uint16_t>(tempKnobCenter.deadzoneEnd - tempKnobCenter.center);
    const std::uint16_t highStart =
        tempKnobRange.useCenterDeadzone ? tempKnobCenter.deadzoneEnd : tempKnobCenter.center;
    knobConstants::floatHighRange =
        static_cast<float>(static_cast<std::uint16_t>(tempKnobRange.maximum - highStart));
}

std::uint16_t getIndividualKnobOutput(std::uint16_t raw) {
    updateKnobConstants();
    const auto& range = tempKnobRange;
    const auto& centre = tempKnobCenter;
    // Each branch below divides only by a range its own condition makes positive.
    std::uint16_t out;
    if (raw <= range.minimum) {
        out = 0;
    } else if (raw < centre.center) {
        out = static_cast<std::uint16_t>(
            std::trunc((raw - range.minimum) * 511.0 / knobConstants::floatLowRange));
    } else if (raw <= centre.deadzoneEnd && range.useCenterDeadzone) {
        out = 511;
    } else if (raw >= range.maximum) {
        out = 1022;
    } else {
        const int start = range.useCenterDeadzone ? centre.deadzoneEnd : centre.center;
        out = static_cast<std::uint16_t>(
            511 + std::trunc((raw - start) * 511.0 / knobConstants::floatHighRange));
    }
    return range.inverted ? static_cast<std::uint16_t>(1022 - out) : out;
}

} // namespace modifySetting
