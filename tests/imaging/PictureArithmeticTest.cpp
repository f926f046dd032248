#include "TempDir.h"
#include "TestImages.h"
#include "imaging/Picture.h"

#include <gtest/gtest.h>

#include <filesystem>

using testimg::PixelAt;
using testimg::Rgb;

namespace {

Picture Blank(int width, int height)
{
    Picture picture;
    EXPECT_EQ(picture.CreateBlank(width, height), 0);
    return picture;
}

struct FitCase {
    const char* name;
    int width, height, boxWidth, boxHeight, expectedWidth, expectedHeight;
};

class FitIntoTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitIntoTest, GivesTheDocumentedSize)
{
    const FitCase& c = GetParam();
    Picture picture = Blank(c.width, c.height);
    EXPECT_EQ(picture.FitInto(c.boxWidth, c.boxHeight), 0);
    EXPECT_EQ(picture.Width(), c.expectedWidth);
    EXPECT_EQ(picture.Height(), c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FitIntoTest,
    testing::Values(FitCase{"SmallIsEnlarged", 640, 480, 800, 600, 800, 600},
                    FitCase{"WideIsNarrowed", 3000, 2000, 800, 600, 800, 533},
                    FitCase{"ExactStays", 800, 600, 800, 600, 800, 600},
                    FitCase{"TallThumbnail", 2000, 3000, 150, 100, 66, 100},
                    FitCase{"FourThreeThumbnail", 1024, 768, 150, 100, 133, 100},
                    FitCase{"HighResEnlarged", 1500, 1100, 1600, 1200, 1600, 1173},
                    FitCase{"HighResReduced", 4000, 3000, 1600, 1200, 1600, 1200}),
    [](const testing::TestParamInfo<FitCase>& tp) { return std::string(tp.param.name); });

TEST(PictureFit, UnchangedSizeKeepsEverything)
{
    Picture picture = Blank(800, 600);
    picture.SetJpegComments({"kept"});
    ASSERT_EQ(picture.BuildDisplayPalette(), 0);
    EXPECT_EQ(picture.FitInto(800, 600), 0);
    EXPECT_EQ(picture.JpegComments().size(), 1u);
    EXPECT_TRUE(picture.DisplayPalette().has_value());
}

TEST(PictureFit, EmptyPictureOrBoxGivesFive)
{
    Picture empty;
    EXPECT_EQ(empty.FitInto(800, 600), 5);
    Picture picture = Blank(10, 10);
    EXPECT_EQ(picture.FitInto(0, 600), 5);
    EXPECT_EQ(picture.FitInto(800, -1), 5);
    EXPECT_EQ(picture.Width(), 10);
}

TEST(PictureFit, ASizeThatTruncatesToZeroGivesFive)
{
    Picture picture = Blank(1000, 1);
    EXPECT_EQ(picture.FitInto(150, 100), 5); // 150 x 0
    EXPECT_EQ(picture.Width(), 1000);
}

TEST(PictureFit, ResizeDropsPaletteFittedCopyAndComments)
{
    Picture picture = Blank(300, 200);
    picture.SetJpegComments({"one", "two"});
    ASSERT_EQ(picture.BuildDisplayPalette(), 0);
    ASSERT_EQ(picture.FitInto(150, 100), 0);
    EXPECT_TRUE(picture.JpegComments().empty());
    EXPECT_FALSE(picture.DisplayPalette().has_value());
}

TEST(PictureScaledCopy, FitsTheBoxInDoublePrecision)
{
    Picture wide = Blank(1000, 500), small = Blank(100, 50), copy;
    EXPECT_EQ(copy.MakeScaledCopy(wide, 200, 200), 0);
    EXPECT_EQ(copy.GetSize(), QSize(200, 100));
    EXPECT_EQ(copy.MakeScaledCopy(small, 200, 200), 0);
    EXPECT_EQ(copy.GetSize(), QSize(200, 100));
    Picture tall = Blank(300, 900);
    EXPECT_EQ(copy.MakeScaledCopy(tall, 128, 85), 0);
    EXPECT_EQ(copy.GetSize(), QSize(28, 85));
}

TEST(PictureScaledCopy, EmptySourceGivesFiveAndAnEmptyPicture)
{
    Picture empty, copy = Blank(5, 5);
    EXPECT_EQ(copy.MakeScaledCopy(empty, 200, 200), 5);
    EXPECT_FALSE(copy.HasPicture());
}

TEST(PictureScaledCopy, CopyOfItselfKeepsThePicture)
{
    Picture picture;
    picture.CreateBlank(400, 200);
    EXPECT_EQ(picture.MakeScaledCopy(picture, 100, 100), 0);
    EXPECT_EQ(picture.GetSize(), QSize(100, 50));
}

TEST(PictureScaledCopy, ScalesThePixels)
{
    Picture source;
    ASSERT_EQ(source.CreateBlank(40, 20), 0);
    Picture flat;
    flat.LoadFromDib(img::ToDib(testimg::MakeFlat(40, 20, {200, 100, 50})));
    Picture copy;
    ASSERT_EQ(copy.MakeScaledCopy(flat, 20, 20), 0);
    EXPECT_EQ(PixelAt(copy.Pixels(), 5, 5), (Rgb{200, 100, 50}));
}

TEST(PictureBlank, IsBlackAndRefusesSmallSizes)
{
    Picture picture;
    EXPECT_EQ(picture.CreateBlank(0, 5), 5);
    EXPECT_EQ(picture.CreateBlank(5, -1), 5);
    EXPECT_FALSE(picture.HasPicture());
    ASSERT_EQ(picture.CreateBlank(3, 2), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 2, 1), (Rgb{0, 0, 0}));
}

TEST(PictureBlank, TooLargeIsAMemoryFailure)
{
    Picture picture;
    EXPECT_EQ(picture.CreateBlank(40000, 40000), 1);
    EXPECT_FALSE(picture.HasPicture());
}

TEST(PictureCopy, FromEmptyGivesFiveAndLeavesTheTarget)
{
    Picture empty, target = Blank(7, 3);
    EXPECT_EQ(target.CopyFrom(empty), 5);
    EXPECT_EQ(target.GetSize(), QSize(7, 3));
}

TEST(PictureCopy, CopiesPixelsNotPaletteOrComments)
{
    Picture source;
    source.LoadFromDib(img::ToDib(testimg::MakeBlocks()));
    source.SetJpegComments({"c"});
    ASSERT_EQ(source.BuildDisplayPalette(), 0);
    Picture target;
    ASSERT_EQ(target.CopyFrom(source), 0);
    EXPECT_EQ(testimg::MaxDifference(target.Pixels(), source.Pixels()), 0);
    EXPECT_TRUE(target.JpegComments().empty());
    EXPECT_FALSE(target.DisplayPalette().has_value());
    EXPECT_EQ(target.CopyFrom(target), 0); // from itself: unchanged
    EXPECT_EQ(testimg::MaxDifference(target.Pixels(), source.Pixels()), 0);
}

struct TableCase {
    const char* name;
    int percent;
    int input;
    int expected;
};

class BrightnessTest : public testing::TestWithParam<TableCase> {};

TEST_P(BrightnessTest, MapsExactly)
{
    const TableCase& c = GetParam();
    EXPECT_EQ(Picture::BrightnessTable(c.percent)[static_cast<std::size_t>(c.input)], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BrightnessTest,
    testing::Values(TableCase{"Plus20Black", 20, 0, 1}, TableCase{"Plus20Dark", 20, 64, 106},
                    TableCase{"Plus20Middle", 20, 128, 173}, TableCase{"Plus20White", 20, 255, 255},
                    TableCase{"Minus50Middle", -50, 128, 64}, TableCase{"Minus50White", -50, 255, 127},
                    TableCase{"Plus100Dark", 100, 64, 255}, TableCase{"ZeroIsIdentity", 0, 77, 77},
                    TableCase{"Minus150IsBlackNotWrapped", -150, 200, 0}),
    [](const testing::TestParamInfo<TableCase>& tp) { return std::string(tp.param.name); });

class ColorTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(ColorTableTest, MapsExactly)
{
    const TableCase& c = GetParam();
    EXPECT_EQ(Picture::ColorTable(c.percent)[static_cast<std::size_t>(c.input)], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColorTableTest,
    testing::Values(TableCase{"Plus10Of100", 10, 100, 110}, TableCase{"Plus10Of200", 10, 200, 220},
                    TableCase{"Plus10Of232Limited", 10, 232, 255},
                    TableCase{"Minus200IsBlackNotWrapped", -200, 100, 0}),
    [](const testing::TestParamInfo<TableCase>& tp) { return std::string(tp.param.name); });

TEST(PictureAdjust, ColorChangesOnlyItsChannel)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeFlat(4, 4, {100, 200, 232})));
    picture.SetJpegComments({"kept"});
    ASSERT_EQ(picture.AdjustColor(10, Picture::kRed), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 1, 1), (Rgb{110, 200, 232}));
    ASSERT_EQ(picture.AdjustColor(10, Picture::kBlue), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 1, 1), (Rgb{110, 200, 255}));
    ASSERT_EQ(picture.AdjustColor(10, 7), 0); // no channel: nothing changes
    EXPECT_EQ(PixelAt(picture.Pixels(), 1, 1), (Rgb{110, 200, 255}));
    EXPECT_EQ(picture.JpegComments().size(), 1u);
}

TEST(PictureAdjust, BrightnessChangesAllChannels)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeFlat(4, 4, {0, 64, 128})));
    ASSERT_EQ(picture.AdjustBrightness(20), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 0, 0), (Rgb{1, 106, 173}));
}

TEST(PictureAdjust, EmptyPictureGivesFive)
{
    Picture empty;
    EXPECT_EQ(empty.AdjustBrightness(10), 5);
    EXPECT_EQ(empty.AdjustColor(10, 0), 5);
    EXPECT_EQ(empty.Sharpen(10), 5);
    EXPECT_EQ(empty.Soften(10), 5);
    EXPECT_EQ(empty.Rotate(90), 5);
    EXPECT_EQ(empty.Crop(0, 0, 1, 1), 5);
    EXPECT_EQ(empty.Resize(10, 10), 5);
    EXPECT_EQ(empty.BuildDisplayPalette(), 5);
}

TEST(PictureRotate, QuarterTurnsSwapSidesAndAgree)
{
    const img::PixelBuffer blocks = testimg::MakeBlocks(64, 48);
    Picture minus90, plus270, half;
    minus90.LoadFromDib(img::ToDib(blocks));
    plus270.LoadFromDib(img::ToDib(blocks));
    half.LoadFromDib(img::ToDib(blocks));
    EXPECT_EQ(minus90.Rotate(-90), 0);
    EXPECT_EQ(plus270.Rotate(270), 0);
    EXPECT_EQ(minus90.GetSize(), QSize(48, 64));
    EXPECT_EQ(testimg::MaxDifference(minus90.Pixels(), plus270.Pixels()), 0);
    EXPECT_EQ(half.Rotate(180), 0);
    EXPECT_EQ(half.GetSize(), QSize(64, 48));
    EXPECT_EQ(PixelAt(half.Pixels(), 63, 47), PixelAt(blocks, 0, 0));
}

TEST(PictureRotate, PositiveQuarterTurnsClockwise)
{
    img::PixelBuffer marked = testimg::MakeFlat(4, 2, {0, 0, 0});
    testimg::SetPixel(marked, 0, 0, {255, 0, 0}); // top-left
    Picture picture;
    picture.LoadFromDib(img::ToDib(marked));
    picture.SetJpegComments({"kept"});
    ASSERT_EQ(picture.Rotate(90), 0);
    ASSERT_EQ(picture.GetSize(), QSize(2, 4));
    EXPECT_EQ(PixelAt(picture.Pixels(), 1, 0), (Rgb{255, 0, 0})); // now top-right
    EXPECT_EQ(picture.JpegComments().size(), 1u);
    ASSERT_EQ(picture.Rotate(-90), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 0, 0), (Rgb{255, 0, 0}));
}

TEST(PictureRotate, FreeAngleTurnsClockwiseIntoAWhiteCorneredBox)
{
    // A dark picture with a bright marker right of centre on the middle row.
    img::PixelBuffer marked = testimg::MakeFlat(101, 101, {0, 0, 0});
    for (int y = 48; y <= 52; ++y)
        for (int x = 85; x <= 95; ++x) testimg::SetPixel(marked, x, y, {255, 255, 0});
    Picture picture;
    picture.LoadFromDib(img::ToDib(marked));
    picture.SetJpegComments({"dropped"});
    ASSERT_EQ(picture.Rotate(30), 0);
    EXPECT_GT(picture.Width(), 101);
    EXPECT_EQ(picture.Width(), picture.Height());
    EXPECT_EQ(PixelAt(picture.Pixels(), 0, 0), (Rgb{255, 255, 255}));
    EXPECT_TRUE(picture.JpegComments().empty());
    // Clockwise on screen moves the marker from the middle row downwards.
    const int cx = picture.Width() / 2;
    const int radius = 40;
    const int below = cx + static_cast<int>(radius * 0.5), x = cx + static_cast<int>(radius * 0.866);
    EXPECT_EQ(PixelAt(picture.Pixels(), x, below).g, 255);
}

struct AngleCase {
    const char* name;
    double degrees;
    int width, height;
};

class FreeRotationSizeTest : public testing::TestWithParam<AngleCase> {};

// The bounding box uses the absolute sine and cosine, so angles past 90 degrees give a
// box that holds the whole picture.
TEST_P(FreeRotationSizeTest, BoundingBoxHoldsThePicture)
{
    const AngleCase& c = GetParam();
    Picture picture = Blank(200, 100);
    ASSERT_EQ(picture.Rotate(c.degrees), 0);
    EXPECT_EQ(picture.Width(), c.width);
    EXPECT_EQ(picture.Height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, FreeRotationSizeTest,
    testing::Values(AngleCase{"Zero", 0, 200, 100}, AngleCase{"Full", 360, 200, 100},
                    AngleCase{"Minus10Is350", -10, 214, 133}, AngleCase{"Plus10", 10, 214, 133},
                    AngleCase{"Obtuse120", 120, 187, 223}, AngleCase{"Reflex200", 200, 222, 162}),
    [](const testing::TestParamInfo<AngleCase>& tp) { return std::string(tp.param.name); });

TEST(PictureCrop, KeepsTheHalfOpenRectangle)
{
    const img::PixelBuffer blocks = testimg::MakeBlocks(64, 48);
    Picture picture;
    picture.LoadFromDib(img::ToDib(blocks));
    ASSERT_EQ(picture.Crop(30, 20, 40, 30), 0);
    EXPECT_EQ(picture.GetSize(), QSize(10, 10));
    EXPECT_EQ(PixelAt(picture.Pixels(), 0, 0), PixelAt(blocks, 30, 20));
    EXPECT_EQ(PixelAt(picture.Pixels(), 9, 9), PixelAt(blocks, 39, 29));
}

TEST(PictureCrop, RectangleOutsideFailsAndKeepsThePicture)
{
    Picture picture = Blank(10, 10);
    EXPECT_EQ(picture.Crop(5, 5, 11, 8), img::kErrBadArgument);
    EXPECT_EQ(picture.Crop(5, 5, 5, 8), img::kErrBadArgument);
    EXPECT_EQ(picture.Crop(-1, 0, 5, 8), img::kErrBadArgument);
    EXPECT_EQ(picture.GetSize(), QSize(10, 10));
}

TEST(PictureResize, ReducesAndEnlargesToExactSizes)
{
    Picture picture = Blank(100, 80);
    EXPECT_EQ(picture.Resize(50, 40), 0);
    EXPECT_EQ(picture.GetSize(), QSize(50, 40));
    EXPECT_EQ(picture.Resize(60, 10), 0);
    EXPECT_EQ(picture.GetSize(), QSize(60, 10));
    EXPECT_EQ(picture.Resize(0, 10), 5);
}

TEST(PictureRelease, EmptiesEverything)
{
    Picture picture = Blank(10, 10);
    picture.SetJpegComments({"c"});
    picture.BuildDisplayPalette();
    picture.Release();
    EXPECT_FALSE(picture.HasPicture());
    EXPECT_EQ(picture.GetSize(), QSize(0, 0));
    EXPECT_TRUE(picture.JpegComments().empty());
    EXPECT_FALSE(picture.DisplayPalette().has_value());
}

TEST(PictureMove, TransfersThePicture)
{
    Picture picture = Blank(10, 10);
    Picture moved = std::move(picture);
    EXPECT_TRUE(moved.HasPicture());
    EXPECT_EQ(moved.GetSize(), QSize(10, 10));
}

TEST(PicturePalette, HasTwoHundredFiftySixEntriesWithThePictureColours)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeBlocks()));
    ASSERT_EQ(picture.BuildDisplayPalette(), 0);
    const img::Palette& palette = *picture.DisplayPalette();
    ASSERT_EQ(palette.size(), 256);
    for (const QRgb wanted : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 255, 255)}) {
        const bool near = std::any_of(palette.begin(), palette.end(), [&](QRgb entry) {
            return std::abs(qRed(entry) - qRed(wanted)) <= 8 && std::abs(qGreen(entry) - qGreen(wanted)) <= 8 &&
                   std::abs(qBlue(entry) - qBlue(wanted)) <= 8;
        });
        EXPECT_TRUE(near) << std::hex << wanted;
    }
}

} // namespace
