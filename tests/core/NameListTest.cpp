#include "core/NameList.h"

#include <gtest/gtest.h>

namespace {

TEST(NameListTest, AddAppendsAndGivesTheNextId)
{
    NameList names;
    EXPECT_EQ(names.Add("Smith, John"), 0);
    EXPECT_EQ(names.Add("Doe, Jane"), 1);
    EXPECT_EQ(names.Size(), 2);
    EXPECT_EQ(names.At(1), "Doe, Jane");
    EXPECT_EQ(names.Find("Doe, Jane"), 1);
    EXPECT_EQ(names.Find("doe, jane"), -1);
    EXPECT_EQ(names.Find("Doe, Jane "), -1);
}

TEST(NameListTest, FindGivesTheFirstOfEqualEntries)
{
    NameList names;
    names.Add("A");
    names.Add("B");
    names.Add("A");
    EXPECT_EQ(names.Find("A"), 0);
}

TEST(NameListTest, FindStaysRightAfterEditsInPlace)
{
    NameList names;
    names.Add("A");  // 0
    names.Add("B");  // 1
    names.Add("C");  // 2
    names.Replace(2, "B");
    EXPECT_EQ(names.Find("B"), 1);
    EXPECT_EQ(names.Find("C"), -1);
    names.Replace(1, "X");
    EXPECT_EQ(names.Find("B"), 2);
    EXPECT_EQ(names.Find("X"), 1);
    names.Replace(2, "A");
    names.Replace(0, "Z");
    EXPECT_EQ(names.Find("A"), 2);
    names.Replace(0, "A");
    EXPECT_EQ(names.Find("A"), 0);
    names.Replace(0, "A");
    EXPECT_EQ(names.Find("A"), 0);
    EXPECT_EQ(names.Size(), 3);
}

TEST(NameListTest, MatchesALinearScanUnderManyEdits)
{
    NameList names;
    std::vector<std::string> plain;
    unsigned seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int step = 0; step < 2000; ++step) {
        const std::string text(1, static_cast<char>('a' + next() % 5));
        if (plain.empty() || next() % 3 == 0) {
            names.Add(text);
            plain.push_back(text);
        } else {
            const auto id = static_cast<int>(next() % plain.size());
            names.Replace(id, text);
            plain[static_cast<size_t>(id)] = text;
        }
        for (char c = 'a'; c < 'a' + 5; ++c) {
            const auto found = std::find(plain.begin(), plain.end(), std::string(1, c));
            const int expected = found == plain.end() ? -1 : static_cast<int>(found - plain.begin());
            ASSERT_EQ(names.Find(std::string(1, c)), expected) << "step " << step;
        }
    }
}

TEST(NameListTest, ClearEmptiesListAndIndex)
{
    NameList names;
    names.Add("A");
    names.Clear();
    EXPECT_EQ(names.Size(), 0);
    EXPECT_EQ(names.Find("A"), -1);
    EXPECT_EQ(names.Add("A"), 0);
}

TEST(NameListTest, EmptyNameIsANameLikeAnyOther)
{
    NameList names;
    names.Add("");
    EXPECT_EQ(names.Find(""), 0);
    EXPECT_FALSE(names.Contains(1));
    EXPECT_FALSE(names.Contains(-1));
}

}  // namespace
