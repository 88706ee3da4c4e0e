#pragma once

#include "settings/settings.h"
#include "ui/controls.h"

#include <QString>
#include <cstdint>

class QSlider;
class settingsLineEdit;
class QWidget;

// Slider positions run 0..1000; a pair shows and edits one setting with both.
inline constexpr int sliderSteps = 1000;
// Values set with a float slider are stored rounded to this step.
inline constexpr float sliderRoundingStep = 0.002f;

// A slider and an edit box bound to one analog setting, on a logarithmic scale
// (500 is 1.0, the ends 1/maximum and maximum) or a linear one.
class settingsFloatSliderEditPair {
public:
    void create(QWidget* parent, const QString& caption, int x, int y, int length, int groupWidth,
                bool makeGroupBox, bool vertical, bool allocateIds, int sliderId, int editId,
                const QString& tooltip = QString());
    // End labels at the slider's low (left or top) and high end.
    void setBuddyText(QWidget* parent, const QString& lowText, int lowWidth,
                      const QString& highText, int highWidth);
    void setEditFromReference();
    void setSliderFromReference();
    void setReferenceFromSlider();
    void validate();
    void setEnabled(bool enabled);
    // Edit and slider from the reference. Showing a received or opened knob-controlled
    // value is not an edit: it keeps its knob control until the user moves the slider
    // or types in the box.
    void showReference();

    // The value at slider position p, and the position of a value (truncated, held
    // to the slider's range).
    float valueAtPosition(int position) const;
    int positionOfValue(float value) const;

    slider sliderPart;
    QSlider* sliderWindow = nullptr;
    settingsLineEdit* editWindow = nullptr;
    groupBox group;
    textLabel lowLabel;
    textLabel highLabel;
    int sliderId = 0;
    int editId = 0;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float current = 0.0f;
    bool logarithmic = false;
    bool reversed = false;
    bool vertical = false;
    analogSetting* reference = nullptr;

private:
    void showText(float value);
};

// A horizontal slider and an edit box bound to one 16-bit setting.
class settingsUint16SliderEditPair {
public:
    void create(QWidget* parent, const QString& caption, int x, int y, int length, int groupWidth,
                bool makeGroupBox, bool allocateIds, int sliderId, int editId);
    void setBuddyText(QWidget* parent, const QString& lowText, int lowWidth,
                      const QString& highText, int highWidth);
    void setEditFromReference();
    void setBothFromReference();
    void validate();
    void disable();

    slider sliderPart;
    QSlider* sliderWindow = nullptr;
    settingsLineEdit* editWindow = nullptr;
    groupBox group;
    textLabel lowLabel;
    textLabel highLabel;
    int sliderId = 0;
    int editId = 0;
    std::uint16_t minimum = 0;
    std::uint16_t maximum = 0;
    std::uint16_t current = 0;
    std::uint16_t* reference = nullptr;
};
