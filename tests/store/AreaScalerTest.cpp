#include "StorePictures.h"

#include "imaging/ImagingErrors.h"
#include "store/AreaScaler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

img::PixelBuffer Filled(int width, int height, std::uint8_t value)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    std::fill_n(pixels.Data(), pixels.ByteSize(), value);
    return pixels;
}

double MeanDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    double total = 0;
    for (size_t i = 0; i < a.ByteSize(); ++i) total += std::abs(a.Data()[i] - b.Data()[i]);
    return total / static_cast<double>(a.ByteSize());
}

} // namespace

struct ShrinkCase {
    int fromWidth, fromHeight, toWidth, toHeight;
};

class AreaScalerSizes : public testing::TestWithParam<ShrinkCase> {};

TEST_P(AreaScalerSizes, GivesTheSizeAskedAndKeepsAFlatPictureFlat)
{
    const ShrinkCase& c = GetParam();
    int code = -1;
    const img::PixelBuffer out = AreaScaler::Shrink(Filled(c.fromWidth, c.fromHeight, 137),
                                                    c.toWidth, c.toHeight, code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(out.Width(), c.toWidth);
    EXPECT_EQ(out.Height(), c.toHeight);
    for (size_t i = 0; i < out.ByteSize(); ++i) ASSERT_EQ(out.Data()[i], 137) << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, AreaScalerSizes,
                         testing::Values(ShrinkCase{5184, 3456, 1600, 1066},
                                         ShrinkCase{2240, 1400, 1600, 1000},
                                         ShrinkCase{1600, 1067, 800, 533},
                                         ShrinkCase{801, 601, 800, 600},
                                         ShrinkCase{7, 5, 7, 5}, ShrinkCase{9, 9, 1, 1},
                                         ShrinkCase{3000, 10, 150, 1}));

TEST(AreaScaler, AveragesTheCoveredArea)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(3, 1);
    // Three pixels into two: each output covers one and a half inputs.
    const std::uint8_t values[3] = {0, 90, 180};
    for (int x = 0; x < 3; ++x) std::fill_n(pixels.Data() + 3 * x, 3, values[x]);
    int code = -1;
    const img::PixelBuffer out = AreaScaler::Shrink(pixels, 2, 1, code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(out.Data()[0], 30);  // (0 + 0.5 * 90) / 1.5
    EXPECT_EQ(out.Data()[3], 150); // (0.5 * 90 + 180) / 1.5
}

// A smooth picture with detail at several scales, as photos have.
static img::PixelBuffer Smooth(int width, int height)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(127 + 120 * std::sin(x / 40.0) * std::cos(y / 65.0));
            row[3 * x + 1] = static_cast<std::uint8_t>(x * 255 / width);
            row[3 * x + 2] = static_cast<std::uint8_t>(127 + 100 * std::sin((x + y) / 150.0));
        }
    }
    return pixels;
}

TEST(AreaScaler, CloseToOpenCvAreaReduction)
{
    const img::PixelBuffer picture = Smooth(2592, 1728);
    for (const auto& [width, height] : {std::pair{1600, 1066}, std::pair{800, 533}, std::pair{150, 100}}) {
        int code = -1;
        const img::PixelBuffer ours = AreaScaler::Shrink(picture, width, height, code);
        const img::PixelBuffer reference = img::Reduce(picture, width, height);
        ASSERT_EQ(code, 0);
        EXPECT_LT(MeanDifference(ours, reference), 1.0) << width;
    }
}

TEST(AreaScaler, RefusesToGrowOrAnEmptySource)
{
    int code = 0;
    EXPECT_TRUE(AreaScaler::Shrink(Filled(10, 10, 1), 11, 10, code).Empty());
    EXPECT_EQ(code, img::kErrBadArgument);
    EXPECT_TRUE(AreaScaler::Shrink(img::PixelBuffer(), 1, 1, code).Empty());
    EXPECT_EQ(code, img::kErrBadArgument);
}
