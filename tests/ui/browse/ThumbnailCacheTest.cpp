#include "ui/browse/ThumbnailCache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct CountingLoader {
    std::vector<int> loads;
    ThumbnailCache::Loader Loader()
    {
        return [this](int row, Picture& into) {
            loads.push_back(row);
            into.CreateBlank(row + 1, 10);
        };
    }
};

using Rows = std::array<int, ThumbnailCache::kSlotCount>;

} // namespace

TEST(ThumbnailCache, KeepsTheTenMostRecentlyDrawnInUseOrder)
{
    ThumbnailCache cache;
    CountingLoader counter;
    for (int row = 0; row < 12; ++row) cache.Fetch(row, counter.Loader());
    EXPECT_EQ(cache.RowsByUse(), (Rows{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(counter.loads.size(), 12u);

    // A hit loads nothing and moves the row to the end; the rows after it move up.
    const Picture& hit = cache.Fetch(5, counter.Loader());
    EXPECT_EQ(hit.Width(), 6);
    EXPECT_EQ(counter.loads.size(), 12u);
    EXPECT_EQ(cache.RowsByUse(), (Rows{2, 3, 4, 6, 7, 8, 9, 10, 11, 5}));

    // A miss reuses the least recently used slot.
    const Picture& miss = cache.Fetch(40, counter.Loader());
    EXPECT_EQ(miss.Width(), 41);
    EXPECT_EQ(cache.RowsByUse(), (Rows{3, 4, 6, 7, 8, 9, 10, 11, 5, 40}));
    EXPECT_EQ(cache.Find(2), nullptr);
    EXPECT_EQ(cache.Find(6)->Width(), 7);
}

TEST(ThumbnailCache, FailedLoadCachesAnEmptyPicture)
{
    ThumbnailCache cache;
    int loads = 0;
    const auto failing = [&loads](int, Picture&) { ++loads; };
    EXPECT_FALSE(cache.Fetch(3, failing).HasPicture());
    EXPECT_FALSE(cache.Fetch(3, failing).HasPicture());
    EXPECT_EQ(loads, 1);
}
