#include "ui/diagnosticOptionsDialog.h"

#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"
#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/dialogRegistry.h"
#include "ui/dialogUnits.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"
#include "ui/numberFormat.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace dialogs = platform::dialogs;

namespace {

constexpr std::uint32_t rawKnobMaximum = 4095;
constexpr int afterSerialTestMilliseconds = 200;

} // namespace

diagnosticOptionsDialog::diagnosticOptionsDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Diagnostic Options"));
    setFixedSize(dialogUnits::x(160), dialogUnits::y(104));

    auto addButton = [this](const char* text, int id, QRect where) {
        return templateButton(this, QString::fromLatin1(text), id, where);
    };
    auto addCheck = [this](const char* text, int id, QRect where) {
        auto* c = new QCheckBox(QString::fromLatin1(text), this);
        setControlId(c, id);
        c->setGeometry(where);
        return c;
    };
    QPushButton* errors = addButton("Check Errors", checkErrorsId, {});
    QPushButton* test = addButton("Test Serial Connection", testSerialId, {});
    tareButton = addButton("Tare Load Cells", tareId, {});
    QPushButton* firmware = addButton("Firmware Settings", firmwareSettingsId, {});
    loadCellDiagnosticModeCheck = addCheck("Load Cell Diagnostic Mode", loadCellDiagnosticModeId,
                                           dialogUnits::rect(10, 46, 140, 10));
    digitalOutputDiagnosticModeCheck =
        addCheck("Digital Output Diagnostic Mode", digitalOutputDiagnosticModeId,
                 dialogUnits::rect(10, 60, 140, 10));
    QPushButton* setCloseButton =
        addButton("Set/Close", setCloseId, dialogUnits::rect(55, 82, 50, 14));
    loadCellDiagnosticModeCheck->setChecked(settings::loadCellDiagnosticMode);
    digitalOutputDiagnosticModeCheck->setChecked(settings::digitalOutputDiagnosticMode);
    for (int id = loadCellDiagnosticModeId;; ++id) {
        auto* control = findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
        if (!control)
            break;
        applyDefaultFont(control);
    }
    layOutButtons({errors, test, tareButton, firmware}, setCloseButton);

    timer = new QTimer(this);
    timer->setInterval(tareMilliseconds);
    connect(timer, &QTimer::timeout, this, [this] {
        tareButton->setEnabled(true);
        timer->stop();
    });

    connect(errors, &QPushButton::clicked, this, &diagnosticOptionsDialog::checkErrors);
    connect(test, &QPushButton::clicked, this, &diagnosticOptionsDialog::testSerialConnection);
    connect(tareButton, &QPushButton::clicked, this, &diagnosticOptionsDialog::tareLoadCells);
    connect(firmware, &QPushButton::clicked, this,
            [this] { dialogRegistry::run(dialogRegistry::firmwareDialog, this); });
    connect(setCloseButton, &QPushButton::clicked, this, &diagnosticOptionsDialog::setClose);
}

// Two columns of equal buttons, as wide as the widest caption needs in this font; the
// dialog grows with them.
void diagnosticOptionsDialog::layOutButtons(std::initializer_list<QPushButton*> grid,
                                            QPushButton* setCloseButton) {
    int width = dialogUnits::x(72);
    for (QPushButton* b : grid)
        width = widthForCaption(b, width);
    const int margin = dialogUnits::x(6);
    const int gap = dialogUnits::x(4);
    int i = 0;
    for (QPushButton* b : grid) {
        b->setGeometry(margin + (i % 2) * (width + gap), dialogUnits::y(i < 2 ? 7 : 25), width,
                       dialogUnits::y(14));
        ++i;
    }
    const int dialogWidth = std::max(dialogUnits::x(160), 2 * margin + 2 * width + gap);
    setFixedSize(dialogWidth, dialogUnits::y(104));
    for (QCheckBox* c : {loadCellDiagnosticModeCheck, digitalOutputDiagnosticModeCheck})
        c->resize(std::min(widthForCaption(c, c->width()), dialogWidth - c->x()), c->height());
    setCloseButton->move((dialogWidth - setCloseButton->width()) / 2, setCloseButton->y());
}

// The close box and Escape: the check boxes are not stored.
void diagnosticOptionsDialog::reject() {
    done(2);
}

void diagnosticOptionsDialog::checkErrors() {
    if (serial.isConnected()) {
        const std::uint32_t diagnostic = serial.sendRequestDiagnosticValues();
        const std::uint32_t misc = serial.sendRequestErrors(false);
        const std::uint32_t loadCell = serial.sendRequestErrors(true);
        const std::uint32_t knobs = serial.sendRequestKnobValues();
        const std::uint32_t buttons = serial.sendRequestButtonValues();
        // The knob reply carries packet bytes 3-6 least significant first: b3 b4 is the
        // left reading and b5 b6 the right, each most significant byte first.
        const auto b3 = static_cast<int>(knobs & 0xFF);
        const auto b4 = static_cast<int>((knobs >> 8) & 0xFF);
        const auto b5 = static_cast<int>((knobs >> 16) & 0xFF);
        const auto b6 = static_cast<int>((knobs >> 24) & 0xFF);
        const int left = b3 * 256 + b4;
        const int right = b5 * 256 + b6;
        const auto fps = static_cast<int>((diagnostic >> 24) & 0xFF);
        const std::string text = sendReceive::makeErrorString(misc, loadCell) +
                                 "\n\nLeft Knob Raw: " + intToString(left) + "\nRight Knob Raw: " +
                                 intToString(static_cast<int>(rawKnobMaximum) - right) +
                                 "\n\nButtons: " + intToString(static_cast<std::int32_t>(buttons)) +
                                 "\nDiagnostic FPS: " + intToString(fps);
        dialogs::messageBox(text, "Errors");
        return;
    }
    if (hidConnection::sendRequestFirmwareVersion() == hidConnection::noReply) {
        dialogs::messageBox("Failed connect", "Serial/HID");
        return;
    }
    const std::uint32_t misc = hidConnection::sendRequestErrorsMisc();
    const std::uint32_t loadCell = hidConnection::sendRequestErrorsLC();
    dialogs::messageBox(sendReceive::makeErrorString(misc, loadCell), "Errors (HID)");
}

void diagnosticOptionsDialog::testSerialConnection() {
    if (serial.isConnected())
        serial.disconnect();
    {
        serialConnection probe;
        probe.connectRetries = serialConnection::defaultConnectRetries;
        probe.replyTimeout = serialConnection::defaultReplyTimeout;
        if (probe.getComPortPath(true, false) && probe.connect(true)) {
            dialogs::messageBox("Serial connection succeeded\nPort: " + probe.portPath,
                                "Serial Test");
            probe.disconnect();
            // Give the joystick a moment before the settings link opens the port again.
            std::this_thread::sleep_for(std::chrono::milliseconds(afterSerialTestMilliseconds));
        } else if (probe.getComPortPath(true, true) && probe.connect(true)) {
            dialogs::messageBox("Serial connection test found bootloader mode\nPort: " +
                                    probe.portPath,
                                "Serial Test");
            probe.disconnect();
        } else {
            dialogs::messageBox("Serial connection failed\nUnable to detect COM port",
                                "Serial Test");
        }
    }
    if (mainWnd)
        sendReceive::tryConnectionState(*mainWnd);
}

void diagnosticOptionsDialog::tareLoadCells() {
    settingsParser::buildRetareLoadCells();
    if (serial.isConnected())
        serial.writeFromParser();
    else if (hidConnection::isConnected)
        // Without the serial link the command goes over HID, repeated until echoed.
        hidConnection::sendVerify();
    tareButton->setEnabled(false);
    timer->start();
}

void diagnosticOptionsDialog::setClose() {
    settings::loadCellDiagnosticMode = loadCellDiagnosticModeCheck->isChecked();
    settings::digitalOutputDiagnosticMode = digitalOutputDiagnosticModeCheck->isChecked();
    if (winLayout && winLayout->usingDiagnosticsWindow)
        winLayout->usingDiagnosticsWindow->setChecked(settings::loadCellDiagnosticMode ||
                                                      settings::digitalOutputDiagnosticMode);
    done(1);
}
