#include "NamedRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoSorter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

// Adds a photo whose names are stored forms, added to the catalog's lists when new.
const PhotoRecord& Add(CQuilleryDoc& catalog, const std::string& fileName, int month, int day, int year,
                       std::initializer_list<const char*> persons = {}, std::initializer_list<const char*> events = {},
                       std::initializer_list<const char*> locations = {})
{
    return catalog.PhotoAt(catalog.AddPhoto(NamedRecord(
        fileName, month, day, year, persons, events, locations, [&](NameKind kind, const char* name) {
            const int id = catalog.FindName(kind, name);
            return id >= 0 ? id : catalog.AddName(kind, name);
        })));
}

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(PhotoSorterTest, CompareRulesPerField)
{
    CQuilleryDoc catalog;
    const PhotoRecord& yearOnly = Add(catalog, "yearOnly", 0, 0, 1999);
    const PhotoRecord& january = Add(catalog, "january", 1, 0, 1999);
    const PhotoRecord& jan5 = Add(catalog, "jan5", 1, 5, 1999);
    const PhotoRecord& feb1 = Add(catalog, "feb1", 2, 1, 1999);
    const PhotoRecord& dec1998 = Add(catalog, "dec1998", 12, 31, 1998);
    const PhotoRecord& smith = Add(catalog, "smith", 0, 0, 2000, {"Smith, John", "Adams, Zoe"});
    const PhotoRecord& brown = Add(catalog, "brown", 0, 0, 2000, {"Brown, Ann"});
    const PhotoRecord& lower = Add(catalog, "lower", 0, 0, 2000, {"brown, ann"});
    const PhotoRecord& party = Add(catalog, "party", 0, 0, 2000, {}, {"Party"}, {"France, Paris"});
    const PhotoRecord& beach = Add(catalog, "beach", 0, 0, 2000, {}, {"Beach"}, {"Austria"});
    const PhotoRecord& upperB = Add(catalog, "B", 0, 0, 2000);
    const PhotoRecord& lowerA = Add(catalog, "a", 0, 0, 2000);
    const PhotoRecord& accented = Add(catalog, "\xc3\xa9t\xc3\xa9", 0, 0, 2000);

    struct Case {
        const PhotoRecord& a;
        const PhotoRecord& b;
        PhotoField field;
        int expected;
    };
    using enum PhotoField;
    const Case cases[] = {
        {yearOnly, january, Date, -1},  // a missing month sorts first
        {january, jan5, Date, -1},      // a missing day sorts first
        {dec1998, yearOnly, Date, -1},  // the year decides first
        {jan5, feb1, Date, -1},         // then the month
        {lowerA, upperB, Persons, 0},    // no persons on either side: equal
        {lowerA, smith, Persons, -1},    // no persons before persons
        {brown, smith, Persons, -1},     // the stored names, "Brown, Ann" < "Smith, John"
        {brown, lower, Persons, -1},     // case-sensitive bytes: 'B' < 'b'
        {beach, party, Locations, -1},   // "Austria" < "France, Paris"
        {upperB, lowerA, Filename, -1},  // 'B' (0x42) before 'a' (0x61)
        {accented, lowerA, Filename, 1}, // high bytes after ASCII
        {smith, brown, Notes, 0},        // fields that do not sort
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sign(PhotoSorter::Compare(catalog, c.a, c.b, c.field)), c.expected)
            << c.a.GetFileName() << " vs " << c.b.GetFileName() << " field " << static_cast<int>(c.field);
}

// The sort works on keys made once per row; it must give the order of a stable sort by
// Compare itself, with texts that agree past 16 bytes, differ only by a trailing zero
// byte, hold high bytes, and ids that name no entry.
TEST(PhotoSorterTest, SortGivesTheOrderOfAStableSortByCompare)
{
    CQuilleryDoc catalog;
    const std::string names[] = {"Smith, John",  "smith, john", "Brown, Ann",
                                 "\xc3\xa9mile", "B",           "Brown, Ann "};
    for (const NameKind kind : kNameKinds)
        for (const std::string& name : names)
            catalog.AddName(kind, name);
    const std::string stems[] = {"",
                                 "IMG_0001_holiday_in_france_",
                                 "IMG_0001_holiday_in_france_x",
                                 std::string("a\0", 2),
                                 "a",
                                 "\xff",
                                 "B"};
    std::mt19937 random(7);
    for (int i = 0; i < 600; ++i) {
        PhotoRecord record;
        const std::string stem = stems[random() % std::size(stems)];
        record.SetFileName(random() % 2 == 0 ? stem : stem + std::to_string(random() % 40));
        record.SetDate(static_cast<int>(random() % 4), static_cast<int>(random() % 3),
                       1999 + static_cast<int>(random() % 3));
        std::array<PhotoRecord::IdList, kNameKinds.size()> ids;
        for (auto& list : ids) {
            list.fill(-1);
            // Some ids lie past the list's end: the first that names an entry counts.
            const int count = static_cast<int>(random() % 3);
            for (int k = 0; k < count; ++k)
                list[static_cast<size_t>(k)] = static_cast<int>(random() % 8);
        }
        record.SetIds(ids);
        catalog.AddPhoto(record);
    }
    std::vector<const PhotoRecord*> catalogOrder;
    for (int i = 0; i < catalog.PhotoCount(); ++i)
        catalogOrder.push_back(&catalog.PhotoAt(i));

    using enum PhotoField;
    for (const PhotoField field : {Date, Persons, Events, Locations, Filename}) {
        for (const bool descending : {false, true}) {
            std::vector<const PhotoRecord*> expected = catalogOrder;
            std::stable_sort(
                expected.begin(), expected.end(), [&](const PhotoRecord* a, const PhotoRecord* b) {
                    return descending ? PhotoSorter::Compare(catalog, *b, *a, field) < 0
                                      : PhotoSorter::Compare(catalog, *a, *b, field) < 0;
                });
            std::vector<const PhotoRecord*> sorted = catalogOrder;
            PhotoSorter::Sort(sorted, catalog, field, descending);
            EXPECT_EQ(sorted, expected)
                << "field " << static_cast<int>(field) << " descending " << descending;
        }
    }
}

} // namespace
