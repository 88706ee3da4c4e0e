#pragma once

#include <QString>
#include <QStringList>

class mainWindow;

// Renders the window with each of the six tabs in front to PNG files in `directory`
// ("1-mode-a-axes.png" ... "6-mode-c-other.png"), all three modes switched on, then
// every dialog that has a preview ("dialog-1000-single-axis.png"). Returns the files
// written, empty when the folder could not be made.
QStringList saveScreenshots(mainWindow& window, const QString& directory);
