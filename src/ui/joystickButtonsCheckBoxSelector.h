#pragma once

#include <QObject>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QWidget;

// 32 check boxes laid out as a picture of the handle, for choosing a set of buttons
// (bit i of a mask is button i + 1). The index levers and the three hats each have a
// group box whose three-state title box checks or clears the whole group.
class joystickButtonsCheckBoxSelector {
public:
    enum group { indexLevers = 0, leftHat = 1, rightHat = 2, centerHat = 3 };
    static constexpr int groupCount = 4;

    void create(QWidget* parent, int x, int y);
    void setFromButtonValue(std::uint32_t mask);
    std::uint32_t buttonValue() const;
    // Handles a click on the control with id `controlId`; true when it is one of the
    // selector's. A click on a group's box checks the group, or clears it when it was
    // fully checked; a click on a member recomputes its group's box.
    bool updateFromClick(int controlId);
    void checkUncheckAll();

    QCheckBox* buttons[32] = {};
    int buttonIds[32] = {};
    QCheckBox* groupChecks[groupCount] = {};
    int groupIds[groupCount] = {};
    QGroupBox* groupBoxes[groupCount] = {};

    // Buttons [first, last] (0-based) of a group.
    static int groupFirst(int g);
    static int groupLast(int g);

private:
    void updateGroup(int g);
};
