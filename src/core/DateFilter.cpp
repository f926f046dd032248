#include "core/DateFilter.h"

#include "core/DateText.h"
#include "core/PhotoRecord.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Days before each month; index 0 is a date of only a year, index 13 the end of
// December.
constexpr std::array<uint32_t, 14> kDaysBefore{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr int kDecember = 12;
constexpr int kLastDayOfDecember = 31;

}  // namespace

std::optional<uint32_t> DateFilter::DayNumber(int monthIndex, int day, int year)
{
    if (monthIndex < 0 || monthIndex >= static_cast<int>(kDaysBefore.size())) return std::nullopt;
    // Unsigned arithmetic wraps where the signed would overflow, and gives the bits
    // that the unsigned comparison has always seen.
    return static_cast<uint32_t>(year) * 365U + static_cast<uint32_t>(year / 4) +
           kDaysBefore[static_cast<size_t>(monthIndex)] + static_cast<uint32_t>(day);
}

std::optional<uint32_t> DateFilter::DayNumber(const PhotoRecord& photo)
{
    const int month = photo.Month();
    if (month < 0 || month > kDecember) return std::nullopt;
    if (month == 0 && photo.Day() == 0 && photo.Year() == 0) return std::nullopt;
    return DayNumber(month, photo.Day(), photo.Year());
}

std::optional<DateFilter> DateFilter::FromTexts(std::string_view start, std::string_view end)
{
    ParsedDate from = ParseDate(start.substr(0, kMaxTextLength));
    ParsedDate to = ParseDate(end.substr(0, kMaxTextLength));
    if (!from.valid || !to.valid) return std::nullopt;

    if (from.month == 0 && from.day == 0) from.day = 1;
    int toIndex = to.month;
    if (to.month == 0) {
        toIndex = kDecember;
        to.day = kLastDayOfDecember;
    } else if (to.day == 0) {
        // Day 0 of the next month is the last day of this one.
        toIndex = to.month + 1;
    }
    // ParseDate keeps months within 0 to 12, so both indexes lie in the table.
    return DateFilter(*DayNumber(from.month, from.day, from.year), *DayNumber(toIndex, to.day, to.year));
}

bool DateFilter::Passes(const PhotoRecord& photo) const
{
    const std::optional<uint32_t> number = DayNumber(photo);
    return number && m_first <= *number && *number <= m_last;
}

std::vector<const PhotoRecord*> DateFilter::Apply(std::span<const PhotoRecord* const> photos) const
{
    std::vector<const PhotoRecord*> kept;
    std::copy_if(photos.begin(), photos.end(), std::back_inserter(kept),
                 [this](const PhotoRecord* photo) { return Passes(*photo); });
    return kept;
}
