#include "ui/ledDialog.h"

#include <QComboBox>

ledDialog::ledDialog(QWidget* owner)
    : featureDialogBase(owner, templateId, QStringLiteral("LED Settings"), 128, 67) {
    addLabel(401, QStringLiteral("Brightness:"), 10, 10, 48);
    addLabel(402, QStringLiteral("Mode Output:"), 10, 28, 48);
    brightness = addDropDown(403, {QStringLiteral("Low"), QStringLiteral("High")}, 60, 8, 58);
    modeOutput = addDropDown(404,
                             {QStringLiteral("Off"), QStringLiteral("Left-to-Right"),
                              QStringLiteral("Symmetrical"), QStringLiteral("Sym. with Cruise")},
                             60, 26, 58);
    addSetClose(405, 39, 47, 50);

    brightness->setCurrentIndex(settings::ledHighBrightness ? 1 : 0);
    showIndex(modeOutput, settings::LEDoutput);
    applyTemplateFont();
}

void ledDialog::store() {
    storeIndex(brightness, settings::ledHighBrightness);
    storeIndex(modeOutput, settings::LEDoutput);
}
