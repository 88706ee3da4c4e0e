#pragma once

#include <QDialog>
#include <QString>

class QKeyEvent;
class settingsBoolCheckbox;
class settingsFloatSliderEditPair;

// What the axis, knob and handle-centre dialogs share: each edits a copy its opener
// made, stores it only with "Set/Close" (result 1) and drops it with the close box
// (result 2). Enter and Escape do nothing, so neither ends an edit by accident.
class detailDialog : public QDialog {
public:
    // A fixed-size dialog of the template's size in dialog units. The control ids the
    // dialog takes are handed out again once it ends.
    detailDialog(QWidget* owner, int widthUnits, int heightUnits, const QString& title);
    ~detailDialog() override;

    // The close box.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void finish(int result);

    // The group is held equal to mode A and the active mode is not mode A.
    static bool lockedByGroup(int group);
    // A check box bound to `reference`, showing it; kept out of the main window's list
    // of settings check boxes.
    void createFlagBox(settingsBoolCheckbox& box, const QString& caption, int x, int y, int width,
                       bool* reference);
    // Shows the pair's setting. Showing is not an edit: a knob-controlled setting keeps
    // its knob control until its slider is moved or another number is typed.
    static void showPair(settingsFloatSliderEditPair& pair);
    // An edit box left: a knob-controlled setting whose text is still the one shown
    // stays as it is; otherwise the text is read back and the slider follows.
    static void pairEditDone(settingsFloatSliderEditPair& pair);
    // Held-constant groups follow mode A after an edit.
    static void modeConstantCopy(int group);

private:
    bool idsReturned = false;
};

// The active mode, held to the three modes.
int activeModeIndex();
