#include "ui/screenshots.h"

#include "settings/settings.h"
#include "ui/dialogRegistry.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"

#include <QApplication>
#include <QDialog>
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
    // Every dialog of this build, as it looks on opening from mode A, where nothing is
    // held to another mode.
    window.layout().tab.tabControl->setCurrentIndex(0);
    QApplication::processEvents();
    for (const auto& p : dialogRegistry::previews()) {
        std::unique_ptr<QDialog> dialog = p.make(&window);
        if (!dialog)
            continue;
        dialog->show();
        QApplication::processEvents();
        const QString path = QDir(directory).filePath(
            QStringLiteral("dialog-%1-%2.png").arg(p.templateId).arg(QString::fromLatin1(p.name)));
        if (dialog->grab().save(path, "PNG"))
            written << path;
        dialog->hide();
    }
    return written;
}
