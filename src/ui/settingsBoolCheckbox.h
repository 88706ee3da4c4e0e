#pragma once

#include <QString>

class QCheckBox;
class QWidget;

// A check box bound to a bool setting. Every one made is pushed onto the front of the
// list starting at `first`, so the main window can find any of them by control id.
class settingsBoolCheckbox {
public:
    settingsBoolCheckbox() = default;
    // Leaves the list, so a box that goes with its dialog is never found again.
    ~settingsBoolCheckbox();
    settingsBoolCheckbox(const settingsBoolCheckbox&) = delete;
    settingsBoolCheckbox& operator=(const settingsBoolCheckbox&) = delete;

    // An automatic check box 15 high with an id from uniqueID, unchecked.
    void create(QWidget* parent, const QString& caption, int x, int y, int width,
                const QString& tooltip = QString());
    // Keeps the box's checked state and stores it into the reference.
    void updateValue();
    // Copies the reference into the state and shows it.
    void showReference();

    QCheckBox* window = nullptr;
    int id = 0;
    bool state = false;
    bool* reference = nullptr;
    settingsBoolCheckbox* next = nullptr;

    static settingsBoolCheckbox* first;
    // The box with control id `id` in the list, or nullptr.
    static settingsBoolCheckbox* find(int id);
    // Empties the list (the boxes themselves belong to their owners).
    static void clearList();
};
