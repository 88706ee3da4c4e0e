#include "ui/toolTips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QObject>
#include <QStringList>
#include <QToolTip>
#include <QWidget>

namespace {

// Shows the control's tooltip wrapped to the maximum width instead of Qt's own layout.
class wrappedToolTip : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && control) {
            // Tips show even while the control's window is not the active one; the
            // window is known only once the control is placed in it.
            control->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
            return false;
        }
        if (event->type() != QEvent::ToolTip)
            return false;
        if (!control || control->toolTip().isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString wrapped =
            wrapToolTipText(control->toolTip(), QFontMetrics(QToolTip::font()), toolTipMaxWidth);
        QToolTip::showText(help->globalPos(), wrapped, control, control->rect(),
                           toolTipShowMilliseconds);
        return true;
    }
};

wrappedToolTip* filter() {
    static wrappedToolTip* instance = new wrappedToolTip();
    return instance;
}

} // namespace

QString wrapToolTipText(const QString& text, const QFontMetrics& metrics, int width) {
    const QStringList words = text.split(u' ');
    QStringList lines;
    QString line;
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    lines << line;
    return lines.join(u'\n');
}

void CreateToolTipForRect(QWidget* control, const QString& text) {
    control->setToolTip(text);
    control->setToolTipDuration(toolTipShowMilliseconds);
    control->installEventFilter(filter());
}
