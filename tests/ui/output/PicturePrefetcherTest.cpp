#include "TestLibrary.h"

#include "ui/output/PicturePrefetcher.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PicturePrefetcherTest : public testing::Test {
  protected:
    TestLibrary m_library;
};

TEST_F(PicturePrefetcherTest, DecodedAheadBeforeItsTurnSoTheFileIsNoLongerNeeded)
{
    const PicturePrefetcher::Request request{m_library.MakeImage("next.png", 40, 30), 800, 500};
    PicturePrefetcher prefetcher;
    prefetcher.Prefetch(request);
    prefetcher.Prefetch(request);
    QTRY_VERIFY_WITH_TIMEOUT(prefetcher.IsReady(request), 5000);
    std::filesystem::remove(request.path);

    const PicturePrefetcher::Ready ready = prefetcher.Take(request);
    const Picture& picture = ready.picture;
    ASSERT_TRUE(picture.HasPicture());
    EXPECT_EQ(picture.GetSize(), QSize(666, 500)) << "fitted into the box, enlarged";
    EXPECT_TRUE(picture.DisplayPalette().has_value());
    // Ready for the screen: the window surface's own pixel form, the same pixels.
    EXPECT_EQ(ready.screenImage.format(), QImage::Format_RGB32);
    EXPECT_EQ(ready.screenImage.size(), picture.GetSize());
    EXPECT_EQ(ready.screenImage.pixelColor(333, 250), picture.ToBitmap().pixelColor(333, 250));
    EXPECT_FALSE(prefetcher.IsReady(request)) << "taken once";
    EXPECT_FALSE(prefetcher.Take(request).picture.HasPicture()) << "decoded again, from a file now gone";
}

TEST_F(PicturePrefetcherTest, ARequestNotDecodedAheadIsDecodedOnTheSpot)
{
    const std::string path = m_library.MakeImage("now.png", 40, 30);
    PicturePrefetcher prefetcher;
    prefetcher.Prefetch({path, 80, 80});
    const Picture other = std::move(prefetcher.Take({path, 20, 20}).picture);
    EXPECT_EQ(other.GetSize(), QSize(20, 15));
    EXPECT_EQ(prefetcher.Take({path, 80, 80}).picture.GetSize(), QSize(80, 60));
    const PicturePrefetcher::Ready absent = prefetcher.Take({m_library.File("absent.jpg"), 80, 80});
    EXPECT_FALSE(absent.picture.HasPicture());
    EXPECT_TRUE(absent.screenImage.isNull());
}

} // namespace
