#include "ui/curveDialogs.h"

#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/dialogRegistry.h"
#include "ui/handleShiftDialog.h"
#include "ui/singleAxisDialog.h"
#include "ui/singleKnobDialog.h"

#include <memory>

namespace {

template <typename dialog> int runDialog(QWidget* owner) {
    dialog d(owner);
    return d.exec();
}

// Previews show the active mode's first axis, left knob and balance point, as the
// main window's buttons would open them.
settings::mode& previewMode() {
    return settings::modes[activeModeIndex()];
}

} // namespace

void registerCurveDialogs() {
    namespace ms = modifySetting;
    dialogRegistry::add(dialogRegistry::singleAxisDialog, runDialog<singleAxisDialog>);
    dialogRegistry::add(dialogRegistry::singleKnobDialog, runDialog<singleKnobDialog>);
    dialogRegistry::add(dialogRegistry::handleShiftDialog, runDialog<handleShiftDialog>);

    dialogRegistry::addPreview(dialogRegistry::singleAxisDialog, "single-axis",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   ms::tempAxis = previewMode().axes[0];
                                   ms::whichTempAxis = 0;
                                   return std::make_unique<singleAxisDialog>(owner);
                               });
    dialogRegistry::addPreview(dialogRegistry::singleKnobDialog, "single-knob",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   ms::tempKnobRange = previewMode().knobRange[0];
                                   ms::tempKnobCenter = previewMode().knobCenter[0];
                                   ms::whichTempKnob = 0;
                                   return std::make_unique<singleKnobDialog>(owner);
                               });
    dialogRegistry::addPreview(dialogRegistry::handleShiftDialog, "handle-center",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   ms::tempShiftX = previewMode().shiftX;
                                   ms::tempShiftY = previewMode().shiftY;
                                   return std::make_unique<handleShiftDialog>(owner);
                               });
}
