#pragma once

#include <QString>
#include <string>

// The main window's title from the current settings file and the connection state:
// "Marlovan Settings [name.jxc] - Connected (ttyACM0)".
QString composeWindowTitle(const std::string& currentFile, int activeState, int currentConnection,
                           const std::string& serialPortName);
// The same from the program's own state.
QString composeWindowTitle();
