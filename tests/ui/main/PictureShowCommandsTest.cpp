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
    bool DeleteEnabled() const
    {
        return m_frame.Action(CommandId::DeleteDatabaseOnly)->isEnabled();
    }
    PhotoList& List() { return m_frame.Context().photoList; }

    void EndWithKey(PictureShowWnd& show)
    {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&show, &key);
        }
    }
};

TEST_F(PictureShowCommandsTest, AnEmptyListIsToldAndShowsNothing)
{
    OpenWithDialog(MakeLibrary("Empty.pdb", ""));
    m_prompter.Forget();
    m_frame.Action(CommandId::PictureShow)->trigger();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Picture must be selected before operation"});
    EXPECT_EQ(Commands().Show(), nullptr);
    EXPECT_FALSE(Running());
}

TEST_F(PictureShowCommandsTest, DeletesWaitWhileAShowRunsAndTheLastPhotoShownBecomesCurrent)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_prompter.Forget();
    List().SetCurrentPhoto(List().PhotoAtRow(0));
    ASSERT_TRUE(DeleteEnabled());

    m_frame.Action(CommandId::PictureShow)->trigger();
    PictureShowWnd* show = Commands().Show();
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(Running());
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_TRUE(show->isVisible());

    QSignalSpy steps(show, &PictureShowWnd::stepped);
    ASSERT_TRUE(steps.wait(5000));
    ASSERT_EQ(show->CurrentPhoto(), List().PhotoAtRow(0)) << "starts at the selected photo";
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent next(type, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(show, &next);
    }
    EndWithKey(*show);

    EXPECT_FALSE(Running());
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_EQ(List().CurrentPhoto(), List().PhotoAtRow(1));
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), List().PhotoAtRow(1));
    EXPECT_TRUE(m_prompter.Texts().empty());
}

TEST_F(PictureShowCommandsTest, ANewShowReplacesTheLastWindowAndTheFlagFollowsTheNewOne)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_frame.Action(CommandId::PictureShow)->trigger();
    const QPointer<PictureShowWnd> first = Commands().Show();
    EndWithKey(*first);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(first.isNull()) << "kept until the next show";

    m_frame.Action(CommandId::PictureShow)->trigger();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(Running());
    Commands().Show()->close();
    EXPECT_FALSE(Running()) << "however the window goes, the show has ended";
}

} // namespace
