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

TEST(CQuilleryDocTest, StartsCleared)
{
    const CQuilleryDoc catalog;
    EXPECT_TRUE(catalog.IsUntitled());
    EXPECT_FALSE(catalog.IsModified());
    EXPECT_EQ(catalog.GetPath(), "");
    EXPECT_EQ(catalog.PhotoCount(), 0);
}

TEST(CQuilleryDocTest, ClearDropsEverything)
{
    CQuilleryDoc catalog;
    catalog.AddPhoto(Photo("a"));
    catalog.AddPerson("Smith, John");
    catalog.AddEvent("Party");
    catalog.AddLocation("France");
    catalog.SetUntitled(false);
    catalog.SetModified(true);
    catalog.SetPath("/x.pdb");
    catalog.Clear();
    EXPECT_EQ(catalog.PhotoCount(), 0);
    EXPECT_EQ(catalog.Persons().Size() + catalog.Events().Size() + catalog.Locations().Size(), 0);
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), -1);
    EXPECT_TRUE(catalog.IsUntitled());
    EXPECT_FALSE(catalog.IsModified());
    EXPECT_EQ(catalog.GetPath(), "");
}

TEST(CQuilleryDocTest, AddPhotoAppendsACopyOwnedByTheCatalog)
{
    CQuilleryDoc catalog;
    PhotoRecord record = Photo("a");
    EXPECT_EQ(catalog.AddPhoto(record), 0);
    EXPECT_EQ(catalog.AddPhoto(Photo("b")), 1);
    record.SetFileName("changed outside");
    EXPECT_EQ(catalog.PhotoAt(0).GetFileName(), "a");
    EXPECT_EQ(catalog.PhotoAt(1).Catalog(), &catalog);
}

TEST(CQuilleryDocTest, FindPhotoByFileNameIsExactAndGivesTheFirst)
{
    CQuilleryDoc catalog;
    catalog.AddPhoto(Photo("a"));
    catalog.AddPhoto(Photo("B"));
    catalog.AddPhoto(Photo("a"));
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), 0);
    EXPECT_EQ(catalog.FindPhotoByFileName("b"), -1);
    EXPECT_EQ(catalog.FindPhotoByFileName("B"), 1);
    EXPECT_EQ(catalog.FindPhotoByFileName(""), -1);
}

TEST(CQuilleryDocTest, RemovePhotoClosesTheGapAndKeepsLookupsRight)
{
    CQuilleryDoc catalog;
    for (const char* name : {"a", "b", "c", "b", "d"}) catalog.AddPhoto(Photo(name));
    catalog.RemovePhoto(1);
    ASSERT_EQ(catalog.PhotoCount(), 4);
    EXPECT_EQ(catalog.PhotoAt(1).GetFileName(), "c");
    EXPECT_EQ(catalog.FindPhotoByFileName("b"), 2);
    EXPECT_EQ(catalog.FindPhotoByFileName("d"), 3);
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), 0);
    catalog.RemovePhoto(2);
    EXPECT_EQ(catalog.FindPhotoByFileName("b"), -1);
    catalog.RemovePhoto(99);
    catalog.RemovePhoto(-1);
    EXPECT_EQ(catalog.PhotoCount(), 3);
}

TEST(CQuilleryDocTest, RenamingARecordInTheCatalogUpdatesTheLookup)
{
    CQuilleryDoc catalog;
    catalog.AddPhoto(Photo("a"));
    catalog.AddPhoto(Photo("b"));
    catalog.AddPhoto(Photo("c"));
    catalog.PhotoAt(2).SetFileName("a");
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), 0);
    EXPECT_EQ(catalog.FindPhotoByFileName("c"), -1);
    catalog.PhotoAt(0).SetFileName("z");
    EXPECT_EQ(catalog.FindPhotoByFileName("a"), 2);
    EXPECT_EQ(catalog.FindPhotoByFileName("z"), 0);
    catalog.PhotoAt(1).SetFileName("b");
    EXPECT_EQ(catalog.FindPhotoByFileName("b"), 1);
}

TEST(CQuilleryDocTest, NameOperationsFollowTheirLists)
{
    CQuilleryDoc catalog;
    EXPECT_EQ(catalog.AddPerson("Smith, John"), 0);
    EXPECT_EQ(catalog.AddPerson("Smith, John"), 1);
    EXPECT_EQ(catalog.FindPerson("Smith, John"), 0);
    EXPECT_EQ(catalog.AddEvent("Party"), 0);
    EXPECT_EQ(catalog.FindEvent("Party"), 0);
    EXPECT_EQ(catalog.FindEvent("party"), -1);
    EXPECT_EQ(catalog.AddLocation("France, Paris"), 0);
    catalog.ReplaceLocation(0, "France, Lyon");
    EXPECT_EQ(catalog.FindLocation("France, Paris"), -1);
    EXPECT_EQ(catalog.FindLocation("France, Lyon"), 0);
    catalog.ReplacePerson(0, "Doe, Jane");
    EXPECT_EQ(catalog.FindPerson("Smith, John"), 1);
    catalog.ReplaceEvent(0, "Wedding");
    EXPECT_EQ(catalog.Events().At(0), "Wedding");
}

TEST(CQuilleryDocTest, OnlyALastNameAndOnlyAFirstNameAreTwoPersons)
{
    CQuilleryDoc catalog;
    catalog.AddPerson("Lee ");
    EXPECT_EQ(catalog.FindPerson(" Lee"), -1);
}

TEST(CQuilleryDocTest, TextFormsJoinDisplayNames)
{
    CQuilleryDoc catalog;
    for (const char* name : {"Smith, John", "Doe, Jane", "Lee", "Brown, Ann"}) catalog.AddPerson(name);
    catalog.AddEvent(" Party ");
    catalog.AddEvent("Wedding");
    catalog.AddLocation("France, Paris");
    PhotoRecord record = Photo("x");
    record.personIds[0] = 3;
    record.personIds[1] = 0;
    record.personIds[3] = 2;  // after the first -1: not part of the list
    record.eventIds[0] = 0;
    record.eventIds[1] = 1;
    record.locationIds[0] = 0;
    EXPECT_EQ(catalog.PersonsText(record), "Ann Brown, John Smith");
    EXPECT_EQ(catalog.EventsText(record), " Party , Wedding");
    EXPECT_EQ(catalog.LocationsText(record), "Paris France");
    EXPECT_EQ(catalog.PersonsText(Photo("empty")), "");
}

TEST(CQuilleryDocTest, TextFormReadsAllSixteenIdsAndSkipsUnknownOnes)
{
    CQuilleryDoc catalog;
    catalog.AddEvent("E");
    PhotoRecord record = Photo("x");
    record.eventIds.fill(0);
    record.eventIds[5] = 42;
    std::string expected = "E";
    for (int i = 1; i < 15; ++i) expected += ", E";
    EXPECT_EQ(catalog.EventsText(record), expected);
}

}  // namespace

namespace {

// Every way of changing the photos, checked against a plain scan for the first match.
TEST(CQuilleryDocTest, FileNameLookupMatchesALinearScanUnderEveryChange)
{
    CQuilleryDoc catalog;
    unsigned seed = 11;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const auto randomName = [&next] { return std::string(1, static_cast<char>('a' + next() % 6)); };
    for (int step = 0; step < 3000; ++step) {
        const unsigned action = next() % 10;
        if (catalog.PhotoCount() == 0 || action < 4) {
            catalog.AddPhoto(Photo(randomName()));
        } else if (action < 6) {
            catalog.RemovePhoto(static_cast<int>(next() % static_cast<unsigned>(catalog.PhotoCount())));
        } else if (action < 9) {
            catalog.PhotoAt(static_cast<int>(next() % static_cast<unsigned>(catalog.PhotoCount())))
                .SetFileName(randomName());
        } else if (next() % 8 == 0) {
            catalog.Clear();
        }
        if (next() % 3 != 0) continue;  // let changes pile up between lookups
        for (char c = 'a'; c < 'a' + 6; ++c) {
            int expected = -1;
            for (int i = 0; i < catalog.PhotoCount() && expected < 0; ++i)
                if (catalog.PhotoAt(i).GetFileName() == std::string(1, c)) expected = i;
            ASSERT_EQ(catalog.FindPhotoByFileName(std::string(1, c)), expected) << "step " << step;
        }
    }
}

}  // namespace
