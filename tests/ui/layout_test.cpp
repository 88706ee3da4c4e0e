#include "uiTestSupport.h"

#include "files/file.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/settingsLineEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>

namespace {

namespace ms = modifySetting;

class layout : public uiTest {
protected:
    mainWindowLayout& startWithModes(int modes) {
        mainWindow& w = start();
        settings::numModes = static_cast<std::uint8_t>(modes);
        w.layout().setAllValuesFromSettings();
        return w.layout();
    }
    QStringList tabNames(mainWindowLayout& l) {
        QStringList names;
        for (int i = 0; i < l.tab.tabControl->count(); ++i)
            names << l.tab.tabControl->tabText(i);
        return names;
    }
};

TEST_F(layout, tabsFollowTheNumberOfModes) {
    mainWindowLayout& l = startWithModes(1);
    EXPECT_EQ(tabNames(l), QStringList({"Mode A - Axes", "Mode A - Other"}));
    settings::numModes = 3;
    l.setAllValuesFromSettings();
    EXPECT_EQ(tabNames(l), QStringList({"Mode A - Axes", "Mode A - Other", "Mode B - Axes",
                                        "Mode B - Other", "Mode C - Axes", "Mode C - Other"}));
}

TEST_F(layout, selectingATabSetsTheActiveMode) {
    mainWindowLayout& l = startWithModes(3);
    l.tab.tabControl->setCurrentIndex(3);
    EXPECT_EQ(settings::activeMode, 1);
    EXPECT_FALSE(ms::onAxisTab);
    l.tab.tabControl->setCurrentIndex(4);
    EXPECT_EQ(settings::activeMode, 2);
    EXPECT_TRUE(ms::onAxisTab);
    EXPECT_TRUE(l.tab.pageWindows[4]->isVisibleTo(l.tab.tabControl));
}

TEST_F(layout, removingModesMovesTheSelectionToTheSameKindOfPage) {
    mainWindowLayout& l = startWithModes(3);
    l.tab.tabControl->setCurrentIndex(5);
    settings::numModes = 2;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.tab.selected(), 3);
    EXPECT_EQ(l.tab.tabControl->tabText(3), "Mode B - Other");
    EXPECT_EQ(settings::activeMode, 1);
    EXPECT_FALSE(ms::onAxisTab);
    settings::numModes = 1;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.tab.selected(), 1);
    EXPECT_EQ(settings::activeMode, 0);
    // A selection that stays is left alone.
    settings::numModes = 3;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.tab.selected(), 1);
}

TEST_F(layout, modeBPagesEnableOnlyGroupsThatMayDiffer) {
    mainWindowLayout& l = startWithModes(2);
    ms::modeUseConstant[ms::axisAsymmetryGroup] = true;
    l.tab.tabControl->setCurrentIndex(2);
    for (int a = 0; a < settings::axisCount; ++a) {
        SCOPED_TRACE(a);
        EXPECT_FALSE(l.axisSensitivity[1][a].window->isEnabled());
        EXPECT_TRUE(l.axisAsymmetry[1][a].window->isEnabled());
        EXPECT_FALSE(l.axisCurvature[1][a].window->isEnabled());
        EXPECT_FALSE(l.axisDisabled[1][a].window->isEnabled());
        EXPECT_TRUE(l.axisSensitivity[0][a].window->isEnabled());
        EXPECT_TRUE(l.axisGraphs[1][a].window->isEnabled());
    }
    EXPECT_FALSE(l.baseSensitivity[1].sliderWindow->isEnabled());
    EXPECT_FALSE(l.smoothing[1].editWindow->isEnabled());
    EXPECT_FALSE(l.setDisabledButtons[1].window->isEnabled());
    EXPECT_FALSE(l.knobMinimum[1][0].window->isEnabled());
    EXPECT_TRUE(l.knobMinimum[0][0].window->isEnabled());
}

TEST_F(layout, cruiseControlAndDeadzoneEndFollowTheirSwitches) {
    mainWindowLayout& l = startWithModes(2);
    l.tab.tabControl->setCurrentIndex(1);
    EXPECT_TRUE(l.useCruiseControl[0].window->isEnabled());
    EXPECT_FALSE(l.setCruiseControl[0].window->isEnabled());
    l.useCruiseControl[0].window->click();
    EXPECT_TRUE(settings::modes[0].cruiseControl.enabled);
    EXPECT_TRUE(l.setCruiseControl[0].window->isEnabled());
    // Held constant: copied into mode B, whose controls stay disabled.
    EXPECT_TRUE(settings::modes[1].cruiseControl.enabled);
    EXPECT_TRUE(l.useCruiseControl[1].window->isChecked());
    EXPECT_FALSE(l.useCruiseControl[1].window->isEnabled());
    EXPECT_FALSE(l.setCruiseControl[1].window->isEnabled());
    ms::modeUseConstant[ms::cruiseControlGroup] = true;
    l.updateCheckBoxEffects();
    EXPECT_TRUE(l.setCruiseControl[1].window->isEnabled());

    EXPECT_TRUE(l.knobDeadzoneEnd[0][1].window->isEnabled());
    l.knobUseDeadzone[0][1].window->click();
    EXPECT_FALSE(settings::modes[0].knobRange[1].useCenterDeadzone);
    EXPECT_FALSE(l.knobDeadzoneEnd[0][1].window->isEnabled());
    EXPECT_TRUE(l.knobDeadzoneEnd[0][0].window->isEnabled());
}

TEST_F(layout, anAxisDisabledBoxDisablesItsRow) {
    mainWindowLayout& l = startWithModes(2);
    ms::modeUseConstant[ms::axisCurvatureGroup] = true;
    settings::modes[1].axes[3].disabled = true; // the other mode does not matter
    l.axisDisabled[0][3].window->click();
    EXPECT_TRUE(settings::modes[0].axes[3].disabled);
    settingsEdit* row[] = {&l.axisSensitivity[0][3], &l.axisAsymmetry[0][3],
                           &l.axisBaseDeadzone[0][3], &l.axisVariableDeadzone[0][3],
                           &l.axisCurvature[0][3]};
    EXPECT_FALSE(l.axisInverted[0][3].window->isEnabled());
    for (settingsEdit* e : row)
        EXPECT_FALSE(e->window->isEnabled());
    EXPECT_TRUE(l.axisDisabled[0][3].window->isEnabled());
    EXPECT_TRUE(l.axisGraphs[0][3].window->isEnabled());
    EXPECT_TRUE(l.axisInverted[0][2].window->isEnabled());
    l.axisDisabled[0][3].window->click();
    EXPECT_TRUE(l.axisInverted[0][3].window->isEnabled());
    for (settingsEdit* e : row)
        EXPECT_TRUE(e->window->isEnabled());
    // On mode B only the groups that may differ come back.
    l.axisDisabled[0][3].window->click();
    l.axisDisabled[0][3].window->click();
    EXPECT_FALSE(settings::modes[1].axes[3].disabled); // copied from mode A
    EXPECT_TRUE(l.axisCurvature[1][3].window->isEnabled());
    EXPECT_FALSE(l.axisSensitivity[1][3].window->isEnabled());
}

TEST_F(layout, editsInModeAAreCopiedToHeldConstantModes) {
    mainWindowLayout& l = startWithModes(3);
    settingsEdit& edit = l.axisSensitivity[0][1];
    edit.window->setText("2");
    emit edit.window->focusLost();
    EXPECT_FLOAT_EQ(settings::modes[0].axes[1].sensitivity.value, 2.0f);
    EXPECT_FLOAT_EQ(settings::modes[1].axes[1].sensitivity.value, 2.0f);
    EXPECT_FLOAT_EQ(settings::modes[2].axes[1].sensitivity.value, 2.0f);
    EXPECT_EQ(l.axisSensitivity[2][1].window->text(), "2");

    // A group that may differ keeps mode B's own value.
    ms::modeUseConstant[ms::knobMinimumGroup] = true;
    l.knobMinimum[0][0].window->setText("100");
    emit l.knobMinimum[0][0].window->focusLost();
    EXPECT_EQ(settings::modes[0].knobRange[0].minimum, 100);
    EXPECT_EQ(settings::modes[1].knobRange[0].minimum, 720);

    // The slider pair: moved in mode A, stored rounded, copied on.
    l.smoothing[0].sliderWindow->setValue(333);
    EXPECT_FLOAT_EQ(settings::modes[0].smoothing.value, 3.33f);
    EXPECT_EQ(l.smoothing[0].editWindow->text(), "3.33");
    EXPECT_FLOAT_EQ(settings::modes[2].smoothing.value, 3.33f);
    // Positions from values are truncated: 3.33f sits just below 333.
    EXPECT_NEAR(l.smoothing[2].sliderWindow->value(), 333, 1);

    // An edit made while mode B is active is not copied back.
    l.tab.tabControl->setCurrentIndex(2);
    ms::modeUseConstant[ms::axisSensitivityGroup] = true;
    l.axisSensitivity[1][1].window->setText("5");
    emit l.axisSensitivity[1][1].window->focusLost();
    EXPECT_FLOAT_EQ(settings::modes[1].axes[1].sensitivity.value, 5.0f);
    EXPECT_FLOAT_EQ(settings::modes[0].axes[1].sensitivity.value, 2.0f);
}

TEST_F(layout, buttonCountsAndDiagnosticsIndicator) {
    mainWindowLayout& l = startWithModes(2);
    settings::modes[1].disabledButtons.buttons = (1u << 0) | (1u << 5) | (1u << 31);
    settings::modes[1].toggledButtons.buttons = 0xFu;
    settings::loadCellDiagnosticMode = true;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.disabledButtonsLabel[1].window->text(), "Disabled Buttons: 3");
    EXPECT_EQ(l.toggledButtonsLabel[1].window->text(), "Toggled Buttons: 4");
    EXPECT_EQ(l.disabledButtonsLabel[0].window->text(), "Disabled Buttons: 0");
    EXPECT_TRUE(l.usingDiagnosticsWindow->isChecked());
    EXPECT_FALSE(l.usingDiagnosticsWindow->isEnabled());
}

TEST_F(layout, openingAFileOnAModeBPageEnablesWhatNowDiffers) {
    const std::string path = tempPath("two-modes.jxc");
    settings::init();
    settings::numModes = 2;
    settings::modes[1] = settings::modes[0];
    settings::modes[1].axes[0].sensitivity.set(3.0f);
    file::active = path;
    ASSERT_TRUE(file::saveCurrentFile());
    file::active.clear();
    settings::init();

    mainWindowLayout& l = startWithModes(2);
    l.tab.tabControl->setCurrentIndex(2);
    EXPECT_FALSE(l.axisSensitivity[1][0].window->isEnabled());
    script.choose(path);
    window->command(101);
    EXPECT_TRUE(ms::modeUseConstant[ms::axisSensitivityGroup]);
    EXPECT_EQ(l.tab.selected(), 2);
    EXPECT_EQ(settings::activeMode, 1); // the page in front, not mode A
    EXPECT_EQ(l.axisSensitivity[1][0].window->text(), "3");
    EXPECT_TRUE(l.axisSensitivity[1][0].window->isEnabled());
    EXPECT_FALSE(l.axisCurvature[1][0].window->isEnabled());
}

TEST_F(layout, disableKnobsMarksTheFileChanged) {
    mainWindowLayout& l = startWithModes(1);
    EXPECT_FALSE(file::fileChanged);
    l.disableKnobs.window->click();
    EXPECT_TRUE(settings::knobsDisabled);
    EXPECT_TRUE(file::fileChanged);
    EXPECT_EQ(settingsBoolCheckbox::find(l.disableKnobs.id), &l.disableKnobs);
}

TEST_F(layout, knobControlledValuesShowKnob) {
    mainWindowLayout& l = startWithModes(1);
    settings::modes[0].axes[4].curvature.knobControlled = true;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.axisCurvature[0][4].window->text(), "knob");
    EXPECT_FALSE(l.axisCurvature[0][4].window->isEnabled());
    EXPECT_TRUE(settings::modes[0].axes[4].curvature.knobControlled);

    // A knob-controlled base sensitivity or smoothing is shown by its value and kept
    // as received until the user moves the slider.
    analogSetting& base = settings::modes[0].baseSensitivity;
    base.value = 2.3456f;
    base.knobControlled = true;
    base.knobValue = 0.25f;
    settings::modes[0].smoothing.knobControlled = true;
    l.setAllValuesFromSettings();
    EXPECT_EQ(l.baseSensitivity[0].editWindow->text(), "2.346");
    EXPECT_TRUE(base.knobControlled);
    EXPECT_FLOAT_EQ(base.value, 2.3456f);
    EXPECT_FLOAT_EQ(base.knobValue, 0.25f);
    EXPECT_TRUE(settings::modes[0].smoothing.knobControlled);
    l.baseSensitivity[0].sliderWindow->setValue(500);
    EXPECT_FALSE(base.knobControlled);
    EXPECT_FLOAT_EQ(base.value, 1.0f);
}

TEST_F(layout, controlsCarryTheirPlacesCaptionsAndTips) {
    mainWindowLayout& l = startWithModes(1);
    EXPECT_EQ(l.sendButton.window->geometry(), QRect(20, 15, 50, 25));
    EXPECT_EQ(l.sendButton.window->text(), "Send");
    EXPECT_EQ(l.sendButton.window->toolTip(), "Sends all settings to the connected joystick.");
    EXPECT_EQ(l.sendButton.window->objectName(), QString::number(l.sendButton.id));
    EXPECT_EQ(l.tab.tabControl->geometry(), QRect(30, 107, 700, 560));
    EXPECT_EQ(l.axisGroups[0][3].window->title(), "PITCH  AXIS");
    EXPECT_EQ(l.axisSensitivity[0][3].window->geometry(), QRect(46 + 122, 309 + 70, 40, 21));
    EXPECT_EQ(l.axisSensitivity[0][3].window->toolTip(),
              "Sets a sensitivity scaling factor that is applied to the pitch axis, on top of "
              "the base sensitivity.  Valid range is from 0.1 to 10.");
    EXPECT_EQ(l.disableHatSwitch[0].window->toolTip(),
              QString::fromUtf8("Disables the joystick’s 8-way hat switch from outputting to "
                                "software as a hat switch. (But doesn’t prevent the hat switch "
                                "from outputting as button outputs 14-22.)"));
    EXPECT_EQ(l.knobDeadzoneEnd[0][1].label.window->text(), "Deadzone End Position:");
    EXPECT_EQ(l.knobDeadzoneEnd[0][1].window->geometry().topLeft(), QPoint(358 + 152, 311 + 145));
    // The run-time ids start at 10000 with the Send button and never repeat.
    EXPECT_EQ(l.sendButton.id, 10000);
    QSet<QString> names;
    for (QWidget* w : l.tab.tabControl->window()->findChildren<QWidget*>()) {
        bool numeric = false;
        w->objectName().toInt(&numeric);
        if (numeric) {
            EXPECT_FALSE(names.contains(w->objectName())) << w->objectName().toStdString();
            names.insert(w->objectName());
        }
    }
    EXPECT_GT(names.size(), 250);
}

} // namespace
