#include "FileSizeLimit.h"
#include "StorePictures.h"
#include "TempDir.h"

#include "imaging/ImagingErrors.h"
#include "store/StagedFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::span<const std::uint8_t> Bytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

TEST(StagedFile, TargetUntouchedUntilCommitThenReplacedWithTheUsualMode)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteText(target, "old");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    StagedFile staged;
    ASSERT_EQ(staged.Stage(target, Bytes("new picture")), 0);
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(StorePictures::Entries(dir.Path()).size(), 2u);
    ASSERT_EQ(staged.Commit(), 0);
    EXPECT_EQ(ReadText(target), "new picture");
    EXPECT_EQ(StorePictures::Entries(dir.Path()), std::vector<std::string>{"v.jpg"});
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u & ~static_cast<unsigned>(mask));
}

TEST(StagedFile, UncommittedStagingIsRemoved)
{
    TempDir dir;
    {
        StagedFile staged;
        ASSERT_EQ(staged.Stage(dir.File("v.jpg"), Bytes("never used")), 0);
    }
    EXPECT_TRUE(StorePictures::Entries(dir.Path()).empty());
}

TEST(StagedFile, FullDiskLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteText(target, "the good picture");
    int code = 0;
    {
        const FileSizeLimit limit(1024);
        StagedFile staged;
        code = staged.Stage(target, Bytes(std::string(64 * 1024, 'x')));
    }
    EXPECT_EQ(code, img::kErrWriteFailed);
    EXPECT_EQ(ReadText(target), "the good picture");
    EXPECT_EQ(StorePictures::Entries(dir.Path()), std::vector<std::string>{"v.jpg"});
}

TEST(StagedFile, FolderInTheWayFailsTheCommitAndMissingFolderTheStaging)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    std::filesystem::create_directory(target);
    StagedFile staged;
    ASSERT_EQ(staged.Stage(target, Bytes("x")), 0);
    EXPECT_EQ(staged.Commit(), img::kErrWriteFailed);
    EXPECT_EQ(StorePictures::Entries(dir.Path()), std::vector<std::string>{"v.jpg"});
    EXPECT_TRUE(std::filesystem::is_directory(target));

    StagedFile missing;
    EXPECT_EQ(missing.Stage(dir.File("gone/v.jpg"), Bytes("x")), img::kErrWriteFailed);
    EXPECT_FALSE(missing.Staged());
}
