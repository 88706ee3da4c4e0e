#pragma once

// Adds the axis, knob and handle-centre dialogs to the dialog registry.
void registerCurveDialogs();
