#include "uiTestSupport.h"

#include "files/file.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/modeDialogs.h"
#include "ui/settingsBoolCheckbox.h"
#include "ui/settingsLineEdit.h"
#include "ui/sliderEditPairs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

class modeDialogsTest : public uiTest {
protected:
    void SetUp() override {
        uiTest::SetUp();
        registerModeDialogs();
    }
    // The window started, then the model changed by `change` and shown, as after
    // opening a settings file.
    mainWindow& startWith(const std::function<void()>& change) {
        mainWindow& w = start();
        change();
        modifySetting::setOnConstantFromSettings(true);
        w.layout().setAllValuesFromSettings();
        w.layout().updateModeConstantDisabling();
        return w;
    }
};

// Runs `act` on the next modal dialog once it is shown (the one that opens after this
// call, nested inside whatever is modal now). `act` must end the dialog.
void onNextModal(std::function<void(QDialog&)> act) {
    QWidget* before = QApplication::activeModalWidget();
    auto* poll = new QTimer();
    QObject::connect(poll, &QTimer::timeout, [poll, before, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == before || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog->done(0);
        }
    });
    poll->start(5);
}

template <typename T> T& control(QWidget& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return *found;
}

void click(QWidget& dialog, int id) {
    auto& b = control<QAbstractButton>(dialog, id);
    // Near the left edge: a check box takes clicks on its box and caption only.
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(6, b.height() / 2));
}

// Picks an entry of a drop-down with the keyboard, as a user does; the first and the
// last entry in one key press, so nothing is chosen on the way there.
void choose(QWidget& dialog, int id, int index) {
    auto& box = control<QComboBox>(dialog, id);
    ASSERT_TRUE(box.isEnabled()) << "drop-down " << id;
    if (index == 0 && box.currentIndex() != 0)
        QTest::keyClick(&box, Qt::Key_Home);
    if (index == box.count() - 1 && box.currentIndex() != index)
        QTest::keyClick(&box, Qt::Key_End);
    while (box.currentIndex() < index)
        QTest::keyClick(&box, Qt::Key_Down);
    while (box.currentIndex() > index)
        QTest::keyClick(&box, Qt::Key_Up);
}

void setBox(QWidget& dialog, int id, bool checked) {
    if (control<QCheckBox>(dialog, id).isChecked() != checked)
        click(dialog, id);
}

void openModeSettings(mainWindow& window, std::function<void(QDialog&)> act) {
    onNextModal(std::move(act));
    QTest::mouseClick(window.layout().modeSettingsButton.window, Qt::LeftButton);
}

// Every setting a mode holds, as the packet codec carries it (with every feature
// switched on, the packets hold all of a feature's values).
std::vector<std::uint8_t> contents(int m) {
    const settings::mode keptA = settings::modes[0];
    const std::uint8_t keptCount = settings::numModes;
    settings::modes[0] = settings::modes[m];
    settings::numModes = 1;
    const std::vector<std::uint8_t> bytes = settingsParser::buildBlock();
    settings::modes[0] = keptA;
    settings::numModes = keptCount;
    return bytes;
}

// A mode unlike the defaults and unlike every other k in every group.
void makeDistinct(settings::mode& m, int k) {
    for (int a = 0; a < settings::axisCount; ++a) {
        settings::axisSettings& x = m.axes[a];
        x.sensitivity.set(1.5f + k + 0.1f * a);
        x.asymmetry.set(0.5f + 0.1f * k);
        x.baseDeadzone.set(0.01f * (k + 1));
        x.variableDeadzone.set(0.02f * (k + 1));
        x.curvature.set(1.0f + 0.2f * k);
        x.disabled = (a + k) % 3 == 0;
        x.inverted = (a + k) % 2 == 0;
    }
    m.axes[1].sensitivity.knobControlled = true;
    m.axes[1].sensitivity.knobValue = 0.25f * k;
    for (int n = 0; n < settings::knobCount; ++n) {
        m.knobRange[n].inverted = k % 2 == 1;
        m.knobRange[n].useCenterDeadzone = k != 1;
        m.knobRange[n].minimum = static_cast<std::uint16_t>(100 + 10 * k + n);
        m.knobRange[n].maximum = static_cast<std::uint16_t>(3000 + 10 * k + n);
        m.knobCenter[n].center = static_cast<std::uint16_t>(1500 + 10 * k + n);
        m.knobCenter[n].deadzoneEnd = static_cast<std::uint16_t>(1700 + 10 * k + n);
    }
    m.addKnobToAxis.enabled = true;
    m.addKnobToAxis.rightKnob = k % 2 == 1;
    m.addKnobToAxis.axis = static_cast<std::uint8_t>(k + 2);
    m.addKnobToAxis.scalingFactor = 0.5f + k;
    m.reorderAxes.enabled = true;
    std::rotate(m.reorderAxes.order, m.reorderAxes.order + k + 1, m.reorderAxes.order + 8);
    m.extendedButtons.disableHatSwitch = k == 1;
    m.extendedButtons.useModifiedButtons = true;
    m.extendedButtons.modifierButton = static_cast<std::uint8_t>(10 + k);
    m.disabledButtons.buttons = 0x11u << k;
    m.modifiedButtons.buttons = 0x300u << k;
    m.toggledButtons.buttons = 0x50000u << k;
    m.autofire.enabled = true;
    m.autofire.button = static_cast<std::uint8_t>(20 + k);
    m.autofire.period = static_cast<std::uint16_t>(30 + k);
    m.cruiseControl.enabled = true;
    m.cruiseControl.axes = static_cast<std::uint8_t>(1 + k);
    m.cruiseControl.button = static_cast<std::uint8_t>(5 + k);
    m.motorConstant.enabled = true;
    m.motorConstant.pulsePeriod = static_cast<std::uint8_t>(7 + k);
    m.motorConstant.activationPoint = 1.5f + k;
    m.motorPulse.enabled = true;
    m.motorPulse.pulseLength = static_cast<std::uint8_t>(4 + k);
    m.motorPulse.activationPoint = 2.5f + k;
    m.motorExtended.constantAxes = static_cast<std::uint8_t>(0x01 << k);
    m.motorExtended.pulseAxes = static_cast<std::uint8_t>(0x08 << k);
    m.baseSensitivity.set(0.7f + k);
    m.smoothing.set(1.1f + k);
    m.shiftX.set(0.1f * (k + 1));
    m.shiftY.set(-0.1f * (k + 1));
}

struct globalModeSettings {
    std::uint8_t numModes = settings::numModes;
    bool cycle = settings::useModeCycleButton;
    bool momentary[2] = {settings::useModeMomentary[0], settings::useModeMomentary[1]};
    std::uint8_t buttons[3] = {settings::modeButtons[0], settings::modeButtons[1],
                               settings::modeButtons[2]};
    bool flags[modifySetting::groupCount];
    globalModeSettings() {
        std::copy(std::begin(modifySetting::modeUseConstant),
                  std::end(modifySetting::modeUseConstant), flags);
    }
    bool operator==(const globalModeSettings& o) const {
        return numModes == o.numModes && cycle == o.cycle &&
               std::equal(momentary, momentary + 2, o.momentary) &&
               std::equal(buttons, buttons + 3, o.buttons) &&
               std::equal(flags, flags + modifySetting::groupCount, o.flags);
    }
};

TEST_F(modeDialogsTest, controlsFollowTheModeCountCycleAndMomentaryChoices) {
    mainWindow& window = startWith([] { settings::numModes = 3; });
    modifySetting::modeUseConstant[4] = true;
    const globalModeSettings before;

    struct row {
        int modes;
        bool cycle, momentaryB, momentaryC;
        bool cycleBox, firstDropDown, modeB, modeC, groups;
    };
    const row rows[] = {
        {1, true, false, false, false, false, false, false, false},
        {1, false, true, true, false, false, false, false, false},
        {2, true, false, false, true, true, false, false, true},
        {2, false, false, true, true, true, true, false, true},
        {2, false, true, false, true, false, true, false, true},
        {3, true, true, true, true, true, false, false, true},
        {3, false, true, false, true, true, true, true, true},
        {3, false, true, true, true, false, true, true, true},
    };
    bool closed = false;
    int result = 0;
    openModeSettings(window, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Mode Settings");
        EXPECT_EQ(control<QComboBox>(d, 702).currentText(), "3");
        EXPECT_EQ(control<QComboBox>(d, 706).count(), 32);
        EXPECT_EQ(control<QComboBox>(d, 706).currentIndex(), 21);
        EXPECT_TRUE(control<QCheckBox>(d, 718).isChecked());
        EXPECT_EQ(control<QCheckBox>(d, 718).text(), "Axis Sensitivity");
        EXPECT_EQ(control<QCheckBox>(d, 739).text(), "Knob Deadzone End");
        for (const row& r : rows) {
            SCOPED_TRACE(testing::Message() << r.modes << " modes, cycle " << r.cycle << ", B "
                                            << r.momentaryB << ", C " << r.momentaryC);
            // Every box is reachable with three modes and no cycle button.
            choose(d, 702, 2);
            setBox(d, 703, false);
            setBox(d, 709, r.momentaryB);
            setBox(d, 712, r.momentaryC);
            setBox(d, 703, r.cycle);
            choose(d, 702, r.modes - 1);
            EXPECT_EQ(control<QCheckBox>(d, 703).isEnabled(), r.cycleBox);
            EXPECT_EQ(control<QComboBox>(d, 706).isEnabled(), r.firstDropDown);
            EXPECT_EQ(control<QComboBox>(d, 708).isEnabled(), r.modeB);
            EXPECT_EQ(control<QCheckBox>(d, 709).isEnabled(), r.modeB);
            EXPECT_EQ(control<QComboBox>(d, 711).isEnabled(), r.modeC);
            EXPECT_EQ(control<QCheckBox>(d, 712).isEnabled(), r.modeC);
            EXPECT_EQ(control<QPushButton>(d, 741).isEnabled(), r.groups);
            for (int id = 714; id <= 739; ++id)
                EXPECT_EQ(control<QCheckBox>(d, id).isEnabled(), r.groups) << id;
            EXPECT_EQ(control<QLabel>(d, 704).isVisible(), r.cycle);
            EXPECT_EQ(control<QLabel>(d, 705).isVisible(), !r.cycle);
            EXPECT_TRUE(control<QComboBox>(d, 702).isEnabled());
            EXPECT_TRUE(control<QPushButton>(d, 713).isEnabled());
            EXPECT_TRUE(control<QPushButton>(d, 742).isEnabled());
        }
        choose(d, 702, 0);
        control<QCheckBox>(d, 714).setChecked(true);
        d.close();
        result = d.result();
        closed = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, 60000));
    // The close box stores nothing.
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(globalModeSettings() == before);
    EXPECT_EQ(window.layout().tab.tabControl->count(), 6);
}

TEST_F(modeDialogsTest, setCloseStoresTheChoicesAndTheWindowFollows) {
    mainWindow& window = startWith([] {
        settings::numModes = 3;
        settings::modes[1].axes[0].sensitivity.set(2.5f);
        settings::modes[1].smoothing.set(3.0f);
        settings::modeButtons[1] = 40; // outside the list; a file may hold it
    });
    ASSERT_TRUE(modifySetting::modeUseConstant[modifySetting::axisSensitivityGroup]);
    mainWindowLayout& layout = window.layout();
    layout.tab.tabControl->setCurrentIndex(4); // "Mode C - Axes"

    bool done = false;
    openModeSettings(window, [&](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, 708).currentIndex(), -1);
        // 25 of 26 checked: all of them; again: none.
        for (int id = 714; id <= 739; ++id)
            control<QCheckBox>(d, id).setChecked(id != 730);
        click(d, 741);
        for (int id = 714; id <= 739; ++id)
            EXPECT_TRUE(control<QCheckBox>(d, id).isChecked()) << id;
        click(d, 741);
        for (int id = 714; id <= 739; ++id)
            EXPECT_FALSE(control<QCheckBox>(d, id).isChecked()) << id;
        click(d, 714 + modifySetting::smoothingGroup);
        click(d, 714 + modifySetting::autofireGroup);
        choose(d, 702, 1);
        setBox(d, 703, false);
        choose(d, 706, 3);
        setBox(d, 709, true);
        EXPECT_FALSE(control<QComboBox>(d, 706).isEnabled());
        click(d, 742);
        EXPECT_EQ(d.result(), 1);
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 60000));

    EXPECT_EQ(settings::numModes, 2);
    EXPECT_FALSE(settings::useModeCycleButton);
    EXPECT_TRUE(settings::useModeMomentary[0]);
    EXPECT_EQ(settings::modeButtons[0], 3);
    EXPECT_EQ(settings::modeButtons[1], 40);
    for (int g = 0; g < modifySetting::groupCount; ++g)
        EXPECT_EQ(modifySetting::modeUseConstant[g],
                  g == modifySetting::smoothingGroup || g == modifySetting::autofireGroup)
            << g;
    // Four tabs, the same kind of page of the last mode left in front.
    EXPECT_EQ(layout.tab.tabControl->count(), 4);
    EXPECT_EQ(layout.tab.tabControl->tabText(layout.tab.tabControl->currentIndex()),
              "Mode B - Axes");
    EXPECT_EQ(settings::activeMode, 1);
    // Sensitivity is held constant now: mode B took mode A's, and shows it; smoothing
    // may differ and kept its own.
    EXPECT_EQ(settings::modes[1].axes[0].sensitivity.value,
              settings::modes[0].axes[0].sensitivity.value);
    EXPECT_EQ(layout.axisSensitivity[1][0].window->text(),
              layout.axisSensitivity[0][0].window->text());
    EXPECT_EQ(settings::modes[1].smoothing.value, 3.0f);
    EXPECT_TRUE(layout.smoothing[1].sliderWindow->isEnabled());
    EXPECT_FALSE(layout.baseSensitivity[1].sliderWindow->isEnabled());
    EXPECT_FALSE(layout.axisSensitivity[1][0].window->isEnabled());
    EXPECT_TRUE(layout.axisSensitivity[0][0].window->isEnabled());
}

TEST_F(modeDialogsTest, clearingEveryGroupMakesTheOtherModesCopiesOfModeA) {
    mainWindow& window = startWith([] {
        settings::numModes = 3;
        for (int m = 0; m < settings::modeCount; ++m)
            makeDistinct(settings::modes[m], m);
    });
    const std::vector<std::uint8_t> modeA = contents(0);
    ASSERT_NE(contents(1), modeA);
    bool done = false;
    openModeSettings(window, [&](QDialog& d) {
        ASSERT_TRUE(control<QCheckBox>(d, 714).isChecked());
        click(d, 741); // every box was checked: all cleared
        click(d, 742);
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 60000));
    EXPECT_EQ(contents(1), modeA);
    EXPECT_EQ(contents(2), modeA);
    mainWindowLayout& layout = window.layout();
    for (int m : {1, 2}) {
        EXPECT_EQ(layout.axisCurvature[m][4].window->text(),
                  layout.axisCurvature[0][4].window->text());
        EXPECT_EQ(layout.useAutofire[m].window->isChecked(),
                  layout.useAutofire[0].window->isChecked());
        EXPECT_FALSE(layout.useAutofire[m].window->isEnabled());
    }
}

TEST_F(modeDialogsTest, arrangeModesSwapsAndCopiesWholeModes) {
    mainWindow& window = startWith([] {
        settings::numModes = 2;
        for (int m = 0; m < settings::modeCount; ++m)
            makeDistinct(settings::modes[m], m);
    });
    const globalModeSettings globals;
    const std::array<std::vector<std::uint8_t>, 3> original = {contents(0), contents(1),
                                                               contents(2)};
    ASSERT_NE(original[0], original[1]);
    ASSERT_NE(original[1], original[2]);
    ASSERT_NE(original[0], original[2]);
    const QString shownInB = window.layout().axisSensitivity[1][2].window->text();

    struct step {
        bool swap;
        int first, secondPosition;
        std::array<int, 3> expected; // which original mode each mode holds afterwards
        const char *text, *caption;
    };
    const step steps[] = {
        {true, 0, 0, {1, 0, 2}, "Swapped Mode A's settings with Mode B.\n", "Swap"},
        {true, 2, 0, {2, 0, 1}, "Swapped Mode C's settings with Mode A.\n", "Swap"},
        {false, 1, 1, {2, 0, 0}, "Copied Mode B's settings to Mode C.\n", "Copy"},
        {false, 2, 0, {0, 0, 0}, "Copied Mode C's settings to Mode A.\n", "Copy"},
    };
    std::vector<std::array<int, 3>> held;
    bool done = false;
    int arrangeResult = 0, modeResult = 0;
    openModeSettings(window, [&](QDialog& modeSettings) {
        onNextModal([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Arrange Modes");
            for (const step& s : steps) {
                const int row = s.swap ? 603 : 609;
                choose(d, row, s.first);
                choose(d, row + 2, s.secondPosition);
                click(d, s.swap ? 606 : 612);
                ASSERT_FALSE(script.boxes().empty());
                EXPECT_EQ(script.boxes().back().text, s.text);
                EXPECT_EQ(script.boxes().back().caption, s.caption);
                std::array<int, 3> now = {-1, -1, -1};
                for (int m = 0; m < 3; ++m)
                    for (int o = 0; o < 3; ++o)
                        if (contents(m) == original[o])
                            now[m] = o;
                held.push_back(now);
                if (held.size() == 1) {
                    // Mode B's original now shows on mode A's page.
                    EXPECT_EQ(window.layout().axisSensitivity[0][2].window->text(), shownInB);
                }
            }
            click(d, 613);
            arrangeResult = d.result();
        });
        click(modeSettings, 713);
        modeSettings.close();
        modeResult = modeSettings.result();
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 60000));

    ASSERT_EQ(held.size(), std::size(steps));
    for (std::size_t i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i], steps[i].expected) << "step " << i;
    EXPECT_EQ(arrangeResult, 1);
    EXPECT_EQ(modeResult, 2);
    // Swaps and copies stay after the close box; the mode globals and flags do not move.
    EXPECT_EQ(contents(1), original[0]);
    EXPECT_TRUE(globalModeSettings() == globals);
    EXPECT_FALSE(file::fileChanged);
}

TEST_F(modeDialogsTest, secondDropDownKeepsItsModeWhileListed) {
    struct row {
        std::vector<int> firsts; // choices of the first drop-down, in order
        int secondPosition;      // chosen before the first changes
        const char* expectedText;
        int expectedPosition;
    };
    const row rows[] = {
        {{2}, 0, "Mode B", 1},    // from A to C with B selected
        {{2, 0}, 0, "Mode B", 0}, // from C to A with A selected: A goes, position stays
        {{2, 0}, 1, "Mode B", 0}, // from C to A with B selected
        {{1}, 1, "Mode C", 1},    // from A to B with C selected
        {{1}, 0, "Mode A", 0},    // from A to B with B selected: position stays
    };
    for (const row& r : rows) {
        arrangeModesDialog d(nullptr);
        d.show();
        for (int second : {605, 611}) {
            SCOPED_TRACE(second);
            const int first = second - 2;
            auto& list = control<QComboBox>(d, second);
            EXPECT_EQ(list.itemText(0), "Mode B");
            EXPECT_EQ(list.itemText(1), "Mode C");
            for (std::size_t i = 0; i < r.firsts.size(); ++i) {
                if (i + 1 == r.firsts.size())
                    choose(d, second, r.secondPosition);
                choose(d, first, r.firsts[i]);
            }
            EXPECT_EQ(list.count(), 2);
            EXPECT_EQ(list.currentText(), r.expectedText);
            EXPECT_EQ(list.currentIndex(), r.expectedPosition);
        }
    }
}

} // namespace
