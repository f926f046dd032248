#include "MainFrameFixture.h"

#include <QDir>
#include <QMenu>

namespace fs = std::filesystem;

TEST_F(MainFrameTest, NewCreatesTheFoldersAndAnEmptyDatabaseButNotOverALibrary)
{
    m_chooser.Answer(Path("Family.pdb"));
    m_frame.Files().OnFileNew();
    EXPECT_EQ(m_prompter.Texts(), Texts{kCreateQuestion});
    EXPECT_TRUE(Library::PictureFoldersExist(Folder()));
    EXPECT_EQ(ReadBytes(Path("Family.pdb")), "");
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
    EXPECT_EQ(m_recentFiles.Entries(), Texts{Path("Family.pdb")});

    OpenWithDialog(MakeLibrary("Old.pdb"));
    m_prompter.Forget();
    m_chooser.Answer(Path("Old.pdb"));
    m_frame.Files().OnFileNew();
    EXPECT_EQ(m_prompter.Texts(), Texts{"File name already exist, cannot be used for new Photo Library"});
    EXPECT_EQ(ReadBytes(Path("Old.pdb")), kTwoPhotos);
}

TEST_F(MainFrameTest, DecliningThePictureFoldersEndsTheProgram)
{
    m_chooser.Answer(Path("Family.pdb"));
    m_prompter.Answer(PromptAnswer::Cancel);
    m_frame.Files().OnFileNew();
    EXPECT_EQ(m_prompter.Texts(),
              (Texts{kCreateQuestion,
                     "No operations can be performed without directories,\n Application being terminated"}));
    EXPECT_TRUE(m_frame.HasClosed());
    EXPECT_FALSE(fs::exists(Path("Full Screen Pictures")));
}

namespace {

enum class Step { New, Open, Save, SaveAs, CloseYes };

class ModifiedLibrary : public MainFrameTest, public testing::WithParamInterface<Step> {
protected:
    void SetUp() override { OpenModifiedFamily(); }

    void Do(Step step)
    {
        switch (step) {
        case Step::New: m_chooser.Answer(Path("New.pdb")); m_frame.Files().OnFileNew(); break;
        case Step::Open: OpenWithDialog(MakeLibrary("Two.pdb", "")); break;
        case Step::Save: m_frame.Files().OnFileSave(); break;
        case Step::SaveAs: m_chooser.Answer(Path("Family.pdb")); m_frame.Files().OnFileSaveAs(); break;
        case Step::CloseYes: m_prompter.Answer(PromptAnswer::Yes); m_frame.close(); break;
        }
    }
};

const char* const kStepNames[] = {"New", "Open", "Save", "SaveAs", "CloseYes"};

}  // namespace

TEST_P(ModifiedLibrary, IsWrittenFirst)
{
    Do(GetParam());
    EXPECT_NE(ReadBytes(Path("Family.pdb")).find("added|1/02/2003|"), std::string::npos);
    EXPECT_FALSE(Lib().Catalog().IsModified());
    EXPECT_FALSE(fs::exists(Path("Family.bak")));
    EXPECT_EQ(m_frame.HasClosed(), GetParam() == Step::CloseYes);
}

// When the database cannot be written nothing is lost: the change and the file on
// disk stay, and the command goes no further.
TEST_P(ModifiedLibrary, FailedWriteKeepsEverything)
{
    WriteBytes(Path("Family.bak"), "in the way");  // the writer cannot move the database aside
    m_prompter.Forget();
    Do(GetParam());
    ASSERT_FALSE(m_prompter.Texts().empty());
    EXPECT_EQ(m_prompter.Texts().back(), "Error writing output file #4");
    EXPECT_EQ(m_chooser.Requests().size(), GetParam() == Step::SaveAs ? 2u : 1u)
        << "no file dialog after the failure";
    EXPECT_EQ(ReadBytes(Path("Family.pdb")), kTwoPhotos);
    EXPECT_EQ(std::pair(Lib().Catalog().IsModified(), Lib().Catalog().PhotoCount()), std::pair(true, 3));
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
    EXPECT_FALSE(m_frame.HasClosed());
}

INSTANTIATE_TEST_SUITE_P(Writes, ModifiedLibrary,
                         testing::Values(Step::New, Step::Open, Step::Save, Step::SaveAs, Step::CloseYes),
                         [](const auto& step) { return kStepNames[static_cast<int>(step.param)]; });

// Open reads the library and the next file dialog starts in its folder; Save As there
// renames the library.
TEST_F(MainFrameTest, OpenReadsTheLibraryAndSaveAsInItsFolderRenamesIt)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    EXPECT_EQ(CountPane(), QStringLiteral("2 of 2"));
    m_chooser.Cancel();
    m_frame.Files().OnFileOpen();
    EXPECT_EQ(m_chooser.Requests().at(1).directory, Folder());

    m_chooser.Answer(Path("Copy.pdb"));
    m_frame.Files().OnFileSaveAs();
    EXPECT_TRUE(HasFlag(m_chooser.Requests().at(2).flags, FileFlag::ConfirmOverwrite));
    EXPECT_EQ(ReadBytes(Path("Copy.pdb")), kTwoPhotos);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Copy.pdb"));
}

TEST_F(MainFrameTest, OpenOfACorruptFileLeavesNoLibrary)
{
    OpenWithDialog(MakeLibrary("Good.pdb"));
    OpenWithDialog(MakeLibrary("Bad.pdb", "x||a|b|c|d|\r\n"));
    EXPECT_EQ(m_prompter.Texts(), (Texts{"Database format error - No Date",
                                         "Unable to open Photo Library, possibly corrupted file"}));
    EXPECT_FALSE(Lib().IsOpen());
    EXPECT_FALSE(m_frame.Action(CommandId::FileSave)->isEnabled());
}

TEST_F(MainFrameTest, OpenByNameShowsTheNameWithoutExtension)
{
    MakeLibrary("Family.Album.pdb");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Folder())));
    m_frame.Files().OpenLibraryByName("Family.Album.pdb");
    QDir::setCurrent(previous);
    EXPECT_TRUE(m_prompter.Texts().empty()) << "no question about picture folders";
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.Album"));
    EXPECT_EQ(Lib().Directory(), Folder());
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenuAndOpenByName)
{
    const std::string first = MakeLibrary("First.pdb"), second = MakeLibrary("Second.pdb");
    OpenWithDialog(first);
    OpenWithDialog(second);
    EXPECT_FALSE(m_frame.Action(CommandId::RecentFile)->isVisible());

    QMenu* menu = nullptr;  // the File menu
    for (QObject* owner : m_frame.Action(CommandId::FileNew)->associatedObjects())
        menu = menu ? menu : qobject_cast<QMenu*>(owner);
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto entry = std::ranges::find(actions, "&2 " + QString::fromStdString(first), &QAction::text);
    ASSERT_NE(entry, actions.end()) << "the File menu lists " << first << " second";
    (*entry)->trigger();
    EXPECT_EQ(Title(), QStringLiteral("Quillery - First"));
    EXPECT_EQ(m_recentFiles.Entries(), (Texts{first, second}));
}
