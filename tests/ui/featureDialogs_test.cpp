#include "uiTestSupport.h"

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "ui/buttonsDialogs.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"
#include "ui/featureDialogs.h"
#include "ui/joystickButtonsCheckBoxSelector.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/settingsLineEdit.h"
#include "ui/uniqueID.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

using dialogDriver = std::function<void(QDialog&)>;

template <class T> T* control(QDialog& d, int id) {
    T* c = d.findChild<T*>(QString::number(id));
    EXPECT_NE(c, nullptr) << "no control " << id;
    return c;
}

// The dialog as the window in front, so its controls can take the keyboard focus.
void activate(QDialog& d) {
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }, 60000));
}

// Picks entry `index` from the drop-down's list as a user does, so the dialog sees the
// same notification as from a mouse.
void choose(QComboBox* dropDown, int index) {
    ASSERT_NE(dropDown, nullptr);
    dropDown->showPopup();
    QAbstractItemView* view = dropDown->view();
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 60000));
    ASSERT_EQ(dropDown->currentIndex(), index);
}

joystickButtonsCheckBoxSelector& selectorOf(QDialog& d) {
    return dynamic_cast<buttonSelectorDialogBase&>(d).selector;
}

void click(QAbstractButton* b) {
    ASSERT_NE(b, nullptr);
    // A check box reacts on its box and caption only, not on the whole width it was given.
    const QPoint at = qobject_cast<QCheckBox*>(b) ? QPoint(6, b->height() / 2) : b->rect().center();
    QTest::mouseClick(b, Qt::LeftButton, {}, at);
}

void type(QDialog& d, int id, const char* text) {
    auto* edit = control<settingsLineEdit>(d, id);
    ASSERT_NE(edit, nullptr);
    // A drop-down's list that just closed may have taken the activation with it.
    activate(d);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

// No caption runs under a control beside it or past the dialog's edges.
void expectCaptionsReadable(QDialog& d) {
    const auto children = d.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QLabel* label : d.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect text(label->pos(), label->sizeHint());
        EXPECT_TRUE(d.rect().contains(text)) << label->text().toStdString();
        for (QWidget* w : children) {
            if (w != label && !qobject_cast<QGroupBox*>(w) && !qobject_cast<QLabel*>(w)) {
                EXPECT_FALSE(text.intersects(w->geometry()))
                    << label->text().toStdString() << " under " << w->objectName().toStdString();
            }
        }
    }
}

// Clicks `opener` and runs `drive` on the modal dialog it opens; the dialog's result, or
// 0 when none opened. A dialog that `drive` leaves open is closed by its close box.
int runFrom(QAbstractButton* opener, const dialogDriver& drive) {
    int result = 0;
    bool opened = false;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || opened)
            return;
        opened = true;
        poll.stop();
        QObject::connect(d, &QDialog::finished, [&result](int r) { result = r; });
        activate(*d);
        drive(*d);
        if (d->isVisible())
            d->close();
    });
    poll.start();
    opener->click();
    poll.stop();
    EXPECT_TRUE(opened);
    return result;
}

// The settings block a send or save carries now.
std::vector<std::uint8_t> currentBlock() {
    prebuiltSettings::upToDate = false;
    prebuiltSettings::prebuildAllSettings();
    return {prebuiltSettings::data.begin(),
            prebuiltSettings::data.begin() + prebuiltSettings::size};
}

// The model a joystick given `block` would hold.
void loadBlock(const std::vector<std::uint8_t>& block) {
    settings::init();
    prebuiltSettings::allocate(static_cast<std::int32_t>(block.size()));
    std::copy(block.begin(), block.end(), prebuiltSettings::data.begin());
    prebuiltSettings::parseAllPrebuilt();
}

class featureDialogs : public uiTest {
protected:
    void SetUp() override {
        uiTest::SetUp();
        registerFeatureDialogs();
    }
    void TearDown() override {
        uiTest::TearDown();
        prebuiltSettings::reset();
    }

    mainWindowLayout& startShown() {
        mainWindow& w = start();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w.layout();
    }

    void selectTab(int index) { window->layout().tab.tabControl->setCurrentIndex(index); }
};

struct dialogCase {
    const char* name;
    int templateId;
    const char* caption;
    int widthUnits, heightUnits;
    int setCloseId;
    // The check box that switches the feature on (its Set button is disabled while off).
    std::function<settingsBoolCheckbox*(mainWindowLayout&)> use;
    std::function<QPushButton*(mainWindowLayout&)> opener;
    dialogDriver edit;
    // What Set/Close stored, looked at in mode A.
    std::function<void()> stored;
    // What the main window shows of it afterwards.
    std::function<void(mainWindowLayout&)> shown = nullptr;
};

std::vector<dialogCase> dialogCases() {
    const auto& m = settings::modes;
    return {
        {"led", 400, "LED Settings", 128, 67, 405, nullptr,
         [](mainWindowLayout& l) { return l.ledSettingsButton.window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 403), 0);
             choose(control<QComboBox>(d, 404), 2);
         },
         [] {
             EXPECT_FALSE(settings::ledHighBrightness);
             EXPECT_EQ(settings::LEDoutput, 2);
         }},
        {"cruise control", 500, "Cruise Control", 111, 96, 511,
         [](mainWindowLayout& l) { return &l.useCruiseControl[0]; },
         [](mainWindowLayout& l) { return l.setCruiseControl[0].window; },
         [](QDialog& d) {
             click(control<QCheckBox>(d, 501));
             choose(control<QComboBox>(d, 503), 4);
             click(control<QCheckBox>(d, 505)); // X on
             click(control<QCheckBox>(d, 506)); // Y off
             click(control<QCheckBox>(d, 510)); // Yaw on
         },
         [&m] {
             EXPECT_FALSE(m[0].cruiseControl.toggle);
             EXPECT_EQ(m[0].cruiseControl.button, 4);
             EXPECT_EQ(m[0].cruiseControl.axes, 0x21);
         }},
        {"reorder axes", 900, "Reorder Axes", 160, 162, 918,
         [](mainWindowLayout& l) { return &l.useReorderedAxes[0]; },
         [](mainWindowLayout& l) { return l.setAxisOrder[0].window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 902), 3);
             EXPECT_EQ(control<QComboBox>(d, 908)->currentText(), "X (1)");
         },
         [&m] {
             const std::uint8_t expected[8] = {3, 1, 2, 0, 4, 5, 6, 7};
             EXPECT_TRUE(std::equal(expected, expected + 8, m[0].reorderAxes.order));
         }},
        {"add knob to axis", 1600, "Add Knob To Axis Settings", 131, 110, 1608,
         [](mainWindowLayout& l) { return &l.useKnobAddedToAxis[0]; },
         [](mainWindowLayout& l) { return l.setKnobAddedToAxis[0].window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 1602), 1);
             choose(control<QComboBox>(d, 1604), 4);
             click(control<QCheckBox>(d, 1605));
             click(control<QCheckBox>(d, 1606));
             type(d, 1607, "2.5");
         },
         [&m] {
             EXPECT_TRUE(m[0].addKnobToAxis.rightKnob);
             EXPECT_EQ(m[0].addKnobToAxis.axis, 4);
             EXPECT_TRUE(m[0].addKnobToAxis.bidirectional);
             EXPECT_TRUE(m[0].addKnobToAxis.inverted);
             EXPECT_NEAR(m[0].addKnobToAxis.scalingFactor, 2.5f, 0.001f);
         }},
        {"autofire", 1200, "Autofire Settings", 131, 76, 1204,
         [](mainWindowLayout& l) { return &l.useAutofire[0]; },
         [](mainWindowLayout& l) { return l.setAutofire[0].window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 1202), 6);
             type(d, 1203, "120");
         },
         [&m] {
             EXPECT_EQ(m[0].autofire.button, 6);
             EXPECT_EQ(m[0].autofire.period, 120);
         }},
        {"motor constant", 1400, "Motor Constant Settings", 131, 116, 1412,
         [](mainWindowLayout& l) { return &l.useConstantOutput[0]; },
         [](mainWindowLayout& l) { return l.setMotorConstant[0].window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 1411), 0);
             type(d, 1409, "3.5");
             type(d, 1408, "9");
             click(control<QCheckBox>(d, 1404)); // Z off
         },
         [&m] {
             EXPECT_FALSE(m[0].motorConstant.highSpeed);
             EXPECT_NEAR(m[0].motorConstant.activationPoint, 3.5f, 0.001f);
             EXPECT_EQ(m[0].motorConstant.pulsePeriod, 9);
             EXPECT_EQ(m[0].motorExtended.constantAxes, 0x3B);
             EXPECT_EQ(m[0].motorExtended.pulseAxes, 0x3F);
         }},
        {"motor pulse", 1500, "Motor Pulse Settings", 131, 116, 1512,
         [](mainWindowLayout& l) { return &l.usePulsedOutput[0]; },
         [](mainWindowLayout& l) { return l.setMotorPulse[0].window; },
         [](QDialog& d) {
             choose(control<QComboBox>(d, 1511), 0);
             type(d, 1509, "0.75");
             type(d, 1508, "40");
             click(control<QCheckBox>(d, 1502)); // X off
         },
         [&m] {
             EXPECT_FALSE(m[0].motorPulse.highSpeed);
             EXPECT_NEAR(m[0].motorPulse.activationPoint, 0.75f, 0.001f);
             EXPECT_EQ(m[0].motorPulse.pulseLength, 40);
             EXPECT_EQ(m[0].motorExtended.pulseAxes, 0x3E);
             EXPECT_EQ(m[0].motorExtended.constantAxes, 0x3F);
         }},
        {"disable buttons", 800, "Disable Buttons", 263, 176, 802, nullptr,
         [](mainWindowLayout& l) { return l.setDisabledButtons[0].window; },
         [](QDialog& d) {
             for (int b : {0, 1, 31})
                 click(selectorOf(d).buttons[b]);
         },
         [&m] { EXPECT_EQ(m[0].disabledButtons.buttons, 0x80000003u); },
         [](mainWindowLayout& l) {
             EXPECT_EQ(l.disabledButtonsLabel[0].window->text(), "Disabled Buttons: 3");
         }},
        {"toggled buttons", 1300, "Toggled Buttons", 263, 176, 1302, nullptr,
         [](mainWindowLayout& l) { return l.setToggledButtons[0].window; },
         [](QDialog& d) { click(control<QPushButton>(d, 1301)); },
         [&m] { EXPECT_EQ(m[0].toggledButtons.buttons, 0xFFFFFFFFu); },
         [](mainWindowLayout& l) {
             EXPECT_EQ(l.toggledButtonsLabel[0].window->text(), "Toggled Buttons: 32");
         }},
        {"modified buttons", 1700, "Modified Buttons", 263, 201, 1704,
         [](mainWindowLayout& l) { return &l.useModifiedButtons[0]; },
         [](mainWindowLayout& l) { return l.setModifiedButtons[0].window; },
         [](QDialog& d) {
             // Every button is modified by default: the button clears them all.
             click(control<QPushButton>(d, 1703));
             choose(control<QComboBox>(d, 1702), 10);
         },
         [&m] {
             EXPECT_EQ(m[0].modifiedButtons.buttons, 0u);
             EXPECT_EQ(m[0].extendedButtons.modifierButton, 10);
         }},
    };
}

TEST_F(featureDialogs, eachStoresOnSetCloseOnlyAndTheBlockCarriesIt) {
    for (const dialogCase& c : dialogCases()) {
        SCOPED_TRACE(c.name);
        mainWindowLayout& l = startShown();
        selectTab(1);
        if (c.use)
            click(c.use(l)->window);
        const std::vector<std::uint8_t> before = currentBlock();

        // The close box keeps every setting as it was.
        int result = runFrom(c.opener(l), [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), c.caption);
            // The template's size, or more where captions are wider in this font.
            const QSize templateSize(dialogUnits::x(c.widthUnits), dialogUnits::y(c.heightUnits));
            EXPECT_EQ(d.size().expandedTo(templateSize), d.size());
            expectCaptionsReadable(d);
            // Every template control, numbered on from the dialog's id, has the font.
            int id = c.templateId + 1;
            for (; id <= c.setCloseId; ++id) {
                if (auto* w = control<QWidget>(d, id)) {
                    EXPECT_EQ(w->font(), *defaultFont) << id;
                }
            }
            c.edit(d);
            d.close();
        });
        EXPECT_EQ(result, 2);
        EXPECT_EQ(currentBlock(), before);

        result = runFrom(c.opener(l), [&](QDialog& d) {
            c.edit(d);
            click(control<QPushButton>(d, c.setCloseId));
        });
        EXPECT_EQ(result, 1);
        c.stored();
        if (c.shown)
            c.shown(l);
        const std::vector<std::uint8_t> after = currentBlock();
        EXPECT_NE(after, before);

        window.reset();
        loadBlock(after);
        c.stored();
        settings::init();
    }
}

} // namespace

TEST_F(featureDialogs, addKnobToAxisBoxStoresWhenItLosesTheFocusEvenIfClosedAfter) {
    mainWindowLayout& l = startShown();
    selectTab(1);
    click(l.useKnobAddedToAxis[0].window);
    const settings::addKnobToAxisSettings& add = settings::modes[0].addKnobToAxis;

    EXPECT_EQ(runFrom(l.setKnobAddedToAxis[0].window,
                      [](QDialog& d) {
                          choose(control<QComboBox>(d, 1602), 1);
                          choose(control<QComboBox>(d, 1604), 2);
                          type(d, 1607, "3");
                          QTest::keyClick(control<QWidget>(d, 1607), Qt::Key_Tab);
                          d.close();
                      }),
              2);
    EXPECT_FLOAT_EQ(add.scalingFactor, 3.0f);
    EXPECT_FALSE(add.rightKnob);
    EXPECT_EQ(add.axis, 1);

    // Still being typed when the dialog closes: not stored.
    runFrom(l.setKnobAddedToAxis[0].window, [](QDialog& d) {
        EXPECT_EQ(control<QLineEdit>(d, 1607)->text(), "3");
        type(d, 1607, "4");
        d.close();
    });
    EXPECT_FLOAT_EQ(add.scalingFactor, 3.0f);
}

TEST_F(featureDialogs, reorderAxesKeepsAPermutationAndResetsWithoutStoring) {
    mainWindowLayout& l = startShown();
    settings::reorderAxesSettings& reorder = settings::modes[0].reorderAxes;
    reorder.enabled = true;
    const std::uint8_t swapped[8] = {1, 0, 2, 3, 4, 5, 6, 7};
    std::copy(swapped, swapped + 8, reorder.order);
    l.setAllValuesFromSettings();
    selectTab(1);

    const auto shown = [](QDialog& d) {
        std::vector<int> order;
        for (int i = 0; i < 8; ++i)
            order.push_back(control<QComboBox>(d, 902 + 2 * i)->currentIndex());
        return order;
    };
    EXPECT_EQ(runFrom(l.setAxisOrder[0].window,
                      [&](QDialog& d) {
                          EXPECT_EQ(shown(d), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7}));
                          // The left knob takes X's place; the Y row, which held X,
                          // takes the left knob's.
                          choose(control<QComboBox>(d, 914), 0);
                          EXPECT_EQ(shown(d), (std::vector<int>{1, 6, 2, 3, 4, 5, 0, 7}));
                          choose(control<QComboBox>(d, 902), 7);
                          EXPECT_EQ(shown(d), (std::vector<int>{7, 6, 2, 3, 4, 5, 0, 1}));
                          click(control<QPushButton>(d, 917));
                          EXPECT_EQ(shown(d), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
                          d.close();
                      }),
              2);
    EXPECT_TRUE(std::equal(swapped, swapped + 8, reorder.order));

    runFrom(l.setAxisOrder[0].window, [](QDialog& d) {
        click(control<QPushButton>(d, 917));
        click(control<QPushButton>(d, 918));
    });
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(reorder.order[i], i);
}

TEST_F(featureDialogs, aDialogEditsTheModeInFrontAndHeldGroupsFollowModeA) {
    mainWindowLayout& l = startShown();
    settings::numModes = 2;
    l.setAllValuesFromSettings();
    selectTab(1);

    // Disabled buttons are held equal in every mode: mode B follows mode A.
    runFrom(l.setDisabledButtons[0].window, [](QDialog& d) {
        click(selectorOf(d).buttons[4]);
        click(control<QPushButton>(d, 802));
    });
    EXPECT_EQ(settings::modes[0].disabledButtons.buttons, 1u << 4);
    EXPECT_EQ(settings::modes[1].disabledButtons.buttons, 1u << 4);
    EXPECT_EQ(l.disabledButtonsLabel[1].window->text(), "Disabled Buttons: 1");

    // Autofire may differ: mode B's page edits mode B only.
    modifySetting::modeUseConstant[modifySetting::autofireGroup] = true;
    selectTab(3);
    ASSERT_EQ(settings::activeMode, 1);
    click(l.useAutofire[1].window);
    EXPECT_EQ(runFrom(l.setAutofire[1].window,
                      [](QDialog& d) {
                          type(d, 1203, "50");
                          click(control<QPushButton>(d, 1204));
                      }),
              1);
    EXPECT_EQ(settings::modes[1].autofire.period, 50);
    EXPECT_EQ(settings::modes[0].autofire.period, 10);
}

TEST_F(featureDialogs, valuesNoEntryShowsAreKept) {
    mainWindowLayout& l = startShown();
    // A shifted button (33-64) for cruise control, as a file or the joystick may hold.
    settings::modes[0].cruiseControl.enabled = true;
    settings::modes[0].cruiseControl.button = 40;
    settings::LEDoutput = 7;
    l.setAllValuesFromSettings();
    selectTab(1);

    runFrom(l.setCruiseControl[0].window, [](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, 503)->currentIndex(), -1);
        click(control<QCheckBox>(d, 505));
        click(control<QPushButton>(d, 511));
    });
    EXPECT_EQ(settings::modes[0].cruiseControl.button, 40);
    EXPECT_EQ(settings::modes[0].cruiseControl.axes, 0x03);

    runFrom(l.ledSettingsButton.window, [](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, 404)->currentIndex(), -1);
        choose(control<QComboBox>(d, 403), 0);
        click(control<QPushButton>(d, 405));
    });
    EXPECT_EQ(settings::LEDoutput, 7);
    EXPECT_FALSE(settings::ledHighBrightness);
}

TEST_F(featureDialogs, buttonDialogsCheckOrClearEverythingAndHandTheirIdsBack) {
    mainWindowLayout& l = startShown();
    settings::modes[0].disabledButtons.buttons = 0xFFFFFFFFu;
    selectTab(1);
    const std::int32_t firstFree = uniqueID::nextID;

    // "Check/Uncheck All" clears everything only when every button is checked.
    const struct {
        QPushButton* opener;
        int checkUncheckAll;
        std::uint32_t after;
        Qt::CheckState groups;
    } dialogs[] = {
        {l.setDisabledButtons[0].window, 801, 0u, Qt::Unchecked},
        {l.setToggledButtons[0].window, 1301, 0xFFFFFFFFu, Qt::Checked},
    };
    for (const auto& c : dialogs) {
        runFrom(c.opener, [&](QDialog& d) {
            joystickButtonsCheckBoxSelector& s = selectorOf(d);
            EXPECT_EQ(s.buttonIds[0], firstFree);
            click(control<QPushButton>(d, c.checkUncheckAll));
            EXPECT_EQ(s.buttonValue(), c.after);
            for (QCheckBox* g : s.groupChecks)
                EXPECT_EQ(g->checkState(), c.groups);
        });
        EXPECT_EQ(uniqueID::nextID, firstFree);
    }
    EXPECT_EQ(settings::modes[0].disabledButtons.buttons, 0xFFFFFFFFu);
    EXPECT_EQ(settings::modes[0].toggledButtons.buttons, 0u);
}
