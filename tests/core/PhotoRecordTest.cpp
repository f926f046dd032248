#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoRecordTest, StartsEmptyWithUnusedIdLists)
{
    const PhotoRecord record;
    EXPECT_EQ(record.GetFileName(), "");
    EXPECT_EQ(record.GetNotes(), "");
    EXPECT_EQ(record.Catalog(), nullptr);
    for (const int id : record.personIds) EXPECT_EQ(id, -1);
    EXPECT_EQ(PhotoRecord::UsedCount(record.eventIds), 0);
}

TEST(PhotoRecordTest, SetDateMakesTheTextByTheFormattingRule)
{
    PhotoRecord record;
    record.SetDate(6, 5, 1999);
    EXPECT_EQ(record.GetDateText(), "6/05/1999");
    EXPECT_EQ(record.Month(), 6);
    EXPECT_EQ(record.Day(), 5);
    EXPECT_EQ(record.Year(), 1999);
}

TEST(PhotoRecordTest, SetDateTextKeepsTheTextAsTyped)
{
    PhotoRecord record;
    record.SetDateText("01/5/99");
    EXPECT_EQ(record.GetDateText(), "01/5/99");
    EXPECT_EQ(record.Month(), 1);
    EXPECT_EQ(record.Day(), 5);
    EXPECT_EQ(record.Year(), 1999);
}

TEST(PhotoRecordTest, SetDateTextKeepsAtMostElevenBytes)
{
    PhotoRecord record;
    record.SetDateText("123456789012345");
    EXPECT_EQ(record.GetDateText(), "12345678901");
}

TEST(PhotoRecordTest, UsedCountStopsAtTheFirstUnusedEntryOrAfterSixteen)
{
    PhotoRecord::IdList ids{};
    ids.fill(-1);
    ids[0] = 3;
    ids[1] = 0;
    ids[3] = 7;
    EXPECT_EQ(PhotoRecord::UsedCount(ids), 2);
    ids.fill(1);
    EXPECT_EQ(PhotoRecord::UsedCount(ids), 16);
}

TEST(PhotoRecordTest, CopiesCarryEverythingButTheCatalog)
{
    CQuilleryDoc catalog;
    PhotoRecord original;
    original.SetFileName("beach01");
    original.SetDateText("01/5/99");
    original.SetNotes("a\r\nb");
    original.personIds[0] = 4;
    catalog.AddPhoto(original);
    const PhotoRecord& inCatalog = catalog.PhotoAt(0);
    EXPECT_EQ(inCatalog.Catalog(), &catalog);

    const PhotoRecord copy(inCatalog);
    EXPECT_EQ(copy.Catalog(), nullptr);
    EXPECT_EQ(copy.GetFileName(), "beach01");
    EXPECT_EQ(copy.GetDateText(), "01/5/99");
    EXPECT_EQ(copy.Year(), 1999);
    EXPECT_EQ(copy.GetNotes(), "a\r\nb");
    EXPECT_EQ(copy.personIds, original.personIds);

    PhotoRecord assigned;
    assigned = inCatalog;
    EXPECT_EQ(assigned.Catalog(), nullptr);
    EXPECT_EQ(assigned.GetFileName(), "beach01");
}

TEST(PhotoRecordTest, AssigningToARecordInACatalogKeepsItsCatalogAndIndex)
{
    CQuilleryDoc catalog;
    PhotoRecord record;
    record.SetFileName("old");
    catalog.AddPhoto(record);
    PhotoRecord edited;
    edited.SetFileName("new");
    catalog.PhotoAt(0) = edited;
    EXPECT_EQ(catalog.PhotoAt(0).Catalog(), &catalog);
    EXPECT_EQ(catalog.FindPhotoByFileName("new"), 0);
    EXPECT_EQ(catalog.FindPhotoByFileName("old"), -1);
}

}  // namespace
