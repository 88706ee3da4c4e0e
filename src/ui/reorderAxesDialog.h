#pragma once

#include "ui/dialogRegistry.h"
#include "ui/featureDialogBase.h"

// "Reorder Axes" of the active mode: the output position of each of the six axes and two
// knobs. A choice swaps with the row that held it, so the order stays a permutation.
class reorderAxesDialog : public featureDialogBase {
public:
    static constexpr int templateId = dialogRegistry::reorderAxesDialog;
    static constexpr int rows = 8;

    explicit reorderAxesDialog(QWidget* owner);

    // Row `changed` took a new entry: the row that held it takes the one given up.
    void keepPermutation(int changed);
    // The identity order, shown only.
    void resetOrder();

    QComboBox* outputs[rows] = {};

protected:
    void store() override;
    int group() const override;
};
