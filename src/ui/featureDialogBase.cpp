#include "ui/featureDialogBase.h"

#include "settings/modifySetting.h"
#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"
#include "ui/joystickButtonLabels.h"
#include "ui/mainWindowLayout.h"
#include "ui/settingsEdit.h"
#include "ui/settingsLineEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <map>

namespace du = dialogUnits;

featureDialogBase::featureDialogBase(QWidget* owner, int templateId, const QString& caption,
                                     int widthUnits, int heightUnits)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      dialogTemplate(templateId) {
    setObjectName(QString::number(templateId));
    setWindowTitle(caption);
    setFixedSize(du::x(widthUnits), du::y(heightUnits));
}

settings::mode& featureDialogBase::editedMode() {
    return settings::modes[editedModeIndex()];
}

int featureDialogBase::editedModeIndex() {
    return std::min<int>(settings::activeMode, settings::modeCount - 1);
}

void featureDialogBase::showIndex(QComboBox* dropDown, int value) {
    dropDown->setCurrentIndex(value >= 0 && value < dropDown->count() ? value : -1);
}

void featureDialogBase::storeIndex(const QComboBox* dropDown, std::uint8_t& value) {
    if (dropDown->currentIndex() >= 0)
        value = static_cast<std::uint8_t>(dropDown->currentIndex());
}

void featureDialogBase::storeIndex(const QComboBox* dropDown, bool& value) {
    if (dropDown->currentIndex() >= 0)
        value = dropDown->currentIndex() != 0;
}

QLabel* featureDialogBase::addLabel(int id, const QString& text, int x, int y, int width,
                                    int height) {
    auto* label = new QLabel(text, this);
    setControlId(label, id);
    label->setGeometry(du::rect(x, y, width, height));
    return label;
}

QComboBox* featureDialogBase::addDropDown(int id, const QStringList& entries, int x, int y,
                                          int width) {
    auto* dropDown = new QComboBox(this);
    setControlId(dropDown, id);
    dropDown->addItems(entries);
    dropDown->setMaxVisibleItems(std::min<int>(static_cast<int>(entries.size()), 16));
    // The list may be wider than the box, so long button names are read whole.
    dropDown->view()->setMinimumWidth(dropDown->view()->sizeHintForColumn(0) + 24);
    const QRect place = du::rect(x, y, width, 12);
    dropDown->setGeometry(place.x(), place.y(), place.width(),
                          std::max(place.height(), dropDown->sizeHint().height()));
    return dropDown;
}

QComboBox* featureDialogBase::addButtonDropDown(int id, int x, int y, int width) {
    QStringList names;
    for (const char* name : joystickButtonLabels)
        names << QString::fromLatin1(name);
    return addDropDown(id, names, x, y, width);
}

QCheckBox* featureDialogBase::addCheckBox(int id, const QString& caption, int x, int y, int width,
                                          int height) {
    auto* box = new QCheckBox(caption, this);
    setControlId(box, id);
    box->setGeometry(du::rect(x, y, width, height));
    return box;
}

QGroupBox* featureDialogBase::addGroup(int id, const QString& caption, int x, int y, int width,
                                       int height) {
    auto* group = new QGroupBox(caption, this);
    setControlId(group, id);
    group->setGeometry(du::rect(x, y, width, height));
    // Drawn behind the controls inside it, which are its siblings.
    group->lower();
    return group;
}

QPushButton* featureDialogBase::addButton(int id, const QString& caption, int x, int y, int width,
                                          std::function<void()> clicked) {
    auto* b = templateButton(this, caption, id, du::rect(x, y, width, 14));
    connect(b, &QPushButton::clicked, this, std::move(clicked));
    return b;
}

QPushButton* featureDialogBase::addSetClose(int id, int x, int y, int width) {
    return addButton(id, QStringLiteral("Set/Close"), x, y, width, [this] { setClose(); });
}

void featureDialogBase::addAxisBoxes(int firstId, int x, int y, QCheckBox* (&boxes)[6]) {
    static const char* const names[6] = {"X", "Y", "Z", "Pitch", "Roll", "Yaw"};
    for (int a = 0; a < 6; ++a)
        boxes[a] = addCheckBox(firstId + a, QString::fromLatin1(names[a]), x + 32 * (a % 3),
                               y + 12 * (a / 3), 30);
}

void featureDialogBase::showAxisBits(QCheckBox* const (&boxes)[6], std::uint8_t bits) {
    for (int a = 0; a < 6; ++a)
        boxes[a]->setChecked((bits >> a) & 1u);
}

std::uint8_t featureDialogBase::axisBits(const QCheckBox* const (&boxes)[6]) {
    std::uint8_t bits = 0;
    for (int a = 0; a < 6; ++a)
        if (boxes[a]->isChecked())
            bits = static_cast<std::uint8_t>(bits | (1u << a));
    return bits;
}

void featureDialogBase::addEdit(settingsEdit& edit) {
    edits.push_back(&edit);
    settingsEdit* e = &edit;
    // After the dialog has ended, the box losing the focus as it goes stores nothing.
    connect(edit.window, &settingsLineEdit::focusLost, this, [this, e] {
        if (!ended)
            e->validate();
    });
}

void featureDialogBase::applyTemplateFont() {
    for (int id = dialogTemplate + 1;; ++id) {
        auto* control = findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
        if (!control)
            break;
        applyDefaultFont(control);
    }
    fitCaptions();
}

void featureDialogBase::fitCaptions() {
    const auto children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    std::vector<QLabel*> labels;
    for (QWidget* w : children) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            labels.push_back(label);
            label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        } else if (auto* dropDown = qobject_cast<QComboBox*>(w)) {
            dropDown->resize(std::max(dropDown->width(), dropDown->sizeHint().width()),
                             dropDown->height());
        }
    }
    // A caption that grew past the left edge moves everything right.
    int left = 4;
    for (QWidget* w : children)
        left = std::min(left, w->x());
    for (QWidget* w : children)
        w->move(w->x() + 4 - left, w->y());
    // A control beside a caption moves right until the caption's text ends before it; a
    // column of controls (the same left edge) moves as one.
    std::map<int, int> columnShift;
    for (QWidget* w : children) {
        if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w))
            continue;
        for (QLabel* label : labels) {
            const bool sameRow =
                label->y() < w->geometry().bottom() && w->y() < label->geometry().bottom();
            if (!sameRow || label->x() >= w->x())
                continue;
            const int needed = label->x() + label->sizeHint().width() + 6 - w->x();
            columnShift[w->x()] = std::max(columnShift[w->x()], needed);
        }
    }
    for (QWidget* w : children)
        if (const auto it = columnShift.find(w->x()); it != columnShift.end() && it->second > 0 &&
                                                      !qobject_cast<QLabel*>(w) &&
                                                      !qobject_cast<QGroupBox*>(w))
            w->move(w->x() + it->second, w->y());
    QSize needed = size();
    for (QWidget* w : children)
        needed = needed.expandedTo(QSize(w->geometry().right() + 8, w->geometry().bottom() + 8));
    setFixedSize(needed);
}

void featureDialogBase::setClose() {
    if (ended)
        return;
    // A value being typed is checked before it is stored.
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    for (settingsEdit* e : edits)
        e->validate();
    store();
    if (const int g = group(); g >= 0) {
        if (winLayout)
            winLayout->updateSettingFromModeConstants(true, g);
        else
            modifySetting::updateSettingFromModeConstants(true, g);
    }
    refreshOwner();
    done(1);
}

void featureDialogBase::done(int result) {
    if (ended)
        return;
    ended = true;
    QDialog::done(result);
}

void featureDialogBase::closeEvent(QCloseEvent* event) {
    done(2);
    event->accept();
}
