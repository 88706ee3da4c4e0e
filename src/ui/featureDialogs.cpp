#include "ui/featureDialogs.h"

#include "ui/addKnobToAxisDialog.h"
#include "ui/autofireDialog.h"
#include "ui/buttonsDialogs.h"
#include "ui/cruiseControlDialog.h"
#include "ui/dialogRegistry.h"
#include "ui/ledDialog.h"
#include "ui/motorDialogs.h"
#include "ui/reorderAxesDialog.h"

#include <memory>

namespace {

template <class dialog> void registerDialog(const char* previewName) {
    dialogRegistry::add(dialog::templateId, [](QWidget* owner) {
        dialog d(owner);
        return d.exec();
    });
    dialogRegistry::addPreview(
        dialog::templateId, previewName,
        [](QWidget* owner) -> std::unique_ptr<QDialog> { return std::make_unique<dialog>(owner); });
}

} // namespace

void registerFeatureDialogs() {
    registerDialog<ledDialog>("led-settings");
    registerDialog<cruiseControlDialog>("cruise-control");
    registerDialog<disableButtonsDialog>("disable-buttons");
    registerDialog<reorderAxesDialog>("reorder-axes");
    registerDialog<autofireDialog>("autofire");
    registerDialog<toggledButtonsDialog>("toggled-buttons");
    registerDialog<motorConstantDialog>("motor-constant");
    registerDialog<motorPulseDialog>("motor-pulse");
    registerDialog<addKnobToAxisDialog>("add-knob-to-axis");
    registerDialog<modifiedButtonsDialog>("modified-buttons");
}
