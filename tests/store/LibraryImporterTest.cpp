#include "TransferFixture.h"

#include "store/LibraryImporter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Outcome = LibraryImporter::Outcome;
const std::string kDuplicate(LibraryImporter::kDuplicateQuestion);
const std::string kReplace(LibraryImporter::kReplaceQuestion);

// The open library (m_lib) and another one in a folder of its own (m_source).
class LibraryImporterTest : public testing::Test {
  protected:
    LibraryImporterTest()
    {
        m_source.Add("x", 0, 0, 2001, {"Brown, Bob", "Smith, Ann"}, {"Party"});
        m_source.Add("y", 0, 0, 2002, {"smith, ann"}, {}, {"Spain, Madrid"});
        EXPECT_TRUE(m_source.GetLibrary().Save(m_source.Prompter()));
        for (const char* name : {"x", "y"})
            WriteVersions(m_source.Directory(), name);
        m_lib.Add("own", 0, 0, 1999, {"Smith, Ann"}, {"Wedding"});
        m_lib.GetLibrary().Save(m_lib.Prompter());
    }
    LibraryImporter::Result Import(const std::string& path)
    {
        return LibraryImporter::Import(m_lib.GetLibrary(), path, m_lib.Prompter(), m_host);
    }
    std::string Names(int index, NameKind kind) const
    {
        return m_lib.Catalog().NamesText(kind, m_lib.Catalog().PhotoAt(index));
    }

    TestLibrary m_source;
    TestLibrary m_lib;
    RecordingHost m_host;
};

// Names that the open library numbers otherwise are found by text, exactly: a person
// differing only in case is a new person.
TEST_F(LibraryImporterTest, MergesNamesAndTranslatesIdsAndCopiesTheFiles)
{
    const auto result = Import(m_source.DatabasePath());
    EXPECT_EQ(std::tuple(result.outcome, result.photosAdded, result.namesAdded), std::tuple(Outcome::Done, 2, 4));
    ASSERT_EQ(m_lib.Catalog().PhotoCount(), 3);
    EXPECT_EQ(Names(1, NameKind::Persons), "Bob Brown, Ann Smith");
    EXPECT_EQ(Names(1, NameKind::Events), "Party");
    EXPECT_EQ(Names(2, NameKind::Persons), "ann smith");
    EXPECT_EQ(m_lib.Catalog().Names(NameKind::Persons).Size(), 3);
    EXPECT_EQ(m_lib.Catalog().Names(NameKind::Events).At(0), "Wedding");
    EXPECT_EQ(VersionBytes(m_lib.Directory(), "y", Version::Thumbnail), "y@Thumbnail Pictures");
    EXPECT_TRUE(m_lib.GetLibrary().IsModified());
    EXPECT_TRUE(m_lib.Prompter().Messages().empty());
    EXPECT_TRUE(m_host.cleared);
}

// The second time every photo is a duplicate: the question comes for each; Yes skips
// that photo only, No adds it again, and no name is new.
TEST_F(LibraryImporterTest, ImportingTwiceAsksForEveryDuplicate)
{
    Import(m_source.DatabasePath());
    m_lib.Prompter().Forget();
    m_lib.Prompter().Answer(PromptAnswer::Yes);
    m_lib.Prompter().Answer(PromptAnswer::No);
    WriteBytes(m_lib.VersionPath(Version::FullScreen, "y"), "mine");
    const auto result = Import(m_source.DatabasePath());
    EXPECT_EQ(std::tuple(result.photosSkipped, result.photosAdded, result.namesAdded, result.filesCopied),
              std::tuple(1, 1, 0, 0));
    // Yes to a duplicate keeps the existing files for the rest of the import.
    EXPECT_EQ(m_lib.Prompter().Texts(), (std::vector<std::string>{kDuplicate, kDuplicate}));
    EXPECT_EQ(VersionBytes(m_lib.Directory(), "y"), "mine");
    EXPECT_EQ(m_lib.Catalog().PhotoAt(3).GetFileName(), "y");
}

TEST_F(LibraryImporterTest, CancelAtTheDuplicateQuestionKeepsWhatWasMerged)
{
    m_source.Add("own");
    m_source.Add("z", 0, 0, 2000, {"Zed"});
    ASSERT_TRUE(m_source.GetLibrary().Save(m_source.Prompter()));
    m_lib.Prompter().Answer(PromptAnswer::Cancel);
    const auto result = Import(m_source.DatabasePath());
    EXPECT_EQ(std::pair(result.outcome, result.photosAdded), std::pair(Outcome::Cancelled, 2));
    EXPECT_EQ(m_lib.Catalog().FindName(NameKind::Persons, "Zed"), 3);
    EXPECT_TRUE(m_lib.GetLibrary().IsModified());
}

// Existing picture files are asked about once; Yes replaces them for the rest of the
// import, No keeps them all. Cancel there ends the import.
TEST_F(LibraryImporterTest, TheReplaceQuestionIsAskedOnce)
{
    const std::tuple<PromptAnswer, const char*, int> cases[] = {
        {PromptAnswer::Yes, "y@Full Screen Pictures", 2},
        {PromptAnswer::No, "old y", 2},
        {PromptAnswer::Cancel, "old y", 0}};
    for (const auto& [answer, bytesOfY, added] : cases) {
        TestLibrary lib;
        for (const char* name : {"x", "y"})
            WriteBytes(lib.VersionPath(Version::FullScreen, name), std::string("old ") + name);
        lib.Prompter().Answer(answer);
        const auto result =
            LibraryImporter::Import(lib.GetLibrary(), m_source.DatabasePath(), lib.Prompter(), m_host);
        EXPECT_EQ(std::tuple(lib.Prompter().Texts(), VersionBytes(lib.Directory(), "y"), result.photosAdded),
                  std::tuple(std::vector<std::string>{kReplace}, std::string(bytesOfY), added));
    }
}

TEST_F(LibraryImporterTest, FromTheOpenLibrarysFolderCopiesNothingAndAsksNothing)
{
    WriteVersions(m_lib.Directory(), "own");
    WriteBytes(m_lib.File("Other.pdb"), "own|2000|||||\r\n");
    m_lib.Prompter().Answer(PromptAnswer::No);
    const auto result = Import(m_lib.File("Other.pdb"));
    EXPECT_EQ(m_lib.Prompter().Texts(), std::vector<std::string>{kDuplicate});
    EXPECT_EQ(result.photosAdded, 1);
    EXPECT_EQ(m_host.calls, 0);
    EXPECT_EQ(VersionBytes(m_lib.Directory(), "own"), "own@Full Screen Pictures");
}

TEST_F(LibraryImporterTest, CancelDuringTheCopyKeepsThePhotosAddedBefore)
{
    m_host.cancelAtCall = 5; // the first file of the second photo
    const auto result = Import(m_source.DatabasePath());
    EXPECT_EQ(std::pair(result.outcome, result.photosAdded), std::pair(Outcome::Cancelled, 1));
    EXPECT_EQ(m_lib.Catalog().PhotoCount(), 2);
    EXPECT_FALSE(Exists(m_lib.VersionPath(Version::FullScreen, "y")));
    EXPECT_TRUE(m_lib.GetLibrary().IsModified());
    EXPECT_FALSE(m_host.cleared);
}

} // namespace
