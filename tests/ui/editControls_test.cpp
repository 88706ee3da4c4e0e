#include "uiTestSupport.h"

#include "ui/compilerDate.h"
#include "ui/joystickButtonsCheckBoxSelector.h"
#include "ui/numberFormat.h"
#include "ui/settingsEdit.h"
#include "ui/settingsLineEdit.h"
#include "ui/sliderEditPairs.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QSlider>
#include <QToolTip>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct applicationFirst {
    applicationFirst() { ensureApplication(); }
};

class editControls : public ::testing::Test, applicationFirst {
protected:
    void SetUp() override { uniqueID::init(); }
    QWidget parent;
};

TEST(numberFormat, generalNotationWithSixDigits) {
    const std::pair<float, const char*> cases[] = {
        {0.1f, "0.1"},
        {10.0f, "10"},
        {1.25f, "1.25"},
        {0.00001f, "1e-05"},
        {1234567.0f, "1.23457e+06"},
        {-2.5f, "-2.5"},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(floatToString(value), text);
    }
    EXPECT_EQ(floatToStringRounded(3.33f, 0.002f), "3.33");
    EXPECT_EQ(floatToStringRounded(1.2345f, 0.002f), "1.234");
    EXPECT_EQ(floatToStringRounded(0.003f, 0.002f), "0.004"); // half away from zero
    EXPECT_EQ(intToString(-42), "-42");
    EXPECT_FLOAT_EQ(roundFloat(1.0013f, 0.002f), 1.002f);
}

TEST(uniqueIDs, stackPointsRestoreInLastInFirstOutOrder) {
    uniqueID::init();
    uniqueID::stackPoint.clear();
    EXPECT_EQ(uniqueID::getNew(), 10000);
    uniqueID::returnToStackPoint(); // empty stack: unchanged
    EXPECT_EQ(uniqueID::nextID, 10001);
    uniqueID::setStackPoint();
    uniqueID::getNew();
    uniqueID::setStackPoint();
    uniqueID::getNew();
    uniqueID::getNew();
    uniqueID::returnToStackPoint();
    EXPECT_EQ(uniqueID::nextID, 10002);
    uniqueID::returnToStackPoint();
    EXPECT_EQ(uniqueID::nextID, 10001);
    EXPECT_TRUE(uniqueID::stackPoint.empty());
}

TEST(buildDate, monthsAndPaddedDays) {
    EXPECT_EQ(compilerDate("Oct 14 2020"), "October 14, 2020");
    EXPECT_EQ(compilerDate("Oct  4 2020"), "October 4, 2020");
    EXPECT_EQ(compilerDate("May 21 2021"), "May 21, 2021");
    EXPECT_EQ(compilerDate("Jan  1 2000"), "January 1, 2000");
    EXPECT_EQ(compilerDate("bad"), "bad");
}

TEST_F(editControls, floatEditValidation) {
    analogSetting setting{1.0f};
    settingsFloatEdit edit;
    edit.create(&parent, "Sensitivity:", 100, 10, 62, 1.0f, 0.1f, 10.0f, true, 0);
    edit.reference = &setting;
    edit.getValueFromReferences();
    EXPECT_EQ(edit.window->text(), "1");

    struct row {
        const char* typed;
        const char* shown;
        float stored;
    };
    const row rows[] = {
        {"abc", "1", 1.0f},
        {"20", "10", 10.0f},
        {"0.05", "0.1", 0.1f},
        {"2.5xyz", "2.5", 2.5f},
        {".5", "0.5", 0.5f},
        {"01.50", "1.5", 1.5f},
        {"abc", "1.5", 1.5f}, // the last good value, not the first
        {"1234567890123", "10", 10.0f},
        {"", "10", 10.0f},
        {" 3", "3", 3.0f},
        {"1e50", "3", 3.0f}, // overflow parses as nothing
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.typed);
        setting.knobControlled = true; // every edit clears it
        edit.window->setText(r.typed);
        edit.validate();
        EXPECT_EQ(edit.window->text().toStdString(), r.shown);
        EXPECT_FLOAT_EQ(setting.value, r.stored);
        EXPECT_FALSE(setting.knobControlled);
    }
}

TEST_F(editControls, floatEditReadsOnlyNineCharacters) {
    EXPECT_FLOAT_EQ(parseEditFloat("1234567890123"), 123456789.0f);
    EXPECT_TRUE(std::isnan(parseEditFloat("abc")));
    EXPECT_EQ(parseEditInt("1234567890123"), 123456789);
}

TEST_F(editControls, knobControlledValueShowsKnobAndSurvivesValidation) {
    analogSetting setting{2.0f};
    setting.knobControlled = true;
    setting.knobValue = 0.5f;
    settingsFloatEdit edit;
    edit.create(&parent, "Curvature:", 100, 10, 63, 1.4f, 1.0f, 4.0f, true, 0);
    edit.reference = &setting;
    edit.getValueFromReferences();
    EXPECT_EQ(edit.window->text(), "knob");
    EXPECT_FALSE(edit.window->isEnabled());
    emit edit.window->focusLost();
    edit.validate();
    EXPECT_TRUE(setting.knobControlled);
    EXPECT_FLOAT_EQ(setting.value, 2.0f);
}

TEST_F(editControls, uint16EditValidation) {
    std::uint16_t setting = 720;
    settingsUint16Edit edit;
    edit.create(&parent, "Minimum Position:", 150, 10, 107, 2000, 0, 4092, true, 0);
    EXPECT_EQ(edit.window->text(), "2000");
    edit.reference = &setting;
    edit.getValueFromReferences();
    EXPECT_EQ(edit.window->text(), "720");
    const std::tuple<const char*, const char*, std::uint16_t> rows[] = {
        {"-5", "4092", 4092}, {"12abc", "12", 12},    {"", "0", 0},
        {"abc", "0", 0},      {"5000", "4092", 4092}, {"99999999999", "4092", 4092},
        {"0100", "100", 100},
    };
    for (const auto& [typed, shown, stored] : rows) {
        SCOPED_TRACE(typed);
        edit.window->setText(typed);
        edit.validate();
        EXPECT_EQ(edit.window->text().toStdString(), shown);
        EXPECT_EQ(setting, stored);
    }
    // Below the minimum of a range that does not start at 0.
    settingsUint16Edit center;
    center.create(&parent, "", 150, 40, 0, 2000, 1, 4093, true, 0);
    center.reference = &setting;
    center.window->setText("0");
    center.validate();
    EXPECT_EQ(center.window->text(), "1");
    EXPECT_EQ(setting, 1);
}

TEST_F(editControls, dialogEditsForPlainFloatsAndBytes) {
    float value = 2.0f;
    settingsSimpleFloatEdit simple;
    simple.create(&parent, "Activation Point:", 200, 10, 160, 2.0f, 0.5f, 5.0f, false, 1403);
    simple.reference = &value;
    EXPECT_EQ(simple.window->objectName(), "1403");
    EXPECT_EQ(simple.label.window->geometry().left(), 40);
    simple.window->setText("9");
    simple.validate();
    EXPECT_EQ(simple.window->text(), "5");
    EXPECT_FLOAT_EQ(value, 5.0f);

    std::uint8_t byte = 3;
    settingsUint8Edit edit;
    edit.createWindows(&parent, "Pulse Period (x1/120th sec):", 20, 150, 180, 40, false, 1402, "3",
                       QString());
    edit.minimum = 0;
    edit.maximum = 255;
    edit.reference = &byte;
    edit.getValueFromReferences();
    EXPECT_EQ(edit.window->text(), "3");
    const std::pair<const char*, std::uint8_t> rows[] = {{"-5", 255}, {"300", 255}, {"7x", 7}};
    for (const auto& [typed, stored] : rows) {
        SCOPED_TRACE(typed);
        edit.window->setText(typed);
        edit.validate();
        EXPECT_EQ(byte, stored);
        EXPECT_EQ(edit.window->text().toStdString(), std::to_string(stored));
    }
}

TEST_F(editControls, logarithmicSliderPair) {
    analogSetting setting{1.0f};
    settingsFloatSliderEditPair pair;
    pair.create(&parent, "Base Sensitivity", 45, 29, 200, 320, true, false, true, 0, 0);
    pair.logarithmic = true;
    pair.minimum = 0.1f;
    pair.maximum = 10.0f;
    pair.reference = &setting;
    const std::tuple<int, float, const char*> rows[] = {
        {500, 1.0f, "1"}, {0, 0.1f, "0.1"}, {1000, 10.0f, "10"}, {750, 3.162f, "3.162"}};
    for (const auto& [position, value, text] : rows) {
        SCOPED_TRACE(position);
        pair.sliderWindow->setValue(position);
        pair.setReferenceFromSlider();
        pair.setEditFromReference();
        EXPECT_EQ(pair.editWindow->text().toStdString(), text);
        EXPECT_NEAR(setting.value, value, 1e-6);
    }
    setting.set(1.0f);
    pair.setSliderFromReference();
    EXPECT_EQ(pair.sliderWindow->value(), 500);
    setting.set(10.0f);
    pair.setSliderFromReference();
    EXPECT_EQ(pair.sliderWindow->value(), 1000);
    setting.set(0.0f); // no position on a logarithmic scale: the low end
    pair.setSliderFromReference();
    EXPECT_EQ(pair.sliderWindow->value(), 0);
}

TEST_F(editControls, linearSliderPairRoundsToTheStep) {
    analogSetting setting{0.0f};
    settingsFloatSliderEditPair pair;
    pair.create(&parent, "Smoothing", 383, 29, 200, 320, true, false, true, 0, 0);
    pair.minimum = 0.0f;
    pair.maximum = 10.0f;
    pair.reference = &setting;
    pair.sliderWindow->setValue(333);
    pair.setReferenceFromSlider();
    pair.setEditFromReference();
    EXPECT_EQ(pair.editWindow->text(), "3.33");
    EXPECT_FLOAT_EQ(setting.value, 3.33f);
    // The rounded value that the edit stored puts the slider back where it was.
    for (const int position : {1, 29, 333, 580, 999}) {
        SCOPED_TRACE(position);
        pair.sliderWindow->setValue(position);
        pair.setReferenceFromSlider();
        pair.setEditFromReference();
        pair.setSliderFromReference();
        EXPECT_EQ(pair.sliderWindow->value(), position);
    }
    pair.reversed = true;
    EXPECT_FLOAT_EQ(pair.valueAtPosition(1000), 0.0f);
    EXPECT_EQ(pair.positionOfValue(2.5f), 750);

    pair.reversed = false;
    // Typed text inside the range stays as typed; outside it is replaced by the bound.
    pair.editWindow->setText("04.5");
    pair.validate();
    EXPECT_EQ(pair.editWindow->text(), "04.5");
    EXPECT_FLOAT_EQ(setting.value, 4.5f);
    pair.editWindow->setText("12");
    pair.validate();
    EXPECT_EQ(pair.editWindow->text(), "10");
    pair.editWindow->setText("x");
    pair.validate();
    EXPECT_EQ(pair.editWindow->text(), "10");
    EXPECT_FLOAT_EQ(setting.value, 10.0f);
}

TEST_F(editControls, uint16SliderPair) {
    std::uint16_t setting = 300;
    settingsUint16SliderEditPair pair;
    pair.create(&parent, "Period", 40, 40, 200, 300, true, true, 0, 0);
    pair.minimum = 1;
    pair.maximum = 1200;
    pair.sliderPart.changeMinMax(1200);
    pair.reference = &setting;
    pair.setBothFromReference();
    EXPECT_EQ(pair.editWindow->text(), "300");
    EXPECT_EQ(pair.sliderWindow->value(), 300);
    pair.editWindow->setText("-1");
    pair.validate();
    EXPECT_EQ(pair.editWindow->text(), "1200");
    pair.disable();
    EXPECT_FALSE(pair.sliderWindow->isEnabled());
    EXPECT_FALSE(pair.editWindow->isEnabled());
}

TEST_F(editControls, buttonSelectorGroups) {
    joystickButtonsCheckBoxSelector selector;
    selector.create(&parent, 0, 0);
    const std::uint32_t leftHatButOne = 0xFu << 22; // buttons 23-26
    selector.setFromButtonValue(leftHatButOne | 1u);
    QCheckBox* leftHat = selector.groupChecks[joystickButtonsCheckBoxSelector::leftHat];
    EXPECT_EQ(leftHat->text(), " Left Hat");
    EXPECT_EQ(leftHat->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(selector.groupChecks[joystickButtonsCheckBoxSelector::rightHat]->checkState(),
              Qt::Unchecked);
    leftHat->click();
    EXPECT_EQ(selector.buttonValue(), (0x1Fu << 22) | 1u);
    EXPECT_EQ(leftHat->checkState(), Qt::Checked);
    leftHat->click();
    EXPECT_EQ(selector.buttonValue(), 1u);
    EXPECT_EQ(leftHat->checkState(), Qt::Unchecked);

    // A member click recomputes its group; buttons 1-7 belong to none.
    selector.buttons[21]->click(); // 22) centre push
    EXPECT_EQ(selector.groupChecks[joystickButtonsCheckBoxSelector::centerHat]->checkState(),
              Qt::PartiallyChecked);
    EXPECT_FALSE(selector.updateFromClick(selector.buttonIds[0]));
    EXPECT_TRUE(selector.updateFromClick(selector.buttonIds[8]));

    selector.checkUncheckAll();
    EXPECT_EQ(selector.buttonValue(), 0xFFFFFFFFu);
    for (QCheckBox* box : selector.groupChecks)
        EXPECT_EQ(box->checkState(), Qt::Checked);
    selector.checkUncheckAll();
    EXPECT_EQ(selector.buttonValue(), 0u);
    EXPECT_EQ(selector.buttons[0]->text(), "1) Main Trigger First");
    EXPECT_EQ(selector.buttons[13]->text(), "14");
}

TEST_F(editControls, toolTipsWrapAtThreeHundredPixels) {
    const QFontMetrics metrics(parent.font());
    const QString text = QStringLiteral(
        "Sets a sensitivity scaling factor that is applied to all six axes. Higher values "
        "represent higher sensitivity (less force applied for the same output).");
    const QString wrapped = wrapToolTipText(text, metrics, 300);
    const QStringList lines = wrapped.split(u'\n');
    EXPECT_GT(lines.size(), 1);
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), 300) << line.toStdString();
    EXPECT_EQ(lines.join(u' '), text);
    EXPECT_EQ(wrapToolTipText("short", metrics, 300), "short");

    // Shown wrapped, while the control keeps the text as given.
    QWidget control;
    control.resize(40, 20);
    CreateToolTipForRect(&control, text);
    control.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), control.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&control, &help);
    EXPECT_EQ(control.toolTip(), text);
    EXPECT_EQ(QToolTip::text(), wrapToolTipText(text, QFontMetrics(QToolTip::font()), 300));
    QToolTip::hideText();

    // Tips are shown even while their window is not the active one.
    QWidget window;
    auto* child = new QWidget(&window);
    CreateToolTipForRect(child, text);
    EXPECT_FALSE(window.testAttribute(Qt::WA_AlwaysShowToolTips));
    window.show();
    EXPECT_TRUE(window.testAttribute(Qt::WA_AlwaysShowToolTips));
}

} // namespace
