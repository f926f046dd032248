#include "ui/common/QtPrompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

// Presses a button of the next message box once it is up, as a person would, and
// remembers the box's caption and text.
static void PressWhenShown(QMessageBox::StandardButton button, QString* shown = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (shown) *shown = box->windowTitle() + '|' + box->text();
        box->button(button)->click();
    });
}

// One answer per button set.
TEST(QtPrompter, ShowsCaptionAndTextAndReturnsThePressedButton)
{
    QWidget owner;
    QtPrompter prompter(&owner);
    QString shown;
    PressWhenShown(QMessageBox::No, &shown);
    EXPECT_FALSE(prompter.AskYesNo("Save Family.pdb before exiting?"));
    EXPECT_EQ(shown, QStringLiteral("Quillery|Save Family.pdb before exiting?"));
    PressWhenShown(QMessageBox::Ok, &shown);
    EXPECT_TRUE(prompter.AskOkCancel("Create?", "/tmp/x.pdb"));
    EXPECT_EQ(shown, QStringLiteral("/tmp/x.pdb|Create?"));
    PressWhenShown(QMessageBox::Cancel);
    EXPECT_EQ(prompter.AskYesNoCancel("Replace?"), PromptAnswer::Cancel);
}

// The save question on closing offers Cancel: a box dismissed with Escape must not
// count as No there, which would drop the changes.
TEST(QtPrompter, EscapeOnAYesNoCancelBoxIsCancel)
{
    QWidget owner;
    QtPrompter prompter(&owner);
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    EXPECT_EQ(prompter.AskYesNoCancel("Save Family.pdb before exiting?"), PromptAnswer::Cancel);
}
