#include "ui/qtDialogs.h"
#include "uiTestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

namespace dialogs = platform::dialogs;

struct shownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultText;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows a real box, notes what it looks like, and answers it as Enter would.
dialogs::button answerWithDefault(dialogs::buttons choice, shownBox& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        if (auto* b = box->defaultButton()) {
            seen.defaultText = b->text();
            b->click();
        } else {
            box->close();
        }
    });
    qtDialogs realisation;
    return realisation.messageBox("Proceed anyway?", "Warning: Serial test failed", choice);
}

TEST(qtDialogs, questionsDefaultToOkAndWarningsToCancel) {
    ensureApplication();
    shownBox seen;
    EXPECT_EQ(answerWithDefault(dialogs::buttons::okCancel, seen), dialogs::button::ok);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.title, "Warning: Serial test failed");
    EXPECT_EQ(seen.text, "Proceed anyway?");
    EXPECT_EQ(seen.format, Qt::PlainText);

    EXPECT_EQ(answerWithDefault(dialogs::buttons::okCancelWarning, seen), dialogs::button::cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    EXPECT_EQ(answerWithDefault(dialogs::buttons::ok, seen), dialogs::button::ok);
}

} // namespace
