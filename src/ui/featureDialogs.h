#pragma once

// Adds the feature dialogs (LEDs, cruise control, axis order, knob added to an axis,
// autofire, the motor outputs and the button dialogs) to the dialog registry.
void registerFeatureDialogs();
