#include "ui/mainWindow.h"

#include "device/sendReceive.h"
#include "files/configFile.h"
#include "files/file.h"
#include "platform/dialogs.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/compilerDate.h"
#include "ui/dialogRegistry.h"
#include "ui/mainWindowLayout.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>

namespace dialogs = platform::dialogs;

namespace {

bool askToContinue(const char* question) {
    return dialogs::messageBox(question, "Continue?", dialogs::buttons::okCancel) ==
           dialogs::button::ok;
}

} // namespace

void mainWindow::SetMainMenu() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* text, int id, bool checkable = false) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::number(id));
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, id] { command(id); });
        actions[id] = action;
    };
    QMenu* fileMenu = bar->addMenu(QStringLiteral("&File"));
    add(fileMenu, "&New\tCtrl-N", menuId::fileNew);
    add(fileMenu, "&Open\tCtrl-O", menuId::fileOpen);
    add(fileMenu, "&Save\tCtrl-S", menuId::fileSave);
    add(fileMenu, "&Save As...", menuId::fileSaveAs);
    fileMenu->addSeparator();
    add(fileMenu, "&Quit\tCtrl-Q", menuId::fileQuit);
    QMenu* configMenu = bar->addMenu(QStringLiteral("&Config"));
    QMenu* autoReceive = configMenu->addMenu(QStringLiteral("&Auto-Receive Settings"));
    add(autoReceive, "&Enabled", menuId::autoReceiveEnabled, true);
    add(autoReceive, "&Disabled", menuId::autoReceiveDisabled, true);
    QMenu* units = configMenu->addMenu(QStringLiteral("&Units"));
    add(units, "&Imperial", menuId::unitsImperial, true);
    add(units, "&Metric", menuId::unitsMetric, true);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    add(help, "&About Marlovan Settings", menuId::about);

    // The accelerator table: Control with N, O, S, Q.
    const std::pair<int, QKeySequence> accelerators[] = {
        {menuId::acceleratorNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {menuId::acceleratorOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {menuId::acceleratorSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {menuId::acceleratorQuit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [id, keys] : accelerators) {
        auto* action = new QAction(this);
        action->setObjectName(QString::number(id));
        action->setShortcut(keys);
        addAction(action);
        const int commandId = id;
        connect(action, &QAction::triggered, this, [this, commandId] { command(commandId); });
        actions[id] = action;
    }
}

QAction* mainWindow::menuAction(int id) const {
    const auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void mainWindow::updateMenuMarks() {
    configFile::updateMainMenu([this](int id, bool checked) {
        if (QAction* action = menuAction(id))
            action->setChecked(checked);
    });
}

void mainWindow::takeFocusAway() {
    // An edit being typed in checks and stores its value when it loses the focus.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
}

void mainWindow::command(int id) {
    const auto title = [this] { SetWindowTitle(); };
    switch (id) {
    case menuId::fileNew:
    case menuId::acceleratorNew:
        if (askToContinue("Reset all settings to defaults?")) {
            settings::init();
            windowLayout->setAllValuesFromSettings();
            file::clear();
            SetWindowTitle();
        }
        break;
    case menuId::fileOpen:
    case menuId::acceleratorOpen:
        if (file::open()) {
            file::saveToConfigData();
            configFile::write();
            file::clearFileChanged(title);
            modifySetting::setOnConstantFromSettings(true);
        }
        followSelectedTab();
        updateEnabling();
        SetWindowTitle();
        break;
    case menuId::fileSave:
    case menuId::acceleratorSave:
        takeFocusAway();
        if (file::active.empty()) {
            file::saveAs();
            file::saveToConfigData();
            configFile::write();
            file::clearFileChanged(title);
        } else if (file::saveCurrentFile()) {
            file::saveToConfigData();
            configFile::write();
            file::clearFileChanged(title);
        }
        SetWindowTitle();
        break;
    case menuId::fileSaveAs:
        takeFocusAway();
        if (file::saveAs()) {
            file::saveToConfigData();
            configFile::write();
            file::clearFileChanged(title);
        }
        SetWindowTitle();
        break;
    case menuId::fileQuit:
    case menuId::acceleratorQuit:
        close();
        break;
    case menuId::unitsImperial:
    case menuId::unitsMetric:
        configFile::useMetricUnits = id == menuId::unitsMetric;
        updateMenuMarks();
        configFile::write();
        break;
    case menuId::autoReceiveEnabled:
    case menuId::autoReceiveDisabled:
        configFile::autoRetrieveSettings = id == menuId::autoReceiveEnabled;
        updateMenuMarks();
        configFile::write();
        break;
    case menuId::about:
        about();
        break;
    default:
        break;
    }
}

void mainWindow::about() {
    const std::string text =
        std::string("Marlovan Settings\nVersion ") + VERSION_STRING + "\n" + compilerDate();
    dialogs::messageBox(text, "About Marlovan Settings", dialogs::buttons::ok);
}

void mainWindow::sendClicked() {
    sendReceive::sendSettings(*this);
}

void mainWindow::receiveClicked() {
    if (askToContinue("Retrieve all settings from joystick?"))
        sendReceive::receiveSettings(*this, true);
}

void mainWindow::resetClicked() {
    if (!askToContinue("Reset all settings to defaults?"))
        return;
    settings::init();
    windowLayout->setAllValuesFromSettings();
    modifySetting::setOnConstantFromSettings(true);
    updateEnabling();
}

void mainWindow::connectDialogButtons() {
    const std::pair<button*, int> buttons[] = {
        {&windowLayout->diagnosticOptionsButton, dialogRegistry::diagnosticOptionsDialog},
        {&windowLayout->outputDisplayButton, dialogRegistry::outputDisplayDialog},
        {&windowLayout->modeSettingsButton, dialogRegistry::modeDialog},
        {&windowLayout->ledSettingsButton, dialogRegistry::ledDialog},
    };
    for (const auto& [b, templateId] : buttons) {
        const int dialog = templateId;
        connect(b->window, &QPushButton::clicked, this,
                [this, dialog] { dialogRegistry::run(dialog, this); });
    }
}

void mainWindow::deviceArrived() {
    if (sendReceive::tryConnectionState(*this) && configFile::autoRetrieveSettings &&
        askToContinue("Retrieve all settings from joystick?"))
        sendReceive::receiveSettings(*this, true);
}

void mainWindow::deviceRemoved() {
    sendReceive::tryConnectionState(*this);
}
