#pragma once

#include <QFont>

class QWidget;

// The user-interface font: the application's font with its pixel size held to at most
// 12. Made when the main window is created, deleted when it is destroyed.
extern QFont* defaultFont;

void createDefaultFont();
void deleteDefaultFont();
// The font every control is given (the application font while none is made).
void applyDefaultFont(QWidget* control);
