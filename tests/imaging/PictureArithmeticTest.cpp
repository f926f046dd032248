#include "TestImages.h"

#include <QPainter>

using testimg::PixelAt;
using testimg::Rgb;
using testimg::ToPicture;

namespace {

Picture Blank(int width, int height)
{
    Picture picture;
    EXPECT_EQ(picture.CreateBlank(width, height), 0);
    return picture;
}

// Long strips keep a side of at least one pixel, fitted and previewed alike.
TEST(PictureFit, GivesTheDocumentedSizeOrFive)
{
    struct {
        int width, height, boxWidth, boxHeight, code, fittedWidth, fittedHeight;
    } const cases[] = {
        {640, 480, 800, 600, 0, 800, 600}, {3000, 2000, 800, 600, 0, 800, 533},
        {800, 600, 800, 600, 0, 800, 600}, {2000, 3000, 150, 100, 0, 66, 100},
        {10000, 1, 150, 100, 0, 150, 1},   {10, 2000, 150, 100, 0, 1, 100},
        {10, 10, 0, 600, 5, 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " into " << c.boxWidth << "x" << c.boxHeight);
        Picture picture = Blank(c.width, c.height);
        EXPECT_EQ(picture.FitInto(c.boxWidth, c.boxHeight), c.code);
        EXPECT_EQ(picture.GetSize(), QSize(c.fittedWidth, c.fittedHeight));
        if (c.code != 0) continue;
        Picture preview;
        EXPECT_EQ(preview.MakeScaledCopy(Blank(c.width, c.height), c.boxWidth, c.boxHeight), 0);
        EXPECT_EQ(preview.GetSize(), QSize(c.fittedWidth, c.fittedHeight));
    }
}

TEST(PictureCopy, BlankIsBlackAndCopiesTakePixelsNotPaletteOrComments)
{
    Picture target;
    EXPECT_EQ(target.CreateBlank(5, 0), 5);
    EXPECT_EQ(target.CreateBlank(40000, 40000), 1); // too large is reported as no memory
    EXPECT_FALSE(target.HasPicture());
    ASSERT_EQ(target.CreateBlank(7, 3), 0);
    EXPECT_EQ(PixelAt(target.Pixels(), 6, 2), (Rgb{0, 0, 0}));
    Picture source = ToPicture(testimg::MakeBlocks());
    source.SetJpegComments({"c"});
    ASSERT_EQ(source.BuildDisplayPalette(), 0);
    ASSERT_EQ(target.CopyFrom(source), 0);
    EXPECT_TRUE(target.JpegComments().empty());
    EXPECT_FALSE(target.DisplayPalette().has_value());
    EXPECT_EQ(testimg::MaxDifference(target.Pixels(), source.Pixels()), 0);
}

// A copy shares its pixels until one side changes; every change, made to either side,
// must leave the other as it was.
TEST(PictureCopy, AChangeToEitherSideOfACopyLeavesTheOtherAsItWas)
{
    const struct {
        const char* name;
        std::function<int(Picture&)> change;
    } changes[] = {
        {"Crop", [](Picture& p) { return p.Crop(1, 2, 40, 30); }},
        {"QuarterTurn", [](Picture& p) { return p.Rotate(90); }},
        {"HalfTurn", [](Picture& p) { return p.Rotate(180); }},
        {"Brightness", [](Picture& p) { return p.AdjustBrightness(30); }},
        {"Colour", [](Picture& p) { return p.AdjustColor(-50, Picture::kGreen); }},
        {"Sharpen", [](Picture& p) { return p.Sharpen(20); }},
        {"Fit", [](Picture& p) { return p.FitInto(20, 20); }},
    };
    const img::PixelBuffer blocks = testimg::MakeBlocks();
    for (const auto& c : changes) {
        for (const bool changeTheCopy : {true, false}) {
            Picture source = ToPicture(blocks);
            Picture copy;
            ASSERT_EQ(copy.CopyFrom(source), 0);
            ASSERT_EQ(c.change(changeTheCopy ? copy : source), 0) << c.name;
            const Picture& untouched = changeTheCopy ? source : copy;
            EXPECT_EQ(untouched.GetSize(), testimg::SizeOf(blocks)) << c.name;
            EXPECT_EQ(testimg::MaxDifference(untouched.Pixels(), blocks), 0)
                << c.name << (changeTheCopy ? " on the copy" : " on the source");
        }
    }
}

// The tables at their edges: at 100% brightness 58 is the first input past 255 (255.8)
// and 59 the first past 256 (258.6), which a clamp one too high would wrap to 0; at
// 10% colour 232 and 233 are the same pair; below -100% the product turns negative.
// Then on each channel as the Adjust operations apply them.
TEST(PictureTables, MapExactlyAtTheEdgesAndReachTheirChannels)
{
    struct {
        bool brightness;
        int percent, input, expected;
    } const cases[] = {
        {true, 20, 0, 1}, {true, 20, 255, 255}, {true, 100, 57, 252}, {true, 100, 58, 255},
        {true, 100, 59, 255}, {true, -50, 255, 127}, {true, -100, 255, 0}, {true, -101, 255, 0},
        {false, 10, 231, 254}, {false, 10, 232, 255}, {false, 10, 233, 255}, {false, -100, 255, 0},
        {false, -101, 255, 0}, {false, -200, 100, 0},
    };
    for (const auto& c : cases) {
        const auto table = c.brightness ? Picture::BrightnessTable(c.percent) : Picture::ColorTable(c.percent);
        EXPECT_EQ(table[static_cast<std::size_t>(c.input)], c.expected)
            << (c.brightness ? "brightness " : "colour ") << c.percent << "% of " << c.input;
    }
    Picture picture = ToPicture(testimg::MakeFlat(4, 4, {59, 59, 59}));
    ASSERT_EQ(picture.AdjustBrightness(100), 0);
    EXPECT_EQ(PixelAt(picture.Pixels(), 0, 0), (Rgb{255, 255, 255}));
    const int channels[3] = {Picture::kRed, Picture::kGreen, Picture::kBlue};
    for (int c = 0; c < 3; ++c) {
        picture = ToPicture(testimg::MakeFlat(4, 4, {233, 233, 233}));
        ASSERT_EQ(picture.AdjustColor(10, channels[c]), 0);
        ASSERT_EQ(picture.AdjustColor(10, 7), 0); // no channel: nothing changes
        Rgb expected{233, 233, 233};
        (c == 0 ? expected.r : c == 1 ? expected.g : expected.b) = 255;
        EXPECT_EQ(PixelAt(picture.Pixels(), 1, 1), expected) << c;
    }
}

// Which operations drop the display palette and the comments; every change of the
// pixels drops the fitted copy. On an empty picture each gives 5.
TEST(Picture, ReleaseRulesAndEmptyPictures)
{
    struct {
        const char* name;
        std::function<int(Picture&)> operation;
        bool keeps;
    } const cases[] = {
        {"FitIntoSameSize", [](Picture& p) { return p.FitInto(64, 48); }, true},
        {"FitInto", [](Picture& p) { return p.FitInto(32, 32); }, false},
        {"Crop", [](Picture& p) { return p.Crop(1, 1, 9, 9); }, false},
        {"FreeRotation", [](Picture& p) { return p.Rotate(30); }, false},
        {"QuarterTurn", [](Picture& p) { return p.Rotate(90); }, true},
        {"Sharpen", [](Picture& p) { return p.Sharpen(10); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Picture picture = ToPicture(testimg::MakeBlocks());
        picture.SetJpegComments({"c"});
        ASSERT_EQ(picture.BuildDisplayPalette(), 0);
        QImage canvas(40, 40, QImage::Format_RGB32);
        QPainter painter(&canvas);
        ASSERT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 20, 20)), 0);
        ASSERT_EQ(c.operation(picture), 0);
        EXPECT_EQ(picture.JpegComments().size(), c.keeps ? 1u : 0u);
        EXPECT_EQ(picture.DisplayPalette().has_value(), c.keeps);
        const bool unchanged = std::string(c.name) == "FitIntoSameSize";
        EXPECT_EQ(picture.FittedCopySize(), unchanged ? QSize(20, 15) : QSize(0, 0));
        Picture empty;
        EXPECT_EQ(c.operation(empty), 5);
    }
    Picture released = ToPicture(testimg::MakeBlocks());
    released.SetJpegComments({"c"});
    released.Release();
    EXPECT_EQ(released.GetSize(), QSize(0, 0));
    EXPECT_FALSE(released.HasPicture() || released.DisplayPalette() || !released.JpegComments().empty());
}

// Positive turns are clockwise and negative ones turn back. The quarter turns work in
// tiles, and tall pictures in bands of tiles on two threads; sizes on, below and past
// a tile's edge, strips one pixel thin and a picture of two bands must land every pixel
// where a pixel-by-pixel turn puts it.
TEST(PictureRotate, TurnsPutEveryPixelWhereAPlainTurnDoesAndTurnBack)
{
    const QSize sizes[] = {{1, 1}, {1, 70}, {70, 1}, {31, 33}, {32, 32}, {65, 97}, {3, 1100}};
    for (const QSize size : sizes) {
        const img::PixelBuffer source = testimg::Make(size.width(), size.height(), [](int x, int y) {
            return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                       static_cast<std::uint8_t>(x * 7 + y * 3)};
        });
        const int w = size.width(), h = size.height();
        for (const int degrees : {90, 180, 270}) {
            SCOPED_TRACE(testing::Message() << w << " x " << h << " by " << degrees);
            Picture picture = ToPicture(source);
            ASSERT_EQ(picture.Rotate(degrees), 0);
            ASSERT_EQ(picture.GetSize(), degrees == 180 ? size : size.transposed());
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const QPoint to = degrees == 90    ? QPoint(h - 1 - y, x)
                                      : degrees == 180 ? QPoint(w - 1 - x, h - 1 - y)
                                                       : QPoint(y, w - 1 - x);
                    wrong += PixelAt(picture.Pixels(), to.x(), to.y()) != PixelAt(source, x, y);
                }
            EXPECT_EQ(wrong, 0);
            ASSERT_EQ(picture.Rotate(-degrees), 0);
            EXPECT_EQ(testimg::MaxDifference(picture.Pixels(), source), 0);
        }
    }
}

// The bounding box uses the absolute sine and cosine, so angles past 90 degrees give a
// box that holds the whole picture.
TEST(PictureRotate, FreeAngleTurnsClockwiseIntoAWhiteCorneredBoundingBox)
{
    const struct {
        double degrees;
        int width, height;
    } cases[] = {{-10, 214, 133}, {120, 187, 223}};
    for (const auto& c : cases) {
        Picture picture = Blank(200, 100);
        ASSERT_EQ(picture.Rotate(c.degrees), 0);
        EXPECT_EQ(picture.GetSize(), QSize(c.width, c.height)) << c.degrees << " degrees";
    }
}

TEST(PictureGeometry, CropKeepsTheHalfOpenRectangleAndResizeGivesExactSizes)
{
    const img::PixelBuffer blocks = testimg::MakeBlocks(64, 48);
    Picture picture = ToPicture(blocks);
    EXPECT_EQ(picture.Crop(5, 5, 65, 8) + picture.Crop(5, 5, 5, 8), 2 * img::kErrBadArgument);
    ASSERT_EQ(picture.Crop(30, 20, 40, 30), 0);
    EXPECT_EQ(picture.GetSize(), QSize(10, 10));
    EXPECT_EQ(std::pair(PixelAt(picture.Pixels(), 0, 0), PixelAt(picture.Pixels(), 9, 9)),
              std::pair(PixelAt(blocks, 30, 20), PixelAt(blocks, 39, 29)));
    // The crop moves rows within its own memory; a wide one whose rows overlap their
    // old places keeps the same pixels as the copy Crop makes.
    Picture wide = ToPicture(blocks);
    ASSERT_EQ(wide.Crop(1, 1, 64, 47), 0);
    EXPECT_EQ(testimg::MaxDifference(wide.Pixels(), testimg::Unwrap(img::Crop(blocks, 1, 1, 64, 47))), 0);
    EXPECT_EQ(picture.Resize(60, 10), 0);
    EXPECT_EQ(picture.GetSize(), QSize(60, 10));
    EXPECT_EQ(picture.Resize(0, 10), 5);
}

} // namespace
