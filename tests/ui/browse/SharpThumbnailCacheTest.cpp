#include "TestLibrary.h"

#include "ui/browse/SharpThumbnailCache.h"

#include <gtest/gtest.h>

#include <vector>

// At most 64 pictures, the least recently drawn going first; what was decoded for a
// photo goes when the library announces it changed or removed, and all of it when the
// library is replaced.
TEST(SharpThumbnailCache, KeepsTheMostRecentlyDrawnAndFollowsTheLibrary)
{
    TestLibrary library;
    std::vector<const PhotoRecord*> photos;
    for (int i = 0; i < SharpThumbnailCache::kCapacity + 6; ++i) {
        photos.push_back(&library.Add("photo" + std::to_string(i)));
        library.WritePicture(PictureStore::Version::FullScreen, photos.back()->GetFileName(), 80, 60);
    }
    SharpThumbnailCache cache;
    cache.SetLibrary(&library.GetLibrary());
    const QSize box(150, 100);
    const QImage& first = cache.Fetch(*photos[0], box, 2.0);
    EXPECT_EQ(first.size(), QSize(266, 200)) << "fitted into the box in device pixels";
    EXPECT_EQ(first.devicePixelRatio(), 2.0);
    for (const PhotoRecord* photo : photos) cache.Fetch(*photo, box, 2.0);
    EXPECT_EQ(cache.Count(), SharpThumbnailCache::kCapacity);
    EXPECT_FALSE(cache.Holds(photos[5]));
    EXPECT_TRUE(cache.Holds(photos[6]));

    const PhotoRecord same = *photos[6];
    library.GetLibrary().ChangePhoto(*photos[6], same);
    EXPECT_FALSE(cache.Holds(photos[6]));
    EXPECT_TRUE(cache.Fetch(library.Add("no files"), box, 2.0).isNull()) << "the thumbnail file serves";
    library.GetLibrary().Close();
    EXPECT_EQ(cache.Count(), 0);
}
