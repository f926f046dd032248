#include "FileBytes.h"
#include "TempDir.h"

#include "base/FileOps.h"

#include <gtest/gtest.h>

using FileOps::Longer;
using FileOps::ReadError;

TEST(FileOps, ReadFileHoldsItsLimitExactly)
{
    TempDir dir;
    const std::string path = dir.File("ten");
    WriteBytes(path, "0123456789");
    const struct {
        size_t limit;
        Longer longer;
        ReadError error;
        std::string content;
    } cases[] = {
        {10, Longer::Refuse, ReadError::None, "0123456789"},
        {9, Longer::Refuse, ReadError::TooLarge, ""},
        {9, Longer::Truncate, ReadError::None, "012345678"},
    };
    for (const auto& c : cases) {
        const FileOps::ReadResult read = FileOps::ReadFile(path, c.limit, c.longer);
        EXPECT_EQ(read.error, c.error) << c.limit;
        EXPECT_EQ(read.content.View(), c.content) << c.limit;
    }
    EXPECT_EQ(FileOps::ReadFile(dir.Path().string()).error, ReadError::CannotOpen);
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
}
