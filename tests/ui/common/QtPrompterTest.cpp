#include "ui/common/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Presses a button of the next message box once it is up, the way a person would.
void PressWhenShown(QMessageBox::StandardButton button, QString* caption, QString* text)
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *caption = box->windowTitle();
        *text = box->text();
        box->button(button)->click();
    });
}

}  // namespace

TEST(QtPrompter, ShowsCaptionAndTextAndReturnsThePressedButton)
{
    QWidget owner;
    QtPrompter prompter(&owner);
    QString caption;
    QString text;
    PressWhenShown(QMessageBox::No, &caption, &text);
    EXPECT_FALSE(prompter.AskYesNo("Save Family.pdb before exiting?"));
    EXPECT_EQ(caption, QStringLiteral("Quillery"));
    EXPECT_EQ(text, QStringLiteral("Save Family.pdb before exiting?"));
}

TEST(QtPrompter, OkCancelAnswers)
{
    QtPrompter prompter;
    QString caption;
    QString text;
    PressWhenShown(QMessageBox::Ok, &caption, &text);
    EXPECT_TRUE(prompter.AskOkCancel("Create?", "/tmp/x.pdb"));
    EXPECT_EQ(caption, QStringLiteral("/tmp/x.pdb"));
    PressWhenShown(QMessageBox::Cancel, &caption, &text);
    EXPECT_FALSE(prompter.AskOkCancel("Create?"));
}

TEST(QtPrompter, YesNoCancelGivesEachAnswer)
{
    QtPrompter prompter;
    QString caption;
    QString text;
    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, PromptAnswer::Yes},
                                         std::pair{QMessageBox::No, PromptAnswer::No},
                                         std::pair{QMessageBox::Cancel, PromptAnswer::Cancel}}) {
        PressWhenShown(button, &caption, &text);
        EXPECT_EQ(prompter.AskYesNoCancel("Replace?"), answer);
    }
}
