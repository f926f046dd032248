#include "TestImages.h"

namespace {

TEST(Reduce, GivesTheSizeAskedAndKeepsAFlatPictureFlat)
{
    struct {
        int fromWidth, fromHeight, toWidth, toHeight;
    } const cases[] = {{5184, 3456, 1600, 1066}, {2240, 1400, 1600, 1000}, {1600, 1067, 800, 533},
                       {7, 5, 7, 5},             {9, 9, 1, 1},             {3000, 10, 150, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fromWidth << "x" << c.fromHeight << " to " << c.toWidth);
        const img::PixelBuffer out = testimg::Unwrap(
            img::Reduce(testimg::MakeFlat(c.fromWidth, c.fromHeight, {137, 137, 137}), c.toWidth, c.toHeight));
        ASSERT_EQ(testimg::SizeOf(out), QSize(c.toWidth, c.toHeight));
        EXPECT_TRUE(std::all_of(out.Data(), out.Data() + out.ByteSize(), [](std::uint8_t v) { return v == 137; }));
    }
}

// A factor below 2 is averaged over fractions of pixels, not sampled.
TEST(Resample, ReduceAveragesTheAreaEachOutputPixelCoversAndEnlargingIsSmooth)
{
    img::PixelBuffer pixels = testimg::MakeFlat(3, 1, {0, 0, 0});
    testimg::SetPixel(pixels, 1, 0, {90, 90, 90});
    testimg::SetPixel(pixels, 2, 0, {180, 180, 180});
    const img::PixelBuffer out = testimg::Unwrap(img::Reduce(pixels, 2, 1));
    ASSERT_EQ(out.Width(), 2);
    EXPECT_EQ(std::pair(out.Data()[0], out.Data()[3]), (std::pair<std::uint8_t, std::uint8_t>(30, 150))); // (0 + 45) / 1.5, (45 + 180) / 1.5
    EXPECT_EQ(img::Reduce(pixels, 5, 1).Error(), img::kErrBadArgument); // not a reduction
    // Enlarging is smooth: between black and light, a grey.
    const int middle = testimg::PixelAt(testimg::Unwrap(img::Resample(pixels, 8, 1)), 2, 0).r;
    EXPECT_TRUE(middle > 20 && middle < 80) << middle;
}

} // namespace
