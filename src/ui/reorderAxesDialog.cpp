#include "ui/reorderAxesDialog.h"

#include "settings/modifySetting.h"

#include <QComboBox>

reorderAxesDialog::reorderAxesDialog(QWidget* owner)
    : featureDialogBase(owner, templateId, QStringLiteral("Reorder Axes"), 160, 162) {
    static const char* const labels[rows] = {
        "Output X axis value to",     "Output Y axis value to",    "Output Z axis value to",
        "Output pitch axis value to", "Output roll axis value to", "Output yaw axis value to",
        "Output left knob value to",  "Output right knob value to"};
    const QStringList entries = {QStringLiteral("X (1)"),         QStringLiteral("Y (2)"),
                                 QStringLiteral("Z (3)"),         QStringLiteral("Pitch (4)"),
                                 QStringLiteral("Roll (5)"),      QStringLiteral("Yaw (6)"),
                                 QStringLiteral("Left Knob (7)"), QStringLiteral("Right Knob (8)")};
    const settings::reorderAxesSettings& reorder = editedMode().reorderAxes;
    for (int i = 0; i < rows; ++i) {
        const int y = 10 + 16 * i;
        addLabel(901 + 2 * i, QString::fromLatin1(labels[i]), 10, y + 2, 92);
        outputs[i] = addDropDown(902 + 2 * i, entries, 102, y, 50);
        showIndex(outputs[i], reorder.order[i]);
        connect(outputs[i], &QComboBox::activated, this, [this, i] { keepPermutation(i); });
    }
    addButton(917, QStringLiteral("Reset"), 20, 142, 50, [this] { resetOrder(); });
    addSetClose(918, 90, 142, 50);
    applyTemplateFont();
}

void reorderAxesDialog::keepPermutation(int d) {
    int v[rows];
    for (int i = 0; i < rows; ++i)
        v[i] = outputs[i]->currentIndex();
    if (v[d] < 0)
        return;
    for (int k = 1; k < rows; ++k) {
        const int o = (d + k) % rows;
        if (v[o] != v[d])
            continue;
        // The first value after the new choice that no other row holds; seven rows hold
        // at most seven values, so one of the eight is always free.
        for (int step = 1; step <= rows; ++step) {
            const int w = (v[d] + step) % rows;
            bool held = false;
            for (int j = 0; j < rows; ++j)
                held = held || (j != o && v[j] == w);
            if (!held) {
                v[o] = w;
                outputs[o]->setCurrentIndex(w);
                break;
            }
        }
    }
}

void reorderAxesDialog::resetOrder() {
    for (int i = 0; i < rows; ++i)
        outputs[i]->setCurrentIndex(i);
}

void reorderAxesDialog::store() {
    settings::reorderAxesSettings& reorder = editedMode().reorderAxes;
    for (int i = 0; i < rows; ++i)
        storeIndex(outputs[i], reorder.order[i]);
}

int reorderAxesDialog::group() const {
    return modifySetting::reorderedAxesGroup;
}
