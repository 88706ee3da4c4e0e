#include "ui/windowTitle.h"

#include "device/sendReceive.h"
#include "device/serialConnection.h"
#include "files/file.h"

QString composeWindowTitle(const std::string& currentFile, int activeState, int currentConnection,
                           const std::string& serialPortName) {
    QString title = QStringLiteral("Marlovan Settings");
    if (!currentFile.empty()) {
        std::string name = currentFile;
        if (const auto slash = name.find_last_of('/'); slash != std::string::npos)
            name = name.substr(slash + 1);
        if (const auto backslash = name.find_last_of('\\'); backslash != std::string::npos)
            name = name.substr(backslash + 1);
        title += QStringLiteral(" [") + QString::fromStdString(name) + u']';
    }
    if (activeState == 0) {
        if (currentConnection == sendReceive::connectionBootMonitor)
            title += QStringLiteral(" - Connected: Bootloader Mode (Reset or check firmware)");
        else
            title += QStringLiteral(" - Not Connected");
    } else if (activeState == 1) {
        if (currentConnection == sendReceive::connectionSerial)
            title +=
                QStringLiteral(" - Connected (") + QString::fromStdString(serialPortName) + u')';
        else
            title += QStringLiteral(" - Connected (HID)");
    }
    return title;
}

QString composeWindowTitle() {
    return composeWindowTitle(file::active, sendReceive::activeState,
                              sendReceive::currentConnection, serial.portName);
}
