#include "core/DatabaseFormat.h"

#include <gtest/gtest.h>

namespace {

using namespace DatabaseFormat;

TEST(DatabaseFormatTest, TextModeOutputWritesEveryLineFeedAsCrLf)
{
    std::string out;
    AppendTextMode(out, "a\nb\r\nc\r");
    EXPECT_EQ(out, "a\r\nb\r\r\nc\r");
}

TEST(DatabaseFormatTest, TextModeInputTurnsCrLfIntoLineFeedOnly)
{
    const struct {
        std::string file;
        std::string text;
    } cases[] = {
        {"a\r\nb", "a\nb"},     {"a\r\r\nb", "a\r\nb"}, {"a\rb", "a\rb"}, {"\r", "\r"},
        {"\r\n\r\n", "\n\n"},   {"\n\r", "\n\r"},       {"", ""},         {"abc", "abc"},
    };
    for (const auto& c : cases) {
        std::string text = c.file;
        RemoveCarriageReturns(text);
        EXPECT_EQ(text, c.text);
    }
}

TEST(DatabaseFormatTest, TemporaryAndBackupNamesSitBesideTheDatabase)
{
    EXPECT_EQ(TemporaryPath("/photos/Family.pdb"), "/photos/~Family.pdb");
    EXPECT_EQ(TemporaryPath("Family.pdb"), "~Family.pdb");
    EXPECT_EQ(BackupPath("/photos/Family.pdb"), "/photos/Family.bak");
    EXPECT_EQ(BackupPath("ab"), "ab.bak");
}

}  // namespace
