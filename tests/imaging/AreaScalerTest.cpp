#include "imaging/Imaging.h"
#include "imaging/ImagingErrors.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

img::PixelBuffer Filled(int width, int height, std::uint8_t value)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    std::fill_n(pixels.Data(), pixels.ByteSize(), value);
    return pixels;
}

struct ShrinkCase {
    int fromWidth, fromHeight, toWidth, toHeight;
};

class ReduceSizes : public testing::TestWithParam<ShrinkCase> {};

} // namespace

TEST_P(ReduceSizes, GivesTheSizeAskedAndKeepsAFlatPictureFlat)
{
    const ShrinkCase& c = GetParam();
    const img::PixelBuffer out = img::Reduce(Filled(c.fromWidth, c.fromHeight, 137), c.toWidth, c.toHeight);
    ASSERT_EQ(img::LastError(), img::kErrNone);
    EXPECT_EQ(out.Width(), c.toWidth);
    EXPECT_EQ(out.Height(), c.toHeight);
    for (size_t i = 0; i < out.ByteSize(); ++i) ASSERT_EQ(out.Data()[i], 137) << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReduceSizes,
                         testing::Values(ShrinkCase{5184, 3456, 1600, 1066},
                                         ShrinkCase{2240, 1400, 1600, 1000},
                                         ShrinkCase{1600, 1067, 800, 533},
                                         ShrinkCase{801, 601, 800, 600},
                                         ShrinkCase{7, 5, 7, 5}, ShrinkCase{9, 9, 1, 1},
                                         ShrinkCase{3000, 10, 150, 1}));

// A factor below 2 is averaged over fractions of pixels, not sampled.
TEST(Reduce, AveragesTheAreaEachOutputPixelCovers)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(3, 1);
    // Three pixels into two: each output covers one and a half inputs.
    const std::uint8_t values[3] = {0, 90, 180};
    for (int x = 0; x < 3; ++x) std::fill_n(pixels.Data() + 3 * x, 3, values[x]);
    const img::PixelBuffer out = img::Reduce(pixels, 2, 1);
    ASSERT_EQ(out.Width(), 2);
    EXPECT_EQ(out.Data()[0], 30);  // (0 + 0.5 * 90) / 1.5
    EXPECT_EQ(out.Data()[3], 150); // (0.5 * 90 + 180) / 1.5
}
