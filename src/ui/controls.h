#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

// Plain control wrappers. A control with an id carries it as its objectName (decimal);
// labels and group boxes without one (ids -1 and -2) keep an empty name.
void setControlId(QWidget* control, int id);
int controlId(const QWidget* control);

// Widens every group box of `parent` whose controls reach past its right edge (captions
// grow in fonts wider than the one the layout was made for).
void fitGroupBoxes(QWidget* parent);

// Width for a control whose caption would not fit the width it was given in this font.
int widthForCaption(QWidget* control, int width);

// A push button of a dialog template at `where` (pixels), with its id as objectName.
// Never the dialog's default button: Enter must not press it.
QPushButton* templateButton(QWidget* parent, const QString& caption, int id, const QRect& where);

struct button {
    QPushButton* window = nullptr;
    int id = 0;

    // A push button 25 high; the id from uniqueID when `allocateId`, else `fixedId`.
    void create(QWidget* parent, const QString& caption, int x, int y, int width, bool allocateId,
                int fixedId, const QString& tooltip = QString());
};

struct checkBox {
    QCheckBox* window = nullptr;
    void setChecked(bool checked);
};

struct groupBox {
    QGroupBox* window = nullptr;
    void create(QWidget* parent, const QString& caption, int x, int y, int width, int height,
                int id = -2);
};

struct textLabel {
    QLabel* window = nullptr;
    // A single-line static text 16 high.
    void create(QWidget* parent, const QString& text, int x, int y, int width, int id = -1);
};

struct slider {
    QSlider* window = nullptr;
    // Range 0..maximum, a tick every maximum / 20.
    void changeMinMax(int maximum);
};

// A three-state check box.
struct check3Box {
    QCheckBox* window = nullptr;
    // Unchecked when none of the boxes is checked, checked when all are, else partial.
    void setFromCheckBoxArray(QCheckBox* const* boxes, int count = 5);
};
