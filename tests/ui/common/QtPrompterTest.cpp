#include "ui/common/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Presses a button of the next message box once it is up, the way a person would,
// and remembers what the box showed.
struct Presser {
    QString caption;
    QString text;
    void PressWhenShown(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            box->button(button)->click();
        });
    }
};

}  // namespace

TEST(QtPrompter, ShowsCaptionAndTextAndReturnsThePressedButton)
{
    QWidget owner;
    QtPrompter prompter(&owner);
    Presser presser;
    presser.PressWhenShown(QMessageBox::No);
    EXPECT_FALSE(prompter.AskYesNo("Save Family.pdb before exiting?"));
    EXPECT_EQ(presser.caption, QStringLiteral("Quillery"));
    EXPECT_EQ(presser.text, QStringLiteral("Save Family.pdb before exiting?"));

    presser.PressWhenShown(QMessageBox::Ok);
    EXPECT_TRUE(prompter.AskOkCancel("Create?", "/tmp/x.pdb"));
    EXPECT_EQ(presser.caption, QStringLiteral("/tmp/x.pdb"));

    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, PromptAnswer::Yes},
                                         std::pair{QMessageBox::No, PromptAnswer::No},
                                         std::pair{QMessageBox::Cancel, PromptAnswer::Cancel}}) {
        presser.PressWhenShown(button);
        EXPECT_EQ(prompter.AskYesNoCancel("Replace?"), answer);
    }
}
