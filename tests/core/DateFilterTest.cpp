#include "core/DateFilter.h"

#include "core/PhotoRecord.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

PhotoRecord Dated(int month, int day, int year)
{
    PhotoRecord photo;
    photo.SetDate(month, day, year);
    return photo;
}

std::optional<uint32_t> DayOf(int month, int day, int year)
{
    return DateFilter::DayNumber(Dated(month, day, year));
}

TEST(DateFilterTest, DayNumbersMeetOrLeaveGapsAtMonthAndYearEnds)
{
    // clang-format off
    const struct {
        const char* what;
        int monthA, dayA, yearA, monthB, dayB, yearB;
        int apart;  // day number of B minus that of A
    } cases[] = {
        {"Jan 31 to Feb 1",               1, 31, 1999,  2, 1, 1999,  1},
        {"Nov 30 to Dec 1",              11, 30, 1999, 12, 1, 1999,  1},
        {"a year into the next",         12, 31, 1998,  1, 1, 1999,  1},
        {"a year into a leap year skips", 12, 31, 1999, 1, 1, 2000,  2},
        {"Feb 28 to Feb 29",              2, 28, 2000,  2, 29, 2000, 1},
        {"Feb 29 is Mar 1",               2, 29, 2000,  3, 1, 2000,  0},
        {"a month alone is day 0",        5, 31, 1999,  6, 0, 1999,  0},
        {"a year alone is Dec 31 before", 12, 31, 1998, 0, 0, 1999,  0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto a = DayOf(c.monthA, c.dayA, c.yearA);
        const auto b = DayOf(c.monthB, c.dayB, c.yearB);
        ASSERT_TRUE(a && b) << c.what;
        EXPECT_EQ(static_cast<int64_t>(*b) - static_cast<int64_t>(*a), c.apart) << c.what;
    }
}

TEST(DateFilterTest, RangesFromTypedBoundsKeepWhatTheRuleGives)
{
    // clang-format off
    const struct {
        const char* start;
        const char* end;
        std::vector<PhotoRecord> kept, dropped;
    } cases[] = {
        {"1999", "1999", {Dated(1, 1, 1999), Dated(2, 0, 1999), Dated(12, 31, 1999)},
                         {Dated(0, 0, 1999), Dated(1, 0, 1999), Dated(12, 31, 1998), Dated(0, 0, 2000)}},
        {"6/1999", "6/1999", {Dated(6, 0, 1999), Dated(6, 30, 1999), Dated(5, 31, 1999), Dated(7, 0, 1999)},
                             {Dated(5, 30, 1999), Dated(7, 1, 1999)}},
        {"12/1998", "12/1998", {Dated(12, 31, 1998), Dated(0, 0, 1999)}, {Dated(1, 1, 1999)}},
        {"2/29/2000", "2/29/2000", {Dated(2, 29, 2000), Dated(3, 1, 2000)}, {Dated(2, 28, 2000)}},
        {"1/1/1999", "12/31/1998", {}, {Dated(1, 1, 1999), Dated(12, 31, 1998)}},
        {"12/31/19991", "01/01/2000", {Dated(12, 31, 1999), Dated(1, 1, 2000)}, {Dated(1, 2, 2000)}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " - " + c.end);
        const auto filter = DateFilter::FromTexts(c.start, c.end);
        ASSERT_TRUE(filter);
        EXPECT_FALSE(DateFilter::FromTexts(c.start, "6-1999") || DateFilter::FromTexts("", c.end));
        for (const PhotoRecord& photo : c.kept) EXPECT_TRUE(filter->Passes(photo)) << photo.GetDateText();
        for (const PhotoRecord& photo : c.dropped) EXPECT_FALSE(filter->Passes(photo)) << photo.GetDateText();
    }
}

// A month outside the table can only come from a damaged record; such a photo, and
// one with nothing of its date, lies in no range, however wide.
TEST(DateFilterTest, APhotoWithoutAUsableDateIsInNoRange)
{
    const DateFilter everything(0, UINT32_MAX);
    for (const PhotoRecord& photo : {Dated(13, 1, 1999), Dated(-1, 1, 1999), Dated(0, 0, 0), PhotoRecord()}) {
        EXPECT_FALSE(DateFilter::DayNumber(photo)) << photo.Month();
        EXPECT_FALSE(everything.Passes(photo)) << photo.Month();
    }
    EXPECT_TRUE(everything.Passes(Dated(1, 0, 0))) << "January of year 0 is a date";
    EXPECT_FALSE(DateFilter::DayNumber(14, 1, 1999));
    EXPECT_EQ(DateFilter::DayNumber(13, 0, 1999), DayOf(12, 31, 1999));
    // Compared unsigned: a year before 0 wraps above every real date.
    EXPECT_FALSE(DateFilter::FromTexts("1999", "9999")->Passes(Dated(1, 1, -5)));
}

}  // namespace
