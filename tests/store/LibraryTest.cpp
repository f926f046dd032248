#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "base/AtomicFile.h"
#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "store/LibraryLock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

class LibraryTest : public testing::Test {
protected:
    LibraryTest()
    {
        Library::CreatePictureFolders(m_dir.Path().string());
        std::ofstream(m_dir.File("Old.pdb"), std::ios::binary) << "old|1999|||||\r\n";
        EXPECT_EQ(m_library.Open(m_dir.File("Old.pdb"), m_prompter), Library::Outcome::Done);
        m_prompter.Forget();
    }

    TempDir m_dir;
    ScriptedPrompter m_prompter;
    Library m_library;
};

}  // namespace

// Whatever goes wrong while another library is being read or made, the open one stays
// as it was, and the views are never told to let go of it.
TEST_F(LibraryTest, AFailedReplacementLeavesTheOpenLibraryAlone)
{
    fs::create_directory(m_dir.File("bare"));
    std::ofstream(m_dir.File("bare/Bare.pdb")) << "bare|2001|||||\r\n";
    std::ofstream(m_dir.File("Corrupt.pdb")) << "x||a|b|c|d|\r\n";
    std::ofstream(m_dir.File("Taken.pdb")) << "taken";
    struct Case {
        const char* label;
        std::function<Library::Outcome()> run;
        Library::Outcome outcome;
    };
    const Case cases[] = {
        {"corrupt file", [&] { return m_library.Open(m_dir.File("Corrupt.pdb"), m_prompter); },
         Library::Outcome::ReadFailed},
        {"folders declined", [&] {
             m_prompter.Answer(PromptAnswer::Cancel);
             return m_library.Open(m_dir.File("bare/Bare.pdb"), m_prompter); },
         Library::Outcome::FoldersDeclined},
        {"new over an existing file", [&] { return m_library.Create(m_dir.File("Taken.pdb"), m_prompter); },
         Library::Outcome::CannotCreate},
        {"new in a missing folder", [&] { return m_library.Create(m_dir.File("none/New.pdb"), m_prompter); },
         Library::Outcome::CannotCreate},
    };
    QSignalSpy replacing(&m_library, &Library::aboutToReplace);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.run(), c.outcome);
        EXPECT_EQ(replacing.count(), 0);
        ASSERT_EQ(m_library.Catalog().PhotoCount(), 1);
        EXPECT_EQ(m_library.FileName() + m_library.Catalog().PhotoAt(0).GetFileName(), "Old.pdbold");
    }
    EXPECT_EQ(ReadBytes(m_dir.File("Taken.pdb")), "taken");
    EXPECT_FALSE(fs::exists(m_dir.File("bare/Thumbnail Pictures")));
}

// A library another program has open is offered read-only; declined, nothing changes;
// taken, it is never saved, under either name.
TEST_F(LibraryTest, ALibraryOpenElsewhereIsOfferedReadOnlyAndNeverSaved)
{
    const std::string path = m_dir.File("Old.pdb");
    Library second;
    ScriptedPrompter prompter;
    prompter.Answer(PromptAnswer::No);
    EXPECT_EQ(second.Open(path, prompter), Library::Outcome::Locked);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{
                                    "The library " + path + " is open in another Quillery.\nOpen it read-only?"});
    prompter.Answer(PromptAnswer::Yes);
    ASSERT_EQ(second.Open(path, prompter), Library::Outcome::Done);
    EXPECT_TRUE(second.IsReadOnly());
    EXPECT_EQ(second.Catalog().PhotoCount(), 1);
    second.MarkModified();
    EXPECT_FALSE(second.Save(prompter));
    EXPECT_FALSE(second.SaveAs(m_dir.File("Copy.pdb"), prompter));
    EXPECT_EQ(prompter.Texts().back(), "Old.pdb is open read-only and cannot be saved.");
    EXPECT_EQ(ReadBytes(path), "old|1999|||||\r\n");
    EXPECT_FALSE(fs::exists(m_dir.File("Copy.pdb")));
    EXPECT_FALSE(m_library.IsReadOnly());
}

// The lock lasts as long as the library is open: opened again over itself it stays
// held, and closing or replacing the library lets it go.
TEST_F(LibraryTest, TheLockGoesWithTheLibrary)
{
    const std::string path = m_dir.File("Old.pdb");
    EXPECT_TRUE(LibraryLock::Take(path).Busy());
    ASSERT_EQ(m_library.Open(path, m_prompter), Library::Outcome::Done);
    EXPECT_FALSE(m_library.IsReadOnly());
    EXPECT_TRUE(LibraryLock::Take(path).Busy());

    std::ofstream(m_dir.File("Other.pdb"));
    ASSERT_EQ(m_library.Open(m_dir.File("Other.pdb"), m_prompter), Library::Outcome::Done);
    EXPECT_TRUE(LibraryLock::Take(path).Held());
    EXPECT_TRUE(LibraryLock::Take(m_dir.File("Other.pdb")).Busy());
    m_library.Close();
    EXPECT_TRUE(LibraryLock::Take(m_dir.File("Other.pdb")).Held());
}

// Each open under the lock keeps the file as it was in NAME.pdb~, with its mode and
// time; a save leaves that copy alone, and a read-only open writes none.
TEST_F(LibraryTest, AnOpenUnderTheLockKeepsACopyOfTheFileAsItWas)
{
    const std::string path = m_dir.File("Old.pdb");
    const std::string copy = path + "~";
    EXPECT_EQ(ReadBytes(copy), "old|1999|||||\r\n");
    PhotoRecord record;
    record.SetFileName("new");
    record.SetDateText("2000");
    m_library.AddPhoto(record);
    ASSERT_TRUE(m_library.Save(m_prompter));
    const std::string saved = ReadBytes(path);
    EXPECT_EQ(ReadBytes(copy), "old|1999|||||\r\n");

    Library second;
    m_prompter.Answer(PromptAnswer::Yes);
    ASSERT_EQ(second.Open(path, m_prompter), Library::Outcome::Done);
    ASSERT_TRUE(second.IsReadOnly());
    EXPECT_EQ(ReadBytes(copy), "old|1999|||||\r\n");

    second.Close();
    m_library.Close();
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(m_library.OpenOrCreate(path, m_prompter, {}), Library::Outcome::Done);
    EXPECT_EQ(ReadBytes(copy), saved);
    EXPECT_EQ(fs::status(copy).permissions(), fs::status(path).permissions());
    EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(path));
}

// An open under the lock removes the versions a killed add staged in the picture
// folders, and only those: nothing named otherwise, no link, nothing elsewhere.
TEST_F(LibraryTest, AnOpenUnderTheLockRemovesTheVersionsAKilledAddStaged)
{
    enum class Kind { File, Link, Folder };
    const struct Case {
        const char* path;
        Kind kind;
        bool stays;
    } cases[] = {
        {"Thumbnail Pictures/.x.jpg.AbC123", Kind::File, false},
        {"Original Images/x.jpg", Kind::File, true},
        {"Original Images/.x.jpg.AbC12", Kind::File, true},
        {"Original Images/.x.png.AbC123", Kind::File, true},
        {"Original Images/x.jpg.AbC123", Kind::File, true},
        {"Original Images/.l.jpg.AbC123", Kind::Link, true},
        {"Original Images/.d.jpg.AbC123", Kind::Folder, true},
        {".x.jpg.AbC123", Kind::File, true},
    };
    WriteBytes(m_dir.File("target"), "kept");
    for (const Case& c : cases) {
        const std::string path = m_dir.File(c.path);
        if (c.kind == Kind::File) WriteBytes(path, "staged");
        if (c.kind == Kind::Link) fs::create_symlink(m_dir.File("target"), path);
        if (c.kind == Kind::Folder) fs::create_directory(path);
    }
    // A name as the add pipeline really stages it.
    AtomicFile staging;
    ASSERT_TRUE(staging.Create(m_dir.File("Full Screen Pictures/y.jpg")));
    const std::string staged = staging.TemporaryPath();
    staging.Discard();
    WriteBytes(staged, "staged");

    Library second;
    m_prompter.Answer(PromptAnswer::Yes);
    ASSERT_EQ(second.Open(m_dir.File("Old.pdb"), m_prompter), Library::Outcome::Done);
    EXPECT_TRUE(Exists(staged)) << "read-only removes nothing";
    second.Close();

    ASSERT_EQ(m_library.Open(m_dir.File("Old.pdb"), m_prompter), Library::Outcome::Done);
    for (const Case& c : cases)
        EXPECT_EQ(Exists(m_dir.File(c.path)), c.stays) << c.path;
    EXPECT_FALSE(Exists(staged)) << staged;
    EXPECT_EQ(ReadBytes(m_dir.File("target")), "kept");
}
