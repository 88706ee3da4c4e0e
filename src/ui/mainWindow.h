#pragma once

#include "device/exchangeWindow.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QSocketNotifier;
class QTimer;
class mainWindowLayout;
namespace platform::usbDevices {
class watch;
}

// Command ids of the menu bar and its accelerators.
namespace menuId {
inline constexpr int fileNew = 100;
inline constexpr int fileOpen = 101;
inline constexpr int fileSave = 102;
inline constexpr int fileSaveAs = 103;
inline constexpr int fileQuit = 104;
inline constexpr int unitsImperial = 110;
inline constexpr int unitsMetric = 111;
inline constexpr int autoReceiveEnabled = 112;
inline constexpr int autoReceiveDisabled = 113;
inline constexpr int about = 120;
inline constexpr int acceleratorNew = 201;
inline constexpr int acceleratorOpen = 202;
inline constexpr int acceleratorSave = 203;
inline constexpr int acceleratorQuit = 204;
} // namespace menuId

inline constexpr const char* VERSION_STRING = "1.0.5";

// The program's one top-level window "Marlovan Settings", 765 x 730 and fixed. Made
// after file::init has seen the command line; its construction runs the start-up
// order (settings, controls, configuration, settings file, mode constants, links).
class mainWindow : public QMainWindow, public sendReceive::exchangeWindow {
public:
    mainWindow();
    ~mainWindow() override;

    // A menu command or accelerator by id.
    void command(int id);
    // The top-level buttons.
    void sendClicked();
    void receiveClicked();
    void resetClicked();
    // A tab was selected by the user.
    void tabChanged(int index);
    // Device notices.
    void deviceArrived();
    void deviceRemoved();
    void SetWindowTitle();

    QAction* menuAction(int id) const;
    mainWindowLayout& layout() { return *windowLayout; }
    QTimer* timer(int id) const;

    // exchangeWindow
    void setSendReceiveEnabled(bool enabled) override;
    void setOutputDisplayEnabled(bool enabled) override;
    void setProgressRange(int maximum) override;
    void setProgressPosition(int position) override;
    void startTimer(int id, int milliseconds) override;
    void stopTimer(int id) override;
    void updateTitle() override;
    void refreshFromSettings() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetMainMenu();
    void updateMenuMarks();
    void startUp();
    void openStartFile(bool configRead);
    void watchDevices();
    void deviceEvents();
    void takeFocusAway();
    // The mode being edited follows the selected tab.
    void followSelectedTab();
    // The enabling rules again, after the mode-constant flags were derived anew.
    void updateEnabling();
    void about();
    void connectDialogButtons();

    std::unique_ptr<mainWindowLayout> windowLayout;
    std::map<int, QAction*> actions;
    QTimer* receiveTimer = nullptr;
    QTimer* progressTimer = nullptr;
    std::unique_ptr<platform::usbDevices::watch> deviceWatch;
    QSocketNotifier* deviceNotifier = nullptr;
    bool enablingPending = false;
};

// The main window while it exists.
extern mainWindow* mainWnd;
