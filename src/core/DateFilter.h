#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class PhotoRecord;

// A range of days that a photo's date must fall in. Dates become day numbers by a
// rule that every year counts 365 days plus a quarter, so day numbers of two dates
// may meet or leave gaps at month and year ends; the rule is kept as it has always
// been so that a range keeps the photos it always kept.
class DateFilter {
public:
    // Only the first kMaxTextLength characters of a typed bound count.
    static constexpr size_t kMaxTextLength = 10;

    // From the two bounds as typed: a start of only a year begins on its first day, an
    // end of only a year ends on December 31, an end of month and year ends on the
    // last day of that month. Nothing when either text is not a date.
    static std::optional<DateFilter> FromTexts(std::string_view start, std::string_view end);

    DateFilter(uint32_t first, uint32_t last) : m_first(first), m_last(last) {}

    // year x 365 + year / 4 + the days before the month + day, wrapped to 32 bits as
    // the numbers are compared unsigned. monthIndex runs from 0 to 13, where 0 is a
    // date without a month and 13 stands after December; nothing outside that.
    static std::optional<uint32_t> DayNumber(int monthIndex, int day, int year);
    // A photo's day number; nothing when its month is outside 0 to 12 or nothing of
    // its date could be read (month, day and year all 0), so such a photo lies in no
    // range at all.
    static std::optional<uint32_t> DayNumber(const PhotoRecord& photo);

    bool Passes(const PhotoRecord& photo) const;
    // The photos that pass, in their order.
    std::vector<const PhotoRecord*> Apply(std::span<const PhotoRecord* const> photos) const;

    uint32_t First() const { return m_first; }
    uint32_t Last() const { return m_last; }

private:
    uint32_t m_first;
    uint32_t m_last;
};
