#include "ui/singleAxisDialog.h"

#include "curves/curveGraphs.h"
#include "curves/responseCurves.h"
#include "platform/dialogs.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/mainWindowLayout.h"
#include "ui/numberFormat.h"
#include "ui/pixelBmpView.h"
#include "ui/settingsLineEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

namespace {

namespace ms = modifySetting;

const char* const axisStrings[settings::axisCount] = {
    "X Axis Settings",     "Y Axis Settings",    "Z Axis Settings",
    "Pitch Axis Settings", "Roll Axis Settings", "Yaw Axis Settings",
};

struct pairPlace {
    const char* name;
    const char* caption;
    int y;
    float minimum, maximum;
    bool logarithmic;
    const char* lowText;
    int lowWidth;
    const char* highText;
    int highWidth;
    analogSetting axisSettings::*member;
    int group;
    const char* copyName;
    const char* question;
};

const pairPlace places[singleAxisDialog::pairCount] = {
    {"sensitivitySlider", "Sensitivity", 81, 0.1f, 10.0f, true, "0.1", 16, "10.0", 25,
     &axisSettings::sensitivity, ms::axisSensitivityGroup, "copySensitivity",
     "Copy sensitivity value to all other axes?"},
    {"asymmetrySlider", "Asymmetry Scaling", 151, 0.2f, 5.0f, true, "0.2", 16, "5.0", 16,
     &axisSettings::asymmetry, ms::axisAsymmetryGroup, "copyAsymmetry",
     "Copy asymmetry scaling value to all other axes?"},
    {"baseDeadzoneSlider", "Base Deadzone", 221, 0.0f, 1.0f, false, "0.0", 16, "1.0", 16,
     &axisSettings::baseDeadzone, ms::axisBaseDeadzoneGroup, "copyBaseDeadzone",
     "Copy base deadzone value to all other axes?"},
    {"varDeadzoneSlider", "Variable Deadzone", 291, 0.0f, 0.75f, false, "0.0", 16, "0.75", 24,
     &axisSettings::variableDeadzone, ms::axisVariableDeadzoneGroup, "copyVarDeadzone",
     "Copy variable deadzone value to all other axes?"},
    {"curvatureSlider", "Curvature", 361, 1.0f, 4.0f, false, "1.0", 16, "4.0", 16,
     &axisSettings::curvature, ms::axisCurvatureGroup, "copyCurvature",
     "Copy curvature value to all other axes?"},
};

constexpr int forceLabelWidth = 95;

int editedAxis() {
    return std::min<int>(ms::whichTempAxis, settings::axisCount - 1);
}

axisSettings& storedAxis() {
    return settings::modes[activeModeIndex()].axes[editedAxis()];
}

// "Max: " and the force, moved to the end of the curve's side.
void updateForceDisplay(textLabel& label, bool negativeSide) {
    const ms::forceDisplay shown = ms::getTempAxisForceDisplay(negativeSide);
    label.window->setText(QStringLiteral("Max: ") +
                          QString::fromStdString(floatToString(shown.maximum) + shown.unit));
    label.window->move(shown.x, shown.y);
    // A longer text ("Max: 12.3 in-lb") grows to the right, away from the curve's end.
    label.window->resize(widthForCaption(label.window, forceLabelWidth), label.window->height());
}

// The active window owns the box: the dialog, while it runs.
bool askToCopy(const char* question) {
    return platform::dialogs::messageBox(question, "Copy to Other Axes",
                                         platform::dialogs::buttons::okCancel) ==
           platform::dialogs::button::ok;
}

} // namespace

pixelBmp& singleAxisDialog::graphBitmap() {
    static pixelBmp bmp = [] {
        pixelBmp made;
        curveGraphs::setUpAxisGraph(made);
        return made;
    }();
    return bmp;
}

singleAxisDialog::singleAxisDialog(QWidget* owner)
    : detailDialog(owner, 500, 250, QStringLiteral("Single Axis")) {
    axisGraph = new pixelBmpView(this, graphBitmap());
    axisGraph->setObjectName(QStringLiteral("axisGraph"));

    checkBoxGroup.create(this, QString(), 18, 7, 276, 44);
    checkBoxGroup.window->setObjectName(QStringLiteral("checkBoxGroup"));
    forceDisplayTop.create(this, QStringLiteral("lbs"), 500, 22, forceLabelWidth);
    forceDisplayTop.window->setObjectName(QStringLiteral("forceDisplayTop"));
    forceDisplayBottom.create(this, QStringLiteral("lbs"), 500, 413, forceLabelWidth);
    forceDisplayBottom.window->setObjectName(QStringLiteral("forceDisplayBottom"));

    createFlagBox(disabledCheckbox, QStringLiteral("Disabled"), 40, 25, 75, &ms::tempAxis.disabled);
    disabledCheckbox.window->setObjectName(QStringLiteral("disabledCheckbox"));
    disabledCheckbox.window->setEnabled(!lockedByGroup(ms::axisDisabledGroup));
    createFlagBox(invertedCheckbox, QStringLiteral("Inverted"), 128, 25, 75,
                  &ms::tempAxis.inverted);
    invertedCheckbox.window->setObjectName(QStringLiteral("invertedCheckbox"));
    invertedCheckbox.window->setEnabled(!lockedByGroup(ms::axisInvertedGroup));

    copyCheckboxes.create(this, QStringLiteral("Copy > All"), 215, 19, 67, true, 0);
    copyCheckboxes.window->setObjectName(QStringLiteral("copyCheckboxes"));
    copyCheckboxes.window->setEnabled(!lockedByGroup(ms::axisDisabledGroup) &&
                                      !lockedByGroup(ms::axisInvertedGroup));
    undoChanges.create(this, QStringLiteral("Undo Changes"), 323, 19, 92, true, 0);
    undoChanges.window->setObjectName(QStringLiteral("undoChanges"));

    for (int i = 0; i < pairCount; ++i) {
        const pairPlace& place = places[i];
        settingsFloatSliderEditPair& pair = pairs[i];
        const QString name = QString::fromLatin1(place.name);
        pair.create(this, QString::fromLatin1(place.caption), 48, place.y, 200, 400, true, false,
                    true, 0, 0);
        pair.setBuddyText(this, QString::fromLatin1(place.lowText), place.lowWidth,
                          QString::fromLatin1(place.highText), place.highWidth);
        pair.reference = &(ms::tempAxis.*place.member);
        pair.minimum = place.minimum;
        pair.maximum = place.maximum;
        pair.logarithmic = place.logarithmic;
        pair.sliderPart.changeMinMax(sliderSteps);
        showPair(pair);
        pair.sliderWindow->setObjectName(name);
        pair.editWindow->setObjectName(name + QStringLiteral("Edit"));
        pair.group.window->setObjectName(name + QStringLiteral("Group"));

        copyButtons[i].create(this, QStringLiteral("Copy > All"), 338, place.y + 2, 67, true, 0);
        copyButtons[i].window->setObjectName(QString::fromLatin1(place.copyName));
        if (lockedByGroup(place.group)) {
            pair.setEnabled(false);
            copyButtons[i].window->setEnabled(false);
        }

        connect(pair.sliderWindow, &QSlider::valueChanged, this, [this, i] { sliderMoved(i); });
        connect(pair.editWindow, &settingsLineEdit::focusLost, this, [this, i] { editDone(i); });
        connect(copyButtons[i].window, &QPushButton::clicked, this, [this, i] { copyValue(i); });
    }

    setWindowTitle(QString::fromLatin1(axisStrings[editedAxis()]));

    setClose.create(this, QStringLiteral("Set/Close"), 142, 419, 177, true, 0);
    setClose.window->setObjectName(QStringLiteral("setClose"));

    connect(disabledCheckbox.window, &QCheckBox::clicked, this,
            [this] { flagClicked(disabledCheckbox); });
    connect(invertedCheckbox.window, &QCheckBox::clicked, this,
            [this] { flagClicked(invertedCheckbox); });
    connect(copyCheckboxes.window, &QPushButton::clicked, this, [this] { copyFlags(); });
    connect(undoChanges.window, &QPushButton::clicked, this, [this] { undo(); });
    connect(setClose.window, &QPushButton::clicked, this, [this] { store(); });

    redraw();
}

void singleAxisDialog::redraw() {
    curveGraphs::singleAxisDialogUpdateGraph(*axisGraph, graphBitmap());
    updateForceDisplay(forceDisplayTop, false);
    updateForceDisplay(forceDisplayBottom, true);
}

void singleAxisDialog::sliderMoved(int i) {
    pairs[i].setReferenceFromSlider();
    pairs[i].setEditFromReference();
    redraw();
}

void singleAxisDialog::editDone(int i) {
    pairEditDone(pairs[i]);
    redraw();
}

void singleAxisDialog::flagClicked(settingsBoolCheckbox& box) {
    box.updateValue();
    redraw();
}

void singleAxisDialog::undo() {
    ms::tempAxis = storedAxis();
    disabledCheckbox.showReference();
    invertedCheckbox.showReference();
    for (settingsFloatSliderEditPair& pair : pairs)
        showPair(pair);
    redraw();
}

void singleAxisDialog::copyFlags() {
    if (!askToCopy("Copy disabled and inverted settings to all other axes?"))
        return;
    settings::mode& active = settings::modes[activeModeIndex()];
    for (int a = 0; a < settings::axisCount; ++a) {
        if (a == editedAxis())
            continue;
        active.axes[a].disabled = ms::tempAxis.disabled;
        active.axes[a].inverted = ms::tempAxis.inverted;
    }
    modeConstantCopy(ms::axisDisabledGroup);
    modeConstantCopy(ms::axisInvertedGroup);
    if (winLayout)
        winLayout->setAllValuesFromSettings();
}

void singleAxisDialog::copyValue(int i) {
    const pairPlace& place = places[i];
    if (!askToCopy(place.question))
        return;
    settings::mode& active = settings::modes[activeModeIndex()];
    const float value = (ms::tempAxis.*place.member).value;
    for (int a = 0; a < settings::axisCount; ++a) {
        if (a == editedAxis())
            continue;
        analogSetting& target = active.axes[a].*place.member;
        target.value = value;
        target.knobControlled = false;
    }
    modeConstantCopy(place.group);
    if (winLayout)
        winLayout->setAllValuesFromSettings();
}

void singleAxisDialog::store() {
    storedAxis() = ms::tempAxis;
    for (int g = ms::axisDisabledGroup; g <= ms::axisCurvatureGroup; ++g)
        modeConstantCopy(g);
    finish(1);
}
