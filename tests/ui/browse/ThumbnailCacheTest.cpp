#include "ui/browse/ThumbnailCache.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using Rows = std::array<int, ThumbnailCache::kSlotCount>;

// The ten most recently drawn rows stay; a hit loads nothing and moves its row last, a
// miss takes the least recently used slot, and a failed load is cached as no picture.
TEST(ThumbnailCache, KeepsTheTenMostRecentlyDrawn)
{
    ThumbnailCache cache;
    std::vector<int> loads;
    const auto loader = [&loads](int row, Picture& into) {
        loads.push_back(row);
        if (row != 99) into.CreateBlank(row + 1, 10);
    };
    for (int row = 0; row < 12; ++row) cache.Fetch(row, loader);
    EXPECT_EQ(cache.Fetch(5, loader).Width(), 6);
    EXPECT_EQ(loads.size(), 12u);
    EXPECT_EQ(cache.Fetch(40, loader).Width(), 41);
    EXPECT_EQ(cache.RowsByUse(), (Rows{3, 4, 6, 7, 8, 9, 10, 11, 5, 40}));
    EXPECT_EQ(cache.Find(2), nullptr);

    for (int twice = 0; twice < 2; ++twice) EXPECT_FALSE(cache.Fetch(99, loader).HasPicture());
    EXPECT_EQ(loads.size(), 14u);
}
