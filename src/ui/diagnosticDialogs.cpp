#include "ui/diagnosticDialogs.h"

#include "ui/diagnosticOptionsDialog.h"
#include "ui/dialogRegistry.h"
#include "ui/firmwareDialog.h"
#include "ui/outputDisplayDialog.h"

#include <memory>

void registerDiagnosticDialogs() {
    dialogRegistry::add(dialogRegistry::outputDisplayDialog, [](QWidget* owner) {
        outputDisplayDialog dialog(owner);
        return dialog.exec();
    });
    dialogRegistry::add(dialogRegistry::diagnosticOptionsDialog, [](QWidget* owner) {
        diagnosticOptionsDialog dialog(owner);
        return dialog.exec();
    });
    dialogRegistry::add(dialogRegistry::firmwareDialog, [](QWidget* owner) {
        firmwareDialog dialog(owner);
        return dialog.exec();
    });
    // The output display without its poll: a preview has no joystick to read.
    dialogRegistry::addPreview(dialogRegistry::outputDisplayDialog, "output-display",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   return std::make_unique<outputDisplayDialog>(owner, false);
                               });
    dialogRegistry::addPreview(dialogRegistry::diagnosticOptionsDialog, "diagnostic-options",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   return std::make_unique<diagnosticOptionsDialog>(owner);
                               });
    dialogRegistry::addPreview(dialogRegistry::firmwareDialog, "firmware-settings",
                               [](QWidget* owner) -> std::unique_ptr<QDialog> {
                                   return std::make_unique<firmwareDialog>(owner);
                               });
}
