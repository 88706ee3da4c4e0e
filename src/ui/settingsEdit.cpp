#include "ui/settingsEdit.h"

#include "ui/defaultFont.h"
#include "ui/numberFormat.h"
#include "ui/settingsLineEdit.h"
#include "ui/toolTips.h"
#include "ui/uniqueID.h"

#include <QLabel>
#include <cmath>
#include <limits>
#include <sstream>

void settingsEdit::createWindows(QWidget* parent, const QString& labelText, int labelX,
                                 int labelWidth, int x, int y, bool allocateId, int fixedId,
                                 const QString& text, const QString& tooltip) {
    if (!labelText.isEmpty()) {
        label.create(parent, labelText, labelX, y + 3, labelWidth);
        // A caption wider than its place in this font grows to the left, so it still
        // ends where the box begins.
        const int extra = label.window->width() - labelWidth;
        if (extra > 0)
            label.window->move(labelX - extra, y + 3);
    }
    id = allocateId ? uniqueID::getNew() : fixedId;
    window = new settingsLineEdit(parent);
    setControlId(window, id);
    applyDefaultFont(window);
    window->setGeometry(x, y, 40, 21);
    setText(text.toStdString());
    if (!tooltip.isEmpty())
        CreateToolTipForRect(window, tooltip);
}

QString settingsEdit::text() const {
    return window ? window->text() : QString();
}

void settingsEdit::setText(const std::string& text) {
    if (!window)
        return;
    window->setText(QString::fromStdString(text));
    // Show the start of a text longer than the box, as a fresh edit box does.
    window->setCursorPosition(0);
}

float parseEditFloat(const QString& text) {
    std::istringstream in(text.left(editReadLength).toStdString());
    float value = 0.0f;
    in >> value;
    if (in.fail())
        return std::numeric_limits<float>::quiet_NaN();
    return value;
}

std::int32_t parseEditInt(const QString& text) {
    std::istringstream in(text.left(editReadLength).toStdString());
    std::int32_t value = 0;
    in >> value;
    if (in.fail())
        return 0;
    return value;
}

std::uint32_t clampEditInt(std::int32_t value, std::uint32_t minimum, std::uint32_t maximum) {
    const auto u = static_cast<std::uint32_t>(value);
    if (u < minimum)
        return minimum;
    if (u > maximum)
        return maximum;
    return u;
}

namespace {

// The float edits' common check: NaN keeps the last good value, the range clamps.
float checkFloat(settingsEdit& edit, float& current, float minimum, float maximum) {
    const float value = parseEditFloat(edit.text());
    if (std::isnan(value)) {
        edit.setText(floatToString(current));
    } else if (value < minimum) {
        edit.setText(floatToString(minimum));
        current = minimum;
    } else if (value > maximum) {
        edit.setText(floatToString(maximum));
        current = maximum;
    } else {
        edit.setText(floatToString(value));
        current = value;
    }
    return current;
}

std::uint32_t checkInt(settingsEdit& edit, std::uint32_t minimum, std::uint32_t maximum) {
    const std::uint32_t value = clampEditInt(parseEditInt(edit.text()), minimum, maximum);
    edit.setText(intToString(static_cast<int>(value)));
    return value;
}

} // namespace

void settingsFloatEdit::create(QWidget* parent, const QString& labelText, int x, int y,
                               int labelWidth, float initial, float minimumValue,
                               float maximumValue, bool allocateId, int fixedId,
                               const QString& tooltip) {
    createWindows(parent, labelText, x - labelWidth, labelWidth, x, y, allocateId, fixedId,
                  QString::fromStdString(floatToString(initial)), tooltip);
    current = initial;
    minimum = minimumValue;
    maximum = maximumValue;
}

void settingsFloatEdit::getValueFromReferences() {
    if (!reference)
        return;
    if (reference->knobControlled) {
        setText("knob");
        window->setEnabled(false);
        return;
    }
    setText(floatToString(reference->value));
    validate();
}

void settingsFloatEdit::validate() {
    if (!reference)
        return;
    // A knob-controlled value is shown as "knob" and not edited here; reading that
    // text back must not replace the knob control.
    if (reference->knobControlled && text() == QStringLiteral("knob"))
        return;
    reference->set(checkFloat(*this, current, minimum, maximum));
}

void settingsSimpleFloatEdit::create(QWidget* parent, const QString& labelText, int x, int y,
                                     int labelOffset, float initial, float minimumValue,
                                     float maximumValue, bool allocateId, int fixedId,
                                     const QString& tooltip) {
    createWindows(parent, labelText, x - labelOffset, 150, x, y, allocateId, fixedId,
                  QString::fromStdString(floatToString(initial)), tooltip);
    current = initial;
    minimum = minimumValue;
    maximum = maximumValue;
}

void settingsSimpleFloatEdit::getValueFromReferences() {
    if (!reference)
        return;
    setText(floatToString(*reference));
    validate();
}

void settingsSimpleFloatEdit::validate() {
    if (!reference)
        return;
    *reference = checkFloat(*this, current, minimum, maximum);
}

void settingsUint8Edit::getValueFromReferences() {
    if (!reference)
        return;
    setText(intToString(*reference));
    validate();
}

void settingsUint8Edit::validate() {
    current = static_cast<std::uint8_t>(checkInt(*this, minimum, maximum));
    if (reference)
        *reference = current;
}

void settingsUint16Edit::create(QWidget* parent, const QString& labelText, int x, int y,
                                int labelWidth, std::uint16_t initial, std::uint16_t minimumValue,
                                std::uint16_t maximumValue, bool allocateId, int fixedId) {
    createWindows(parent, labelText, x - labelWidth, labelWidth, x, y, allocateId, fixedId,
                  QString::fromStdString(floatToString(static_cast<float>(initial))), QString());
    current = initial;
    minimum = minimumValue;
    maximum = maximumValue;
}

void settingsUint16Edit::getValueFromReferences() {
    if (!reference)
        return;
    setText(intToString(*reference));
    validate();
}

void settingsUint16Edit::validate() {
    current = static_cast<std::uint16_t>(checkInt(*this, minimum, maximum));
    if (reference)
        *reference = current;
}
