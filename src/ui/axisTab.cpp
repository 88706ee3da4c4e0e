#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"
#include "ui/dialogRegistry.h"
#include "ui/settingsLineEdit.h"
#include "ui/toolTipText.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>

namespace {

struct axisGroupPlace {
    const char* title;
    const char* name;
    int x, y;
};

constexpr axisGroupPlace axisPlaces[6] = {
    {"X  AXIS", "X axis", 46, 84},         {"Y  AXIS", "Y axis", 256, 84},
    {"Z  AXIS", "Z axis", 466, 84},        {"PITCH  AXIS", "pitch axis", 46, 309},
    {"ROLL  AXIS", "roll axis", 256, 309}, {"YAW  AXIS", "yaw axis", 466, 309},
};

} // namespace

void mainWindowLayout::createAxisTabAreaControls(int m) {
    QWidget* page = tab.pageWindows[2 * m];
    settings::mode& md = settings::modes[m];

    settingsFloatSliderEditPair& base = baseSensitivity[m];
    base.create(page, QStringLiteral("Base Sensitivity"), 45, 29, 200, 320, true, false, true, 0, 0,
                QString::fromUtf8(toolTipText::baseSensitivitySlider));
    base.logarithmic = true;
    base.minimum = 0.1f;
    base.maximum = 10.0f;
    base.reference = &md.baseSensitivity;
    base.sliderPart.changeMinMax(1000);
    base.setBuddyText(page, QStringLiteral("0.1"), 20, QStringLiteral("10.0"), 25);

    settingsFloatSliderEditPair& smooth = smoothing[m];
    smooth.create(page, QStringLiteral("Smoothing"), 383, 29, 200, 320, true, false, true, 0, 0,
                  QString::fromUtf8(toolTipText::smoothingSlider));
    smooth.logarithmic = false;
    smooth.minimum = smoothingMinimum;
    smooth.maximum = smoothingMaximum;
    smooth.reference = &md.smoothing;
    smooth.sliderPart.changeMinMax(1000);
    smooth.setBuddyText(page, QStringLiteral("0.0"), 20, QStringLiteral("10.0"), 25);

    for (bool isSmoothing : {false, true}) {
        settingsFloatSliderEditPair& pair = isSmoothing ? smooth : base;
        QObject::connect(pair.sliderWindow, &QSlider::valueChanged, pair.sliderWindow,
                         [this, m, isSmoothing] { axisPageSliderMoved(m, isSmoothing); });
        QObject::connect(pair.editWindow, &settingsLineEdit::focusLost, pair.editWindow,
                         [this, m, isSmoothing] { axisPagePairEditDone(m, isSmoothing); });
    }

    for (int a = 0; a < settings::axisCount; ++a)
        createAxisControls(QString::fromLatin1(axisPlaces[a].title),
                           QString::fromLatin1(axisPlaces[a].name), m, a, axisPlaces[a].x,
                           axisPlaces[a].y);
}

void mainWindowLayout::createAxisControls(const QString& title, const QString& n, int m, int a,
                                          int x, int y) {
    QWidget* page = tab.pageWindows[2 * m];
    axisSettings& axis = settings::modes[m].axes[a];

    axisGroups[m][a].create(page, title, x, y, 180, 205);
    axisGraphs[m][a].create(page, QStringLiteral("Graph"), x + 118, y + 20, 45, true, 0,
                            QStringLiteral("Opens larger view of axis settings, with axis "
                                           "curve graph and settings sliders."));
    axisDisabled[m][a].create(page, QStringLiteral("Disabled"), x + 15, y + 25, 70,
                              QStringLiteral("Disables output for the ") + n + u'.');
    axisDisabled[m][a].reference = &axis.disabled;
    axisInverted[m][a].create(page, QStringLiteral("Inverted"), x + 15, y + 45, 70,
                              QStringLiteral("Inverts the output for the ") + n + u'.');
    axisInverted[m][a].reference = &axis.inverted;

    axisSensitivity[m][a].create(
        page, QStringLiteral("Sensitivity:"), x + 122, y + 70, 62, 1.0f, sensitivityMinimum,
        sensitivityMaximum, true, 0,
        QStringLiteral("Sets a sensitivity scaling factor that is applied to the ") + n +
            QStringLiteral(", on top of the base sensitivity.  Valid range is from 0.1 to 10."));
    axisSensitivity[m][a].reference = &axis.sensitivity;
    axisAsymmetry[m][a].create(
        page, QStringLiteral("Asymmetry Scaling:"), x + 122, y + 95, 111, 0.0f, asymmetryMinimum,
        asymmetryMaximum, true, 0,
        QStringLiteral("Sets a sensitivity scaling factor that is applied only to the negative "
                       "direction of the ") +
            n + QStringLiteral(", on top of both the base sensitivity and the ") + n +
            QStringLiteral(" sensitivity. Valid range is from 0.2 to 5."));
    axisAsymmetry[m][a].reference = &axis.asymmetry;
    axisBaseDeadzone[m][a].create(
        page, QStringLiteral("Base Deadzone:"), x + 122, y + 120, 89, 0.0f, baseDeadzoneMinimum,
        baseDeadzoneMaximum, true, 0,
        QStringLiteral("Sets the center deadzone for the ") + n +
            QStringLiteral(", as a fraction of the axis range. For example, a value of 0.1 adds "
                           "a deadzone equal to 10% of the range before the deadzone was "
                           "added. Valid range is from 0 to 1."));
    axisBaseDeadzone[m][a].reference = &axis.baseDeadzone;
    axisVariableDeadzone[m][a].create(
        page, QStringLiteral("Variable Deadzone:"), x + 122, y + 145, 107, 0.0f,
        variableDeadzoneMinimum, variableDeadzoneMaximum, true, 0,
        QStringLiteral("Sets the maximum size of an additional deadzone for the ") + n +
            QStringLiteral(". The size of this deadzone varies based on the size of the current "
                           "largest output value of any of the axes. The maximum deadzone is "
                           "applied when any axis is at its maximum value. This is intended to "
                           "make it easier to avoid accidental inputs on other axes when "
                           "applying high forces in a different direction. Value range is from "
                           "0 to 0.75."));
    axisVariableDeadzone[m][a].reference = &axis.variableDeadzone;
    axisCurvature[m][a].create(
        page, QStringLiteral("Curvature:"), x + 122, y + 170, 63, 1.4f, curvatureMinimum,
        curvatureMaximum, true, 0,
        QStringLiteral("Sets the curvature of the output curve for the ") + n +
            QStringLiteral(". A value of 1 represents a completely linear output, applying no "
                           "curvature. Higher values smoothly transition into an exponential "
                           "curve. The overall size of the output range is not effected. This "
                           "is intended to make it easier to more accurately apply small "
                           "outputs. Valid range is from 1 to 4."));
    axisCurvature[m][a].reference = &axis.curvature;

    QObject::connect(axisGraphs[m][a].window, &QPushButton::clicked, axisGraphs[m][a].window,
                     [this, m, a] { axisPageGraph(m, a); });
    QObject::connect(axisDisabled[m][a].window, &QCheckBox::clicked, axisDisabled[m][a].window,
                     [this, m, a] {
                         axisPageCheckClicked(axisDisabled[m][a], modifySetting::axisDisabledGroup);
                     });
    QObject::connect(axisInverted[m][a].window, &QCheckBox::clicked, axisInverted[m][a].window,
                     [this, m, a] {
                         axisPageCheckClicked(axisInverted[m][a], modifySetting::axisInvertedGroup);
                     });
    const std::pair<settingsFloatEdit*, int> edits[] = {
        {&axisSensitivity[m][a], modifySetting::axisSensitivityGroup},
        {&axisAsymmetry[m][a], modifySetting::axisAsymmetryGroup},
        {&axisBaseDeadzone[m][a], modifySetting::axisBaseDeadzoneGroup},
        {&axisVariableDeadzone[m][a], modifySetting::axisVariableDeadzoneGroup},
        {&axisCurvature[m][a], modifySetting::axisCurvatureGroup},
    };
    for (const auto& [edit, group] : edits) {
        settingsFloatEdit* e = edit;
        const int g = group;
        QObject::connect(e->window, &settingsLineEdit::focusLost, e->window, [this, e, g] {
            e->validate();
            updateSettingFromModeConstants(true, g);
        });
    }
}

void mainWindowLayout::axisPageSliderMoved(int m, bool isSmoothing) {
    settingsFloatSliderEditPair& pair = isSmoothing ? smoothing[m] : baseSensitivity[m];
    pair.setReferenceFromSlider();
    pair.setEditFromReference();
    updateSettingFromModeConstants(true, isSmoothing ? modifySetting::smoothingGroup
                                                     : modifySetting::baseSensitivityGroup);
}

void mainWindowLayout::axisPagePairEditDone(int m, bool isSmoothing) {
    settingsFloatSliderEditPair& pair = isSmoothing ? smoothing[m] : baseSensitivity[m];
    pair.validate();
    pair.setSliderFromReference();
    updateSettingFromModeConstants(true, isSmoothing ? modifySetting::smoothingGroup
                                                     : modifySetting::baseSensitivityGroup);
}

void mainWindowLayout::axisPageCheckClicked(settingsBoolCheckbox& box, int group) {
    box.updateValue();
    updateSettingFromModeConstants(true, group);
    updateCheckBoxEffects();
}

void mainWindowLayout::axisPageGraph(int m, int a) {
    modifySetting::tempAxis = settings::modes[m].axes[a];
    modifySetting::whichTempAxis = static_cast<std::uint8_t>(a);
    dialogRegistry::run(dialogRegistry::singleAxisDialog, tab.pageWindows[2 * m]);
    setAllValuesFromSettings();
    updateAxesDisabled();
}
