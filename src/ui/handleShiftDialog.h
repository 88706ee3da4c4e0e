#pragma once

#include "ui/controls.h"
#include "ui/detailDialog.h"
#include "ui/sliderEditPairs.h"

#include <QImage>

class QPaintEvent;

// The handle's balance point of the active mode over a picture of the handle: edits
// modifySetting::tempShiftX and tempShiftY, which the opener fills, and stores them with
// "Set/Close".
class handleShiftDialog : public detailDialog {
public:
    explicit handleShiftDialog(QWidget* owner);

    settingsFloatSliderEditPair YPitchSlider;
    settingsFloatSliderEditPair XRollSlider;
    textLabel YPitchText;
    textLabel XRollText;
    button undoChanges; // 1801
    button setClose;    // 1802

    // The picture drawn at (20, 0); null when it could not be made.
    const QImage& picture() const { return hBMP; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setUpPair(settingsFloatSliderEditPair& pair, const QString& caption, int x,
                   analogSetting* reference);
    void undo();
    void store();

    QImage hBMP;
};
