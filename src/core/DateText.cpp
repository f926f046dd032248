#include "core/DateText.h"

#include "core/PhotoRecord.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr size_t kMaxDateLength = 10;
constexpr int kLastYear = 2100;
constexpr int kMaxMonth = 12;
constexpr int kMaxDay = 31;

bool AllDigits(std::string_view part)
{
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool AllDigitsOrSlashes(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '/'; });
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

// Without the temporary string of std::to_string: the reader formats one date per
// photo.
void AppendNumber(std::string& text, int value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

// Up to three parts between '/'; `count` is 4 when there are more.
struct DateParts {
    std::array<std::string_view, 3> parts;
    size_t count = 0;
};

DateParts SplitAtSlashes(std::string_view text)
{
    DateParts split;
    for (;;) {
        const size_t slash = text.find('/');
        if (split.count == split.parts.size()) {
            split.count = split.parts.size() + 1;
            return split;
        }
        split.parts[split.count++] = text.substr(0, slash);
        if (slash == std::string_view::npos) return split;
        text.remove_prefix(slash + 1);
    }
}

}  // namespace

// Parts are taken from the left and kept as they pass, so that a damaged date read
// from a file still yields what could be read of it.
ParsedDate ParseDate(std::string_view text)
{
    ParsedDate date;
    if (text.size() > kMaxDateLength || !AllDigitsOrSlashes(text)) return date;
    const DateParts split = SplitAtSlashes(text);
    if (split.count > split.parts.size()) return date;
    const auto& parts = split.parts;

    if (split.count == 1) {
        date.year = std::max(0, YearPart(parts[0]));
        date.valid = YearPart(parts[0]) >= 0;
        return date;
    }
    const int month = SmallPart(parts[0], kMaxMonth);
    if (month < 0) return date;
    date.month = month;
    if (split.count == 3) {
        const int day = SmallPart(parts[1], kMaxDay);
        if (day < 0) return date;
        date.day = day;
    }
    const int year = YearPart(parts[split.count - 1]);
    if (year < 0) return date;
    date.year = year;
    date.valid = split.count == 2 || year <= kLastYear;
    return date;
}

std::string FormatDate(int month, int day, int year)
{
    std::string text;
    if (month != 0) {
        AppendNumber(text, month);
        text += '/';
        if (day != 0) {
            if (day >= 0 && day < 10) text += '0';
            AppendNumber(text, day);
            text += '/';
        }
    }
    // A year before 1000 keeps four digits: the reader takes a year of two digits as
    // one of the 1900s and rejects one of three, so "0850" written as "850" would come
    // back as no year at all, and "0050" as "50" would come back as 1950.
    if (year > 0 && year < 1000) text.append(year < 10 ? "000" : year < 100 ? "00" : "0");
    AppendNumber(text, year);
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
