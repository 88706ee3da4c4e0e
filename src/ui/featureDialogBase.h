#pragma once

#include "settings/settings.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class settingsEdit;

// What the small feature dialogs share: a fixed-size template laid out in dialog units
// whose controls carry their template ids, "Set/Close" that stores and ends with 1, and
// a close box that ends with 2 and stores nothing.
class featureDialogBase : public QDialog {
public:
    // Ending an already ended dialog again has no effect.
    void done(int result) override;
    // Escape is no command of these dialogs.
    void reject() override {}

    // The mode the dialogs edit: the one whose pages are in front.
    static settings::mode& editedMode();
    static int editedModeIndex();

    // A drop-down shows a value as its entry, or nothing when it has no such entry.
    static void showIndex(QComboBox* dropDown, int value);
    // The selected entry into `value`; with nothing selected the value stays, so a value
    // no entry shows (from a file or the joystick) is not replaced by a bad one.
    static void storeIndex(const QComboBox* dropDown, std::uint8_t& value);
    static void storeIndex(const QComboBox* dropDown, bool& value);

protected:
    featureDialogBase(QWidget* owner, int templateId, const QString& caption, int widthUnits,
                      int heightUnits);

    // Template controls, positions and sizes in dialog units.
    QLabel* addLabel(int id, const QString& text, int x, int y, int width, int height = 8);
    QComboBox* addDropDown(int id, const QStringList& entries, int x, int y, int width);
    QComboBox* addButtonDropDown(int id, int x, int y, int width);
    QCheckBox* addCheckBox(int id, const QString& caption, int x, int y, int width,
                           int height = 10);
    QGroupBox* addGroup(int id, const QString& caption, int x, int y, int width, int height);
    QPushButton* addButton(int id, const QString& caption, int x, int y, int width,
                           std::function<void()> clicked);
    // "Set/Close": store() then the group call, then end with 1.
    QPushButton* addSetClose(int id, int x, int y, int width);

    // Six check boxes "X" ... "Yaw" with ids firstId.., two rows of three from (x, y).
    void addAxisBoxes(int firstId, int x, int y, QCheckBox* (&boxes)[6]);
    static void showAxisBits(QCheckBox* const (&boxes)[6], std::uint8_t bits);
    static std::uint8_t axisBits(const QCheckBox* const (&boxes)[6]);

    // An edit of the dialog: checked and stored when it loses the focus while the dialog
    // is open, and once more before "Set/Close" stores.
    void addEdit(settingsEdit& edit);

    // Gives the template controls the user-interface font: from the first control id
    // (the template id + 1) on, for as long as a control with the next id exists. Then
    // makes room for captions wider in this font than in the one the layout was made for.
    void applyTemplateFont();

    // Everything the dialog shows into the settings.
    virtual void store() = 0;
    // The mode-constant group of the dialog's settings; -1 for none.
    virtual int group() const = 0;
    // What the main window shows of the stored values, after the group call.
    virtual void refreshOwner() {}

    void closeEvent(QCloseEvent* event) override;

private:
    void setClose();
    void fitCaptions();

    int dialogTemplate;
    bool ended = false;
    std::vector<settingsEdit*> edits;
};
