#include "ui/modeDialogs.h"

#include "platform/dialogs.h"
#include "settings/settings.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"
#include "ui/mainWindowLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <string>

namespace {

const char* const modeText[settings::modeCount] = {"Mode A", "Mode B", "Mode C"};

template <typename Control>
Control* place(Control* control, int id, int left, int top, int width, int height) {
    control->setObjectName(QString::number(id));
    control->setGeometry(dialogUnits::rect(left, top, width, height));
    applyDefaultFont(control);
    return control;
}

} // namespace

arrangeModesDialog::arrangeModesDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Arrange Modes"));
    setFixedSize(dialogUnits::x(188), dialogUnits::y(86));

    // Two rows alike: a caption, the first mode, a word, the second mode, the command.
    struct rowIds {
        int group, caption, first, word, second, command;
        const char *captionText, *wordText, *commandText;
    };
    const rowIds rows[2] = {{601, 602, 603, 604, 605, 606, "Swap", "with", "Swap"},
                            {607, 608, 609, 610, 611, 612, "Copy", "to", "Copy"}};
    QPushButton* commands[2] = {};
    for (int r = 0; r < 2; ++r) {
        const rowIds& ids = rows[r];
        const int top = 5 + 30 * r;
        place(new QGroupBox(this), ids.group, 7, top, 174, 28)->lower();
        place(new QLabel(QString::fromLatin1(ids.captionText), this), ids.caption, 11, top + 11, 20,
              10);
        QComboBox** dropDowns = r == 0 ? swapDropDowns : copyDropDowns;
        dropDowns[0] = place(new QComboBox(this), ids.first, 32, top + 9, 45, 14);
        place(new QLabel(QString::fromLatin1(ids.wordText), this), ids.word, 81, top + 11, 15, 10);
        dropDowns[1] = place(new QComboBox(this), ids.second, 97, top + 9, 45, 14);
        commands[r] = place(new QPushButton(QString::fromLatin1(ids.commandText), this),
                            ids.command, 146, top + 9, 30, 14);
        commands[r]->setAutoDefault(false);
        for (const char* name : modeText)
            dropDowns[0]->addItem(QString::fromLatin1(name));
        dropDowns[0]->setCurrentIndex(0);
        fillSecond(dropDowns[1], 0);
        dropDowns[1]->setCurrentIndex(0);
        connect(dropDowns[0], &QComboBox::activated, this, [this, r] { firstChanged(r); });
    }
    prevSwapFirst = 0;
    prevCopyFirst = 0;
    auto* close = place(new QPushButton(QStringLiteral("Close"), this), 613, 131, 67, 50, 14);
    close->setAutoDefault(false);

    connect(commands[0], &QPushButton::clicked, this, [this] { swapModes(); });
    connect(commands[1], &QPushButton::clicked, this, [this] { copyModes(); });
    connect(close, &QPushButton::clicked, this, [this] { done(1); });
}

int arrangeModesDialog::secondMode(int first, int position) {
    // The second list holds the two modes other than the first, in order.
    return position < first ? position : position + 1;
}

void arrangeModesDialog::fillSecond(QComboBox* second, int first) {
    second->clear();
    for (int m = 0; m < settings::modeCount; ++m)
        if (m != first)
            second->addItem(QString::fromLatin1(modeText[m]));
}

void arrangeModesDialog::firstChanged(int row) {
    QComboBox** dropDowns = row == 0 ? swapDropDowns : copyDropDowns;
    int& previous = row == 0 ? prevSwapFirst : prevCopyFirst;
    const int first = dropDowns[0]->currentIndex();
    const int position = std::max(0, dropDowns[1]->currentIndex());
    const int shown = secondMode(previous, position);
    fillSecond(dropDowns[1], first);
    // The same mode stays selected while it is listed; otherwise the same position.
    dropDowns[1]->setCurrentIndex(shown != first ? (shown < first ? shown : shown - 1) : position);
    previous = first;
}

void arrangeModesDialog::refreshMainWindow() {
    if (!winLayout)
        return;
    winLayout->setAllValuesFromSettings();
    winLayout->updateCruiseControlDisabled();
    winLayout->updateAxesDisabled();
}

void arrangeModesDialog::swapModes() {
    const int from = swapDropDowns[0]->currentIndex();
    const int to = secondMode(from, swapDropDowns[1]->currentIndex());
    const settings::mode held = settings::modes[to];
    settings::modes[to] = settings::modes[from];
    settings::modes[from] = held;
    refreshMainWindow();
    platform::dialogs::messageBox(std::string("Swapped ") + modeText[from] + "'s settings with " +
                                      modeText[to] + ".\n",
                                  "Swap");
}

void arrangeModesDialog::copyModes() {
    const int from = copyDropDowns[0]->currentIndex();
    const int to = secondMode(from, copyDropDowns[1]->currentIndex());
    settings::modes[to] = settings::modes[from];
    refreshMainWindow();
    platform::dialogs::messageBox(
        std::string("Copied ") + modeText[from] + "'s settings to " + modeText[to] + ".\n", "Copy");
}

void arrangeModesDialog::reject() {
    done(2);
}
