#pragma once

#include <string>
#include <string_view>

class PhotoRecord;

// The date form every dialog accepts and every view shows: "yyyy", "yy",
// "m/yyyy" or "m/d/yyyy" (one- or two-digit month and day, two-digit years
// counted from 1900).
struct ParsedDate {
    bool valid = false;
    // As far as the text was read, even when it turned out invalid; 0 where unread.
    int month = 0;
    int day = 0;
    int year = 0;
};

ParsedDate ParseDate(std::string_view text);

// "6/05/1999", "6/1999", "1999": a month of 0 drops the day too.
std::string FormatDate(int month, int day, int year);

// Year, then month, then day; a part that is not given (0) sorts before every given
// value. Returns <0, 0 or >0.
int CompareDates(int monthA, int dayA, int yearA, int monthB, int dayB, int yearB);
int CompareDates(const PhotoRecord& a, const PhotoRecord& b);
