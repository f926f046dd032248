#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

namespace {

PhotoRecord Photo(const std::string& fileName)
{
    PhotoRecord record;
    record.SetFileName(fileName);
    record.SetDate(0, 0, 1999);
    return record;
}

TEST(CQuilleryDocTest, ClearDropsEverything)
{
    CQuilleryDoc catalog;
    catalog.AddPhoto(Photo("a"));
    catalog.AddName(NameKind::Persons, "Smith, John");
    catalog.AddName(NameKind::Events, "Party");
    catalog.AddName(NameKind::Locations, "France");
    catalog.SetUntitled(false);
    catalog.SetModified(true);
    catalog.SetPath("/x.pdb");
    catalog.Clear();
    EXPECT_EQ(catalog.PhotoCount() + catalog.Names(NameKind::Persons).Size() +
                  catalog.Names(NameKind::Events).Size() +
                  catalog.Names(NameKind::Locations).Size(),
              0);
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), -1);
    EXPECT_TRUE(catalog.IsUntitled() && !catalog.IsModified() && catalog.GetPath().empty());
}

TEST(CQuilleryDocTest, PhotoLookupIsExactAndRemovalOutOfRangeDoesNothing)
{
    CQuilleryDoc catalog;
    for (const char* name : {"a", "B", "B"})
        catalog.AddPhoto(Photo(name));
    EXPECT_EQ(catalog.FindPhotoByFileName("B"), 1);
    EXPECT_EQ(catalog.FindPhotoByFileName("b"), -1);
    EXPECT_EQ(catalog.FindPhotoByFileName(""), -1);
    catalog.RemovePhoto(3);
    catalog.RemovePhoto(-1);
    EXPECT_EQ(catalog.PhotoCount(), 3);
    EXPECT_EQ(catalog.PhotoAt(2).Catalog(), &catalog);
}

// Every way of changing the photos, checked against a plain scan for the first match.
TEST(CQuilleryDocTest, FileNameLookupMatchesALinearScanUnderEveryChange)
{
    CQuilleryDoc catalog;
    unsigned seed = 11;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const auto randomName = [&next] { return std::string(1, static_cast<char>('a' + next() % 6)); };
    const auto randomIndex = [&] {
        return static_cast<int>(next() % static_cast<unsigned>(catalog.PhotoCount()));
    };
    for (int step = 0; step < 3000; ++step) {
        const unsigned action = next() % 10;
        if (catalog.PhotoCount() == 0 || action < 4)
            catalog.AddPhoto(Photo(randomName()));
        else if (action < 6)
            catalog.RemovePhoto(randomIndex());
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
    for (const char* name : {"Smith, John", "Doe, Jane", "Lee", "Brown, Ann"})
        catalog.AddName(NameKind::Persons, name);
    catalog.AddName(NameKind::Events, " Party ");
    catalog.AddName(NameKind::Events, "Wedding");
    catalog.AddName(NameKind::Locations, "France, Paris");
    PhotoRecord record = Photo("x");
    record.Ids(NameKind::Persons)[0] = 3;
    record.Ids(NameKind::Persons)[1] = 0;
    record.Ids(NameKind::Persons)[3] = 2; // after the first -1: not part of the list
    record.Ids(NameKind::Events)[0] = 0;
    record.Ids(NameKind::Events)[1] = 1;
    record.Ids(NameKind::Locations)[0] = 0;
    EXPECT_EQ(catalog.NamesText(NameKind::Persons, record), "Ann Brown, John Smith");
    EXPECT_EQ(catalog.NamesText(NameKind::Events, record), " Party , Wedding");
    EXPECT_EQ(catalog.NamesText(NameKind::Locations, record), "Paris France");
    EXPECT_EQ(catalog.NamesText(NameKind::Persons, Photo("empty")), "");

    record.Ids(NameKind::Events).fill(1);
    record.Ids(NameKind::Events)[5] = 42;
    std::string expected = "Wedding";
    for (int i = 1; i < 15; ++i)
        expected += ", Wedding";
    EXPECT_EQ(catalog.NamesText(NameKind::Events, record), expected);
}

} // namespace
