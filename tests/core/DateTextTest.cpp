#include "core/DateText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ParseDateTest, ParsesAsTheRulesSay)
{
    // clang-format off
    const struct {
        const char* text;
        bool valid;
        int month, day, year;
    } cases[] = {
        {"1999", true, 0, 0, 1999}, {"05", true, 0, 0, 1905}, {"199", false, 0, 0, 0}, {"2101", true, 0, 0, 2101},
        {"6/99", true, 6, 0, 1999}, {"13/1999", false, 0, 0, 0}, {"6/", false, 6, 0, 0}, {"6/199", false, 6, 0, 0},
        {"12/31/2100", true, 12, 31, 2100}, {"12/31/2101", false, 12, 31, 2101}, {"2/30/1999", true, 2, 30, 1999},
        {"12/32/1999", false, 12, 0, 0}, {"01/5/99", true, 1, 5, 1999}, {"0/5/1999", true, 0, 5, 1999},
        {"12/31/1999x", false, 0, 0, 0}, {"012/31/1999", false, 0, 0, 0}, {"6//1999", false, 6, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ParsedDate parsed = ParseDate(c.text);
        EXPECT_EQ(std::tuple(parsed.valid, parsed.month, parsed.day, parsed.year),
                  std::tuple(c.valid, c.month, c.day, c.year)) << '"' << c.text << '"';
    }
}

TEST(FormatDateTest, FormatsAsTheRulesSay)
{
    // clang-format off
    const struct {
        int month, day, year;
        const char* text;
    } cases[] = {
        {6, 5, 1999, "6/05/1999"}, {6, 0, 1999, "6/1999"}, {0, 5, 1999, "1999"}, {0, 0, 0, "0"},
        {0, 0, 850, "0850"}, {6, 5, 50, "6/05/0050"}, {1, 0, 1, "1/0001"}, {0, 0, 1000, "1000"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDate(c.month, c.day, c.year), c.text)
            << c.month << ' ' << c.day << ' ' << c.year;
        // What is written reads back as the same date, whatever the year.
        const ParsedDate again = ParseDate(c.text);
        if (c.year != 0) {
            EXPECT_EQ(std::tuple(again.month, again.year), std::tuple(c.month, c.year)) << c.text;
        }
    }
}

} // namespace
