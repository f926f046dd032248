#include "core/NameText.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayNameTest, ShowsStoredNamesAsTheViewsDo)
{
    // clang-format off
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Smith, John", "John Smith"}, {" John", "John"},       {"Smith ", "Smith"},
        {"France", "France"},          {"  Smith, John  ", "John Smith"},
        {"Smith,John", "John Smith"},  {"", ""},                {"   ", ""},
        {"Smith,", " Smith"},          {"a, b, c", "b, c a"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(DisplayName(c.stored), c.shown) << '"' << c.stored << '"';
}

} // namespace
