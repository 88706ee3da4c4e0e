#include "ui/firmwareDialog.h"

#include "device/hidConnection.h"
#include "device/serialConnection.h"
#include "firmwareuploader/firmwareUpdate.h"
#include "platform/dialogs.h"
#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"

#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <fstream>

namespace dialogs = platform::dialogs;

firmwareDialog::firmwareDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Firmware Settings"));
    setFixedSize(dialogUnits::x(200), dialogUnits::y(88));

    auto addText = [this](int id, QRect where) {
        auto* label = new QLabel(this);
        setControlId(label, id);
        label->setGeometry(where);
        return label;
    };
    auto addButton = [this](const char* text, int id, QRect where) {
        return templateButton(this, QString::fromLatin1(text), id, where);
    };
    // Wide enough for "Firmware: 255.255.255" in fonts wider than the template's.
    firmwareText = addText(firmwareTextId, dialogUnits::rect(12, 5, 90, 10));
    QPushButton* check =
        addButton("Check Firmware Version", checkVersionId, dialogUnits::rect(10, 13, 85, 14));
    firmwareFilenameText = addText(filenameTextId, dialogUnits::rect(106, 5, 155, 10));
    QPushButton* open =
        addButton("Open Firmware File", openFileId, dialogUnits::rect(104, 13, 85, 14));
    uploadButton = addButton("Update Firmware", uploadId, dialogUnits::rect(35, 33, 110, 14));
    firmwareStatusText = addText(statusTextId, dialogUnits::rect(37, 47, 155, 10));
    QPushButton* close = addButton("Close", closeId, dialogUnits::rect(10, 65, 65, 14));

    firmwareUpdate::filewareUploadFilename.clear();
    uploadButton->setEnabled(false);
    for (int id = firmwareTextId;; ++id) {
        auto* control = findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
        if (!control)
            break;
        applyDefaultFont(control);
    }

    connect(check, &QPushButton::clicked, this, &firmwareDialog::checkFirmwareVersion);
    connect(open, &QPushButton::clicked, this, &firmwareDialog::openFirmwareFile);
    connect(uploadButton, &QPushButton::clicked, this, &firmwareDialog::updateFirmware);
    connect(close, &QPushButton::clicked, this, [this] { done(1); });
}

void firmwareDialog::reject() {
    done(2);
}

std::string firmwareDialog::versionText(std::uint32_t version) {
    return "Firmware: " + std::to_string((version >> 8) & 0xFF) + "." +
           std::to_string((version >> 16) & 0xFF) + "." + std::to_string((version >> 24) & 0xFF);
}

void firmwareDialog::checkFirmwareVersion() {
    std::uint32_t version = 0;
    if (serial.isConnected()) {
        version = serial.sendRequestFirmwareVersion();
        if (version == serialConnection::noReply) {
            dialogs::messageBox("Serial retrieve failed", "Serial");
            return;
        }
    } else {
        version = hidConnection::sendRequestFirmwareVersion();
        if (version == hidConnection::noReply) {
            dialogs::messageBox("Failed connect", "Serial/HID");
            return;
        }
    }
    firmwareText->setText(QString::fromStdString(versionText(version)));
}

void firmwareDialog::openFirmwareFile() {
    dialogs::fileDialog choice;
    choice.filters = {{"Firmware Binary Files (*.bin)", "*.bin"}, {"All Files (*.*)", "*.*"}};
    choice.defaultSuffix = "bin";
    choice.mustExist = true;
    const auto path = dialogs::openFile(choice);
    if (!path)
        return;
    shortenedFilename = firmwareUpdate::shortenedFilename(*path);
    if (!std::ifstream(*path, std::ios::binary).is_open()) {
        uploadButton->setEnabled(false);
        firmwareFilenameText->clear();
        firmwareUpdate::filewareUploadFilename.clear();
        dialogs::messageBox(*path, "File not found!");
        return;
    }
    uploadButton->setEnabled(true);
    firmwareFilenameText->setText(QString::fromStdString(shortenedFilename));
    firmwareUpdate::filewareUploadFilename = *path;
}

void firmwareDialog::updateFirmware() {
    uploadButton->setEnabled(false);
    firmwareStatusText->setText(QStringLiteral("Uploading: Don't unplug joystick!"));
    // The update blocks the event loop: show the status before it starts.
    uploadButton->repaint();
    firmwareStatusText->repaint();
    if (firmwareUpdate::uploadFirmware() == firmwareUpdate::uploaded)
        firmwareStatusText->setText(QString::fromStdString("Uploaded " + shortenedFilename));
    else
        firmwareStatusText->clear();
    uploadButton->setEnabled(true);
}
