#include "core/DateText.h"

#include "core/PhotoRecord.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kMaxDateLength = 10;
constexpr int kLastYear = 2100;
constexpr int kMaxMonth = 12;
constexpr int kMaxDay = 31;

bool AllDigits(std::string_view part)
{
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Value(std::string_view digits)
{
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// A part of one or two digits not above the limit; -1 otherwise.
int SmallPart(std::string_view part, int limit)
{
    if (part.empty() || part.size() > 2 || !AllDigits(part)) return -1;
    const int value = Value(part);
    return value <= limit ? value : -1;
}

// Four digits as they stand, two digits counted from 1900; -1 otherwise.
int YearPart(std::string_view part)
{
    if ((part.size() != 4 && part.size() != 2) || !AllDigits(part)) return -1;
    return part.size() == 2 ? 1900 + Value(part) : Value(part);
}

std::vector<std::string_view> SplitAtSlashes(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t slash = text.find('/'); slash != std::string_view::npos;
         slash = text.find('/', start)) {
        parts.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

// Parts are taken from the left and kept as they pass, so that a damaged date read
// from a file still yields what could be read of it.
ParsedDate ParseDate(std::string_view text)
{
    ParsedDate date;
    if (text.size() > kMaxDateLength) return date;
    const auto parts = SplitAtSlashes(text);
    if (parts.size() > 3) return date;
    for (const auto& part : parts)
        if (!AllDigits(part)) return date;

    if (parts.size() == 1) {
        date.year = std::max(0, YearPart(parts[0]));
        date.valid = YearPart(parts[0]) >= 0;
        return date;
    }
    const int month = SmallPart(parts[0], kMaxMonth);
    if (month < 0) return date;
    date.month = month;
    if (parts.size() == 3) {
        const int day = SmallPart(parts[1], kMaxDay);
        if (day < 0) return date;
        date.day = day;
    }
    const int year = YearPart(parts.back());
    if (year < 0) return date;
    date.year = year;
    date.valid = parts.size() == 2 || year <= kLastYear;
    return date;
}

std::string FormatDate(int month, int day, int year)
{
    std::string text;
    if (month != 0) {
        text += std::to_string(month);
        text += '/';
        if (day != 0) {
            if (day >= 0 && day < 10) text += '0';
            text += std::to_string(day);
            text += '/';
        }
    }
    text += std::to_string(year);
    return text;
}

int CompareDates(int monthA, int dayA, int yearA, int monthB, int dayB, int yearB)
{
    if (yearA != yearB) return yearA < yearB ? -1 : 1;
    if (monthA != monthB) return monthA < monthB ? -1 : 1;
    if (dayA != dayB) return dayA < dayB ? -1 : 1;
    return 0;
}

int CompareDates(const PhotoRecord& a, const PhotoRecord& b)
{
    return CompareDates(a.Month(), a.Day(), a.Year(), b.Month(), b.Day(), b.Year());
}
