#include "TestImages.h"

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

// Amount 0 changes nothing, 10 moderately, 40 strongly; sharpening raises the contrast at
// an edge and softening lowers it.
TEST(Filters, AmountsAndDirection)
{
    for (const bool sharpen : {true, false}) {
        SCOPED_TRACE(sharpen ? "sharpen" : "soften");
        const auto filter = sharpen ? &Picture::Sharpen : &Picture::Soften;
        EXPECT_EQ(testimg::MaxDifference(Filtered(filter, 0).Pixels(), Checks()), 0);
        const double moderate = testimg::MeanDifference(Filtered(filter, 10).Pixels(), Checks()),
                     strong = testimg::MeanDifference(Filtered(filter, 40).Pixels(), Checks());
        EXPECT_TRUE(moderate > 1.0 && moderate < 20.0 && strong > moderate * 1.5) << moderate << " " << strong;
        const int edge = testimg::PixelAt(Filtered(filter, 20).Pixels(), 15, 7).r; // inside the bright square
        EXPECT_TRUE(edge != 190 && (edge > 190) == sharpen) << edge;
    }
    // Flat areas far from edges keep their value under sharpening.
    EXPECT_EQ(testimg::PixelAt(Filtered(&Picture::Sharpen, 20).Pixels(), 7, 7).r, 190);
    img::PixelBuffer target = testimg::Unwrap(img::PixelBuffer::Allocate(10, 10));
    EXPECT_EQ(img::Sharpen(Checks(), target, 10).Error() + img::Soften(Checks(), target, 10).Error(), 2 * img::kErrBadArgument);
}

} // namespace
