#include "FileBytes.h"
#include "TempDir.h"

#include "base/FileOps.h"

#include <gtest/gtest.h>

#include <unistd.h>

using FileOps::Longer;
using FileOps::ReadError;

TEST(FileOps, ReadFileHoldsItsLimitExactly)
{
    TempDir dir;
    const std::string path = dir.File("ten");
    WriteBytes(path, "0123456789");
    struct Case {
        size_t limit;
        Longer longer;
        ReadError error;
        std::string content;
    };
    const Case cases[] = {
        {10, Longer::Refuse, ReadError::None, "0123456789"},
        {9, Longer::Refuse, ReadError::TooLarge, ""},
        {9, Longer::Truncate, ReadError::None, "012345678"},
        {0, Longer::Truncate, ReadError::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        const FileOps::ReadResult read = FileOps::ReadFile(path, c.limit, c.longer);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.content.View(), c.content);
    }
    WriteBytes(path, "");
    const FileOps::ReadResult empty = FileOps::ReadFile(path);
    EXPECT_TRUE(empty);
    EXPECT_EQ(empty.content.size, 0u);
}

TEST(FileOps, ReadFileRefusesWhatIsNotARegularFile)
{
    TempDir dir;
    EXPECT_EQ(FileOps::ReadFile(dir.Path().string()).error, ReadError::CannotOpen);
    EXPECT_EQ(FileOps::ReadFile(dir.File("missing")).error, ReadError::CannotOpen);
}

TEST(FileOps, RenameNoReplaceLeavesAnExistingTarget)
{
    TempDir dir;
    WriteBytes(dir.File("a"), "a");
    WriteBytes(dir.File("b"), "b");
    EXPECT_FALSE(FileOps::RenameNoReplace(dir.File("a"), dir.File("b")));
    EXPECT_EQ(ReadBytes(dir.File("b")), "b");
    EXPECT_TRUE(FileOps::RenameNoReplace(dir.File("a"), dir.File("c")));
    EXPECT_EQ(ReadBytes(dir.File("c")), "a");
    EXPECT_FALSE(Exists(dir.File("a")));
}

TEST(FileOps, DirectoryAndNameOfAPath)
{
    EXPECT_EQ(FileOps::DirectoryOf("/lib/Family.pdb"), "/lib");
    EXPECT_EQ(FileOps::DirectoryOf("/Family.pdb"), "/");
    EXPECT_EQ(FileOps::DirectoryOf("Family.pdb"), ".");
    EXPECT_EQ(FileOps::NameOf("/lib/Family.pdb"), "Family.pdb");
    EXPECT_EQ(FileOps::NameOf("Family.pdb"), "Family.pdb");
}
