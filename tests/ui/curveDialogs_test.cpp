#include "uiTestSupport.h"

#include "curves/curveGraphs.h"
#include "files/configFile.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/curveDialogs.h"
#include "ui/handleShiftDialog.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/pixelBmpView.h"
#include "ui/settingsLineEdit.h"
#include "ui/singleAxisDialog.h"
#include "ui/singleKnobDialog.h"
#include "ui/uniqueID.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <limits>

namespace {

namespace ms = modifySetting;
using platform::dialogs::button;

class curveDialogs : public uiTest {
protected:
    void SetUp() override {
        uiTest::SetUp();
        registerCurveDialogs();
    }

    // The window with `modes` modes in use and a page (0 Axes, 1 Other) of mode
    // `active` selected.
    mainWindowLayout& startOn(int modes, int active, int page = 0) {
        mainWindowLayout& l = start().layout();
        showModes(l, modes, active, page);
        return l;
    }
    void showModes(mainWindowLayout& l, int modes, int active, int page = 0) {
        settings::numModes = static_cast<std::uint8_t>(modes);
        l.setAllValuesFromSettings();
        l.tab.tabControl->setCurrentIndex(2 * active + page);
    }

    // Clicks `opener`; once the dialog it opens runs, `drive` works it. A dialog that
    // `drive` leaves open is closed with its close box. Returns the dialog's result.
    template <typename dialog>
    int runFrom(QPushButton* opener, std::function<void(dialog&)> drive) {
        int result = -1;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* d = dynamic_cast<dialog*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "the button opened no dialog";
                return;
            }
            QObject::connect(d, &QDialog::finished, [&result](int r) { result = r; });
            drive(*d);
            if (d->isVisible())
                d->close();
        });
        timer.start(0);
        opener->click();
        return result;
    }
};

void typeInto(settingsLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->focusLost();
}

bool sameAxis(const axisSettings& a, const axisSettings& b) {
    return a.sensitivity == b.sensitivity && a.asymmetry == b.asymmetry &&
           a.baseDeadzone == b.baseDeadzone && a.variableDeadzone == b.variableDeadzone &&
           a.curvature == b.curvature && a.disabled == b.disabled && a.inverted == b.inverted;
}

int countColour(const QImage& picture, std::uint32_t colour) {
    const QRgb wanted = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += (picture.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
    return n;
}

TEST_F(curveDialogs, axisDialogEditsTheCopyAndSetCloseStoresIt) {
    mainWindowLayout& l = startOn(1, 0);
    axisSettings& z = settings::modes[0].axes[2];
    z.sensitivity.set(2.0f);
    settings::modes[0].axes[4].sensitivity.knobControlled = true;
    l.setAllValuesFromSettings();
    script.answer(button::ok).answer(button::cancel);
    const int idsBefore = uniqueID::nextID;

    const int result =
        runFrom<singleAxisDialog>(l.axisGraphs[0][2].window, [&](singleAxisDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Z Axis Settings");
            settingsFloatSliderEditPair& sensitivity = d.pairs[0];
            EXPECT_EQ(sensitivity.sliderWindow->objectName(), "sensitivitySlider");
            EXPECT_EQ(sensitivity.editWindow->text(), "2");
            EXPECT_EQ(sensitivity.editWindow->geometry(), QRect(286, 86, 38, 21));

            // Slider centre and ends; then a typed value above the range.
            const std::pair<int, const char*> positions[] = {{500, "1"}, {1000, "10"}, {0, "0.1"}};
            for (const auto& [position, shown] : positions) {
                sensitivity.sliderWindow->setValue(position);
                EXPECT_EQ(sensitivity.editWindow->text(), shown) << position;
                EXPECT_FLOAT_EQ(ms::tempAxis.sensitivity.value, QString(shown).toFloat());
            }
            typeInto(sensitivity.editWindow, "20");
            EXPECT_EQ(sensitivity.editWindow->text(), "10");
            EXPECT_EQ(sensitivity.sliderWindow->value(), 1000);

            typeInto(d.pairs[4].editWindow, "2");
            d.disabledCheckbox.window->click();
            EXPECT_TRUE(ms::tempAxis.disabled);

            // Copy goes into the other five axes at once, as plain values.
            d.copyButtons[0].window->click();
            for (int a : {0, 1, 3, 4, 5}) {
                EXPECT_FLOAT_EQ(settings::modes[0].axes[a].sensitivity.value, 10.0f) << a;
                EXPECT_FALSE(settings::modes[0].axes[a].sensitivity.knobControlled) << a;
            }
            EXPECT_FLOAT_EQ(z.sensitivity.value, 2.0f);
            EXPECT_EQ(l.axisSensitivity[0][0].window->text(), "10");
            // A refused copy changes nothing.
            d.copyButtons[4].window->click();
            EXPECT_FLOAT_EQ(settings::modes[0].axes[0].curvature.value, 1.4f);

            d.setClose.window->click();
        });

    EXPECT_EQ(result, 1);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text, "Copy sensitivity value to all other axes?");
    EXPECT_EQ(script.boxes()[0].caption, "Copy to Other Axes");
    EXPECT_EQ(script.boxes()[1].text, "Copy curvature value to all other axes?");
    EXPECT_FLOAT_EQ(z.sensitivity.value, 10.0f);
    EXPECT_FLOAT_EQ(z.curvature.value, 2.0f);
    EXPECT_TRUE(z.disabled);
    EXPECT_EQ(l.axisCurvature[0][2].window->text(), "2");
    EXPECT_TRUE(l.axisDisabled[0][2].window->isChecked());
    EXPECT_EQ(uniqueID::nextID, idsBefore);
}

TEST_F(curveDialogs, axisDialogCloseBoxStoresNothingAndUndoBringsBackTheMode) {
    mainWindowLayout& l = startOn(1, 0);
    axisSettings& x = settings::modes[0].axes[0];
    x.baseDeadzone.set(0.3f);
    x.inverted = true;
    // Knob control is kept while the value is only shown.
    x.curvature = analogSetting(1.8f);
    x.curvature.knobControlled = true;
    x.curvature.knobValue = 0.25f;
    const axisSettings before = x;
    script.answer(button::ok);
    const int idsBefore = uniqueID::nextID;

    const int result =
        runFrom<singleAxisDialog>(l.axisGraphs[0][0].window, [&](singleAxisDialog& d) {
            EXPECT_EQ(d.windowTitle(), "X Axis Settings");
            EXPECT_TRUE(d.invertedCheckbox.window->isChecked());
            EXPECT_TRUE(ms::tempAxis.curvature.knobControlled);
            d.pairs[2].sliderWindow->setValue(900);
            d.invertedCheckbox.window->click();
            typeInto(d.pairs[4].editWindow, "3");
            EXPECT_FALSE(ms::tempAxis.curvature.knobControlled);

            d.undoChanges.window->click();
            EXPECT_EQ(d.pairs[2].editWindow->text(), "0.3");
            EXPECT_EQ(d.pairs[2].sliderWindow->value(), 300);
            EXPECT_EQ(d.pairs[4].editWindow->text(), "1.8");
            EXPECT_TRUE(d.invertedCheckbox.window->isChecked());
            EXPECT_TRUE(sameAxis(ms::tempAxis, before));

            // Leaving the box without typing keeps the knob control.
            emit d.pairs[4].editWindow->focusLost();
            EXPECT_TRUE(ms::tempAxis.curvature.knobControlled);

            d.pairs[0].sliderWindow->setValue(750);
            d.copyButtons[0].window->click();
            // Neither key ends the dialog.
            QTest::keyClick(d.pairs[0].editWindow, Qt::Key_Escape);
            QTest::keyClick(d.pairs[0].editWindow, Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            d.close();
        });

    EXPECT_EQ(result, 2);
    EXPECT_TRUE(sameAxis(x, before));
    // The copy made before the close box stays.
    EXPECT_FLOAT_EQ(settings::modes[0].axes[1].sensitivity.value, ms::tempAxis.sensitivity.value);
    EXPECT_NE(x.sensitivity.value, settings::modes[0].axes[1].sensitivity.value);
    EXPECT_EQ(uniqueID::nextID, idsBefore);
}

// Values a file can hold that no control makes.
TEST_F(curveDialogs, outOfRangeValuesOpenAtTheNearestBound) {
    mainWindowLayout& l = startOn(1, 0);
    const float bounds[][2] = {
        {0.1f, 10.0f}, {0.2f, 5.0f}, {0.0f, 1.0f}, {0.0f, 0.75f}, {1.0f, 4.0f}};
    for (const float bad : {-5.0f, 0.0f, 1e30f, std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(bad);
        axisSettings& x = settings::modes[0].axes[0];
        for (analogSetting* a :
             {&x.sensitivity, &x.asymmetry, &x.baseDeadzone, &x.variableDeadzone, &x.curvature})
            a->set(bad);
        settings::modes[0].shiftX.set(bad);
        runFrom<singleAxisDialog>(l.axisGraphs[0][0].window, [&](singleAxisDialog& d) {
            d.pairs[4].sliderWindow->setValue(250);
            d.setClose.window->click();
        });
        const float stored[] = {x.sensitivity.value, x.asymmetry.value, x.baseDeadzone.value,
                                x.variableDeadzone.value, x.curvature.value};
        for (int i = 0; i < 4; ++i) {
            EXPECT_GE(stored[i], bounds[i][0]) << i;
            EXPECT_LE(stored[i], bounds[i][1]) << i;
        }
        EXPECT_FLOAT_EQ(stored[4], 1.75f);
        runFrom<handleShiftDialog>(l.setHandleCenter[0].window,
                                   [](handleShiftDialog& d) { d.setClose.window->click(); });
        EXPECT_LE(std::fabs(settings::modes[0].shiftX.value), 1.5f);
    }
}

TEST_F(curveDialogs, axisDialogLocksWhatModeAHolds) {
    struct lockCase {
        int modes, active, heldGroup;
        QStringList disabled;
    };
    const lockCase cases[] = {
        {3,
         1,
         ms::axisSensitivityGroup,
         {"sensitivitySlider", "sensitivitySliderEdit", "copySensitivity"}},
        {3, 2, ms::axisDisabledGroup, {"disabledCheckbox", "copyCheckboxes"}},
        {2, 1, ms::axisInvertedGroup, {"invertedCheckbox", "copyCheckboxes"}},
        {3, 0, ms::axisCurvatureGroup, {}},
    };
    const char* const lockable[] = {
        "disabledCheckbox",      "invertedCheckbox", "copyCheckboxes",    "sensitivitySlider",
        "sensitivitySliderEdit", "copySensitivity",  "asymmetrySlider",   "copyAsymmetry",
        "baseDeadzoneSlider",    "copyBaseDeadzone", "varDeadzoneSlider", "copyVarDeadzone",
        "curvatureSlider",       "copyCurvature",
    };
    mainWindowLayout& l = start().layout();
    for (const lockCase& c : cases) {
        SCOPED_TRACE(c.heldGroup);
        std::fill(std::begin(ms::modeUseConstant), std::end(ms::modeUseConstant), true);
        ms::modeUseConstant[c.heldGroup] = false;
        showModes(l, c.modes, c.active);
        runFrom<singleAxisDialog>(l.axisGraphs[c.active][3].window, [&](singleAxisDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Pitch Axis Settings");
            for (const char* name : lockable) {
                const bool locked = c.disabled.contains(QString::fromLatin1(name));
                auto* control = d.findChild<QWidget*>(name);
                ASSERT_NE(control, nullptr) << name;
                EXPECT_EQ(control->isEnabled(), !locked) << name;
            }
        });
    }
}

TEST_F(curveDialogs, axisSetCloseCopiesHeldGroupsIntoTheOtherModes) {
    mainWindowLayout& l = startOn(2, 0);
    std::fill(std::begin(ms::modeUseConstant), std::end(ms::modeUseConstant), true);
    for (int g = ms::axisSensitivityGroup; g <= ms::axisCurvatureGroup; ++g)
        ms::modeUseConstant[g] = false;
    runFrom<singleAxisDialog>(l.axisGraphs[0][5].window, [&](singleAxisDialog& d) {
        const char* typed[] = {"3", "2", "0.5", "0.7", "3.5"};
        for (int i = 0; i < singleAxisDialog::pairCount; ++i)
            typeInto(d.pairs[i].editWindow, typed[i]);
        d.disabledCheckbox.window->click();
        d.setClose.window->click();
    });
    const axisSettings& a = settings::modes[0].axes[5];
    const axisSettings& b = settings::modes[1].axes[5];
    EXPECT_FLOAT_EQ(a.sensitivity.value, 3.0f);
    EXPECT_FLOAT_EQ(a.asymmetry.value, 2.0f);
    EXPECT_EQ(b.sensitivity, a.sensitivity);
    EXPECT_EQ(b.asymmetry, a.asymmetry);
    EXPECT_EQ(b.baseDeadzone, a.baseDeadzone);
    EXPECT_EQ(b.variableDeadzone, a.variableDeadzone);
    EXPECT_EQ(b.curvature, a.curvature);
    // Group 2 may differ, so mode B keeps its own flag.
    EXPECT_TRUE(a.disabled);
    EXPECT_FALSE(b.disabled);
    EXPECT_EQ(l.axisSensitivity[1][5].window->text(), "3");
}

TEST_F(curveDialogs, axisDialogShowsTheForceAtFullOutputAndRedrawsTheCurve) {
    mainWindowLayout& l = startOn(1, 0);
    runFrom<singleAxisDialog>(l.axisGraphs[0][0].window, [&](singleAxisDialog& d) {
        QLabel* top = d.forceDisplayTop.window;
        QLabel* bottom = d.forceDisplayBottom.window;
        // Defaults: 1.05 x 10000 / 5.2 x 5.2 x 0.00011 lb, at 610 +- 157 (1.05 / 1.17
        // of the 176-pixel half span).
        EXPECT_EQ(top->text(), "Max: 1.16 lb");
        EXPECT_EQ(top->pos(), QPoint(767, 22));
        EXPECT_EQ(bottom->text(), "Max: 1.16 lb");
        EXPECT_EQ(bottom->pos(), QPoint(453, 413));
        EXPECT_EQ(top->width(), 95);

        typeInto(d.pairs[1].editWindow, "5");
        EXPECT_EQ(bottom->text(), "Max: 0.231 lb");
        EXPECT_EQ(bottom->pos(), QPoint(579, 413));
        EXPECT_EQ(top->pos(), QPoint(767, 22));
        d.invertedCheckbox.window->click();
        EXPECT_EQ(top->pos(), QPoint(767, 413));
        EXPECT_EQ(bottom->pos(), QPoint(579, 22));

        const QImage& picture = d.axisGraph->picture();
        EXPECT_EQ(d.axisGraph->geometry(), QRect(460, 40, 370, 370));
        EXPECT_GT(countColour(picture, curveGraphs::axisCurveColour), 300);
        EXPECT_GT(countColour(picture, curveGraphs::axisWithVariableDeadzoneColour), 0);
        EXPECT_GT(countColour(picture, curveGraphs::gridColour), 0);
        // A disabled axis is flat: the redraw leaves nothing of the old curve.
        d.disabledCheckbox.window->click();
        const QImage& flat = d.axisGraph->picture();
        for (int y = 0; y < flat.height(); ++y)
            for (int x = 0; x < flat.width(); ++x)
                if ((flat.pixel(x, y) & 0xFFFFFF) == qRgb(64, 255, 0)) {
                    ASSERT_TRUE(y == flat.height() / 2 || y == flat.height() / 2 + 1)
                        << x << "," << y;
                }
        EXPECT_GT(countColour(flat, curveGraphs::axisCurveColour), 300);
    });

    runFrom<singleAxisDialog>(l.axisGraphs[0][3].window, [](singleAxisDialog& d) {
        EXPECT_TRUE(d.forceDisplayTop.window->text().endsWith(" in-lb"));
    });
    configFile::useMetricUnits = true;
    runFrom<singleAxisDialog>(l.axisGraphs[0][0].window, [](singleAxisDialog& d) {
        EXPECT_EQ(d.forceDisplayTop.window->text(), "Max: 526 g");
    });
    configFile::useMetricUnits = false;
}

TEST_F(curveDialogs, knobOrderingRuleMovesTheOtherPositions) {
    struct orderCase {
        int moved;
        int to;
        bool typed;
        // minimum, maximum, center, deadzone end afterwards
        int expected[4];
    };
    using sk = singleKnobDialog;
    const orderCase cases[] = {
        {sk::minimumPosition, 2000, false, {2000, 3375, 2001, 2114}},
        {sk::maximumPosition, 1000, false, {720, 1000, 998, 999}},
        {sk::deadzoneEndPosition, 721, false, {719, 3375, 720, 721}},
        {sk::centerPosition, 3374, true, {720, 3376, 3374, 3375}},
        {sk::maximumPosition, 5000, true, {720, 4095, 1980, 2114}},
    };
    mainWindowLayout& l = startOn(1, 0, 1);
    const settings::knobRangeSettings range = settings::modes[0].knobRange[1];
    ASSERT_EQ(range.minimum, 720);
    ASSERT_EQ(range.maximum, 3375);
    ASSERT_EQ(settings::modes[0].knobCenter[1].center, 1980);
    ASSERT_EQ(settings::modes[0].knobCenter[1].deadzoneEnd, 2114);
    for (const orderCase& c : cases) {
        SCOPED_TRACE(c.to);
        const int result = runFrom<sk>(l.knobGraphs[0][1].window, [&](sk& d) {
            EXPECT_EQ(d.windowTitle(), "Right Knob Settings");
            if (c.typed)
                typeInto(d.pairs[c.moved].editWindow, QString::number(c.to));
            else
                d.pairs[c.moved].sliderWindow->setValue(c.to);
            const int values[4] = {ms::tempKnobRange.minimum, ms::tempKnobRange.maximum,
                                   ms::tempKnobCenter.center, ms::tempKnobCenter.deadzoneEnd};
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(values[i], c.expected[i]) << i;
                EXPECT_EQ(d.pairs[i].editWindow->text(), QString::number(c.expected[i])) << i;
                EXPECT_EQ(d.pairs[i].sliderWindow->value(), c.expected[i]) << i;
            }
        });
        EXPECT_EQ(result, 2);
        EXPECT_EQ(settings::modes[0].knobRange[1].minimum, range.minimum);
        EXPECT_EQ(settings::modes[0].knobRange[1].maximum, range.maximum);
    }
}

TEST_F(curveDialogs, knobSetCloseStoresTheClampedCopyAndFollowsTheModeRules) {
    mainWindowLayout& l = startOn(2, 0, 1);
    ms::modeUseConstant[ms::knobDeadzoneEndGroup] = true;
    // Out of the editable range, as a file may hold it; the window has not shown it.
    settings::knobRangeSettings& range = settings::modes[0].knobRange[0];
    range.minimum = 4095;
    range.inverted = true;
    settings::modes[1].knobRange[0].inverted = true;
    const int result =
        runFrom<singleKnobDialog>(l.knobGraphs[0][0].window, [&](singleKnobDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Left Knob Settings");
            EXPECT_EQ(d.pairs[0].editWindow->text(), "4092");
            EXPECT_EQ(d.pairs[0].sliderWindow->maximum(), 4092);
            EXPECT_EQ(d.pairs[1].sliderWindow->minimum(), 3);
            EXPECT_TRUE(d.invertedCheckbox.window->isChecked());
            EXPECT_EQ(d.knobGraph->geometry(), QRect(460, 40, 370, 305));
            EXPECT_GT(countColour(d.knobGraph->picture(), curveGraphs::knobCurveColour), 100);

            QSlider* deadzoneEnd = d.pairs[3].sliderWindow;
            EXPECT_TRUE(deadzoneEnd->isEnabled());
            d.useCenterDeadzoneCheckbox.window->click();
            EXPECT_FALSE(deadzoneEnd->isEnabled());
            EXPECT_FALSE(d.pairs[3].editWindow->isEnabled());
            d.useCenterDeadzoneCheckbox.window->click();
            EXPECT_TRUE(deadzoneEnd->isEnabled());
            d.invertedCheckbox.window->click();
            d.setClose.window->click();
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(range.minimum, 4092);
    EXPECT_FALSE(range.inverted);
    EXPECT_EQ(range.knob, 0);
    // Held groups follow mode A; the deadzone end may differ and is left.
    EXPECT_EQ(settings::modes[1].knobRange[0].minimum, 4092);
    EXPECT_FALSE(settings::modes[1].knobRange[0].inverted);
    EXPECT_EQ(l.knobMinimum[0][0].window->text(), "4092");

    // Mode B, the deadzone end held equal to mode A: its pair stays disabled.
    ms::modeUseConstant[ms::knobDeadzoneEndGroup] = false;
    ms::modeUseConstant[ms::knobUseDeadzoneGroup] = true;
    l.updateModeConstantDisabling();
    l.tab.tabControl->setCurrentIndex(3);
    runFrom<singleKnobDialog>(l.knobGraphs[1][0].window, [&](singleKnobDialog& d) {
        EXPECT_FALSE(d.pairs[3].sliderWindow->isEnabled());
        EXPECT_FALSE(d.pairs[0].sliderWindow->isEnabled());
        d.useCenterDeadzoneCheckbox.window->click();
        d.useCenterDeadzoneCheckbox.window->click();
        EXPECT_FALSE(d.pairs[3].sliderWindow->isEnabled());
    });
}

TEST_F(curveDialogs, handleCentreDialogEditsTheBalancePoint) {
    mainWindowLayout& l = startOn(2, 0, 1);
    ASSERT_FALSE(ms::modeUseConstant[ms::handleCenterGroup]);
    settings::mode& a = settings::modes[0];
    a.shiftX = analogSetting(0.4f);
    a.shiftX.knobControlled = true;
    a.shiftY.set(-0.5f);
    const int idsBefore = uniqueID::nextID;

    const int result =
        runFrom<handleShiftDialog>(l.setHandleCenter[0].window, [&](handleShiftDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Handle Center Balance Settings");
            EXPECT_FALSE(d.picture().isNull());
            auto* undo = d.findChild<QPushButton*>("1801");
            auto* setClose = d.findChild<QPushButton*>("1802");
            ASSERT_NE(undo, nullptr);
            ASSERT_NE(setClose, nullptr);
            EXPECT_EQ(undo->text(), "Undo Changes");
            EXPECT_EQ(setClose->text(), "Set/Close");
            EXPECT_EQ(d.YPitchSlider.editWindow->pos(), QPoint(104, 200));
            EXPECT_EQ(d.XRollSlider.editWindow->pos(), QPoint(313, 200));
            EXPECT_EQ(d.YPitchSlider.editWindow->text(), "-0.5");

            // The top end is +1.5, the bottom end -1.5.
            d.YPitchSlider.sliderWindow->setValue(0);
            EXPECT_EQ(d.YPitchSlider.editWindow->text(), "1.5");
            EXPECT_FLOAT_EQ(ms::tempShiftY.value, 1.5f);
            d.YPitchSlider.sliderWindow->setValue(1000);
            EXPECT_FLOAT_EQ(ms::tempShiftY.value, -1.5f);
            typeInto(d.XRollSlider.editWindow, "0.9");
            undo->click();
            EXPECT_EQ(d.XRollSlider.editWindow->text(), "0.4");
            EXPECT_EQ(d.YPitchSlider.editWindow->text(), "-0.5");
            EXPECT_EQ(ms::tempShiftX, a.shiftX);

            typeInto(d.YPitchSlider.editWindow, "0.25");
            setClose->click();
        });

    EXPECT_EQ(result, 1);
    EXPECT_FLOAT_EQ(a.shiftY.value, 0.25f);
    // X was only shown: it keeps its knob control.
    EXPECT_TRUE(a.shiftX.knobControlled);
    EXPECT_EQ(settings::modes[1].shiftY, a.shiftY);
    EXPECT_EQ(settings::modes[1].shiftX, a.shiftX);
    EXPECT_EQ(uniqueID::nextID, idsBefore);

    const settings::mode stored = a;
    EXPECT_EQ(runFrom<handleShiftDialog>(l.setHandleCenter[0].window,
                                         [&](handleShiftDialog& d) {
                                             d.XRollSlider.sliderWindow->setValue(100);
                                             d.close();
                                         }),
              2);
    EXPECT_EQ(a.shiftX, stored.shiftX);
}

} // namespace
