#include "FileSizeLimit.h"
#include "TransferFixture.h"

#include "store/LibraryExporter.h"
#include "store/PictureCopier.h"

#include <gtest/gtest.h>

namespace {

using Outcome = LibraryExporter::Outcome;

class LibraryExporterTest : public testing::Test {
  protected:
    LibraryExporterTest()
    {
        Library::CreatePictureFolders(m_other.Path().string());
        m_a = &m_lib.Add("a", 1, 2, 2001, {"Smith, Ann"}, {"Party"});
        m_b = &m_lib.Add("b", 0, 0, 2002, {"Brown, Bob", "Smith, Ann"}, {}, {"Spain, Madrid"});
        m_c = &m_lib.Add("c", 0, 0, 2003);
        for (const char* name : {"a", "b", "c"})
            WriteVersions(m_lib.Directory(), name);
    }
    Outcome Export(const std::vector<const PhotoRecord*>& photos, const std::string& target)
    {
        return LibraryExporter::Export(m_lib.GetLibrary(), photos, target, m_lib.Prompter(),
                                       m_host);
    }
    std::string Target() const { return m_other.File("Out.pdb"); }

    TestLibrary m_lib;
    TempDir m_other;
    RecordingHost m_host;
    const PhotoRecord* m_a = nullptr;
    const PhotoRecord* m_b = nullptr;
    const PhotoRecord* m_c = nullptr;
};

// The list's order (a sort, a filter) is the new library's order; the names keep
// their meaning through the ids, and the optional versions pass without a word.
TEST_F(LibraryExporterTest, WritesTheGivenPhotosInTheirOrderWithTheirFilesAndNames)
{
    ASSERT_EQ(Export({m_c, m_b}, Target()), Outcome::Done);
    EXPECT_EQ(FileNamesIn(Target()), (std::vector<std::string>{"c", "b"}));
    CQuilleryDoc back;
    back.ReadDatabase(Target(), m_lib.Prompter());
    EXPECT_EQ(back.NamesText(NameKind::Persons, back.PhotoAt(1)), "Bob Brown, Ann Smith");
    EXPECT_EQ(back.NamesText(NameKind::Locations, back.PhotoAt(1)), "Madrid Spain");
    EXPECT_EQ(VersionBytes(m_other.Path().string(), "b", Version::HighRes),
              "b@High Resolution Images");
    EXPECT_FALSE(Exists(PictureStore::VersionPath(m_other.Path().string(), Version::FullScreen, "a")));
    EXPECT_EQ(m_host.progress,
              (std::vector<std::string>{"Files for c being copied", "Files for b being copied"}));
    EXPECT_TRUE(m_host.cleared);
    EXPECT_TRUE(m_lib.Prompter().Messages().empty());
    EXPECT_EQ(m_lib.Catalog().PhotoCount(), 3);
}

TEST_F(LibraryExporterTest, IntoTheOpenLibrarysFolderWritesOnlyTheDatabase)
{
    const std::string target = m_lib.File("Part.pdb");
    ASSERT_EQ(Export({m_a}, target), Outcome::Done);
    EXPECT_EQ(FileNamesIn(target), std::vector<std::string>{"a"});
    EXPECT_EQ(m_host.calls, 0);
}

TEST_F(LibraryExporterTest, OntoTheOpenLibrarysOwnFileIsRefused)
{
    ASSERT_TRUE(m_lib.GetLibrary().Save(m_lib.Prompter()));
    const std::string before = ReadBytes(m_lib.DatabasePath());
    EXPECT_EQ(Export({m_a}, m_lib.Directory() + "/./Test.pdb"), Outcome::OwnDatabase);
    EXPECT_EQ(m_lib.Prompter().Texts(),
              std::vector<std::string>{std::string(LibraryExporter::kOwnDatabaseMessage)});
    EXPECT_EQ(ReadBytes(m_lib.DatabasePath()), before);
}

TEST_F(LibraryExporterTest, DecliningTheFoldersStopsTheExportAndWritesNothing)
{
    TempDir bare;
    m_lib.Prompter().Answer(PromptAnswer::Cancel);
    EXPECT_EQ(Export({m_a}, bare.File("Out.pdb")), Outcome::FoldersDeclined);
    EXPECT_TRUE(Entries(bare.Path()).empty());
}

// An existing library under the chosen name stays as it was until the export is
// written whole: a copy failure answered with Cancel, a cancel during a copy and a
// full disk all leave its bytes. No half picture stands under a real name.
TEST_F(LibraryExporterTest, AStoppedExportLeavesAnExistingLibraryAsItWas)
{
    ASSERT_EQ(Export({m_a}, Target()), Outcome::Done);
    const std::string before = ReadBytes(Target());
    const std::string folder = (m_other.Path() / "Full Screen Pictures").string();

    std::filesystem::remove(m_lib.VersionPath(Version::FullScreen, "b"));
    m_lib.Prompter().Answer(PromptAnswer::Cancel);
    EXPECT_EQ(Export({m_a, m_b, m_c}, Target()), Outcome::Cancelled);
    EXPECT_EQ(m_lib.Prompter().Texts().back(), "Unable to copy b to Full Screen Pictures directory");
    EXPECT_EQ(m_host.progress.back(), "Files for b being copied");
    EXPECT_EQ(ReadBytes(Target()), before);

    m_host.cancelAtCall = m_host.calls + 1;
    EXPECT_EQ(Export({m_c}, Target()), Outcome::Cancelled);
    EXPECT_EQ(ReadBytes(Target()), before);
    EXPECT_FALSE(Exists(PictureStore::VersionPath(m_other.Path().string(), Version::FullScreen, "c")));

    WriteBytes(m_lib.VersionPath(Version::FullScreen, "c"), std::string(100000, 'x'));
    {
        const FileSizeLimit full(50000);
        m_lib.Prompter().Answer(PromptAnswer::Cancel);
        EXPECT_EQ(Export({m_c}, Target()), Outcome::Cancelled);
    }
    EXPECT_EQ(m_lib.Prompter().Texts().back(), "Unable to copy c to Full Screen Pictures directory");
    EXPECT_EQ(ReadBytes(Target()), before);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"a.jpg"});
}

// OK after a failed copy goes on with the next file and the next photo.
TEST_F(LibraryExporterTest, OkAfterAFailedCopyGoesOn)
{
    std::filesystem::remove(m_lib.VersionPath(Version::Thumbnail, "a"));
    ASSERT_EQ(Export({m_a, m_b}, Target()), Outcome::Done);
    EXPECT_EQ(m_lib.Prompter().Texts(),
              std::vector<std::string>{"Unable to copy a to Thumbnail Pictures directory"});
    EXPECT_EQ(VersionBytes(m_other.Path().string(), "a", Version::HighRes),
              "a@High Resolution Images");
    EXPECT_EQ(FileNamesIn(Target()), (std::vector<std::string>{"a", "b"}));
}

TEST(PictureCopierTest, ReplacesTheTargetAndCopiesLargeFilesWhole)
{
    TempDir dir;
    std::string big(3 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    WriteBytes(dir.File("from"), big);
    WriteBytes(dir.File("to"), "old");
    const std::atomic<bool> no{false};
    EXPECT_EQ(PictureCopier::CopyFile(dir.File("from"), dir.File("to"), no),
              TransferHost::CopyResult::Copied);
    EXPECT_EQ(ReadBytes(dir.File("to")), big);
    const std::atomic<bool> yes{true};
    EXPECT_EQ(PictureCopier::CopyFile(dir.File("from"), dir.File("other"), yes),
              TransferHost::CopyResult::Cancelled);
    EXPECT_EQ(PictureCopier::CopyFile(dir.File("none"), dir.File("other"), no),
              TransferHost::CopyResult::Failed);
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"from", "to"}));
}

} // namespace
