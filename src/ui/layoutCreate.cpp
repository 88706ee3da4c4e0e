#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/defaultFont.h"
#include "ui/toolTipText.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

mainWindowLayout* winLayout = nullptr;

mainWindowLayout::mainWindowLayout()
    : sensitivityMinimum(0.1f), sensitivityMaximum(10.0f), smoothingMinimum(0.0f),
      smoothingMaximum(10.0f), baseDeadzoneMinimum(0.0f), baseDeadzoneMaximum(1.0f),
      variableDeadzoneMinimum(0.0f), variableDeadzoneMaximum(0.75f), curvatureMinimum(1.0f),
      curvatureMaximum(4.0f), asymmetryMinimum(0.2f), asymmetryMaximum(5.0f) {}

bool mainWindowLayout::allowed(int mode, int group) {
    return mode == 0 || (group >= 0 && group < modifySetting::groupCount &&
                         modifySetting::modeUseConstant[group]);
}

void mainWindowLayout::create(QWidget* window) {
    mainWindow = window;
    clientWidth = window->width();
    clientHeight = window->height();
    createTopControls();
    createTabs();
    for (int m = 0; m < settings::modeCount; ++m) {
        createAxisTabAreaControls(m);
        createOtherTabAreaControls(m);
    }
    for (QWidget* page : tab.pageWindows)
        fitGroupBoxes(page);
}

void mainWindowLayout::createTopControls() {
    QWidget* w = mainWindow;
    sendReceiveGroup.create(w, QString(), 10, 0, 370, 50);

    sendButton.create(w, QStringLiteral("Send"), 20, 15, 50, true, 0,
                      QStringLiteral("Sends all settings to the connected joystick."));
    progressBar = new QProgressBar(w);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(80, 20, 80, 15);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    receiveButton.create(w, QStringLiteral("Receive"), 170, 15, 60, true, 0,
                         QStringLiteral("Retrieves all settings from the connected joystick."));
    resetButton.create(w, QStringLiteral("Reset to Defaults"), 270, 15, 100, true, 0,
                       QStringLiteral("Returns all settings options to defaults."));

    diagnosticOptionsButton.create(w, QStringLiteral("Diagnostic Options"), 628, 13, 110, true, 0,
                                   QString::fromUtf8(toolTipText::diagnosticOptionsButton));
    usingDiagnosticsId = uniqueID::getNew();
    usingDiagnosticsWindow = new QCheckBox(QStringLiteral("Using Diagnostics"), w);
    setControlId(usingDiagnosticsWindow, usingDiagnosticsId);
    applyDefaultFont(usingDiagnosticsWindow);
    usingDiagnosticsWindow->setGeometry(627, 42, widthForCaption(usingDiagnosticsWindow, 110), 15);
    // Only an indicator of the joystick's diagnostic modes.
    usingDiagnosticsWindow->setEnabled(false);

    outputDisplayButton.create(w, QStringLiteral("Output Display"), 522, 13, 93, true, 0);

    disableKnobs.create(w, QStringLiteral("Disable Knobs (Requires Reset)"), 295, 70, 200,
                        QString::fromUtf8(toolTipText::disableKnobsCheck));
    disableKnobs.reference = &settings::knobsDisabled;

    ledSettingsButton.create(w, QStringLiteral("LED Settings"), 150, 65, 95, true, 0,
                             QStringLiteral("Opens settings for changing the function of the "
                                            "mode LEDs located at the top of the handle."));
    modeSettingsButton.create(w, QStringLiteral("Mode Settings"), 30, 65, 95, true, 0,
                              QString::fromUtf8(toolTipText::modeSettingsButton));
}

void mainWindowLayout::createTabs() {
    tab.controlId = uniqueID::getNew();
    tab.tabControl = new QTabWidget(mainWindow);
    setControlId(tab.tabControl, tab.controlId);
    applyDefaultFont(tab.tabControl);
    tab.tabControl->setGeometry(30, 107, 700, 560);
    tab.tabControl->setUsesScrollButtons(false);
    for (int i = 0; i < tabs::pageCount; ++i) {
        auto* page = new QWidget();
        page->setObjectName(QStringLiteral("tabPage") + QString::number(i));
        applyDefaultFont(page);
        tab.pageWindows[i] = page;
        tab.tabControl->addTab(page, QString::fromLatin1(tabs::names[i]));
    }
    tab.tabControl->setCurrentIndex(0);
}
