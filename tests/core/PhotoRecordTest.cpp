#include "core/PhotoRecord.h"
#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoRecordTest, CopiesLeaveTheCatalogAndAssigningIntoOneKeepsItsIndex)
{
    CQuilleryDoc catalog;
    PhotoRecord original, assigned, edited;
    original.SetFileName("old");
    original.SetIds(NameKind::Persons, {4, -1});
    catalog.AddPhoto(original);

    const PhotoRecord copy(catalog.PhotoAt(0));
    assigned = catalog.PhotoAt(0);
    for (const PhotoRecord* record : {&copy, static_cast<const PhotoRecord*>(&assigned)}) {
        EXPECT_EQ(record->Catalog(), nullptr);
        EXPECT_EQ(record->Ids(NameKind::Persons), original.Ids(NameKind::Persons));
    }

    edited.SetFileName("new");
    catalog.PhotoAt(0) = edited;
    EXPECT_EQ(catalog.PhotoAt(0).Catalog(), &catalog);
    EXPECT_EQ(std::pair(catalog.FindPhotoByFileName("new"), catalog.FindPhotoByFileName("old")), std::pair(0, -1));
}

} // namespace
