#include "ui/handleShiftDialog.h"

#include "platform/dialogs.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/dialogUnits.h"
#include "ui/handlePicture.h"
#include "ui/settingsLineEdit.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

namespace {

namespace ms = modifySetting;

constexpr int undoChangesId = 1801;
constexpr int setCloseId = 1802;
constexpr QPoint pictureCorner{20, 0};

// A push button of the template, placed in dialog units.
void templateButton(button& b, QWidget* parent, const QString& caption, int id, QRect units) {
    const QRect r = dialogUnits::rect(units.x(), units.y(), units.width(), units.height());
    b.create(parent, caption, r.x(), r.y(), r.width(), false, id);
    b.window->setGeometry(b.window->x(), r.y(), b.window->width(), r.height());
}

} // namespace

handleShiftDialog::handleShiftDialog(QWidget* owner)
    : detailDialog(owner, 320, 240, QStringLiteral("Handle Center Balance Settings")) {
    templateButton(undoChanges, this, QStringLiteral("Undo Changes"), undoChangesId,
                   QRect(184, 215, 65, 14));
    templateButton(setClose, this, QStringLiteral("Set/Close"), setCloseId,
                   QRect(50, 215, 120, 14));

    hBMP = handlePicture();
    if (hBMP.isNull())
        platform::dialogs::messageBox("Load bitmap failed", "Bitmap");

    setUpPair(YPitchSlider, QStringLiteral("Y/Pitch"), 142, &ms::tempShiftY);
    YPitchSlider.sliderWindow->setObjectName(QStringLiteral("YPitchSlider"));
    YPitchSlider.editWindow->setObjectName(QStringLiteral("YPitchSliderEdit"));
    setUpPair(XRollSlider, QStringLiteral("X/Roll"), 351, &ms::tempShiftX);
    XRollSlider.sliderWindow->setObjectName(QStringLiteral("XRollSlider"));
    XRollSlider.editWindow->setObjectName(QStringLiteral("XRollSliderEdit"));

    YPitchText.create(this, QStringLiteral("Y/Pitch"), 102, 183, 40);
    YPitchText.window->setObjectName(QStringLiteral("YPitchText"));
    XRollText.create(this, QStringLiteral("X/Roll"), 315, 183, 40);
    XRollText.window->setObjectName(QStringLiteral("XRollText"));

    connect(undoChanges.window, &QPushButton::clicked, this, [this] { undo(); });
    connect(setClose.window, &QPushButton::clicked, this, [this] { store(); });
}

void handleShiftDialog::setUpPair(settingsFloatSliderEditPair& pair, const QString& caption, int x,
                                  analogSetting* reference) {
    pair.create(this, caption, x, 100, 200, 300, false, true, true, 0, 0);
    // The top end is +1.5.
    pair.reversed = true;
    pair.setBuddyText(this, QStringLiteral("1.5"), 22, QStringLiteral("-1.5"), 30);
    pair.reference = reference;
    pair.minimum = -1.5f;
    pair.maximum = 1.5f;
    pair.logarithmic = false;
    pair.sliderPart.changeMinMax(sliderSteps);
    showPair(pair);
    connect(pair.sliderWindow, &QSlider::valueChanged, this, [&pair] {
        pair.setReferenceFromSlider();
        pair.setEditFromReference();
    });
    connect(pair.editWindow, &settingsLineEdit::focusLost, this, [&pair] { pairEditDone(pair); });
}

void handleShiftDialog::paintEvent(QPaintEvent*) {
    if (hBMP.isNull())
        return;
    // White in the picture leaves the dialog's background, as an AND of the two would.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(pictureCorner, hBMP);
}

void handleShiftDialog::undo() {
    const settings::mode& active = settings::modes[activeModeIndex()];
    ms::tempShiftX = active.shiftX;
    ms::tempShiftY = active.shiftY;
    showPair(XRollSlider);
    showPair(YPitchSlider);
}

void handleShiftDialog::store() {
    settings::mode& active = settings::modes[activeModeIndex()];
    active.shiftX = ms::tempShiftX;
    active.shiftY = ms::tempShiftY;
    modeConstantCopy(ms::handleCenterGroup);
    finish(1);
}
