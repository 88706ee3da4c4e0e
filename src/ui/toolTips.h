#pragma once

#include <QString>

class QFontMetrics;
class QWidget;

// Attaches `text` as the control's tooltip. It is shown after a second for up to
// 30 seconds, wrapped into lines of at most 300 pixels; toolTip() keeps the text as given.
void CreateToolTipForRect(QWidget* control, const QString& text);

// `text` broken at spaces into lines no wider than `width` pixels (a single word wider
// than that keeps a line of its own).
QString wrapToolTipText(const QString& text, const QFontMetrics& metrics, int width);

inline constexpr int toolTipMaxWidth = 300;
inline constexpr int toolTipShowMilliseconds = 30000;
inline constexpr int toolTipDelayMilliseconds = 1000;
