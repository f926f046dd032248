#include "NamedRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/NameFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class NameFilterTest : public testing::Test {
protected:
    NameFilterTest()
    {
        const auto idOf = [this](NameKind kind, const char* name) {
            const int id = m_catalog.FindName(kind, name);
            return id >= 0 ? id : m_catalog.AddName(kind, name);
        };
        m_catalog.AddPhoto(NamedRecord("both", 1, 1, 1999, {"Doe, Jane", "Smith, John"}, {"Summer holiday"}, {}, idOf));
        m_catalog.AddPhoto(NamedRecord("john", 1, 1, 1999, {"Smith, John"}, {"Wedding"}, {"France, Paris"}, idOf));
        m_catalog.AddPhoto(NamedRecord("nobody", 1, 1, 1999, {}, {"Summer holiday"}, {}, idOf));
        // An id that names no entry is passed over; a second entry of the same text
        // matches as the first does.
        PhotoRecord far = NamedRecord("far", 1, 1, 1999, {}, {}, {}, idOf);
        far.Ids(NameKind::Persons)[0] = 999;
        far.Ids(NameKind::Persons)[1] = m_catalog.AddName(NameKind::Persons, "Smith, John");
        m_catalog.AddPhoto(far);
        m_catalog.AddName(NameKind::Persons, "Unused");
        for (int i = 0; i < m_catalog.PhotoCount(); ++i) m_rows.push_back(&m_catalog.PhotoAt(i));
    }

    Names Kept(const std::vector<const PhotoRecord*>& photos) const
    {
        Names names;
        for (const PhotoRecord* photo : photos) names.push_back(photo->GetFileName());
        return names;
    }

    CQuilleryDoc m_catalog;
    std::vector<const PhotoRecord*> m_rows;
};

TEST_F(NameFilterTest, KeepsPhotosWithAnyChosenNameInTheirOrder)
{
    // clang-format off
    const struct {
        NameKind kind;
        Names chosen;
        Names kept;
    } cases[] = {
        {NameKind::Persons, {"Smith, John"}, {"both", "john", "far"}},
        {NameKind::Persons, {"Doe, Jane"}, {"both"}},
        {NameKind::Persons, {"smith, john", "Smith,John", "Smith, John "}, {}},
        {NameKind::Persons, {"Unused"}, {}},
        {NameKind::Persons, {}, {}},
        {NameKind::Events, {"Summer holiday"}, {"both", "nobody"}},
        {NameKind::Locations, {"France, Paris", "Doe, Jane"}, {"john"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Kept(NameFilter(m_catalog, c.kind, c.chosen).Apply(m_rows)), c.kept)
            << static_cast<int>(c.kind) << ' ' << c.chosen.size();
    }
}

TEST_F(NameFilterTest, FiltersInARowMustAllBePassed)
{
    const auto byPerson = NameFilter(m_catalog, NameKind::Persons, {"Smith, John"}).Apply(m_rows);
    const auto thenByEvent = NameFilter(m_catalog, NameKind::Events, {"Summer holiday"}).Apply(byPerson);
    EXPECT_EQ(Kept(thenByEvent), Names{"both"});
}

TEST_F(NameFilterTest, OnlyTheFirstChosenNamesCount)
{
    Names chosen(NameFilter::kMaxChosen, "Nobody");
    chosen.push_back("Smith, John");
    EXPECT_TRUE(NameFilter(m_catalog, NameKind::Persons, chosen).Apply(m_rows).empty());
    chosen[NameFilter::kMaxChosen - 1] = "Smith, John";
    EXPECT_EQ(Kept(NameFilter(m_catalog, NameKind::Persons, chosen).Apply(m_rows)), (Names{"both", "john", "far"}));
}

}  // namespace
