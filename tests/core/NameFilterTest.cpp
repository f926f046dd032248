#include "NamedRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/NameFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(NameFilterTest, KeepsPhotosWithAnyChosenStoredNameInTheirOrder)
{
    CQuilleryDoc catalog;
    const auto idOf = [&](NameKind kind, const char* name) {
        const int id = catalog.FindName(kind, name);
        return id >= 0 ? id : catalog.AddName(kind, name);
    };
    catalog.AddPhoto(NamedRecord("both", 1, 1, 1999, {"Doe, Jane", "Smith, John"}, {"Party"}, {}, idOf));
    catalog.AddPhoto(NamedRecord("john", 1, 1, 1999, {"Smith, John"}, {}, {"France, Paris"}, idOf));
    // An id that names no entry is passed over; a second entry of the same text
    // matches as the first does.
    PhotoRecord far = NamedRecord("far", 1, 1, 1999, {}, {}, {}, idOf);
    PhotoRecord::IdList ids = far.Ids(NameKind::Persons);
    ids[0] = 999;
    ids[1] = catalog.AddName(NameKind::Persons, "Smith, John");
    far.SetIds(NameKind::Persons, ids);
    catalog.AddPhoto(far);
    std::vector<const PhotoRecord*> rows;
    for (int i = 0; i < catalog.PhotoCount(); ++i) rows.push_back(&catalog.PhotoAt(i));
    const auto kept = [&](NameKind kind, const Names& chosen) {
        Names names;
        for (const PhotoRecord* photo : NameFilter(catalog, kind, chosen).Apply(rows)) {
            names.push_back(photo->GetFileName());
        }
        return names;
    };

    EXPECT_EQ(kept(NameKind::Persons, {"Smith, John"}), (Names{"both", "john", "far"}));
    EXPECT_EQ(kept(NameKind::Persons, {"Doe, Jane", "France, Paris"}), Names{"both"});
    EXPECT_EQ(kept(NameKind::Persons, {"smith, john", "Smith,John", "Smith, John "}), Names{});
    EXPECT_EQ(kept(NameKind::Locations, {}), Names{});
    // Only the first 512 chosen names count.
    Names many(NameFilter::kMaxChosen, "Nobody");
    many.push_back("Party");
    EXPECT_EQ(kept(NameKind::Events, many), Names{});
    many[NameFilter::kMaxChosen - 1] = "Party";
    EXPECT_EQ(kept(NameKind::Events, many), Names{"both"});
}

}  // namespace
