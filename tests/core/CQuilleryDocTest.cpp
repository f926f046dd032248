#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

PhotoRecord Photo(const std::string& fileName)
{
    PhotoRecord record;
    record.SetFileName(fileName);
    record.SetDate(0, 0, 1999);
    return record;
}

// Every way of changing the photos, checked against a plain scan for the first match;
// removals out of range change nothing.
TEST(CQuilleryDocTest, FileNameLookupMatchesALinearScanUnderEveryChange)
{
    CQuilleryDoc catalog;
    unsigned seed = 11;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const auto randomName = [&next] { return std::string(1, static_cast<char>('a' + next() % 6)); };
    const auto randomIndex = [&] { return static_cast<int>(next() % static_cast<unsigned>(catalog.PhotoCount())); };
    for (int step = 0; step < 3000; ++step) {
        const unsigned action = next() % 10;
        if (catalog.PhotoCount() == 0 || action < 4)
            catalog.AddPhoto(Photo(randomName()));
        else if (action < 6)
            catalog.RemovePhoto(next() % 4 ? randomIndex() : next() % 2 ? -1 : catalog.PhotoCount());
        else if (action < 9)
            catalog.PhotoAt(randomIndex()).SetFileName(randomName());
        else if (next() % 8 == 0)
            catalog.Clear();
        if (next() % 3 != 0) continue; // let changes pile up between lookups
        for (char c = 'a'; c < 'a' + 6; ++c) {
            int expected = -1;
            for (int i = 0; i < catalog.PhotoCount() && expected < 0; ++i)
                if (catalog.PhotoAt(i).GetFileName() == std::string(1, c)) expected = i;
            ASSERT_EQ(catalog.FindPhotoByFileName(std::string(1, c)), expected) << "step " << step;
        }
    }
}

TEST(CQuilleryDocTest, TextFormsJoinDisplayNamesOfAllSixteenIdsSkippingUnknownOnes)
{
    CQuilleryDoc catalog;
    for (const char* name : {"Smith, John", "Doe, Jane", "Lee", "Brown, Ann"}) catalog.AddName(NameKind::Persons, name);
    catalog.AddName(NameKind::Events, " Party ");
    catalog.AddName(NameKind::Events, "Wedding");
    catalog.AddName(NameKind::Locations, "France, Paris");
    PhotoRecord record = Photo("x");
    record.SetIds({{{3, 0, -1, 2} /* 2 is after the end */, {0, 1, -1}, {0, -1}}});
    EXPECT_EQ(catalog.NamesText(NameKind::Persons, record), "Ann Brown, John Smith");
    EXPECT_EQ(catalog.NamesText(NameKind::Events, record), " Party , Wedding");
    EXPECT_EQ(catalog.NamesText(NameKind::Locations, record), "Paris France");
    EXPECT_EQ(catalog.NamesText(NameKind::Persons, Photo("empty")), "");
    PhotoRecord::IdList events;
    events.fill(1);
    events[5] = 42;
    record.SetIds(NameKind::Events, events);
    std::string expected = "Wedding";
    for (int i = 1; i < 15; ++i) expected += ", Wedding";
    EXPECT_EQ(catalog.NamesText(NameKind::Events, record), expected);
}

// The range is written by hand so that clang 14, which cannot compile libstdc++ 12's
// range adaptors, builds the core for the fuzz targets.
static_assert(std::forward_iterator<UsedNameRange::Iterator>);

TEST(CQuilleryDocTest, UsedNamesSkipUnknownIdsWhereverTheyStand)
{
    CQuilleryDoc catalog;
    for (const char* name : {"A", "B", "C"}) catalog.AddName(NameKind::Persons, name);
    const struct {
        std::vector<int> ids;
        std::vector<std::string> names;
    } cases[] = {{{}, {}}, {{-2, 3, 9}, {}}, {{5, 2, 0}, {"C", "A"}}, {{1, 8, 1}, {"B", "B"}}, {{2, -1, 0}, {"C"}}};
    for (const auto& c : cases) {
        PhotoRecord record = Photo("x");
        PhotoRecord::IdList ids = record.Ids(NameKind::Persons);
        std::copy(c.ids.begin(), c.ids.end(), ids.begin());
        record.SetIds(NameKind::Persons, ids);
        const auto used = catalog.UsedNames(NameKind::Persons, record);
        EXPECT_EQ(std::vector<std::string>(used.begin(), used.end()), c.names) << testing::PrintToString(c.ids);
    }
}

} // namespace
