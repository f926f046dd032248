#include "FileBytes.h"
#include "FileSizeLimit.h"
#include "TempDir.h"

#include "base/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::vector<std::string> kOnlyTarget{"v.jpg"};

} // namespace

TEST(AtomicFile, TargetUntouchedUntilCommitThenReplacedWithTheUsualMode)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteBytes(target, "old");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    AtomicFile file;
    ASSERT_TRUE(file.Create(target));
    ASSERT_TRUE(file.Write(std::string_view("new picture")));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Entries(dir.Path()).size(), 2u);
    ASSERT_TRUE(file.Flush());
    ASSERT_TRUE(file.Commit(AtomicFile::Replace::Existing));
    EXPECT_EQ(ReadBytes(target), "new picture");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u & ~static_cast<unsigned>(mask));
}

TEST(AtomicFile, UncommittedTemporaryIsRemoved)
{
    TempDir dir;
    {
        AtomicFile file;
        ASSERT_TRUE(file.Create(dir.File("v.jpg")));
        ASSERT_TRUE(file.Write(std::string_view("never used")));
        AtomicFile moved = std::move(file);
        EXPECT_FALSE(file.Staged());
        EXPECT_TRUE(moved.Staged());
    }
    EXPECT_TRUE(Entries(dir.Path()).empty());
}

TEST(AtomicFile, FullDiskLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteBytes(target, "the good picture");
    bool written = true;
    {
        const FileSizeLimit limit(1024);
        AtomicFile file;
        ASSERT_TRUE(file.Create(target));
        written = file.Write(std::string_view(std::string(64 * 1024, 'x')));
        EXPECT_FALSE(file.Staged());
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(target), "the good picture");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
}

TEST(AtomicFile, FolderInTheWayFailsTheCommitAndMissingFolderTheCreate)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    std::filesystem::create_directory(target);
    AtomicFile file;
    ASSERT_TRUE(file.Create(target));
    ASSERT_TRUE(file.Write(std::string_view("x")));
    EXPECT_FALSE(file.Commit(AtomicFile::Replace::Existing));
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
    EXPECT_TRUE(std::filesystem::is_directory(target));

    AtomicFile missing;
    EXPECT_FALSE(missing.Create(dir.File("gone/v.jpg")));
    EXPECT_FALSE(missing.Staged());
}

TEST(AtomicFile, CommitWithoutReplacingRefusesAnExistingTarget)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteBytes(target, "kept");
    AtomicFile file;
    ASSERT_TRUE(file.CreateAt(target, dir.File("~v.jpg")));
    ASSERT_TRUE(file.Write(std::string_view("new")));
    EXPECT_FALSE(file.Commit(AtomicFile::Replace::Never));
    EXPECT_EQ(ReadBytes(target), "kept");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
}
