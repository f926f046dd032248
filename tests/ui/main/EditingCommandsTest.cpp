#include "MainFrameFixture.h"

#include "ui/editing/PhotoEditingPropertySheet.h"
#include "ui/editing/RotatePage.h"

#include <QImage>

namespace {

// Without a current photo the editing commands refuse; DeleteCopyTest covers that.
TEST_F(MainFrameTest, AnEditShowsInTheViewAtOnce)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    QImage picture(640, 480, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(FullScreenPath("garden"))));
    m_prompter.Forget();
    ASSERT_EQ(MakeCurrent(1)->GetFileName(), "garden");
    m_dialogs.Then<PhotoEditingPropertySheet>([](PhotoEditingPropertySheet& sheet) {
        sheet.show();
        sheet.Rotate().OnRotateLeft();
        sheet.accept();
    });
    Trigger(CommandId::EditCurrentPhoto);
    EXPECT_TRUE(m_dialogs.Done());
    const PictureView& view = m_frame.Context().pictureView;
    EXPECT_EQ(view.PhotoShown(), List().CurrentPhoto());
    EXPECT_EQ(QSize(view.PictureWidth(), view.PictureHeight()), QSize(450, 600)) << "the turned picture";
    EXPECT_EQ(QImage(QString::fromStdString(FullScreenPath("garden"))).size(), QSize(450, 600));

    // No original and no high-resolution version: told so, and no sheet runs.
    Trigger(CommandId::EditOriginalPhoto);
    EXPECT_EQ(m_prompter.Texts(), Texts{"Neither the original or high resolution version of photo can be found"});
    EXPECT_TRUE(m_dialogs.Done());
}

} // namespace
