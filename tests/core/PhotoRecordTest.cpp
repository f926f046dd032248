#include "core/PhotoRecord.h"
#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoRecordTest, SetDateTextKeepsAtMostElevenTypedBytesAndTheNumbers)
{
    PhotoRecord record;
    record.SetDateText("01/5/99");
    EXPECT_EQ(record.GetDateText(), "01/5/99");
    EXPECT_EQ(record.Month(), 1);
    EXPECT_EQ(record.Day(), 5);
    EXPECT_EQ(record.Year(), 1999);
    record.SetDateText("123456789012345");
    EXPECT_EQ(record.GetDateText(), "12345678901");
}

TEST(PhotoRecordTest, CopiesLeaveTheCatalogAndAssigningIntoOneKeepsItsIndex)
{
    CQuilleryDoc catalog;
    PhotoRecord original;
    original.SetFileName("old");
    original.SetDateText("01/5/99");
    original.Ids(NameKind::Persons)[0] = 4;
    catalog.AddPhoto(original);

    const PhotoRecord copy(catalog.PhotoAt(0));
    PhotoRecord assigned;
    assigned = catalog.PhotoAt(0);
    const PhotoRecord* copies[] = {&copy, &assigned};
    for (const PhotoRecord* record : copies) {
        EXPECT_EQ(record->Catalog(), nullptr);
        EXPECT_EQ(record->Year(), 1999);
        EXPECT_EQ(record->Ids(NameKind::Persons), original.Ids(NameKind::Persons));
    }

    PhotoRecord edited;
    edited.SetFileName("new");
    catalog.PhotoAt(0) = edited;
    EXPECT_EQ(catalog.PhotoAt(0).Catalog(), &catalog);
    EXPECT_EQ(catalog.FindPhotoByFileName("new"), 0);
    EXPECT_EQ(catalog.FindPhotoByFileName("old"), -1);
}

} // namespace
