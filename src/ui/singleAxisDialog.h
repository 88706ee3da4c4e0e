#pragma once

#include "curves/pixelBmp.h"
#include "ui/controls.h"
#include "ui/detailDialog.h"
#include "ui/settingsBoolCheckbox.h"
#include "ui/sliderEditPairs.h"

class pixelBmpView;

// One axis of the active mode with its curve: edits modifySetting::tempAxis (axis
// whichTempAxis), which the opener fills, and stores it with "Set/Close".
class singleAxisDialog : public detailDialog {
public:
    explicit singleAxisDialog(QWidget* owner);

    // Sensitivity, asymmetry, base deadzone, variable deadzone, curvature.
    static constexpr int pairCount = 5;

    pixelBmpView* axisGraph = nullptr;
    groupBox checkBoxGroup;
    textLabel forceDisplayTop;
    textLabel forceDisplayBottom;
    settingsBoolCheckbox disabledCheckbox;
    settingsBoolCheckbox invertedCheckbox;
    button copyCheckboxes;
    button undoChanges;
    settingsFloatSliderEditPair pairs[pairCount];
    button copyButtons[pairCount];
    button setClose;

    // The picture kept between openings: grid and background only between redraws.
    static pixelBmp& graphBitmap();

private:
    void redraw();
    void sliderMoved(int pair);
    void editDone(int pair);
    void flagClicked(settingsBoolCheckbox& box);
    void undo();
    void copyFlags();
    void copyValue(int pair);
    void store();
};
