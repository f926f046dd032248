#include "MainFrameFixture.h"

#include "ui/main/CommandState.h"
#include "ui/main/PictureShowCommands.h"
#include "ui/output/PictureShowWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSignalSpy>

namespace {

class PictureShowCommandsTest : public MainFrameTest {
  protected:
    PictureShowCommands& Commands() { return *m_frame.findChild<PictureShowCommands*>(); }
    bool Running() { return m_frame.Context().state.IsPictureShowRunning(); }
    bool DeleteEnabled() const { return m_frame.Action(CommandId::DeleteDatabaseOnly)->isEnabled(); }
    static void Press(PictureShowWnd& show, Qt::Key key = Qt::Key_Escape)
    {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(&show, &event);
        }
    }
};

TEST_F(PictureShowCommandsTest, AnEmptyListIsToldAndShowsNothing)
{
    OpenWithDialog(MakeLibrary("Empty.pdb", ""));
    m_prompter.Forget();
    Trigger(CommandId::PictureShow);
    EXPECT_EQ(m_prompter.Texts(), Texts{"Picture must be selected before operation"});
    EXPECT_EQ(Commands().Show(), nullptr);
    EXPECT_FALSE(Running());
}

TEST_F(PictureShowCommandsTest, DeletesWaitWhileAShowRunsAndTheLastPhotoShownBecomesCurrent)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_prompter.Forget();
    MakeCurrent(0);
    ASSERT_TRUE(DeleteEnabled());

    Trigger(CommandId::PictureShow);
    PictureShowWnd* show = Commands().Show();
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(Running());
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_TRUE(show->isVisible());

    QSignalSpy steps(show, &PictureShowWnd::stepped);
    ASSERT_TRUE(steps.wait(5000));
    ASSERT_EQ(show->CurrentPhoto(), List().PhotoAtRow(0)) << "starts at the selected photo";
    Press(*show, Qt::Key_Down);
    Press(*show);

    EXPECT_FALSE(Running());
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_EQ(List().CurrentPhoto(), List().PhotoAtRow(1));
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), List().PhotoAtRow(1));
    EXPECT_TRUE(m_prompter.Texts().empty());
}

TEST_F(PictureShowCommandsTest, ANewShowReplacesTheLastWindowAndTheFlagFollowsTheNewOne)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    Trigger(CommandId::PictureShow);
    const QPointer<PictureShowWnd> first = Commands().Show();
    Press(*first);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(first.isNull()) << "kept until the next show";

    Trigger(CommandId::PictureShow);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(Running());
    Commands().Show()->close();
    EXPECT_FALSE(Running()) << "however the window goes, the show has ended";
}

} // namespace
