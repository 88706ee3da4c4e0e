#include "ui/mainWindow.h"

#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "files/configFile.h"
#include "files/file.h"
#include "platform/usbDevices.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/defaultFont.h"
#include "ui/mainWindowLayout.h"
#include "ui/programIcon.h"
#include "ui/uniqueID.h"
#include "ui/windowTitle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QTimer>

mainWindow* mainWnd = nullptr;

mainWindow::mainWindow() {
    setWindowTitle(QStringLiteral("Marlovan Settings - Not Connected"));
    setObjectName(QStringLiteral("MarlovanSettingsClass"));
    // Caption, system menu and minimise box: no sizing border, no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(765, 730);
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    receiveTimer = new QTimer(this);
    receiveTimer->setObjectName(QStringLiteral("timer1"));
    connect(receiveTimer, &QTimer::timeout, this,
            [this] { sendReceive::timerLoopReceiveSettings(*this); });
    progressTimer = new QTimer(this);
    progressTimer->setObjectName(QStringLiteral("timer2"));
    connect(progressTimer, &QTimer::timeout, this, [this] {
        setProgressPosition(0);
        stopTimer(sendReceive::progressResetTimerId);
    });
    startUp();
}

mainWindow::~mainWindow() {
    file::settingsLoaded = nullptr;
    modifySetting::refreshCopiedGroup = nullptr;
    // The controls go before the layout that their signals call into.
    delete takeCentralWidget();
    if (winLayout == windowLayout.get())
        winLayout = nullptr;
    if (mainWnd == this)
        mainWnd = nullptr;
    deleteDefaultFont();
}

void mainWindow::startUp() {
    // 1. the window and its menu bar
    mainWnd = this;
    SetMainMenu();
    // 2.-5. link state, settings, control ids
    modifySetting::onAxisTab = true;
    // The interface chosen before the window (--simulate) is a choice, not link state.
    const std::string pinnedHid = hidConnection::onlyPath;
    hidConnection::init();
    hidConnection::onlyPath = pinnedHid;
    sendReceive::activeState = 0;
    settings::init();
    uniqueID::init();
    // 6. font
    createDefaultFont();
    // 7. the controls, showing the settings
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    client->resize(765, 730 - menuBar()->sizeHint().height());
    windowLayout = std::make_unique<mainWindowLayout>();
    winLayout = windowLayout.get();
    file::settingsLoaded = [] {
        if (!winLayout)
            return;
        winLayout->setAllValuesFromSettings();
        winLayout->updateCruiseControlDisabled();
        winLayout->updateAxesDisabled();
    };
    modifySetting::refreshCopiedGroup = [](int mode, int group) {
        if (winLayout)
            winLayout->refreshGroup(mode, group);
    };
    windowLayout->fileChangedByCheckBox = [this] {
        file::setFileChanged([this] { SetWindowTitle(); });
    };
    windowLayout->create(client);
    windowLayout->setAllValuesFromSettings();
    windowLayout->updateCheckBoxEffects();
    windowLayout->updateModeConstantDisabling();
    connect(windowLayout->tab.tabControl, &QTabWidget::currentChanged, this,
            &mainWindow::tabChanged);
    connect(windowLayout->sendButton.window, &QPushButton::clicked, this, &mainWindow::sendClicked);
    connect(windowLayout->receiveButton.window, &QPushButton::clicked, this,
            &mainWindow::receiveClicked);
    connect(windowLayout->resetButton.window, &QPushButton::clicked, this,
            &mainWindow::resetClicked);
    connectDialogButtons();
    connect(windowLayout->disableKnobs.window, &QAbstractButton::clicked, this, [this] {
        windowLayout->disableKnobs.updateValue();
        windowLayout->updateCheckBoxEffects();
        windowLayout->fileChangedByCheckBox();
    });
    // 8.-9. configuration and the settings file to open
    configFile::init();
    const bool configRead = configFile::tryReadLast();
    openStartFile(configRead);
    // 10.-11.
    modifySetting::setOnConstantFromSettings(true);
    updateEnabling();
    updateMenuMarks();
    // 12. the links
    if (sendReceive::tryConnectionState(*this) && configFile::autoRetrieveSettings) {
        sendReceive::receiveSettings(*this, false);
        file::clear();
        SetWindowTitle();
    }
    watchDevices();
}

void mainWindow::openStartFile(bool configRead) {
    if (configRead && !file::openedFromSettingsFile) {
        file::setFromConfigData();
        // Without a remembered file there is nothing to open, and the remembered
        // choices stay as they were read.
        if (!file::active.empty() && !file::openCurrentFile()) {
            configFile::clear();
            file::clear();
        }
    } else if (file::openedFromSettingsFile) {
        if (file::openCurrentFile()) {
            file::saveToConfigData();
            configFile::write();
        } else {
            file::clear();
        }
    }
    followSelectedTab();
}

void mainWindow::followSelectedTab() {
    const int s = windowLayout->tab.selected();
    settings::activeMode = static_cast<std::uint8_t>(s / 2);
    modifySetting::onAxisTab = s % 2 == 0;
}

void mainWindow::updateEnabling() {
    windowLayout->updateCheckBoxEffects();
    windowLayout->updateModeConstantDisabling();
}

void mainWindow::SetWindowTitle() {
    setWindowTitle(composeWindowTitle());
}

void mainWindow::tabChanged(int s) {
    setFocus();
    if (s < 0)
        return;
    settings::activeMode = static_cast<std::uint8_t>(s / 2);
    modifySetting::onAxisTab = s % 2 == 0;
    windowLayout->updateCheckBoxEffects();
    windowLayout->updateModeConstantDisabling();
}

void mainWindow::closeEvent(QCloseEvent* event) {
    // Nothing is asked and nothing is written at exit.
    event->accept();
}

QTimer* mainWindow::timer(int id) const {
    return id == sendReceive::receiveTimerId ? receiveTimer : progressTimer;
}

void mainWindow::setSendReceiveEnabled(bool enabled) {
    windowLayout->sendButton.window->setEnabled(enabled);
    windowLayout->receiveButton.window->setEnabled(enabled);
}

void mainWindow::setOutputDisplayEnabled(bool enabled) {
    windowLayout->outputDisplayButton.window->setEnabled(enabled);
}

void mainWindow::setProgressRange(int maximum) {
    windowLayout->progressBar->setRange(0, maximum);
}

void mainWindow::setProgressPosition(int position) {
    windowLayout->progressBar->setValue(position);
}

void mainWindow::startTimer(int id, int milliseconds) {
    timer(id)->start(milliseconds);
}

void mainWindow::stopTimer(int id) {
    timer(id)->stop();
}

void mainWindow::updateTitle() {
    SetWindowTitle();
}

void mainWindow::refreshFromSettings() {
    windowLayout->setAllValuesFromSettings();
    // The exchange derives the mode-constant flags after this refresh; the enabling
    // that depends on them follows once it has returned.
    if (enablingPending)
        return;
    enablingPending = true;
    QTimer::singleShot(0, this, [this] {
        enablingPending = false;
        updateEnabling();
    });
}

void mainWindow::watchDevices() {
    deviceWatch = std::make_unique<platform::usbDevices::watch>();
    if (deviceWatch->fd() < 0)
        return;
    deviceNotifier = new QSocketNotifier(deviceWatch->fd(), QSocketNotifier::Read, this);
    connect(deviceNotifier, &QSocketNotifier::activated, this, &mainWindow::deviceEvents);
}

void mainWindow::deviceEvents() {
    bool added = false;
    bool removed = false;
    for (const auto& e : deviceWatch->drain()) {
        added = added || e.action == platform::usbDevices::event::kind::added;
        removed = removed || e.action == platform::usbDevices::event::kind::removed;
    }
    // One plug or unplug raises several events (tty, hidraw); one probe answers them.
    if (added)
        deviceArrived();
    else if (removed)
        deviceRemoved();
}
