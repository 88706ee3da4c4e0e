#pragma once

#include "settings/settings.h"
#include "ui/controls.h"

#include <QString>
#include <cstdint>

class settingsLineEdit;
class QWidget;

// An edit box bound to one setting (its reference): getValueFromReferences shows the
// setting, validate reads the text back, clamps it to the range, corrects the text
// and stores the result. The owner runs validate when the box loses the focus.
class settingsEdit {
public:
    virtual ~settingsEdit() = default;
    virtual void getValueFromReferences() = 0;
    virtual void validate() = 0;

    textLabel label;
    settingsLineEdit* window = nullptr;
    int id = 0;

    // The label (when `labelText` is not empty) at (labelX, y + 3), labelWidth x 16, and
    // the 40 x 21 edit box at (x, y) showing `text`.
    void createWindows(QWidget* parent, const QString& labelText, int labelX, int labelWidth, int x,
                       int y, bool allocateId, int fixedId, const QString& text,
                       const QString& tooltip);
    QString text() const;
    void setText(const std::string& text);
};

// Only this many leading characters of an edit box are read.
inline constexpr int editReadLength = 9;

// Stream extraction of a float from the start of `text`; NaN when nothing parses
// (also on overflow).
float parseEditFloat(const QString& text);
// Stream extraction of a 32-bit signed integer; 0 when nothing parses or on overflow.
std::int32_t parseEditInt(const QString& text);
// `value` compared with the range as an unsigned 32-bit number.
std::uint32_t clampEditInt(std::int32_t value, std::uint32_t minimum, std::uint32_t maximum);

class settingsFloatEdit : public settingsEdit {
public:
    void create(QWidget* parent, const QString& labelText, int x, int y, int labelWidth,
                float initial, float minimum, float maximum, bool allocateId, int fixedId,
                const QString& tooltip = QString());
    void getValueFromReferences() override;
    void validate() override;

    float current = 0.0f;
    float minimum = 0.0f;
    float maximum = 0.0f;
    analogSetting* reference = nullptr;
};

class settingsSimpleFloatEdit : public settingsEdit {
public:
    // The label is always 150 wide, placed `labelOffset` left of the box.
    void create(QWidget* parent, const QString& labelText, int x, int y, int labelOffset,
                float initial, float minimum, float maximum, bool allocateId, int fixedId,
                const QString& tooltip = QString());
    void getValueFromReferences() override;
    void validate() override;

    float current = 0.0f;
    float minimum = 0.0f;
    float maximum = 0.0f;
    float* reference = nullptr;
};

// Its owner makes the label and box (createWindows) and sets id, range and reference.
class settingsUint8Edit : public settingsEdit {
public:
    void getValueFromReferences() override;
    void validate() override;

    std::uint8_t current = 0;
    std::uint8_t minimum = 0;
    std::uint8_t maximum = 255;
    std::uint8_t* reference = nullptr;
};

class settingsUint16Edit : public settingsEdit {
public:
    void create(QWidget* parent, const QString& labelText, int x, int y, int labelWidth,
                std::uint16_t initial, std::uint16_t minimum, std::uint16_t maximum,
                bool allocateId, int fixedId);
    void getValueFromReferences() override;
    void validate() override;

    std::uint16_t current = 0;
    std::uint16_t minimum = 0;
    std::uint16_t maximum = 0;
    std::uint16_t* reference = nullptr;
};
