#include "ui/toolTipText.h"

// UTF-8; the apostrophes written ’ are the right single quotation mark.
namespace toolTipText {

const char* const motorPulseButton =
    "Opens settings for using the handle's vibration motor to provide a pulsed output when an "
    "axis value surpasses a set activation point. Can be used to learn where maximum output "
    "occurs or just to get feedback during use.";
const char* const motorPulseCheck =
    "Allows for using the handle's vibration motor to provide a pulsed output when an axis "
    "value surpasses a set activation point. Can be used to learn where maximum output occurs "
    "or just to get feedback during use.";
const char* const motorConstantButton =
    "Opens settings for using the handle's vibration motor to provide a constant output when "
    "an axis value surpasses a set activation point. Can be used to learn where maximum output "
    "occurs or just to get feedback during use.";
const char* const motorConstantCheck =
    "Allows for using the handle's vibration motor to provide a constant output when an axis "
    "value surpasses a set activation point. Can be used to learn where maximum output occurs "
    "or just to get feedback during use.";
const char* const disableHatSwitchCheck =
    "Disables the joystick’s 8-way hat switch from outputting to software as a hat switch. "
    "(But doesn’t prevent the hat switch from outputting as button outputs 14-22.)";
const char* const handleCenterButton =
    "Opens settings for changing the calculated balance point of the joystick’s handle for the "
    "pitch/Y and roll/X axes. This changes the point on the handle at which pressing in "
    "forward/backward produces Y axis output without pitch output, and the point at which "
    "pressing left/right produces X axis output without roll output.";
const char* const autofireButton =
    "Opens settings for autofire, which allows for a single button’s output to rapidly "
    "auto-click when held down, at a selected pulse length.";
const char* const autofireCheck =
    "Autofire allows for a single button’s output to rapidly auto-click when held down, at a "
    "selected pulse length.";
const char* const addKnobToAxisButton =
    "Opens settings for adding knob to axis. This biases an axis, allowing for long continuous "
    "motion or careful speed control.";
const char* const addKnobToAxisCheck =
    "Allows for adding the value of a selected knob to the value of a selected axis. This "
    "biases an axis, allowing for long continuous motion or careful speed control.";
const char* const cruiseControlButton =
    "Opens settings for cruise control. Cruise control temporary locks the output of one of "
    "more axes when a chosen joystick button is pressed. Can be set as either an on/off "
    "toggle, or as a momentary state while the button is held down.";
const char* const cruiseControlCheck =
    "Allows for using cruise control. Cruise control temporary locks the output of one or more "
    "axes when a chosen joystick button is pressed. Can be set as either an on/off toggle, or "
    "as a momentary state while the button is held down.";
const char* const reorderButton =
    "Opens settings for changing the order of the joystick's axis output, from the default "
    "order of X, Y, Z, pitch, roll, yaw. (Intended for compatibility with software that "
    "doesn't allow for selecting axes.)";
const char* const reorderCheck =
    "Allows for changing the order of the joystick's axis output, from the default order of "
    "X, Y, Z, pitch, roll, yaw. (Intended for compatibility with software that doesn't allow "
    "for selecting axes.)";
const char* const smoothingSlider =
    "Sets the amount of smoothing applied to axis values. A value of '0' represents no "
    "smoothing. Higher values create a smoother output, but also a slower response to "
    "changes. Valid range is from 0 to 10.";
const char* const baseSensitivitySlider =
    "Sets a sensitivity scaling factor that is applied to all six axes. Higher values "
    "represent higher sensitivity (less force applied for the same output). Valid range is "
    "from 0.1 to 10.";
const char* const modifiedButtonsButton =
    "Opens settings for using a shifted range of additional button outputs (buttons #33-64), "
    "when holding down a modifier button.";
const char* const modifiedButtonsCheck =
    "Allows for using a shifted range of additional button outputs (buttons #33-64), when "
    "holding down a modifier button.";
const char* const toggledButtonsButton = "Opens settings for using toggled joystick buttons.";
const char* const disabledButtonsButton = "Opens settings for disabling joystick buttons.";
const char* const modeSettingsButton =
    "Opens settings for changing the number of modes, selecting mode buttons, and selecting "
    "settings changed between modes.";
const char* const disableKnobsCheck =
    "Disables knob axis output, reducing total output to six axes. This can be useful for "
    "simple programs (like Descent with DXX Rebirth) which are incompatible with more than six "
    "axes of input. Requires resetting the joystick after sending the setting.";
const char* const diagnosticOptionsButton =
    "Opens diagnostics options. Allows for taring load cells, checking firmware version, "
    "retrieving errors values, and setting diagnostic modes.";

} // namespace toolTipText
