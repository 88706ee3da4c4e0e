#pragma once

#include <QDialog>
#include <initializer_list>

class QCheckBox;
class QPushButton;
class QTimer;

// "Diagnostic Options": the joystick's error words, a test of the serial connection,
// re-taring the load cells, the firmware dialog and the two diagnostic-mode flags.
class diagnosticOptionsDialog : public QDialog {
public:
    static constexpr int templateId = 1900;
    static constexpr int loadCellDiagnosticModeId = 1901;
    static constexpr int digitalOutputDiagnosticModeId = 1902;
    static constexpr int checkErrorsId = 1903;
    static constexpr int testSerialId = 1904;
    static constexpr int firmwareSettingsId = 1905;
    static constexpr int tareId = 1906;
    static constexpr int setCloseId = 1907;
    static constexpr int tareMilliseconds = 300;

    explicit diagnosticOptionsDialog(QWidget* owner);

    void reject() override;

    void checkErrors();
    void testSerialConnection();
    void tareLoadCells();
    void setClose();
    QTimer* tareTimer() const { return timer; }

private:
    void layOutButtons(std::initializer_list<QPushButton*> grid, QPushButton* setCloseButton);

    QCheckBox* loadCellDiagnosticModeCheck = nullptr;
    QCheckBox* digitalOutputDiagnosticModeCheck = nullptr;
    QPushButton* tareButton = nullptr;
    QTimer* timer = nullptr;
};
