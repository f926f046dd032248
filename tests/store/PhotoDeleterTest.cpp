#include "PictureFiles.h"
#include "TestLibrary.h"

#include "store/PhotoDeleter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Files = PhotoDeleter::Files;
using Outcome = PhotoDeleter::Outcome;
using Version = PictureStore::Version;

class PhotoDeleterTest : public testing::Test {
protected:
    void WriteVersions(const std::string& name) { PictureFiles::Write(m_lib.Directory(), name); }
    int VersionsLeft(const std::string& name) const { return PictureFiles::Count(m_lib.Directory(), name); }
    bool Save() { return m_lib.GetLibrary().Save(m_lib.Prompter()); }
    bool SavedFileNames(const std::string& name) const
    {
        return ReadBytes(m_lib.DatabasePath()).find(name + '|') != std::string::npos;
    }

    TestLibrary m_lib;
};

// The save must come first and find every picture file still there, so a crash
// between the two never leaves a record without its pictures.
TEST_F(PhotoDeleterTest, WithFilesSavesFirstThenDeletesAndPassesOverMissingFiles)
{
    const PhotoRecord& beach = m_lib.Add("beach");
    m_lib.Add("garden");
    ASSERT_TRUE(Save());
    for (const Version version : {Version::FullScreen, Version::Thumbnail})
        WriteBytes(m_lib.VersionPath(version, "beach"), "jpeg");
    WriteVersions("garden");
    int filesAtSave = -1;
    const auto result = PhotoDeleter::Delete(m_lib.GetLibrary(), {&beach}, Files::Delete, [&] {
        filesAtSave = VersionsLeft("beach");
        return Save();
    });
    EXPECT_EQ(std::tuple(result.outcome, filesAtSave, result.filesDeleted), std::tuple(Outcome::Done, 2, 2));
    EXPECT_EQ(std::pair(VersionsLeft("beach"), VersionsLeft("garden")), std::pair(0, 4));
    EXPECT_TRUE(!SavedFileNames("beach") && SavedFileNames("garden"));
}

TEST_F(PhotoDeleterTest, AFileThatAnotherRecordNamesIsKept)
{
    const PhotoRecord& first = m_lib.Add("twin", 1, 1, 2001);
    m_lib.Add("twin", 2, 2, 2002);
    WriteVersions("twin");
    const auto result = PhotoDeleter::Delete(m_lib.GetLibrary(), {&first}, Files::Delete,
                                             [&] { return Save(); });
    EXPECT_EQ(std::tuple(result.outcome, result.sharedNamesKept, VersionsLeft("twin"), m_lib.Catalog().PhotoCount()),
              std::tuple(Outcome::Done, std::vector<std::string>{"twin"}, 4, 1));
}

// Nothing is deleted when a photo of the selection is not in the catalog, nor when the
// save fails.
TEST_F(PhotoDeleterTest, AStrayRecordOrAFailedSaveKeepsEveryFile)
{
    const PhotoRecord& beach = m_lib.Add("beach");
    ASSERT_TRUE(Save());
    WriteVersions("beach");
    PhotoRecord stray;
    stray.SetFileName("beach");
    const auto save = [&] { return Save(); };
    EXPECT_EQ(PhotoDeleter::Delete(m_lib.GetLibrary(), {&beach, &stray}, Files::Delete, save).outcome,
              Outcome::NotFound);
    EXPECT_EQ(m_lib.Catalog().PhotoCount(), 1);
    EXPECT_FALSE(m_lib.GetLibrary().IsModified());
    EXPECT_EQ(PhotoDeleter::Delete(m_lib.GetLibrary(), {&beach}, Files::Delete, [] { return false; }).outcome,
              Outcome::NotSaved);
    EXPECT_EQ(VersionsLeft("beach"), 4);
}

}  // namespace
