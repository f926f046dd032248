#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/PixelAdapter.h"
#include "imaging/Picture.h"

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

namespace {

// A picture with hard edges, where sharpening and softening show.
img::PixelBuffer Checks()
{
    img::PixelBuffer pixels = testimg::MakeFlat(64, 64, {60, 60, 60});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 16 + y / 16) % 2 == 0) testimg::SetPixel(pixels, x, y, {190, 190, 190});
    return pixels;
}

double ChangeAfter(int (Picture::*filter)(int), int amount)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(Checks()));
    EXPECT_EQ((picture.*filter)(amount), 0);
    return testimg::MeanDifference(picture.Pixels(), Checks());
}

TEST(Filters, AmountZeroChangesNothing)
{
    EXPECT_EQ(ChangeAfter(&Picture::Sharpen, 0), 0.0);
    EXPECT_EQ(ChangeAfter(&Picture::Soften, 0), 0.0);
}

TEST(Filters, LargerAmountsChangeMoreModeratelyThenStrongly)
{
    for (const auto filter : {&Picture::Sharpen, &Picture::Soften}) {
        const double moderate = ChangeAfter(filter, 10), strong = ChangeAfter(filter, 40);
        EXPECT_GT(moderate, 1.0);
        EXPECT_LT(moderate, 20.0);
        EXPECT_GT(strong, moderate * 1.5);
    }
}

TEST(Filters, SharpenRaisesEdgeContrastAndSoftenLowersIt)
{
    Picture sharp, soft;
    sharp.LoadFromDib(img::ToDib(Checks()));
    soft.LoadFromDib(img::ToDib(Checks()));
    ASSERT_EQ(sharp.Sharpen(20), 0);
    ASSERT_EQ(soft.Soften(20), 0);
    // Just inside the bright square at its edge with a dark one.
    EXPECT_GT(testimg::PixelAt(sharp.Pixels(), 15, 7).r, 190);
    EXPECT_LT(testimg::PixelAt(soft.Pixels(), 15, 7).r, 190);
    // Flat areas far from edges keep their value under sharpening.
    EXPECT_EQ(testimg::PixelAt(sharp.Pixels(), 7, 7).r, 190);
}

TEST(Filters, FilteringKeepsCommentsAndPalette)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(Checks()));
    picture.SetJpegComments({"c"});
    ASSERT_EQ(picture.BuildDisplayPalette(), 0);
    ASSERT_EQ(picture.Sharpen(10), 0);
    ASSERT_EQ(picture.Soften(10), 0);
    EXPECT_EQ(picture.JpegComments().size(), 1u);
    EXPECT_TRUE(picture.DisplayPalette().has_value());
}

TEST(Filters, MismatchedTargetIsRefused)
{
    const img::PixelBuffer source = Checks();
    img::PixelBuffer target = img::PixelBuffer::Allocate(10, 10);
    EXPECT_FALSE(img::Sharpen(source, target, 10));
    EXPECT_EQ(img::LastError(), img::kErrBadArgument);
    EXPECT_FALSE(img::Soften(source, target, 10));
}

TEST(ApplyTable, ChangesOnlyTheMaskedChannels)
{
    img::PixelBuffer pixels = testimg::MakeFlat(3, 3, {10, 20, 30});
    std::array<std::uint8_t, 256> invert{};
    for (int i = 0; i < 256; ++i) invert[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
    ASSERT_TRUE(img::ApplyTable(pixels, img::kRedChannel | img::kBlueChannel, invert));
    EXPECT_EQ(testimg::PixelAt(pixels, 2, 2), (testimg::Rgb{245, 20, 225}));
    ASSERT_TRUE(img::ApplyTable(pixels, img::kGreenChannel, invert));
    EXPECT_EQ(testimg::PixelAt(pixels, 0, 0), (testimg::Rgb{245, 235, 225}));
}

TEST(Resample, ReducesByAveragingAreas)
{
    img::PixelBuffer stripes = testimg::MakeFlat(4, 2, {0, 0, 0});
    testimg::SetPixel(stripes, 1, 0, {200, 200, 200});
    testimg::SetPixel(stripes, 1, 1, {200, 200, 200});
    const img::PixelBuffer half = img::Reduce(stripes, 2, 1);
    ASSERT_FALSE(half.Empty());
    EXPECT_EQ(testimg::PixelAt(half, 0, 0), (testimg::Rgb{100, 100, 100}));
    EXPECT_TRUE(img::Reduce(stripes, 5, 1).Empty());
}

TEST(Resample, EnlargesSmoothly)
{
    img::PixelBuffer two = testimg::MakeFlat(2, 1, {0, 0, 0});
    testimg::SetPixel(two, 1, 0, {240, 240, 240});
    const img::PixelBuffer wide = img::Resample(two, 8, 1);
    ASSERT_EQ(wide.Width(), 8);
    const int middle = testimg::PixelAt(wide, 4, 0).r;
    EXPECT_GT(middle, 20);
    EXPECT_LT(middle, 230);
}

TEST(MakePalette, ManyColoursGiveTwoHundredFiftySixEntries)
{
    const auto palette = img::MakePalette(testimg::MakeGradient(300, 200));
    ASSERT_EQ(palette.size(), 256u);
    int distinct = 0;
    for (std::size_t i = 1; i < palette.size(); ++i)
        if (palette[i].red != palette[i - 1].red || palette[i].green != palette[i - 1].green ||
            palette[i].blue != palette[i - 1].blue)
            ++distinct;
    EXPECT_GT(distinct, 200);
    EXPECT_TRUE(img::MakePalette(img::PixelBuffer{}).empty());
}

} // namespace

namespace {

// Halving first must give what one plain area average gives, within rounding.
TEST(Resample, LargeReductionMatchesAPlainAreaAverage)
{
    const img::PixelBuffer source = testimg::MakeGradient(1000, 700);
    const img::PixelBuffer reduced = img::Reduce(source, 133, 93);
    ASSERT_EQ(reduced.Width(), 133);
    img::PixelBuffer plain = img::PixelBuffer::Allocate(133, 93);
    cv::Mat into = img::PixelAdapter::AsMat(plain);
    cv::resize(img::PixelAdapter::AsMat(source), into, into.size(), 0, 0, cv::INTER_AREA);
    EXPECT_LT(testimg::MeanDifference(reduced, plain), 1.5);
    EXPECT_LE(testimg::MaxDifference(reduced, plain), 8);
}

} // namespace
