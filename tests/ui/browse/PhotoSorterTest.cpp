#include "BrowseLibrary.h"

#include "ui/browse/PhotoListModel.h"
#include "ui/browse/PhotoSorter.h"

#include <gtest/gtest.h>

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

} // namespace

TEST(PhotoSorter, CompareRulesPerColumn)
{
    BrowseLibrary library;
    const PhotoRecord& yearOnly = library.Add("yearOnly", 0, 0, 1999);
    const PhotoRecord& dec1998 = library.Add("dec1998", 12, 31, 1998);
    const PhotoRecord& nobody = library.Add("nobody");
    const PhotoRecord& nobodyToo = library.Add("nobodyToo");
    const PhotoRecord& smith = library.Add("smith", 0, 0, 2000, {"Smith, John", "Adams, Zoe"});
    const PhotoRecord& brown = library.Add("brown", 0, 0, 2000, {"Brown, Ann"});
    const PhotoRecord& party = library.Add("party", 0, 0, 2000, {}, {"Party"}, {"France, Paris"});
    const PhotoRecord& beach = library.Add("beach", 0, 0, 2000, {}, {"Beach"}, {"Zurich"});
    const PhotoRecord& upperB = library.Add("B");
    const PhotoRecord& lowerA = library.Add("a");
    const PhotoRecord& accented = library.Add("\xc3\xa9t\xc3\xa9");
    const PhotoRecord& zebra = library.Add("zebra");

    struct Case {
        const PhotoRecord& a;
        const PhotoRecord& b;
        int column;
        int expected;
    };
    const Case cases[] = {
        {dec1998, yearOnly, kDateColumn, -1},
        {nobody, nobodyToo, kPersonsColumn, 0}, // no persons on either side: equal
        {nobody, smith, kPersonsColumn, -1},    // no persons before persons
        {brown, smith, kPersonsColumn, -1},     // the first stored name decides
        {beach, party, kEventsColumn, -1},      // each column its own list
        {party, beach, kLocationsColumn, -1},
        {upperB, lowerA, kFilenameColumn, -1},  // case-sensitive bytes: 'B' before 'a'
        {accented, zebra, kFilenameColumn, 1},  // high bytes after ASCII
        {smith, brown, kPictureColumn, 0},      // a column that does not sort
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(PhotoSorter::Compare(library.Catalog(), c.a, c.b, c.column)), c.expected)
            << c.a.GetFileName() << " vs " << c.b.GetFileName() << " column " << c.column;
    }
}

TEST(PhotoSorter, SortsBothWays)
{
    BrowseLibrary library;
    library.Add("carol", 6, 15, 2001, {"Carter, Carol"});
    library.Add("none1", 0, 0, 1990);
    library.Add("alan", 2, 1, 2010, {"Adams, Alan"});
    library.Add("none2", 0, 0, 2001);
    std::vector<const PhotoRecord*> rows;
    for (int i = 0; i < library.Catalog().PhotoCount(); ++i) rows.push_back(&library.Catalog().PhotoAt(i));
    const auto sorted = [&](int column, bool descending) {
        PhotoSorter::Sort(rows, library.Catalog(), column, descending);
        std::vector<std::string> names;
        for (const PhotoRecord* photo : rows) names.push_back(photo->GetFileName());
        return names;
    };
    using Names = std::vector<std::string>;
    // Without persons first ascending, last descending.
    EXPECT_EQ(sorted(kPersonsColumn, false), (Names{"none1", "none2", "alan", "carol"}));
    EXPECT_EQ(sorted(kPersonsColumn, true), (Names{"carol", "alan", "none1", "none2"}));
    EXPECT_EQ(sorted(kDateColumn, true), (Names{"alan", "carol", "none2", "none1"}));
    EXPECT_EQ(sorted(kDateColumn, false), (Names{"none1", "none2", "carol", "alan"}));
}
