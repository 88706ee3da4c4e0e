#include "ui/screenshots.h"

#include "settings/settings.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

QStringList saveScreenshots(mainWindow& window, const QString& directory) {
    static const char* const fileNames[tabs::pageCount] = {
        "1-mode-a-axes.png",  "2-mode-a-other.png", "3-mode-b-axes.png",
        "4-mode-b-other.png", "5-mode-c-axes.png",  "6-mode-c-other.png",
    };
    QStringList written;
    if (!QDir().mkpath(directory))
        return written;
    settings::numModes = 3;
    window.layout().setAllValuesFromSettings();
    window.show();
    for (int i = 0; i < tabs::pageCount; ++i) {
        window.layout().tab.tabControl->setCurrentIndex(i);
        QApplication::processEvents();
        const QString path = QDir(directory).filePath(QString::fromLatin1(fileNames[i]));
        if (window.grab().save(path, "PNG"))
            written << path;
    }
    return written;
}
