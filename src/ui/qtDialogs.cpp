#include "ui/qtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

QWidget* owner() {
    return QApplication::activeWindow();
}

QString filterText(const platform::dialogs::fileDialog& dialog) {
    QStringList filters;
    for (const auto& f : dialog.filters)
        filters << QString::fromStdString(f.description);
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> runFileDialog(const platform::dialogs::fileDialog& dialog, bool save) {
    QFileDialog box(owner());
    box.setNameFilter(filterText(dialog));
    box.setDefaultSuffix(QString::fromStdString(dialog.defaultSuffix));
    box.setOption(QFileDialog::ReadOnly, false);
    if (save) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        // The program asks about overwriting itself.
        box.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(dialog.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().first().toStdString();
}

} // namespace

platform::dialogs::button qtDialogs::messageBox(const std::string& text, const std::string& caption,
                                                platform::dialogs::buttons choice) {
    QMessageBox box(owner());
    box.setWindowTitle(QString::fromStdString(caption));
    // Messages quote file names and device answers: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    if (choice == platform::dialogs::buttons::okCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    } else if (choice == platform::dialogs::buttons::okCancelWarning) {
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? platform::dialogs::button::ok
                                         : platform::dialogs::button::cancel;
}

std::optional<std::string> qtDialogs::openFile(const platform::dialogs::fileDialog& dialog) {
    return runFileDialog(dialog, false);
}

std::optional<std::string> qtDialogs::saveFile(const platform::dialogs::fileDialog& dialog) {
    return runFileDialog(dialog, true);
}
