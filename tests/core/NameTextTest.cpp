#include "core/NameText.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayNameTest, ShowsStoredNamesAsTheViewsDo)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Smith, John", "John Smith"},
        {" John", "John"},
        {"Smith ", "Smith"},
        {"France, Paris", "Paris France"},
        {"France", "France"},
        {"  Smith, John  ", "John Smith"},
        {"Smith,John", "John Smith"},
        {"", ""},
        {"   ", ""},
        {"Smith,", " Smith"},
        {"a, b, c", "b, c a"},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayName(c.stored), c.shown) << '"' << c.stored << '"';
}

TEST(ComposeNameTest, ComposesPersonsSoThatHalfNamesNeverCollide)
{
    EXPECT_EQ(ComposePersonName("Smith", "John"), "Smith, John");
    EXPECT_EQ(ComposePersonName("Lee", ""), "Lee ");
    EXPECT_EQ(ComposePersonName("", "Lee"), " Lee");
    EXPECT_NE(ComposePersonName("Lee", ""), ComposePersonName("", "Lee"));
    EXPECT_EQ(ComposePersonName("", ""), "");
    EXPECT_EQ(DisplayName(ComposePersonName("", "Lee")), "Lee");
    EXPECT_EQ(DisplayName(ComposePersonName("Lee", "")), "Lee");
}

TEST(ComposeNameTest, ComposesLocations)
{
    EXPECT_EQ(ComposeLocationName("France", "Paris"), "France, Paris");
    EXPECT_EQ(ComposeLocationName("France", ""), "France");
    EXPECT_EQ(DisplayName(ComposeLocationName("France", "Paris")), "Paris France");
}

TEST(ComposeNameTest, FindsTheSeparatorsOfTheDatabaseFile)
{
    EXPECT_TRUE(HasNameSeparator("a|b"));
    EXPECT_TRUE(HasNameSeparator("^"));
    EXPECT_FALSE(HasNameSeparator("Smith, John"));
    EXPECT_FALSE(HasNameSeparator(""));
}

}  // namespace
