#include "ui/common/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Presses a button of the next message box once it is up, the way a person would,
// and remembers the box's caption and text.
void PressWhenShown(QMessageBox::StandardButton button, QString* caption = nullptr, QString* text = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (caption) *caption = box->windowTitle();
        if (text) *text = box->text();
        box->button(button)->click();
    });
}

}  // namespace

// One answer per button set.
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

    PressWhenShown(QMessageBox::Ok, &caption);
    EXPECT_TRUE(prompter.AskOkCancel("Create?", "/tmp/x.pdb"));
    EXPECT_EQ(caption, QStringLiteral("/tmp/x.pdb"));

    PressWhenShown(QMessageBox::Cancel);
    EXPECT_EQ(prompter.AskYesNoCancel("Replace?"), PromptAnswer::Cancel);
}
