#include "ui/joystickButtonsCheckBoxSelector.h"

#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/joystickButtonLabels.h"
#include "ui/uniqueID.h"

#include <QCheckBox>
#include <QGroupBox>
#include <cmath>
#include <numbers>

namespace {

// A group's title box: a click checks it, or clears it when it was checked; the
// partial state is only ever set from the members.
class groupCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

struct groupLayout {
    const char* caption;
    int x, y, width, height;
};

// In the order of joystickButtonsCheckBoxSelector::group.
constexpr groupLayout groupLayouts[4] = {
    {" Index Levers (Pulled)", 30, 166, 148, 95},
    {" Left Hat", 187, 10, 120, 110},
    {" Right Hat", 324, 10, 120, 110},
    {" Center Hat", 243, 132, 145, 147},
};

QCheckBox* makeBox(QWidget* parent, int id, const QString& caption, int x, int y, int width) {
    auto* box = new QCheckBox(caption, parent);
    setControlId(box, id);
    applyDefaultFont(box);
    box->setGeometry(x, y, widthForCaption(box, width), 15);
    return box;
}

} // namespace

int joystickButtonsCheckBoxSelector::groupFirst(int g) {
    static constexpr int first[groupCount] = {7, 22, 27, 13};
    return first[g];
}

int joystickButtonsCheckBoxSelector::groupLast(int g) {
    static constexpr int last[groupCount] = {12, 26, 31, 21};
    return last[g];
}

void joystickButtonsCheckBoxSelector::create(QWidget* parent, int x, int y) {
    for (int i = 0; i < 32; ++i) {
        buttonIds[i] = uniqueID::getNew();
        int bx = 0;
        int by = 0;
        int width = 31;
        QString caption = QString::number(i + 1);
        if (i < 7) {
            bx = x + 18;
            by = y + 11 + 19 * i;
            width = 155;
            caption = QString::fromLatin1(joystickButtonLabels[i]);
        } else if (i < 13) {
            const int row = (i - 7) % 3;
            bx = x + (i < 10 ? 127 : 53);
            by = y + 195 + 19 * row;
        } else if (i < 21) {
            const double a = (i - 13) * std::numbers::pi / 4.0;
            bx = x + 302 + static_cast<int>(std::lround(45.0 * std::sin(a)));
            by = y + 207 - static_cast<int>(std::lround(45.0 * std::cos(a)));
        } else if (i == 21) {
            bx = x + 302;
            by = y + 207;
        } else {
            static constexpr int dx[5] = {0, 34, 0, -34, 0};
            static constexpr int dy[5] = {-26, 0, 26, 0, 0};
            const int k = (i - 22) % 5;
            bx = (i < 27 ? x + 235 : x + 372) + dx[k];
            by = y + 65 + dy[k];
        }
        buttons[i] = makeBox(parent, buttonIds[i], caption, bx, by, width);
    }
    for (int g = 0; g < groupCount; ++g) {
        const groupLayout& l = groupLayouts[g];
        groupBoxes[g] = new QGroupBox(parent);
        applyDefaultFont(groupBoxes[g]);
        groupBoxes[g]->setGeometry(x + l.x, y + l.y, l.width, l.height);
        groupBoxes[g]->lower();
        groupIds[g] = uniqueID::getNew();
        auto* title = new groupCheckBox(QString::fromLatin1(l.caption), parent);
        title->setTristate(true);
        setControlId(title, groupIds[g]);
        applyDefaultFont(title);
        title->setGeometry(x + l.x + 8, y + l.y - 1, title->sizeHint().width(), 15);
        title->setAutoFillBackground(true);
        groupChecks[g] = title;
    }
    for (int i = 0; i < 32; ++i) {
        const int id = buttonIds[i];
        QObject::connect(buttons[i], &QCheckBox::clicked, buttons[i],
                         [this, id] { updateFromClick(id); });
    }
    for (int g = 0; g < groupCount; ++g) {
        const int id = groupIds[g];
        QObject::connect(groupChecks[g], &QCheckBox::clicked, groupChecks[g],
                         [this, id] { updateFromClick(id); });
    }
}

void joystickButtonsCheckBoxSelector::setFromButtonValue(std::uint32_t mask) {
    for (int i = 0; i < 32; ++i)
        buttons[i]->setChecked((mask >> i) & 1u);
    for (int g = 0; g < groupCount; ++g)
        updateGroup(g);
}

std::uint32_t joystickButtonsCheckBoxSelector::buttonValue() const {
    std::uint32_t mask = 0;
    for (int i = 0; i < 32; ++i)
        if (buttons[i]->isChecked())
            mask |= 1u << i;
    return mask;
}

void joystickButtonsCheckBoxSelector::updateGroup(int g) {
    check3Box box{groupChecks[g]};
    box.setFromCheckBoxArray(&buttons[groupFirst(g)], groupLast(g) - groupFirst(g) + 1);
}

bool joystickButtonsCheckBoxSelector::updateFromClick(int controlId) {
    for (int g = 0; g < groupCount; ++g) {
        if (controlId != groupIds[g])
            continue;
        // The box has already moved on: checked now means it was not before.
        const bool check = groupChecks[g]->checkState() == Qt::Checked;
        for (int i = groupFirst(g); i <= groupLast(g); ++i)
            buttons[i]->setChecked(check);
        groupChecks[g]->setCheckState(check ? Qt::Checked : Qt::Unchecked);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (controlId != buttonIds[i])
            continue;
        for (int g = 0; g < groupCount; ++g)
            if (i >= groupFirst(g) && i <= groupLast(g)) {
                updateGroup(g);
                return true;
            }
        return false;
    }
    return false;
}

void joystickButtonsCheckBoxSelector::checkUncheckAll() {
    bool all = true;
    for (auto* box : buttons)
        all = all && box->isChecked();
    for (auto* box : buttons)
        box->setChecked(!all);
    for (auto* box : groupChecks)
        box->setCheckState(all ? Qt::Unchecked : Qt::Checked);
}
