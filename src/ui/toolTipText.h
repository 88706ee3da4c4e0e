#pragma once

// Tooltip texts of the main window's controls.
namespace toolTipText {

extern const char* const motorPulseButton;
extern const char* const motorPulseCheck;
extern const char* const motorConstantButton;
extern const char* const motorConstantCheck;
extern const char* const disableHatSwitchCheck;
extern const char* const handleCenterButton;
extern const char* const autofireButton;
extern const char* const autofireCheck;
extern const char* const addKnobToAxisButton;
extern const char* const addKnobToAxisCheck;
extern const char* const cruiseControlButton;
extern const char* const cruiseControlCheck;
extern const char* const reorderButton;
extern const char* const reorderCheck;
extern const char* const smoothingSlider;
extern const char* const baseSensitivitySlider;
extern const char* const modifiedButtonsButton;
extern const char* const modifiedButtonsCheck;
extern const char* const toggledButtonsButton;
extern const char* const disabledButtonsButton;
extern const char* const modeSettingsButton;
extern const char* const disableKnobsCheck;
extern const char* const diagnosticOptionsButton;

} // namespace toolTipText
