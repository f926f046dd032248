#include "MainFrameFixture.h"
#include "PictureFiles.h"

#include "ui/dialogs/ClipboardPicture.h"
#include "ui/dialogs/CopyToClipboardDialog.h"
#include "ui/main/CommandState.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRadioButton>

namespace {

class DeleteCopyTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        OpenWithDialog(MakeLibrary("Family.pdb", kThreePhotos));
        m_prompter.Forget();
    }
    int FilesOf(const std::string& name) const { return PictureFiles::Count(Folder(), name); }
    void WriteFiles(const std::string& name) { PictureFiles::Write(Folder(), name); }
};

TEST_F(DeleteCopyTest, DatabaseOnlyTakesTheCurrentPhotoOfSeveralSelectedAndKeepsFiles)
{
    WriteFiles("garden");
    MakeCurrent(1);
    List().selectAll();
    Trigger(CommandId::DeleteDatabaseOnly);
    EXPECT_EQ(m_prompter.Texts(),
              Texts{"Confirm delete of garden database record but not the associated picture files"});
    EXPECT_EQ(m_prompter.Messages()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(Rows(), (Texts{"beach01", "pond"}));
    EXPECT_EQ(CountPane(), QStringLiteral("2 of 2"));
    EXPECT_EQ(FilesOf("garden"), 4);
    EXPECT_TRUE(Lib().IsModified()) << "marked only, saved later";
    EXPECT_EQ(ReadBytes(Path("Family.pdb")), kThreePhotos);
}

TEST_F(DeleteCopyTest, DatabaseAndFilesSavesAndDeletesThePictures)
{
    WriteFiles("garden");
    WriteFiles("pond");
    MakeCurrent(1);
    Trigger(CommandId::DeleteDatabaseAndFiles);
    EXPECT_EQ(m_prompter.Texts(),
              Texts{"Confirm delete of garden database record and all of the associated picture files"});
    EXPECT_EQ(FilesOf("garden"), 0);
    EXPECT_EQ(FilesOf("pond"), 4);
    EXPECT_FALSE(Lib().IsModified());
    EXPECT_EQ(ReadBytes(Path("Family.pdb")).find("garden"), std::string::npos);
}

// Reached by their keys without a current photo, the commands on it refuse before any
// dialog: the deletes, copy, print and the editing sheets.
TEST_F(DeleteCopyTest, NothingIsDoneToAPhotoWhenCancelledDuringAShowOrWithoutACurrentPhoto)
{
    WriteFiles("garden");
    MakeCurrent(1);
    m_prompter.Answer(PromptAnswer::Cancel);
    Trigger(CommandId::DeleteDatabaseAndFiles);
    m_frame.Context().state.SetPictureShowRunning(true);
    m_frame.Action(CommandId::DeleteDatabaseOnly)->setEnabled(true);  // as the key reaches it
    Trigger(CommandId::DeleteDatabaseOnly);
    m_frame.Context().state.SetPictureShowRunning(false);
    List().SetCurrentPhoto(nullptr);
    for (const CommandId id : {CommandId::DeleteDatabaseOnly, CommandId::PrintImage, CommandId::EditCurrentPhoto,
                               CommandId::EditOriginalPhoto, CommandId::Copy}) {
        m_frame.Action(id)->setEnabled(true);
        Trigger(id);
    }
    EXPECT_EQ(m_prompter.Texts(),
              (Texts{"Confirm delete of garden database record and all of the associated picture files",
                     "Picture must be selected before operation", "Picture must be selected before operation",
                     "Picture must be selected before operation", "Picture must be selected before operation",
                     "No photo has been selected, cannot copy to clipboard"}));
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(FilesOf("garden"), 4);
    EXPECT_TRUE(m_dialogs.Done());
}

// Every size comes from the full-screen file, enlarged where the box is bigger, and
// the dialog always opens on "Thumbnail" whatever was picked before.
TEST_F(DeleteCopyTest, CopyPutsThePictureFittedIntoTheChosenBox)
{
    const struct {
        QSize file;
        int button;
        QSize copied;
    } cases[] = {{{800, 533}, 1027, {300, 199}}, {{640, 480}, 1030, {800, 600}}, {{800, 600}, 1026, {133, 100}}};
    MakeCurrent(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QImage file(c.file, QImage::Format_RGB32);
        file.fill(Qt::darkCyan);
        ASSERT_TRUE(file.save(QString::fromStdString(FullScreenPath("beach01")), "JPEG"));
        for (int run = 0; run < 2; ++run) {
            m_dialogs.Then<CopyToClipboardDialog>([&](CopyToClipboardDialog& dialog) {
                EXPECT_TRUE(dialog.SizeButton(1026)->isChecked());
                dialog.SizeButton(c.button)->click();
                dialog.accept();
            });
            QGuiApplication::clipboard()->clear();
            Trigger(CommandId::Copy);
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(QImage::fromData(data->data(ClipboardPicture::kPngType), "PNG").size(), c.copied);
            EXPECT_EQ(QImage::fromData(data->data(ClipboardPicture::kBmpType), "BMP").size(), c.copied);
            EXPECT_TRUE(data->data(ClipboardPicture::kSvgType).contains("<desc>Created by Quillery</desc>"));
        }
    }
    EXPECT_TRUE(m_prompter.Texts().empty());
}

TEST_F(DeleteCopyTest, AMissingFullScreenFileIsToldAndTheClipboardKept)
{
    auto* old = new QMimeData;
    old->setText(QStringLiteral("before"));
    QGuiApplication::clipboard()->setMimeData(old);
    MakeCurrent(0);
    m_dialogs.Then<CopyToClipboardDialog>([](CopyToClipboardDialog& dialog) { dialog.accept(); });
    Trigger(CommandId::Copy);
    EXPECT_EQ(m_prompter.Texts(),
              Texts{"Unable to read the full screen picture " +
                    FullScreenPath("beach01") + "\nNothing was copied to the clipboard"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

}  // namespace
