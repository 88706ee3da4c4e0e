#include "ui/singleKnobDialog.h"

#include "curves/curveGraphs.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/pixelBmpView.h"
#include "ui/settingsLineEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cstdint>

namespace {

namespace ms = modifySetting;

struct pairPlace {
    const char* name;
    const char* caption;
    int y;
    std::uint16_t minimum, maximum;
    int group;
};

const pairPlace places[singleKnobDialog::pairCount] = {
    {"minimumValueSlider", "Minimum Position", 81, 0, 4092, ms::knobMinimumGroup},
    {"maximumValueSlider", "Maximum Position", 151, 3, 4095, ms::knobMaximumGroup},
    {"centerValueSlider", "Center Position", 221, 1, 4093, ms::knobCenterGroup},
    {"endDeadzoneValueSlider", "Center Deadzone End Position", 291, 2, 4094,
     ms::knobDeadzoneEndGroup},
};

// The minimum slider's range; its tick spacing is used for all four.
constexpr int minimumSliderRange = 4092;

std::uint16_t* positionReference(int i) {
    switch (i) {
    case singleKnobDialog::minimumPosition:
        return &ms::tempKnobRange.minimum;
    case singleKnobDialog::maximumPosition:
        return &ms::tempKnobRange.maximum;
    case singleKnobDialog::centerPosition:
        return &ms::tempKnobCenter.center;
    default:
        return &ms::tempKnobCenter.deadzoneEnd;
    }
}

int editedKnob() {
    return std::min<int>(ms::whichTempKnob, settings::knobCount - 1);
}

} // namespace

pixelBmp& singleKnobDialog::graphBitmap() {
    static pixelBmp bmp = [] {
        pixelBmp made;
        curveGraphs::setUpKnobGraph(made);
        return made;
    }();
    return bmp;
}

singleKnobDialog::singleKnobDialog(QWidget* owner)
    : detailDialog(owner, 500, 212, QStringLiteral("Knob Settings")) {
    knobGraph = new pixelBmpView(this, graphBitmap());
    knobGraph->setObjectName(QStringLiteral("knobGraph"));

    checkBoxGroup.create(this, QString(), 18, 7, 276, 44);
    checkBoxGroup.window->setObjectName(QStringLiteral("checkBoxGroup"));
    createFlagBox(invertedCheckbox, QStringLiteral("Inverted"), 40, 25, 75,
                  &ms::tempKnobRange.inverted);
    invertedCheckbox.window->setObjectName(QStringLiteral("invertedCheckbox"));
    invertedCheckbox.window->setEnabled(!lockedByGroup(ms::knobInvertedGroup));
    createFlagBox(useCenterDeadzoneCheckbox, QStringLiteral("Use Center Deadzone"), 128, 25, 140,
                  &ms::tempKnobRange.useCenterDeadzone);
    useCenterDeadzoneCheckbox.window->setObjectName(QStringLiteral("useCenterDeadzoneCheckbox"));
    useCenterDeadzoneCheckbox.window->setEnabled(!lockedByGroup(ms::knobUseDeadzoneGroup));

    for (int i = 0; i < pairCount; ++i) {
        const pairPlace& place = places[i];
        settingsUint16SliderEditPair& pair = pairs[i];
        const QString name = QString::fromLatin1(place.name);
        pair.create(this, QString::fromLatin1(place.caption), 48, place.y, 200, 400, true, true, 0,
                    0);
        pair.setBuddyText(this, QStringLiteral("0"), 16, QStringLiteral("4095"), 30);
        pair.reference = positionReference(i);
        pair.minimum = place.minimum;
        pair.maximum = place.maximum;
        // A slider position is the value itself.
        if (i == minimumPosition) {
            pair.sliderPart.changeMinMax(minimumSliderRange);
        } else {
            pair.sliderWindow->setRange(place.minimum, place.maximum);
            pair.sliderWindow->setTickInterval(minimumSliderRange / 20);
        }
        pair.setBothFromReference();
        pair.sliderWindow->setObjectName(name);
        pair.editWindow->setObjectName(name + QStringLiteral("Edit"));
        pair.group.window->setObjectName(name + QStringLiteral("Group"));
        if (i != deadzoneEndPosition && lockedByGroup(place.group))
            pair.disable();

        connect(pair.sliderWindow, &QSlider::valueChanged, this, [this, i] { sliderMoved(i); });
        connect(pair.editWindow, &settingsLineEdit::focusLost, this, [this, i] { editDone(i); });
    }
    updateDeadzoneEndEnabled();

    setWindowTitle(editedKnob() == 0 ? QStringLiteral("Left Knob Settings")
                                     : QStringLiteral("Right Knob Settings"));

    setClose.create(this, QStringLiteral("Set/Close"), 142, 349, 177, true, 0);
    setClose.window->setObjectName(QStringLiteral("setClose"));

    connect(invertedCheckbox.window, &QCheckBox::clicked, this, [this] {
        invertedCheckbox.updateValue();
        redraw();
    });
    connect(useCenterDeadzoneCheckbox.window, &QCheckBox::clicked, this, [this] {
        useCenterDeadzoneCheckbox.updateValue();
        updateDeadzoneEndEnabled();
        redraw();
    });
    connect(setClose.window, &QPushButton::clicked, this, [this] { store(); });

    redraw();
}

void singleKnobDialog::redraw() {
    curveGraphs::singleKnobDialogUpdateGraph(*knobGraph, graphBitmap());
}

void singleKnobDialog::sliderMoved(int i) {
    settingsUint16SliderEditPair& pair = pairs[i];
    *pair.reference = static_cast<std::uint16_t>(pair.sliderWindow->value());
    pair.setEditFromReference();
    applyOrdering(i);
    redraw();
}

void singleKnobDialog::editDone(int i) {
    settingsUint16SliderEditPair& pair = pairs[i];
    pair.validate();
    {
        const QSignalBlocker blocker(pair.sliderWindow);
        pair.sliderWindow->setValue(*pair.reference);
    }
    sliderMoved(i);
}

void singleKnobDialog::applyOrdering(int moved) {
    std::uint16_t& minimum = ms::tempKnobRange.minimum;
    std::uint16_t& maximum = ms::tempKnobRange.maximum;
    std::uint16_t& center = ms::tempKnobCenter.center;
    std::uint16_t& deadzoneEnd = ms::tempKnobCenter.deadzoneEnd;
    // Every value the rule sets lies inside its own pair's range, because the moved
    // value lies inside its own.
    auto setTo = [this](int which, int value) {
        *positionReference(which) = static_cast<std::uint16_t>(value);
        pairs[which].setBothFromReference();
    };
    switch (moved) {
    case minimumPosition: {
        const int m = minimum;
        if (center <= m)
            setTo(centerPosition, m + 1);
        if (deadzoneEnd <= m + 1)
            setTo(deadzoneEndPosition, m + 2);
        if (maximum <= m + 2)
            setTo(maximumPosition, m + 3);
        break;
    }
    case deadzoneEndPosition: {
        const int d = deadzoneEnd;
        if (minimum >= d - 1)
            setTo(minimumPosition, d - 2);
        if (center >= d)
            setTo(centerPosition, d - 1);
        if (maximum <= d)
            setTo(maximumPosition, d + 1);
        break;
    }
    case maximumPosition: {
        const int big = maximum;
        if (minimum >= big - 2)
            setTo(minimumPosition, big - 3);
        if (center >= big - 1)
            setTo(centerPosition, big - 2);
        if (deadzoneEnd >= big)
            setTo(deadzoneEndPosition, big - 1);
        break;
    }
    case centerPosition: {
        const int c = center;
        if (minimum >= c)
            setTo(minimumPosition, c - 1);
        if (deadzoneEnd <= c)
            setTo(deadzoneEndPosition, c + 1);
        if (maximum <= c + 1)
            setTo(maximumPosition, c + 2);
        break;
    }
    default:
        break;
    }
}

void singleKnobDialog::updateDeadzoneEndEnabled() {
    settingsUint16SliderEditPair& pair = pairs[deadzoneEndPosition];
    const bool enabled =
        !lockedByGroup(ms::knobDeadzoneEndGroup) && ms::tempKnobRange.useCenterDeadzone;
    pair.sliderWindow->setEnabled(enabled);
    pair.editWindow->setEnabled(enabled);
}

void singleKnobDialog::store() {
    const int k = editedKnob();
    settings::mode& active = settings::modes[activeModeIndex()];
    active.knobRange[k].inverted = ms::tempKnobRange.inverted;
    active.knobRange[k].useCenterDeadzone = ms::tempKnobRange.useCenterDeadzone;
    active.knobRange[k].minimum = ms::tempKnobRange.minimum;
    active.knobRange[k].maximum = ms::tempKnobRange.maximum;
    active.knobCenter[k].center = ms::tempKnobCenter.center;
    active.knobCenter[k].deadzoneEnd = ms::tempKnobCenter.deadzoneEnd;
    for (int g = ms::knobInvertedGroup; g <= ms::knobDeadzoneEndGroup; ++g)
        modeConstantCopy(g);
    finish(1);
}
