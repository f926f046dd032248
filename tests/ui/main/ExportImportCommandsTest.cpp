#include "MainFrameFixture.h"

#include "store/LibraryImporter.h"
#include "store/PictureStore.h"
#include "ui/browse/PhotoListModel.h"
#include "ui/main/CopyProgress.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

#include <chrono>
#include <thread>

namespace {

class ExportImportTest : public MainFrameTest {
  protected:
    void SetUp() override
    {
        OpenWithDialog(MakeLibrary("Family.pdb", kThreePhotos));
        for (const char* name : {"beach01", "garden", "pond"}) {
            for (const auto version :
                 {PictureStore::Version::FullScreen, PictureStore::Version::Thumbnail})
                WriteBytes(PictureStore::VersionPath(Folder(), version, name), name);
        }
        m_prompter.Forget();
    }
    std::vector<std::string> NamesIn(const std::string& path)
    {
        CQuilleryDoc catalog;
        catalog.ReadDatabase(path, m_prompter);
        std::vector<std::string> names;
        for (int i = 0; i < catalog.PhotoCount(); ++i)
            names.push_back(catalog.PhotoAt(i).GetFileName());
        return names;
    }

    TempDir m_other;
};

// Export takes the rows the list shows, in the order it shows them.
TEST_F(ExportImportTest, ExportWritesTheListedPhotosInListOrder)
{
    List().ShowSubset({List().PhotoAtRow(0), List().PhotoAtRow(2)});
    List().SortByColumn(kFilenameColumn);
    if (List().PhotoAtRow(0)->GetFileName() != "pond") List().SortByColumn(kFilenameColumn);
    ASSERT_EQ(Rows(), (Texts{"pond", "beach01"}));

    m_chooser.Answer(m_other.File("Out.pdb"));
    m_prompter.Answer(PromptAnswer::Ok); // create the picture folders
    Trigger(CommandId::Export);
    const FileRequest& request = m_chooser.Requests().back();
    EXPECT_EQ(request.kind, FileDialogKind::Save);
    EXPECT_TRUE(HasFlag(request.flags, FileFlag::ConfirmOverwrite));
    EXPECT_EQ(m_prompter.Texts(), Texts{kCreateQuestion});
    EXPECT_EQ(NamesIn(m_other.File("Out.pdb")), (Texts{"pond", "beach01"}));
    EXPECT_EQ(ReadBytes(PictureStore::VersionPath(m_other.Path().string(),
                                                  PictureStore::Version::Thumbnail, "pond")),
              "pond");
    EXPECT_FALSE(Lib().IsModified());
    EXPECT_TRUE(m_frame.statusBar()->currentMessage().isEmpty());
}

// A cancelled import still shows what it merged: the list is refilled, the count
// follows and the library is marked for saving.
TEST_F(ExportImportTest, ImportEndedByCancelShowsWhatWasMerged)
{
    WriteBytes(m_other.File("Other.pdb"),
               "new1|2002|||||\r\ngarden|1999|||||\r\nnew2|2003|||||\r\n");
    Library::CreatePictureFolders(m_other.Path().string());
    List().ShowSubset({List().PhotoAtRow(0)});
    m_chooser.Answer(m_other.File("Other.pdb"));
    m_prompter.Answer(PromptAnswer::Ok);     // "Unable to copy new1 ..." (it has no files): go on
    m_prompter.Answer(PromptAnswer::Ok);     // the thumbnail too
    m_prompter.Answer(PromptAnswer::Cancel); // garden is a duplicate: stop
    Trigger(CommandId::Import);
    EXPECT_EQ(m_prompter.Texts().back(), std::string(LibraryImporter::kDuplicateQuestion));
    EXPECT_EQ(List().RowCount(), 4);
    EXPECT_EQ(CountPane(), QStringLiteral("4 of 4"));
    EXPECT_TRUE(Lib().IsModified());
}

// The dialog comes up once the copy has run its delay, and its Cancel reaches the
// copy running on the worker thread while the interface thread stays in its loop.
TEST(CopyProgressTest, TheDialogComesUpAndItsCancelStopsTheCopy)
{
    QWidget window;
    CopyProgress progress(window, QStringLiteral("Export"), std::chrono::milliseconds(50));
    progress.ShowProgress("Files for beach being copied", 0, 3);
    const auto start = std::chrono::steady_clock::now();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (progress.Dialog() != nullptr && progress.Dialog()->isVisible())
            progress.Dialog()->findChild<QPushButton*>()->click();
    });
    poll.start(10);
    const auto result = progress.RunCopy([&](const std::atomic<bool>& cancel) {
        while (!cancel.load()) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10))
                return TransferHost::CopyResult::Copied;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return TransferHost::CopyResult::Cancelled;
    });
    EXPECT_EQ(result, TransferHost::CopyResult::Cancelled);
    ASSERT_NE(progress.Dialog(), nullptr);
    EXPECT_EQ(progress.Dialog()->labelText(), QStringLiteral("Files for beach being copied"));
    // A copy after the cancel stops at once.
    EXPECT_EQ(progress.RunCopy([](const std::atomic<bool>& cancel) {
        return cancel.load() ? TransferHost::CopyResult::Cancelled
                             : TransferHost::CopyResult::Copied;
    }),
              TransferHost::CopyResult::Cancelled);
}

} // namespace
