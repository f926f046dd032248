#include "MainFrameFixture.h"

#include "store/PictureStore.h"
#include "ui/editing/PhotoEditingPropertySheet.h"
#include "ui/editing/RotatePage.h"

#include <QImage>

namespace {

using Version = PictureStore::Version;

class EditingCommandsTest : public MainFrameTest {
  protected:
    void SetUp() override
    {
        OpenWithDialog(MakeLibrary("Family.pdb"));
        QImage picture(640, 480, QImage::Format_RGB888);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(QString::fromStdString(FullScreen())));
        m_prompter.Forget();
    }
    std::string FullScreen() const
    {
        return PictureStore::VersionPath(Folder(), Version::FullScreen, "garden");
    }
    void Trigger(CommandId id)
    {
        m_frame.Action(id)->setEnabled(true); // as the context menu's key reaches it
        m_frame.Action(id)->trigger();
    }
};

TEST_F(EditingCommandsTest, WithoutACurrentPhotoNothingOpens)
{
    Trigger(CommandId::EditCurrentPhoto);
    Trigger(CommandId::EditOriginalPhoto);
    EXPECT_EQ(m_prompter.Texts(), (Texts{"Picture must be selected before operation",
                                         "Picture must be selected before operation"}));
    EXPECT_TRUE(m_dialogs.Done());
}

TEST_F(EditingCommandsTest, AnEditShowsInTheViewAtOnce)
{
    PhotoList& list = m_frame.Context().photoList;
    list.SetCurrentPhoto(list.PhotoAtRow(1));
    ASSERT_EQ(list.CurrentPhoto()->GetFileName(), "garden");
    m_dialogs.Then<PhotoEditingPropertySheet>([](PhotoEditingPropertySheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Picture Editing"));
        sheet.show();
        sheet.Rotate().OnRotateLeft();
        sheet.accept();
    });
    Trigger(CommandId::EditCurrentPhoto);
    EXPECT_TRUE(m_dialogs.Done());
    const PictureView& view = m_frame.Context().pictureView;
    EXPECT_EQ(view.PhotoShown(), list.CurrentPhoto());
    EXPECT_EQ(QSize(view.PictureWidth(), view.PictureHeight()), QSize(450, 600))
        << "the turned picture";
    QImage written(QString::fromStdString(FullScreen()));
    EXPECT_EQ(written.size(), QSize(450, 600));

    // No original and no high-resolution version: told so, and no sheet runs.
    Trigger(CommandId::EditOriginalPhoto);
    EXPECT_EQ(m_prompter.Texts(),
              Texts{"Neither the original or high resolution version of photo can be found"});
    EXPECT_TRUE(m_dialogs.Done());
}

} // namespace
