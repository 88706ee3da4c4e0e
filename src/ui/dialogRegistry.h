#pragma once

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

// The modal dialogs of the program by template id. A dialog's module adds itself; the
// buttons that open dialogs run them through here, so a button whose dialog does not
// exist in this build stays in place and opens nothing.
namespace dialogRegistry {

// Template ids.
inline constexpr int ledDialog = 400;
inline constexpr int cruiseControlDialog = 500;
inline constexpr int arrangeModesDialog = 600;
inline constexpr int modeDialog = 700;
inline constexpr int disableButtonsDialog = 800;
inline constexpr int reorderAxesDialog = 900;
inline constexpr int singleAxisDialog = 1000;
inline constexpr int singleKnobDialog = 1100;
inline constexpr int autofireDialog = 1200;
inline constexpr int toggledButtonsDialog = 1300;
inline constexpr int motorConstantDialog = 1400;
inline constexpr int motorPulseDialog = 1500;
inline constexpr int addKnobToAxisDialog = 1600;
inline constexpr int modifiedButtonsDialog = 1700;
inline constexpr int handleShiftDialog = 1800;
inline constexpr int diagnosticOptionsDialog = 1900;
inline constexpr int firmwareDialog = 2000;
inline constexpr int outputDisplayDialog = 2100;

// Runs modally with `owner` as the owner; returns the dialog's result.
using opener = std::function<int(QWidget* owner)>;

void add(int templateId, opener open);
bool has(int templateId);
// The dialog's result, or 0 when no dialog with that template exists.
int run(int templateId, QWidget* owner);

// For --screenshots: a dialog built and filled as on opening but not run, so it can
// be rendered; its owner is `owner`. `name` names the picture ("single-axis").
using previewer = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;
struct preview {
    int templateId;
    const char* name;
    previewer make;
};
void addPreview(int templateId, const char* name, previewer make);
// In the order of their template ids.
std::vector<preview> previews();

} // namespace dialogRegistry
