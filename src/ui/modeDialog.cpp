#include "ui/modeDialogs.h"

#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/defaultFont.h"
#include "ui/dialogRegistry.h"
#include "ui/dialogUnits.h"
#include "ui/joystickButtonLabels.h"
#include "ui/mainWindowLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <memory>

namespace {

// Box 714 + g is group g.
constexpr int firstGroupBoxId = 714;
const char* const groupBoxTexts[modeDialog::groupBoxCount] = {
    "Base Sensitivity", "Smoothing",         "Axis Disabled",      "Axis Inverted",
    "Axis Sensitivity", "Axis Asymmetry",    "Axis Base Deadzone", "Axis Var. Deadzone",
    "Axis Curvature",   "Reordered Axes",    "Cruise Control",     "Knob Add to Axis",
    "Disabled Buttons", "Toggled Buttons",   "Autofire",           "Modified Buttons",
    "Motor Constant",   "Motor Pulse",       "Handle Center",      "Disable Hat Switch",
    "Knob Inverted",    "Knob Use Deadzone", "Knob Minimum",       "Knob Maximum",
    "Knob Center",      "Knob Deadzone End",
};

template <typename Control>
Control* place(Control* control, int id, int left, int top, int width, int height) {
    control->setObjectName(QString::number(id));
    control->setGeometry(dialogUnits::rect(left, top, width, height));
    return control;
}

} // namespace

modeDialog::modeDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Mode Settings"));
    setFixedSize(dialogUnits::x(330), dialogUnits::y(288));

    place(new QLabel(QStringLiteral("Number of Modes:"), this), 701, 10, 12, 70, 10);
    numModeDropDown = place(new QComboBox(this), 702, 85, 10, 40, 14);
    numModeDropDown->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    useCycleCheck = place(new QCheckBox(QStringLiteral("Cycle Modes with Button"), this), 703, 140,
                          12, 105, 10);
    auto* arrange =
        place(new QPushButton(QStringLiteral("Arrange Modes"), this), 713, 255, 9, 65, 14);

    cycleText = place(new QLabel(QStringLiteral("Mode Cycle Button:"), this), 704, 10, 32, 70, 10);
    buttonAText = place(new QLabel(QStringLiteral("Mode A Button:"), this), 705, 10, 32, 70, 10);
    place(new QLabel(QStringLiteral("Mode B Button:"), this), 707, 10, 50, 70, 10);
    place(new QLabel(QStringLiteral("Mode C Button:"), this), 710, 10, 68, 70, 10);
    const int dropDownIds[3] = {706, 708, 711};
    for (int i = 0; i < 3; ++i)
        modeButtonDropDowns[i] =
            place(new QComboBox(this), dropDownIds[i], 85, 30 + 18 * i, 150, 14);
    modeBMomentaryCheck =
        place(new QCheckBox(QStringLiteral("Momentary"), this), 709, 245, 50, 60, 10);
    modeCMomentaryCheck =
        place(new QCheckBox(QStringLiteral("Momentary"), this), 712, 245, 68, 60, 10);

    auto* group = place(new QGroupBox(QStringLiteral("Settings Changed Between Modes"), this), 740,
                        7, 88, 316, 174);
    group->lower();
    // Two columns of thirteen, in group order down the first column.
    for (int g = 0; g < groupBoxCount; ++g)
        modeConstantChecks[g] =
            place(new QCheckBox(QString::fromLatin1(groupBoxTexts[g]), this), firstGroupBoxId + g,
                  g < 13 ? 17 : 167, 102 + 10 * (g % 13), 140, 10);
    modeConstantCheckAllButton =
        place(new QPushButton(QStringLiteral("Check/Uncheck All"), this), 741, 17, 240, 75, 14);
    auto* setClose =
        place(new QPushButton(QStringLiteral("Set/Close"), this), 742, 255, 268, 65, 14);
    for (QPushButton* b : {arrange, modeConstantCheckAllButton, setClose})
        b->setAutoDefault(false);

    // Opening: the dialog shows the model as it is.
    for (int g = 0; g < groupBoxCount; ++g)
        modeConstantChecks[g]->setChecked(modifySetting::modeUseConstant[g]);
    numModeDropDown->setCurrentIndex(settings::modesInUse() - 1);
    useCycleCheck->setChecked(settings::useModeCycleButton);
    modeBMomentaryCheck->setChecked(settings::useModeMomentary[0]);
    modeCMomentaryCheck->setChecked(settings::useModeMomentary[1]);
    for (int i = 0; i < 3; ++i) {
        for (const char* label : joystickButtonLabels)
            modeButtonDropDowns[i]->addItem(QString::fromLatin1(label));
        // A button number outside the list (a file may hold up to 63) leaves the
        // drop-down without a selection, and Set/Close then keeps the number.
        modeButtonDropDowns[i]->setCurrentIndex(
            settings::modeButtons[i] < joystickButtonLabels.size() ? settings::modeButtons[i] : -1);
        applyDefaultFont(modeButtonDropDowns[i]);
    }
    applyDefaultFont(numModeDropDown);
    updateDependentControls();

    connect(numModeDropDown, &QComboBox::activated, this, [this] { updateDependentControls(); });
    for (QCheckBox* box : {useCycleCheck, modeBMomentaryCheck, modeCMomentaryCheck})
        connect(box, &QCheckBox::clicked, this, [this] { updateDependentControls(); });
    connect(arrange, &QPushButton::clicked, this, [this] { openArrangeModes(); });
    connect(modeConstantCheckAllButton, &QPushButton::clicked, this, [this] { checkUncheckAll(); });
    connect(setClose, &QPushButton::clicked, this, [this] { setAndClose(); });
}

void modeDialog::updateDependentControls() {
    const int n = numModeDropDown->currentIndex() + 1;
    const bool cycle = useCycleCheck->isChecked();
    const bool momentaryB = modeBMomentaryCheck->isChecked();
    const bool momentaryC = modeCMomentaryCheck->isChecked();

    cycleText->setVisible(cycle);
    buttonAText->setVisible(!cycle);

    const bool several = n >= 2;
    modeConstantCheckAllButton->setEnabled(several);
    for (QCheckBox* box : modeConstantChecks)
        box->setEnabled(several);

    // With every other mode momentary, mode A is the mode while no button is held.
    const bool allMomentary = n == 2 ? momentaryB : momentaryB && momentaryC;
    useCycleCheck->setEnabled(several);
    modeButtonDropDowns[0]->setEnabled(several && (cycle || !allMomentary));
    const bool modeB = several && !cycle;
    modeButtonDropDowns[1]->setEnabled(modeB);
    modeBMomentaryCheck->setEnabled(modeB);
    const bool modeC = n == 3 && !cycle;
    modeButtonDropDowns[2]->setEnabled(modeC);
    modeCMomentaryCheck->setEnabled(modeC);
}

void modeDialog::checkUncheckAll() {
    const bool allChecked =
        std::all_of(std::begin(modeConstantChecks), std::end(modeConstantChecks),
                    [](const QCheckBox* box) { return box->isChecked(); });
    for (QCheckBox* box : modeConstantChecks)
        box->setChecked(!allChecked);
}

void modeDialog::setAndClose() {
    settings::numModes = static_cast<std::uint8_t>(numModeDropDown->currentIndex() + 1);
    settings::useModeCycleButton = useCycleCheck->isChecked();
    settings::useModeMomentary[0] = modeBMomentaryCheck->isChecked();
    settings::useModeMomentary[1] = modeCMomentaryCheck->isChecked();
    for (int g = 0; g < groupBoxCount; ++g)
        modifySetting::modeUseConstant[g] = modeConstantChecks[g]->isChecked();
    for (int i = 0; i < 3; ++i) {
        const int chosen = modeButtonDropDowns[i]->currentIndex();
        if (chosen >= 0)
            settings::modeButtons[i] = static_cast<std::uint8_t>(chosen);
    }
    if (winLayout) {
        winLayout->tab.updateTabsPresent();
        // Groups now held constant take mode A's values in the other modes.
        for (int g = 0; g < modifySetting::groupCount; ++g)
            winLayout->updateSettingFromModeConstants(false, g);
        winLayout->updateCheckBoxEffects();
        winLayout->updateModeConstantDisabling();
    }
    done(1);
}

void modeDialog::openArrangeModes() {
    arrangeModesDialog arrange(this);
    arrange.exec();
}

void modeDialog::reject() {
    done(2);
}

void registerModeDialogs() {
    dialogRegistry::add(dialogRegistry::modeDialog, [](QWidget* owner) {
        modeDialog dialog(owner);
        return dialog.exec();
    });
    dialogRegistry::add(dialogRegistry::arrangeModesDialog, [](QWidget* owner) {
        arrangeModesDialog dialog(owner);
        return dialog.exec();
    });
    dialogRegistry::addPreview(dialogRegistry::modeDialog, "mode-settings", [](QWidget* owner) {
        return std::unique_ptr<QDialog>(new modeDialog(owner));
    });
    dialogRegistry::addPreview(
        dialogRegistry::arrangeModesDialog, "arrange-modes",
        [](QWidget* owner) { return std::unique_ptr<QDialog>(new arrangeModesDialog(owner)); });
}
