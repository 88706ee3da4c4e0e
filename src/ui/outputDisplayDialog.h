#pragma once

#include "curves/axisOutputDisplayGraph.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class pixelBmpView;

// "Joystick Output Display": the game-controller report read over HID every 30 ms and
// shown as eight bars, the 64 button outputs and the hat switch. Ends by itself when
// the HID link goes.
class outputDisplayDialog : public QDialog {
public:
    static constexpr int templateId = 2100;
    static constexpr int closeId = 2101;
    static constexpr int pollMilliseconds = 30;

    // With `poll` false the report timer is not started (a preview).
    explicit outputDisplayDialog(QWidget* owner, bool poll = true);
    ~outputDisplayDialog() override;

    void done(int result) override;
    void reject() override;

    // One tick of the poll timer.
    void poll();
    QTimer* pollTimer() const { return timer; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBars();
    void releaseIds();

    QGroupBox* axisGroup = nullptr;
    std::array<QGroupBox*, 2> buttonGroups{};
    QGroupBox* hatGroup = nullptr;
    std::array<axisOutputDisplayGraph, 8> axisGraphs;
    std::array<pixelBmpView*, 8> axisViews{};
    std::array<QLabel*, 8> axisLabels{};
    std::array<QCheckBox*, 64> buttonDisplays{};
    std::array<QCheckBox*, 9> hatSwitchButtonDisplays{};
    QPushButton* closeButton = nullptr;
    QTimer* timer = nullptr;
    bool idsReleased = false;
};
