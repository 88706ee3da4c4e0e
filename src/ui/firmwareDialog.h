#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

// "Firmware Settings": the joystick's firmware version, the choice of a firmware
// binary file and the update that writes it into the joystick.
class firmwareDialog : public QDialog {
public:
    static constexpr int templateId = 2000;
    static constexpr int firmwareTextId = 2001;
    static constexpr int checkVersionId = 2002;
    static constexpr int filenameTextId = 2003;
    static constexpr int openFileId = 2004;
    static constexpr int uploadId = 2005;
    static constexpr int statusTextId = 2006;
    static constexpr int closeId = 2007;

    explicit firmwareDialog(QWidget* owner);

    void reject() override;

    void checkFirmwareVersion();
    void openFirmwareFile();
    void updateFirmware();

    // "Firmware: 1.2.3" for a version word whose bytes from the lowest are 0, 1, 2, 3.
    static std::string versionText(std::uint32_t version);

private:
    QLabel* firmwareText = nullptr;
    QLabel* firmwareFilenameText = nullptr;
    QLabel* firmwareStatusText = nullptr;
    QPushButton* uploadButton = nullptr;
    std::string shortenedFilename;
};
