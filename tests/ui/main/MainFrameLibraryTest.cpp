#include "MainFrameFixture.h"

#include "ui/browse/PhotoList.h"

#include <QDir>
#include <QLabel>
#include <QMenu>

using Texts = std::vector<std::string>;
namespace fs = std::filesystem;

TEST_F(MainFrameTest, NewCreatesTheDirectoriesAndAnEmptyDatabase)
{
    m_chooser.Answer(Path("Family.pdb"));
    m_frame.OnFileNew();

    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    const FileRequest& request = m_chooser.Requests()[0];
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_EQ(request.title, "Enter name for the new photo Library");
    EXPECT_EQ(request.defaultSuffix, "pdb");
    EXPECT_FALSE(HasFlag(request.flags, FileFlag::MustExist));

    EXPECT_EQ(m_prompter.Texts(), Texts{kCreateQuestion});
    EXPECT_TRUE(HasPictureDirectories(Folder()));
    ASSERT_TRUE(fs::exists(Path("Family.pdb")));
    EXPECT_EQ(fs::file_size(Path("Family.pdb")), 0u);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
    EXPECT_TRUE(m_frame.HasLibrary());
    EXPECT_EQ(m_frame.LibraryDirectory(), Folder());
    EXPECT_EQ(m_frame.LibraryFileName(), "Family.pdb");
    EXPECT_EQ(m_frame.Catalog().GetPath(), Path("Family.pdb"));
    EXPECT_FALSE(m_frame.Catalog().IsUntitled());
    EXPECT_FALSE(m_frame.Catalog().IsModified());
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("0 of 0"));
    EXPECT_EQ(m_recentFiles.Entries(), Texts{Path("Family.pdb")});
}

TEST_F(MainFrameTest, NewRefusesAnExistingFileAndChangesNothing)
{
    const std::string existing = MakeLibrary("Old.pdb");
    OpenWithDialog(existing);
    m_prompter.Forget();

    m_chooser.Answer(existing);
    m_frame.OnFileNew();
    EXPECT_EQ(m_prompter.Texts(), Texts{"File name already exist, cannot be used for new Photo Library"});
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Old.pdb"));
    EXPECT_EQ(m_frame.Catalog().PhotoCount(), 2);
    EXPECT_EQ(ReadFile(existing), kTwoPhotos);
}

TEST_F(MainFrameTest, NewRefusesAMissingDirectory)
{
    m_chooser.Answer(Path("nowhere/New.pdb"));
    m_frame.OnFileNew();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Directory path specified does not exist"});
    EXPECT_FALSE(m_frame.HasLibrary());
    EXPECT_EQ(Title(), QStringLiteral("Quillery"));
    EXPECT_FALSE(fs::exists(Path("nowhere")));
}

TEST_F(MainFrameTest, NewCancelledDoesNothing)
{
    m_chooser.Cancel();
    m_frame.OnFileNew();
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_FALSE(m_frame.HasLibrary());
}

TEST_F(MainFrameTest, DecliningTheDirectoriesEndsTheProgram)
{
    m_chooser.Answer(Path("Family.pdb"));
    m_prompter.Answer(PromptAnswer::Cancel);
    m_frame.OnFileNew();
    EXPECT_EQ(m_prompter.Texts(),
              (Texts{kCreateQuestion,
                     "No operations can be performed without directories,\n Application being terminated"}));
    EXPECT_TRUE(m_frame.HasClosed());
    EXPECT_FALSE(fs::exists(Path("Full Screen Pictures")));
}

TEST_F(MainFrameTest, NewSavesTheModifiedLibraryFirst)
{
    OpenWithDialog(MakeLibrary("Old.pdb"));
    AddUnsavedPhoto("added");
    m_chooser.Answer(Path("New.pdb"));
    m_frame.OnFileNew();
    EXPECT_NE(ReadFile(Path("Old.pdb")).find("added|1/02/2003|"), std::string::npos);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - New.pdb"));
    EXPECT_EQ(m_frame.Catalog().PhotoCount(), 0);
}

TEST_F(MainFrameTest, NewStopsWhenSavingTheModifiedLibraryFails)
{
    OpenWithDialog(MakeLibrary("Old.pdb"));
    AddUnsavedPhoto("added");
    WriteFile(Path("Old.bak"), "in the way");  // the writer cannot move the database aside
    m_prompter.Forget();
    m_chooser.Answer(Path("New.pdb"));
    m_frame.OnFileNew();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Error writing output file #4"});
    EXPECT_TRUE(m_chooser.Requests().size() == 1u) << "the New dialog must not open";
    EXPECT_EQ(m_frame.Catalog().PhotoCount(), 3) << "the unsaved photo stays";
    EXPECT_TRUE(m_frame.Catalog().IsModified());
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Old.pdb"));
}

TEST_F(MainFrameTest, OpenReadsTheLibrary)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    const FileRequest& request = m_chooser.Requests().at(0);
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_TRUE(request.title.empty());
    EXPECT_TRUE(HasFlag(request.flags, FileFlag::MustExist));
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("2 of 2"));
    EXPECT_EQ(m_frame.GetPhotoList()->RowCount(), 2);
    EXPECT_EQ(m_frame.GetPhotoList()->CurrentPhoto(), nullptr);
    EXPECT_FALSE(m_frame.Catalog().IsModified());
    EXPECT_EQ(m_recentFiles.Entries(), Texts{Path("Family.pdb")});
}

TEST_F(MainFrameTest, OpenStartsInTheLibraryDirectory)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_chooser.Cancel();
    m_frame.OnFileOpen();
    EXPECT_EQ(m_chooser.Requests().at(1).directory, Folder());
}

TEST_F(MainFrameTest, OpenRecreatesMissingPictureDirectories)
{
    const std::string library = MakeLibrary("Family.pdb");
    fs::remove_all(Folder() + "/Thumbnail Pictures");
    OpenWithDialog(library);
    EXPECT_EQ(m_prompter.Texts(), Texts{kCreateQuestion});
    EXPECT_TRUE(HasPictureDirectories(Folder()));
    EXPECT_TRUE(m_frame.HasLibrary());
}

TEST_F(MainFrameTest, OpenOfACorruptFileLeavesNoLibrary)
{
    OpenWithDialog(MakeLibrary("Good.pdb"));
    const std::string bad = MakeLibrary("Bad.pdb", "x||a|b|c|d|\r\n");
    OpenWithDialog(bad);
    EXPECT_EQ(m_prompter.Texts(), (Texts{"Database format error - No Date",
                                         "Unable to open Photo Library, possibly corrupted file"}));
    EXPECT_EQ(m_prompter.Messages().at(0).caption, bad) << "the reader's caption is the path";
    EXPECT_EQ(m_prompter.Messages().at(1).caption, "Quillery");
    EXPECT_FALSE(m_frame.HasLibrary());
    EXPECT_EQ(m_frame.Catalog().PhotoCount(), 0);
    EXPECT_EQ(m_frame.GetPhotoList()->RowCount(), 0);
    EXPECT_FALSE(Enabled(CommandId::FileSave));
    EXPECT_FALSE(Enabled(CommandId::FilterByDate));
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("0 of 0"));
}

TEST_F(MainFrameTest, OpenSavesTheModifiedLibraryFirst)
{
    OpenWithDialog(MakeLibrary("One.pdb"));
    AddUnsavedPhoto("added");
    WriteFile(Path("Two.pdb"), "");
    OpenWithDialog(Path("Two.pdb"));
    EXPECT_NE(ReadFile(Path("One.pdb")).find("added|"), std::string::npos);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Two.pdb"));
}

TEST_F(MainFrameTest, OpenByNameShowsTheNameWithoutExtension)
{
    m_frame.OpenLibraryByName(MakeLibrary("Family.Album.pdb"));
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.Album"));
    EXPECT_EQ(m_frame.LibraryFileName(), "Family.Album.pdb");
    EXPECT_EQ(m_frame.LibraryDirectory(), Folder());
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("2 of 2"));
    EXPECT_EQ(m_recentFiles.Entries(), Texts{Path("Family.Album.pdb")});
}

TEST_F(MainFrameTest, OpenByNameOfARelativePathUsesTheWorkingDirectory)
{
    MakeLibrary("Samples.pdb");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Folder())));
    m_frame.OpenLibraryByName("Samples.pdb");
    QDir::setCurrent(previous);
    EXPECT_TRUE(m_prompter.Texts().empty()) << "the pictures are beside the file, not at the root";
    EXPECT_EQ(m_frame.LibraryDirectory(), Folder());
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Samples"));
}

TEST_F(MainFrameTest, OpenByNameOfAMissingFileShowsOnlyTheReadersMessage)
{
    m_frame.OpenLibraryByName(Path("Samples.pdb"));
    EXPECT_EQ(m_prompter.Texts(), Texts{"Unable to open file"});
    EXPECT_FALSE(m_frame.HasLibrary());
    EXPECT_EQ(Title(), QStringLiteral("Quillery"));
    EXPECT_TRUE(m_recentFiles.Entries().empty());
}

TEST_F(MainFrameTest, SaveWritesTheCatalog)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    m_frame.OnFileSave();
    EXPECT_FALSE(m_frame.Catalog().IsModified());
    EXPECT_NE(ReadFile(Path("Family.pdb")).find("added|1/02/2003|"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("Family.bak")));
}

TEST_F(MainFrameTest, AFailedSaveKeepsTheLibraryModified)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    WriteFile(Path("Family.bak"), "in the way");
    m_frame.OnFileSave();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Error writing output file #4"});
    EXPECT_TRUE(m_frame.Catalog().IsModified());
    EXPECT_EQ(ReadFile(Path("Family.pdb")), kTwoPhotos);
}

TEST_F(MainFrameTest, SaveAsInTheSameDirectoryRenamesTheLibrary)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_chooser.Answer(Path("Copy.pdb"));
    m_frame.OnFileSaveAs();
    const FileRequest& request = m_chooser.Requests().at(1);
    EXPECT_EQ(request.kind, FileDialogKind::Save);
    EXPECT_EQ(request.fileName, "Family.pdb");
    EXPECT_EQ(request.directory, Folder());
    EXPECT_TRUE(HasFlag(request.flags, FileFlag::ConfirmOverwrite));

    EXPECT_EQ(ReadFile(Path("Copy.pdb")), kTwoPhotos);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Copy.pdb"));
    EXPECT_EQ(m_frame.LibraryFileName(), "Copy.pdb");

    AddUnsavedPhoto("later");
    m_frame.OnFileSave();
    EXPECT_NE(ReadFile(Path("Copy.pdb")).find("later|"), std::string::npos);
    EXPECT_EQ(ReadFile(Path("Family.pdb")), kTwoPhotos);
}

TEST_F(MainFrameTest, SaveAsRefusesAnotherDirectory)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    fs::create_directory(Folder() + "/elsewhere");
    m_chooser.Answer(Folder() + "/elsewhere/Family.pdb");
    m_frame.OnFileSaveAs();
    EXPECT_EQ(m_prompter.Texts(), Texts{"The directory for Quillery cannot be changed.\n Use export to move to another location."});
    EXPECT_FALSE(fs::exists(Folder() + "/elsewhere/Family.pdb"));
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
}

TEST_F(MainFrameTest, AFailedSaveAsKeepsTheOldNameAndTheFileOnDisk)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    WriteFile(Path("Family.bak"), "in the way");
    m_chooser.Answer(Path("Family.pdb"));
    m_frame.OnFileSaveAs();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Error writing output file #4"});
    EXPECT_EQ(ReadFile(Path("Family.pdb")), kTwoPhotos) << "the library on disk must survive";
    EXPECT_TRUE(m_frame.Catalog().IsModified());
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
}

TEST_F(MainFrameTest, SaveAsCancelledWritesNothing)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_chooser.Cancel();
    m_frame.OnFileSaveAs();
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_EQ(fs::directory_iterator(Folder()) == fs::directory_iterator(), false);
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb"));
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenuAndOpenByName)
{
    const std::string first = MakeLibrary("First.pdb");
    const std::string second = MakeLibrary("Second.pdb");
    OpenWithDialog(first);
    OpenWithDialog(second);
    EXPECT_EQ(m_recentFiles.Entries(), (Texts{second, first}));
    EXPECT_FALSE(m_frame.Action(CommandId::RecentFile)->isVisible());

    QMenu* fileMenu = nullptr;
    for (QObject* owner : m_frame.Action(CommandId::FileNew)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner); menu && menu->title() == QStringLiteral("&File")) fileMenu = menu;
    }
    ASSERT_NE(fileMenu, nullptr);
    QAction* firstEntry = nullptr;
    QStringList texts;
    for (QAction* action : fileMenu->actions()) {
        texts << action->text();
        if (action->text().startsWith(QStringLiteral("&2 "))) firstEntry = action;
    }
    ASSERT_NE(firstEntry, nullptr) << texts.join(u'|').toStdString();
    EXPECT_EQ(firstEntry->text(), QStringLiteral("&2 ") + QString::fromStdString(first));
    firstEntry->trigger();
    EXPECT_EQ(Title(), QStringLiteral("Quillery - First"));
    EXPECT_EQ(m_recentFiles.Entries(), (Texts{first, second}));
}

TEST_F(MainFrameTest, TheRecentListSurvivesARestart)
{
    OpenWithDialog(MakeLibrary("First.pdb"));
    RecentFileList again(m_settingsFile.Path().toStdString());
    MainFrame restarted(m_prompter, m_chooser, m_settingsFile.Settings(), again);
    EXPECT_FALSE(restarted.Action(CommandId::RecentFile)->isVisible());
}
