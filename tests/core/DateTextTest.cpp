#include "core/DateText.h"
#include "core/PhotoRecord.h"

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
        // year only
        {"1999", true, 0, 0, 1999}, {"99", true, 0, 0, 1999},   {"05", true, 0, 0, 1905},
        {"199", false, 0, 0, 0},    {"1", false, 0, 0, 0},      {"", false, 0, 0, 0},
        {"2101", true, 0, 0, 2101},
        // month/year
        {"6/99", true, 6, 0, 1999},  {"6/1999", true, 6, 0, 1999}, {"13/1999", false, 0, 0, 0},
        {"1999/", false, 0, 0, 0},   {"123/1999", false, 0, 0, 0}, {"6/", false, 6, 0, 0},
        {"/1999", false, 0, 0, 0},   {"6/199", false, 6, 0, 0},
        // month/day/year
        {"12/31/2100", true, 12, 31, 2100}, {"12/31/2101", false, 12, 31, 2101},
        {"2/30/1999", true, 2, 30, 1999},   {"12/32/1999", false, 12, 0, 0},
        {"1-5-1999", false, 0, 0, 0},       {"01/05/1999", true, 1, 5, 1999},
        {"01/5/99", true, 1, 5, 1999},      {"0/5/1999", true, 0, 5, 1999},
        {"5/0/1999", true, 5, 0, 1999},     {"12/31/1999x", false, 0, 0, 0},
        {"012/31/1999", false, 0, 0, 0},    {"1/5/1999x", false, 0, 0, 0},
        {"6/ 5/1999", false, 0, 0, 0},      {"6//1999", false, 6, 0, 0},
        {"6/5/", false, 6, 5, 0},           {"1/2/3/4", false, 0, 0, 0},
        {"06/05/99", true, 6, 5, 1999},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ParsedDate parsed = ParseDate(c.text);
        EXPECT_EQ(parsed.valid, c.valid) << '"' << c.text << '"';
        EXPECT_EQ(parsed.month, c.month) << '"' << c.text << '"';
        EXPECT_EQ(parsed.day, c.day) << '"' << c.text << '"';
        EXPECT_EQ(parsed.year, c.year) << '"' << c.text << '"';
    }
}

TEST(FormatDateTest, FormatsAsTheRulesSayAndParsesBack)
{
    // clang-format off
    const struct {
        int month, day, year;
        const char* text;
    } cases[] = {
        {6, 5, 1999, "6/05/1999"}, {12, 25, 1999, "12/25/1999"}, {6, 0, 1999, "6/1999"},
        {0, 0, 1999, "1999"},      {0, 5, 1999, "1999"},         {10, 10, 2000, "10/10/2000"},
        {0, 0, 0, "0"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(FormatDate(c.month, c.day, c.year), c.text)
            << c.month << ' ' << c.day << ' ' << c.year;

    for (const char* text : {"01/05/1999", "6/99", "05", "12/31/2100", "5/0/1999"}) {
        const ParsedDate first = ParseDate(text);
        const ParsedDate again = ParseDate(FormatDate(first.month, first.day, first.year));
        EXPECT_TRUE(again.valid) << text;
        EXPECT_EQ(std::tie(again.month, again.day, again.year),
                  std::tie(first.month, first.day, first.year))
            << text;
    }
}

TEST(CompareDatesTest, OrdersByYearThenMonthThenDayWithMissingPartsFirst)
{
    // clang-format off
    const struct {
        int ma, da, ya, mb, db, yb, sign;
    } cases[] = {
        {1, 1, 1998, 1, 1, 1999, -1}, {12, 31, 1999, 1, 1, 2000, -1}, {0, 0, 1999, 1, 1, 1999, -1},
        {6, 0, 1999, 6, 1, 1999, -1}, {6, 5, 1999, 6, 5, 1999, 0},    {7, 1, 1999, 6, 30, 1999, 1},
        {0, 0, 2000, 12, 31, 1999, 1},
    };
    // clang-format on
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(CompareDates(c.ma, c.da, c.ya, c.mb, c.db, c.yb)), c.sign)
            << c.ma << '/' << c.da << '/' << c.ya;
        EXPECT_EQ(sign(CompareDates(c.mb, c.db, c.yb, c.ma, c.da, c.ya)), -c.sign);
    }
    PhotoRecord early;
    PhotoRecord late;
    early.SetDateText("1999");
    late.SetDate(1, 1, 1999);
    EXPECT_LT(CompareDates(early, late), 0);
    EXPECT_GT(CompareDates(late, early), 0);
}

} // namespace
