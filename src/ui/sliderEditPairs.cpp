#include "ui/sliderEditPairs.h"

#include "ui/defaultFont.h"
#include "ui/numberFormat.h"
#include "ui/settingsEdit.h"
#include "ui/settingsLineEdit.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QSlider>
#include <algorithm>
#include <cmath>

namespace {

QSlider* makeSlider(QWidget* parent, int id, int x, int y, int length, bool vertical) {
    auto* s = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    setControlId(s, id);
    applyDefaultFont(s);
    if (vertical) {
        s->setGeometry(x, y, 30, length);
        // The low end is at the top, as on the original trackbar.
        s->setInvertedAppearance(true);
        s->setInvertedControls(true);
    } else {
        s->setGeometry(x, y, length, 30);
    }
    s->setRange(0, sliderSteps);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(50);
    s->setValue(500);
    return s;
}

settingsLineEdit* makeEdit(QWidget* parent, int id, int x, int y, const QString& text) {
    auto* e = new settingsLineEdit(parent);
    setControlId(e, id);
    applyDefaultFont(e);
    e->setGeometry(x, y, 38, 21);
    e->setText(text);
    return e;
}

void setEditText(settingsLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
    edit->setCursorPosition(0);
}

void makeBuddies(QWidget* parent, QSlider* s, textLabel& low, const QString& lowText, int lowWidth,
                 textLabel& high, const QString& highText, int highWidth) {
    const QRect r = s->geometry();
    if (s->orientation() == Qt::Horizontal) {
        low.create(parent, lowText, r.left() - lowWidth, r.top() + 7, lowWidth);
        high.create(parent, highText, r.right() + 1, r.top() + 7, highWidth);
    } else {
        low.create(parent, lowText, r.left() + 2, r.top() - 16, lowWidth);
        high.create(parent, highText, r.left() + 2, r.bottom() + 1, highWidth);
    }
}

} // namespace

void settingsFloatSliderEditPair::create(QWidget* parent, const QString& caption, int x, int y,
                                         int length, int groupWidth, bool makeGroupBox,
                                         bool isVertical, bool allocateIds, int givenSliderId,
                                         int givenEditId, const QString& tooltip) {
    if (allocateIds) {
        sliderId = uniqueID::getNew();
        editId = uniqueID::getNew();
    } else {
        sliderId = givenSliderId;
        editId = givenEditId;
    }
    vertical = isVertical;
    sliderWindow = makeSlider(parent, sliderId, x, y, length, vertical);
    sliderPart.window = sliderWindow;
    if (vertical)
        editWindow = makeEdit(parent, editId, x - 38, y + length / 2, QStringLiteral("0.0"));
    else
        editWindow = makeEdit(parent, editId, x + length + 38, y + 5, QStringLiteral("0.0"));
    if (!tooltip.isEmpty()) {
        CreateToolTipForRect(sliderWindow, tooltip);
        CreateToolTipForRect(editWindow, tooltip);
    }
    if (makeGroupBox)
        group.create(parent, caption, x - 30, y - 18, groupWidth, 58);
    current = 0.0f;
    reversed = false;
}

void settingsFloatSliderEditPair::setBuddyText(QWidget* parent, const QString& lowText,
                                               int lowWidth, const QString& highText,
                                               int highWidth) {
    makeBuddies(parent, sliderWindow, lowLabel, lowText, lowWidth, highLabel, highText, highWidth);
}

float settingsFloatSliderEditPair::valueAtPosition(int position) const {
    const float p = static_cast<float>(reversed ? sliderSteps - position : position);
    if (logarithmic)
        return std::pow(maximum, (p - 500.0f) / 500.0f);
    return minimum + (maximum - minimum) * p / static_cast<float>(sliderSteps);
}

int settingsFloatSliderEditPair::positionOfValue(float value) const {
    double p = 0.0;
    if (logarithmic)
        p = std::log(static_cast<double>(value)) * 500.0 / std::log(static_cast<double>(maximum)) +
            500.0;
    else
        // In float, as the value was made: widening 3.33f first would give 332.99...
        // and move a slider just set to 333 back by one.
        p = (value - minimum) * static_cast<float>(sliderSteps) / (maximum - minimum);
    // Values outside the slider's reach (a bad file, a knob value) sit at its ends.
    if (std::isnan(p))
        p = 0.0;
    p = std::clamp(p, 0.0, static_cast<double>(sliderSteps));
    const int position = static_cast<int>(p);
    return reversed ? sliderSteps - position : position;
}

void settingsFloatSliderEditPair::setReferenceFromSlider() {
    if (reference && sliderWindow)
        reference->set(valueAtPosition(sliderWindow->value()));
}

void settingsFloatSliderEditPair::setEditFromReference() {
    if (!reference)
        return;
    showText(reference->value);
    validate();
}

void settingsFloatSliderEditPair::setSliderFromReference() {
    if (!reference || !sliderWindow)
        return;
    const QSignalBlocker blocker(sliderWindow);
    sliderWindow->setValue(positionOfValue(reference->value));
}

void settingsFloatSliderEditPair::showReference() {
    if (!reference)
        return;
    const analogSetting shown = *reference;
    setEditFromReference();
    if (shown.knobControlled)
        *reference = shown;
    setSliderFromReference();
}

void settingsFloatSliderEditPair::showText(float value) {
    setEditText(editWindow, floatToStringRounded(value, sliderRoundingStep));
}

void settingsFloatSliderEditPair::validate() {
    if (!editWindow)
        return;
    const float value = parseEditFloat(editWindow->text());
    if (std::isnan(value)) {
        showText(current);
    } else if (value < minimum) {
        current = minimum;
        showText(current);
    } else if (value > maximum) {
        current = maximum;
        showText(current);
    } else {
        current = value;
    }
    if (reference)
        reference->set(current);
}

void settingsFloatSliderEditPair::setEnabled(bool enabled) {
    if (sliderWindow)
        sliderWindow->setEnabled(enabled);
    if (editWindow)
        editWindow->setEnabled(enabled);
}

void settingsUint16SliderEditPair::create(QWidget* parent, const QString& caption, int x, int y,
                                          int length, int groupWidth, bool makeGroupBox,
                                          bool allocateIds, int givenSliderId, int givenEditId) {
    if (allocateIds) {
        sliderId = uniqueID::getNew();
        editId = uniqueID::getNew();
    } else {
        sliderId = givenSliderId;
        editId = givenEditId;
    }
    sliderWindow = makeSlider(parent, sliderId, x, y, length, false);
    sliderPart.window = sliderWindow;
    editWindow = makeEdit(parent, editId, x + length + 38, y + 5, QStringLiteral("0"));
    if (makeGroupBox)
        group.create(parent, caption, x - 30, y - 18, groupWidth, 58);
    current = 0;
}

void settingsUint16SliderEditPair::setBuddyText(QWidget* parent, const QString& lowText,
                                                int lowWidth, const QString& highText,
                                                int highWidth) {
    makeBuddies(parent, sliderWindow, lowLabel, lowText, lowWidth, highLabel, highText, highWidth);
}

void settingsUint16SliderEditPair::setEditFromReference() {
    if (!reference)
        return;
    setEditText(editWindow, intToString(*reference));
    validate();
}

void settingsUint16SliderEditPair::setBothFromReference() {
    setEditFromReference();
    if (reference && sliderWindow) {
        const QSignalBlocker blocker(sliderWindow);
        sliderWindow->setValue(*reference);
    }
}

void settingsUint16SliderEditPair::validate() {
    if (!editWindow)
        return;
    const std::uint32_t value = clampEditInt(parseEditInt(editWindow->text()), minimum, maximum);
    const std::int32_t typed = parseEditInt(editWindow->text());
    current = static_cast<std::uint16_t>(value);
    // A value inside the range keeps the text as typed.
    if (static_cast<std::uint32_t>(typed) != value)
        setEditText(editWindow, intToString(current));
    if (reference)
        *reference = current;
}

void settingsUint16SliderEditPair::disable() {
    if (sliderWindow)
        sliderWindow->setEnabled(false);
    if (editWindow)
        editWindow->setEnabled(false);
}
