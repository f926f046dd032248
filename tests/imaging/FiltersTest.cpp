#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <gtest/gtest.h>

namespace {

// A picture with hard edges, where sharpening and softening show.
img::PixelBuffer Checks()
{
    return testimg::Make(64, 64, [](int x, int y) {
        return (x / 16 + y / 16) % 2 ? testimg::Rgb{60, 60, 60} : testimg::Rgb{190, 190, 190};
    });
}

Picture Filtered(int (Picture::*filter)(int), int amount)
{
    Picture picture = testimg::ToPicture(Checks());
    EXPECT_EQ((picture.*filter)(amount), 0);
    return picture;
}

TEST(Filters, LargerAmountsChangeMoreFromNothingToModerateToStrong)
{
    for (const auto filter : {&Picture::Sharpen, &Picture::Soften}) {
        EXPECT_EQ(testimg::MaxDifference(Filtered(filter, 0).Pixels(), Checks()), 0);
        const double moderate = testimg::MeanDifference(Filtered(filter, 10).Pixels(), Checks());
        const double strong = testimg::MeanDifference(Filtered(filter, 40).Pixels(), Checks());
        EXPECT_GT(moderate, 1.0);
        EXPECT_LT(moderate, 20.0);
        EXPECT_GT(strong, moderate * 1.5);
    }
}

TEST(Filters, SharpenRaisesEdgeContrastAndSoftenLowersIt)
{
    const Picture sharpened = Filtered(&Picture::Sharpen, 20), softened = Filtered(&Picture::Soften, 20);
    const img::PixelBuffer &sharp = sharpened.Pixels(), &soft = softened.Pixels();
    // Just inside the bright square at its edge with a dark one.
    EXPECT_GT(testimg::PixelAt(sharp, 15, 7).r, 190);
    EXPECT_LT(testimg::PixelAt(soft, 15, 7).r, 190);
    // Flat areas far from edges keep their value under sharpening.
    EXPECT_EQ(testimg::PixelAt(sharp, 7, 7).r, 190);
    img::PixelBuffer target = img::PixelBuffer::Allocate(10, 10);
    EXPECT_FALSE(img::Sharpen(Checks(), target, 10));
    EXPECT_EQ(img::LastError(), img::kErrBadArgument);
    EXPECT_FALSE(img::Soften(Checks(), target, 10));
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
