#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// "Mode Settings" (template 700): how many modes are in use, how the user switches
// between them, and which setting groups may differ between the modes.
class modeDialog : public QDialog {
public:
    static constexpr int groupBoxCount = 26;

    explicit modeDialog(QWidget* owner);

    // Shows and enables the controls that depend on the number of modes, the cycle
    // button and the two momentary boxes.
    void updateDependentControls();
    void checkUncheckAll();
    // Stores every choice, then brings the main window in line with it.
    void setAndClose();
    void openArrangeModes();

protected:
    // The close box and Escape store nothing.
    void reject() override;

private:
    QComboBox* numModeDropDown = nullptr;
    QCheckBox* useCycleCheck = nullptr;
    QCheckBox* modeBMomentaryCheck = nullptr;
    QCheckBox* modeCMomentaryCheck = nullptr;
    QLabel* cycleText = nullptr;
    QLabel* buttonAText = nullptr;
    QComboBox* modeButtonDropDowns[3] = {};
    QCheckBox* modeConstantChecks[groupBoxCount] = {};
    QPushButton* modeConstantCheckAllButton = nullptr;
};

// "Arrange Modes" (template 600): swaps two modes' settings or copies one mode's over
// another's. Every setting value of a mode moves; the mode count, the mode buttons and
// the mode-constant flags stay.
class arrangeModesDialog : public QDialog {
public:
    explicit arrangeModesDialog(QWidget* owner);

    void firstChanged(int row);
    void swapModes();
    void copyModes();

    // The mode chosen in the second drop-down of a row, from the mode of its first.
    static int secondMode(int first, int position);

protected:
    void reject() override;

private:
    QComboBox* swapDropDowns[2] = {};
    QComboBox* copyDropDowns[2] = {};
    int prevSwapFirst = 0;
    int prevCopyFirst = 0;

    void fillSecond(QComboBox* second, int first);
    void refreshMainWindow();
};

// Adds both dialogs to the dialog registry.
void registerModeDialogs();
