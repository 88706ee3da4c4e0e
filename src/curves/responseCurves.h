#pragma once

#include <cstdint>
#include <string>

// What the joystick outputs for a handle force or a knob position, computed from the
// edit copies of one axis (modifySetting::tempAxis, whichTempAxis, with the active
// mode's base sensitivity) or one knob (tempKnobRange, tempKnobCenter), so a graph
// follows every change before it is stored.
//
// Axis input is the raw force measurement; output 1.0 is full deflection and is not
// limited. Knob input is a raw 12-bit position; knob output runs 0..1022, centre 511.
namespace modifySetting {

// Per axis X, Y, Z, pitch, roll, yaw. Raw force x times preScalingSensitivity times
// lbInScalingFactors is pounds (inch-pounds for the rotations); with gCmScalingFactors
// grams (gram-centimetres).
extern const float preScalingSensitivity[6];
extern const float lbInScalingFactors[6];
extern const float gCmScalingFactors[6];

// The band [-size, size] removed, the rest shifted toward zero.
float deadzone(float value, float size);
// base to the power `power`, with the sign of base kept.
float gradedSensitivity(float base, float power);

float getTempAxisOutputFromInput(float x, bool includeVariableDeadzone);
// The input magnitude at which the edited axis reaches output 1 on that side.
float getTempAxisMaxInput(bool negativeSide, bool includeVariableDeadzone);

// The "Max:" label of the axis detail dialog: the force at full output (without the
// variable deadzone) to three significant digits, its unit, and the label's top-left
// corner in the dialog, just past the end of the curve on the graph.
struct forceDisplay {
    float maximum = 0.0f;
    std::string unit; // " lb", " in-lb", " g" or " g-cm"
    int x = 0;
    int y = 0;
};
forceDisplay getTempAxisForceDisplay(bool negativeSide);

// floatLowRange, centerDeadzoneSize and floatHighRange from the edited knob.
void updateKnobConstants();
std::uint16_t getIndividualKnobOutput(std::uint16_t raw);

} // namespace modifySetting
