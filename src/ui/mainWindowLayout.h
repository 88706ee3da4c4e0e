#pragma once

#include "settings/settings.h"
#include "ui/controls.h"
#include "ui/settingsBoolCheckbox.h"
#include "ui/settingsEdit.h"
#include "ui/sliderEditPairs.h"

#include <QString>
#include <functional>

class QCheckBox;
class QProgressBar;
class QTabWidget;
class QWidget;

// The tab control and its six pages: page 2m is mode m's Axes page, 2m + 1 its Other page.
struct tabs {
    static constexpr int pageCount = 6;
    static const char* const names[pageCount];

    int controlId = 0;
    QWidget* pageWindows[pageCount] = {};
    QTabWidget* tabControl = nullptr;

    // Makes the tab count match settings::numModes (two tabs per mode); when the
    // selected tab goes, the same kind of page of the last remaining mode is selected.
    void updateTabsPresent();
    int selected() const;
};

// Every control of the main window, bound to the settings of the mode its page shows.
class mainWindowLayout {
public:
    mainWindowLayout();

    // Builds every control on `window` (the main window's client area).
    void create(QWidget* window);
    void createAxisTabAreaControls(int mode);
    void createAxisControls(const QString& title, const QString& axisName, int mode, int axis,
                            int x, int y);
    void createOtherTabAreaControls(int mode);
    void createKnobControls(int mode, QWidget* page, int x, int y, const QString& title, int knob);

    void setAllValuesFromSettings();
    // Every control of one mode from the settings (the part of setAllValuesFromSettings
    // that belongs to a mode; also used after a group was copied into the mode).
    void setModeValuesFromSettings(int mode);
    // The controls of one group in one mode from the settings; this is how a group
    // copied from mode A into another mode is shown there.
    void refreshGroup(int mode, int group);
    void updateCheckBoxEffects();
    void updateAxesDisabled();
    void updateCruiseControlDisabled();
    void updateModeConstantDisabling();
    void updateDisableToggledDisplays(int mode);
    // After an edit of group `group`: held-constant groups follow mode A.
    void updateSettingFromModeConstants(bool afterEdit, int group);

    // A control of group `group` on a page of `mode` may be edited.
    static bool allowed(int mode, int group);

    // Called to mark the settings file as changed by a settings check box.
    std::function<void()> fileChangedByCheckBox;

    // 1. the group around the send/receive row
    groupBox sendReceiveGroup;
    // 2.
    button receiveButton;
    button sendButton;
    QProgressBar* progressBar = nullptr;
    button resetButton;
    button modeSettingsButton;
    button ledSettingsButton;
    button diagnosticOptionsButton;
    // 3.
    QCheckBox* usingDiagnosticsWindow = nullptr;
    int usingDiagnosticsId = 0;
    button outputDisplayButton;
    // 4.
    settingsBoolCheckbox disableKnobs;
    // 5.
    tabs tab;
    // 6.
    settingsFloatSliderEditPair baseSensitivity[3];
    settingsFloatSliderEditPair smoothing[3];
    // 7. Axes pages
    groupBox axisGroups[3][6];
    button axisGraphs[3][6];
    settingsBoolCheckbox axisDisabled[3][6];
    settingsBoolCheckbox axisInverted[3][6];
    settingsFloatEdit axisSensitivity[3][6];
    settingsFloatEdit axisBaseDeadzone[3][6];
    settingsFloatEdit axisVariableDeadzone[3][6];
    settingsFloatEdit axisCurvature[3][6];
    settingsFloatEdit axisAsymmetry[3][6];
    // 8. Other pages
    groupBox additionalAxisGroup[3];
    settingsBoolCheckbox useReorderedAxes[3];
    button setAxisOrder[3];
    settingsBoolCheckbox useCruiseControl[3];
    button setCruiseControl[3];
    settingsBoolCheckbox useKnobAddedToAxis[3];
    button setKnobAddedToAxis[3];
    groupBox buttonSettingsGroup[3];
    settingsBoolCheckbox useAutofire[3];
    button setAutofire[3];
    textLabel disabledButtonsLabel[3];
    button setDisabledButtons[3];
    textLabel toggledButtonsLabel[3];
    button setToggledButtons[3];
    settingsBoolCheckbox useModifiedButtons[3];
    button setModifiedButtons[3];
    groupBox motorGroup[3];
    settingsBoolCheckbox useConstantOutput[3];
    button setMotorConstant[3];
    settingsBoolCheckbox usePulsedOutput[3];
    button setMotorPulse[3];
    settingsBoolCheckbox disableHatSwitch[3];
    button setHandleCenter[3];
    groupBox knobGroups[3][2];
    button knobGraphs[3][2];
    settingsBoolCheckbox knobInverted[3][2];
    settingsBoolCheckbox knobUseDeadzone[3][2];
    settingsUint16Edit knobMinimum[3][2];
    settingsUint16Edit knobMaximum[3][2];
    settingsUint16Edit knobCenter[3][2];
    settingsUint16Edit knobDeadzoneEnd[3][2];
    // 9. valid ranges of the axis values
    float sensitivityMinimum, sensitivityMaximum;
    float smoothingMinimum, smoothingMaximum;
    float baseDeadzoneMinimum, baseDeadzoneMaximum;
    float variableDeadzoneMinimum, variableDeadzoneMaximum;
    float curvatureMinimum, curvatureMaximum;
    float asymmetryMinimum, asymmetryMaximum;
    // 10.
    int clientWidth = 0;
    int clientHeight = 0;

private:
    QWidget* mainWindow = nullptr;

    void createTopControls();
    void createTabs();
    // Page commands.
    void axisPageSliderMoved(int mode, bool smoothingPair);
    void axisPagePairEditDone(int mode, bool smoothingPair);
    void axisPageEditDone(int mode, int axis, int group);
    void axisPageCheckClicked(settingsBoolCheckbox& box, int group);
    void axisPageGraph(int mode, int axis);
    void otherPageCheckClicked(settingsBoolCheckbox& box, int group);
    void otherPageKnobGraph(int mode, int knob);
    void otherPageHandleCenter(int mode);
    void otherPageKnobEditDone(settingsUint16Edit& edit, int group);
    void featureEnabling(int mode, int group, settingsBoolCheckbox& use, button& set, bool on);
};

// The one layout of the main window; set while the main window exists.
extern mainWindowLayout* winLayout;
