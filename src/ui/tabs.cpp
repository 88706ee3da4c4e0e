#include "ui/mainWindowLayout.h"

#include "settings/modifySetting.h"

#include <QSignalBlocker>
#include <QTabWidget>

const char* const tabs::names[tabs::pageCount] = {
    "Mode A - Axes",  "Mode A - Other", "Mode B - Axes",
    "Mode B - Other", "Mode C - Axes",  "Mode C - Other",
};

int tabs::selected() const {
    return tabControl ? tabControl->currentIndex() : 0;
}

void tabs::updateTabsPresent() {
    if (!tabControl)
        return;
    const int c = 2 * settings::modesInUse();
    const int s = tabControl->currentIndex();
    {
        // Not a tab change by the user: the shell's handling does not run for it.
        const QSignalBlocker blocker(tabControl);
        while (tabControl->count() > c)
            tabControl->removeTab(tabControl->count() - 1);
        while (tabControl->count() < c) {
            const int i = tabControl->count();
            tabControl->addTab(pageWindows[i], QString::fromLatin1(names[i]));
        }
        tabControl->setCurrentIndex(s < c ? s : c - 2 + (s % 2));
    }
    // The mode being edited follows the page in front, so a page's commands and the
    // enabling rules always work on the mode that page shows.
    const int now = tabControl->currentIndex();
    settings::activeMode = static_cast<std::uint8_t>(now / 2);
    modifySetting::onAxisTab = now % 2 == 0;
}
