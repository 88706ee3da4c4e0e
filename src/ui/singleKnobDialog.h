#pragma once

#include "curves/pixelBmp.h"
#include "ui/controls.h"
#include "ui/detailDialog.h"
#include "ui/settingsBoolCheckbox.h"
#include "ui/sliderEditPairs.h"

class pixelBmpView;

// One knob of the active mode with its curve: edits modifySetting::tempKnobRange and
// tempKnobCenter (knob whichTempKnob), which the opener fills, and stores them with
// "Set/Close".
class singleKnobDialog : public detailDialog {
public:
    explicit singleKnobDialog(QWidget* owner);

    // The four positions, in the order of their controls.
    enum position : int { minimumPosition, maximumPosition, centerPosition, deadzoneEndPosition };
    static constexpr int pairCount = 4;

    pixelBmpView* knobGraph = nullptr;
    groupBox checkBoxGroup;
    settingsBoolCheckbox invertedCheckbox;
    settingsBoolCheckbox useCenterDeadzoneCheckbox;
    settingsUint16SliderEditPair pairs[pairCount];
    button setClose;

    static pixelBmp& graphBitmap();

    // Keeps minimum < center < deadzone end < maximum after `moved` changed, by moving
    // the others that break their margin with it.
    void applyOrdering(int moved);

private:
    void redraw();
    void sliderMoved(int pair);
    void editDone(int pair);
    void updateDeadzoneEndEnabled();
    void store();
};
