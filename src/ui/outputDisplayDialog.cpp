#include "ui/outputDisplayDialog.h"

#include "device/hidConnection.h"
#include "device/joystickOutputParser.h"
#include "platform/dialogs.h"
#include "ui/controls.h"
#include "ui/defaultFont.h"
#include "ui/dialogUnits.h"
#include "ui/pixelBmpView.h"
#include "ui/uniqueID.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

constexpr const char* axisLabelTest[8] = {"X Axis",    "Y Axis",   "Z Axis",    "Pitch Axis",
                                          "Roll Axis", "Yaw Axis", "Left Knob", "Right Knob"};
constexpr int barY[8] = {30, 60, 90, 140, 170, 200, 250, 280};
constexpr int leftKnobBar = 6;
constexpr int rightKnobBar = 7;
constexpr int buttonPitch = 35;

QString indexed(const char* name, int i) {
    return QString::fromLatin1(name) + QString::number(i);
}

QCheckBox* displayBox(QWidget* parent, const QString& text, const QString& name, int x, int y,
                      int width, int height) {
    auto* box = new QCheckBox(text, parent);
    uniqueID::getNew();
    box->setObjectName(name);
    box->setGeometry(x, y, width, height);
    box->setEnabled(false);
    applyDefaultFont(box);
    return box;
}

QGroupBox* group(QWidget* parent, const QString& caption, const QString& name, int x, int y,
                 int width, int height) {
    groupBox box;
    box.create(parent, caption, x, y, width, height, uniqueID::getNew());
    box.window->setObjectName(name);
    return box.window;
}

} // namespace

outputDisplayDialog::outputDisplayDialog(QWidget* owner, bool poll) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Joystick Output Display"));
    setFixedSize(dialogUnits::x(375), dialogUnits::y(210));
    uniqueID::setStackPoint();
    joystickOutputParser::setDefaults();

    axisGroup = group(this, QString(), QStringLiteral("axisGroup"), 13, 6, 300, 305);
    buttonGroups[0] =
        group(this, QStringLiteral("Buttons"), indexed("buttonGroups", 0), 338, 10, 300, 118);
    buttonGroups[1] = group(this, QStringLiteral("Modified Buttons"), indexed("buttonGroups", 1),
                            338, 146, 300, 118);
    hatGroup =
        group(this, QStringLiteral("Hat Switch"), QStringLiteral("hatGroup"), 420, 282, 100, 95);

    for (int i = 0; i < 8; ++i) {
        axisGraphs[i].setUp(93, barY[i], &joystickOutputParser::axisValues[i]);
        axisGraphs[i].disabled = false;
        axisViews[i] = new pixelBmpView(this, axisGraphs[i].bitmap);
        axisViews[i]->setObjectName(indexed("axisGraphs", i));
        auto* label = new QLabel(QString::fromLatin1(axisLabelTest[i]), this);
        setControlId(label, uniqueID::getNew());
        label->setObjectName(indexed("axisLabels", i));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(18, barY[i] - 2, 67, 16);
        applyDefaultFont(label);
        axisLabels[i] = label;
    }
    for (int k = 1; k <= 64; ++k) {
        const int x = (k - 1) % 8 * buttonPitch + 350;
        const int y = (k - 1) / 8 * 22 + (k <= 32 ? 35 : 83);
        QCheckBox* box =
            displayBox(this, QString::number(k), indexed("buttonDisplays", k - 1), x, y, 30, 15);
        // Two-digit numbers may need more than 30 in this font; up to the next box.
        box->resize(std::min(widthForCaption(box, 30), buttonPitch - 1), 15);
        buttonDisplays[k - 1] = box;
    }
    for (int j = 0; j < 8; ++j) {
        const double a = j * 0.7854;
        const int x = 465 + static_cast<int>(std::trunc(20 * std::sin(a)));
        const int y = 328 - static_cast<int>(std::trunc(20 * std::cos(a)));
        hatSwitchButtonDisplays[j] =
            displayBox(this, QString(), indexed("hatSwitchButtonDisplays", j), x, y, 10, 15);
    }
    hatSwitchButtonDisplays[8] =
        displayBox(this, QString(), indexed("hatSwitchButtonDisplays", 8), 465, 328, 10, 15);

    closeButton = new QPushButton(QStringLiteral("Close"), this);
    setControlId(closeButton, closeId);
    closeButton->setGeometry(dialogUnits::rect(310, 190, 50, 14));
    applyDefaultFont(closeButton);
    connect(closeButton, &QPushButton::clicked, this, [this] { done(1); });

    drawBars();
    timer = new QTimer(this);
    timer->setInterval(pollMilliseconds);
    connect(timer, &QTimer::timeout, this, &outputDisplayDialog::poll);
    if (poll)
        timer->start();
}

outputDisplayDialog::~outputDisplayDialog() {
    releaseIds();
}

void outputDisplayDialog::releaseIds() {
    if (idsReleased)
        return;
    idsReleased = true;
    uniqueID::returnToStackPoint();
}

void outputDisplayDialog::done(int result) {
    timer->stop();
    releaseIds();
    QDialog::done(result);
}

// The close box and Escape.
void outputDisplayDialog::reject() {
    done(2);
}

void outputDisplayDialog::poll() {
    if (!hidConnection::isConnected) {
        timer->stop();
        platform::dialogs::messageBox("Connection to joystick lost.", "Connection");
        done(1);
        return;
    }
    if (joystickOutputParser::receiveAndParse()) {
        // A report without knobs greys their bars until the dialog is opened again.
        if (!joystickOutputParser::hasKnobOutput) {
            axisGraphs[leftKnobBar].disabled = true;
            axisGraphs[rightKnobBar].disabled = true;
        }
        for (int k = 0; k < 64; ++k)
            buttonDisplays[k]->setChecked((joystickOutputParser::buttonVals >> k) & 1u);
        for (int j = 0; j < 9; ++j)
            hatSwitchButtonDisplays[j]->setChecked(joystickOutputParser::hatVal == j);
    }
    drawBars();
}

void outputDisplayDialog::drawBars() {
    for (int i = 0; i < 8; ++i)
        axisGraphs[i].draw(*axisViews[i]);
}

void outputDisplayDialog::paintEvent(QPaintEvent* event) {
    drawBars();
    QDialog::paintEvent(event);
}
