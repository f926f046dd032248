#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/PackedDib.h"
#include "imaging/Picture.h"

#include <QPainter>
#include <gtest/gtest.h>

using testimg::Rgb;

namespace {

std::vector<std::uint8_t> CoreDib(int width, int height, int bits, int colours)
{
    std::vector<std::uint8_t> dib{12, 0, 0, 0};
    dib.insert(dib.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                           static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8), 1, 0,
                           static_cast<std::uint8_t>(bits), 0});
    for (int i = 0; i < colours; ++i) dib.insert(dib.end(), {0, 0, static_cast<std::uint8_t>(i * 16)});
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
    dib.resize(dib.size() + rowBytes * static_cast<std::size_t>(height), 0);
    return dib;
}

QImage Canvas(int width, int height)
{
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    return canvas;
}

TEST(PackedDib, InformationHeaderFields)
{
    const auto dib = img::ToDib(testimg::MakeBlocks(10, 4));
    ASSERT_EQ(dib.size(), 40u + 32u * 4u); // rows of 30 bytes padded to 32
    EXPECT_EQ(DibWidth(dib.data(), dib.size()), 10);
    EXPECT_EQ(DibHeight(dib.data(), dib.size()), 4);
    EXPECT_EQ(DibColorCount(dib.data(), dib.size()), 0);
    EXPECT_EQ(DibColorTableSize(dib.data(), dib.size()), 0);
    EXPECT_EQ(DibBits(dib.data(), dib.size()), dib.data() + 40);
}

struct CountCase {
    const char* name;
    int bits;
    std::uint32_t coloursUsed;
    int count;
};

class DibColorCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(DibColorCountTest, CountsByFieldOrBits)
{
    const CountCase& c = GetParam();
    auto dib = img::ToDib(testimg::MakeBlocks(4, 4));
    dib[14] = static_cast<std::uint8_t>(c.bits);
    for (int i = 0; i < 4; ++i) dib[32 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(c.coloursUsed >> (8 * i));
    dib.resize(dib.size() + 4 * 256 + 64, 0);
    EXPECT_EQ(DibColorCount(dib.data(), dib.size()), c.count);
    EXPECT_EQ(DibColorTableSize(dib.data(), dib.size()), c.count * 4);
    EXPECT_EQ(DibBits(dib.data(), dib.size()), dib.data() + 40 + c.count * 4);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DibColorCountTest,
    testing::Values(CountCase{"OneBit", 1, 0, 2}, CountCase{"FourBits", 4, 0, 16}, CountCase{"EightBits", 8, 0, 256},
                    CountCase{"TwentyFourBits", 24, 0, 0}, CountCase{"UsedField", 8, 7, 7},
                    CountCase{"UsedFieldLow16Bits", 8, 0x10005, 5}),
    [](const testing::TestParamInfo<CountCase>& tp) { return std::string(tp.param.name); });

TEST(PackedDib, CoreHeaderFields)
{
    const auto dib = CoreDib(300, 2, 4, 16);
    EXPECT_EQ(DibWidth(dib.data(), dib.size()), 300);
    EXPECT_EQ(DibHeight(dib.data(), dib.size()), 2);
    EXPECT_EQ(DibColorCount(dib.data(), dib.size()), 16);
    EXPECT_EQ(DibColorTableSize(dib.data(), dib.size()), 48);
    EXPECT_EQ(DibBits(dib.data(), dib.size()), dib.data() + 12 + 48);
    Picture picture;
    ASSERT_TRUE(picture.LoadFromDib(dib));
    EXPECT_EQ(picture.GetSize(), QSize(300, 2));
}

TEST(PackedDib, ShortOrMissingBytesGiveZero)
{
    const auto dib = img::ToDib(testimg::MakeBlocks(4, 4));
    EXPECT_EQ(DibWidth(nullptr, 0), 0);
    EXPECT_EQ(DibWidth(dib.data(), 20), 0);
    EXPECT_EQ(DibBits(dib.data(), 39), nullptr);
    auto eightBit = dib;
    eightBit[14] = 8;
    EXPECT_EQ(DibBits(eightBit.data(), eightBit.size()), nullptr); // table past the end
    std::vector<std::uint8_t> silly{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    EXPECT_EQ(DibHeight(silly.data(), silly.size()), 0);
    Picture picture;
    EXPECT_FALSE(picture.LoadFromDib({dib.data(), 30}));
    EXPECT_FALSE(picture.LoadFromDib({}));
    EXPECT_FALSE(picture.LoadFromDib(silly));
}

TEST(PackedDib, BitFieldsMasksAreSkipped)
{
    auto dib = img::ToDib(testimg::MakeBlocks(4, 4));
    dib[14] = 16;
    dib[16] = 3; // BI_BITFIELDS
    EXPECT_EQ(DibBits(dib.data(), dib.size()), dib.data() + 52);
}

TEST(PackedDib, RoundTripThroughPicture)
{
    const img::PixelBuffer original = testimg::MakeGradient(37, 11);
    Picture picture;
    ASSERT_TRUE(picture.LoadFromDib(img::ToDib(original)));
    EXPECT_EQ(testimg::MaxDifference(picture.Pixels(), original), 0);
    const auto again = picture.ToPackedDib();
    EXPECT_EQ(again, img::ToDib(original));
    Picture empty;
    EXPECT_TRUE(empty.ToPackedDib().empty());
}

TEST(PaintDib, UnscaledCopiesTheSourceRectangle)
{
    const img::PixelBuffer blocks = testimg::MakeBlocks(64, 48);
    const auto dib = img::ToDib(blocks);
    QImage canvas = Canvas(100, 100);
    QPainter painter(&canvas);
    const int lines = PaintDib(&painter, QRect(10, 20, 32, 24), dib.data(), dib.size(), QRect(32, 24, 32, 24));
    painter.end();
    EXPECT_EQ(lines, 48);
    EXPECT_EQ(canvas.pixel(15, 25), qRgb(0, 255, 0)); // the green bottom-right block
    EXPECT_EQ(canvas.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(PaintDib, StretchesWhenSizesDiffer)
{
    const auto dib = img::ToDib(testimg::MakeBlocks(64, 48));
    QImage canvas = Canvas(200, 200);
    QPainter painter(&canvas);
    EXPECT_EQ(PaintDib(&painter, QRect(0, 0, 128, 96), dib.data(), dib.size(), QRect(0, 0, 64, 48)), 48);
    painter.end();
    EXPECT_EQ(canvas.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(120, 90), qRgb(0, 255, 0));
    EXPECT_EQ(PaintDib(nullptr, QRect(), dib.data(), dib.size(), QRect()), 0);
    QPainter again(&canvas);
    EXPECT_EQ(PaintDib(&again, QRect(0, 0, 4, 4), nullptr, 0, QRect(0, 0, 4, 4)), 0);
}

TEST(PictureDraw, DrawsUnscaledAtItsCorner)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeBlocks(64, 48)));
    QImage canvas = Canvas(100, 100);
    QPainter painter(&canvas);
    EXPECT_EQ(picture.Draw(&painter, 5, 6, 64, 48), 0);
    EXPECT_EQ(picture.DrawInRect(nullptr, QRect(0, 0, 10, 10)), 5);
    painter.end();
    EXPECT_EQ(canvas.pixel(5, 6), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(4, 6), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(68, 53), qRgb(0, 255, 0));
    Picture empty;
    QPainter other(&canvas);
    EXPECT_EQ(empty.Draw(&other, 0, 0, 10, 10), 5);
}

TEST(PictureDraw, FittedIsCentredAndKeepsItsCopy)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeFlat(200, 100, {10, 20, 30})));
    QImage canvas = Canvas(120, 120);
    QPainter painter(&canvas);
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(10, 10, 100, 100)), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(100, 50));
    const void* copy = picture.FittedCopy().Data();
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 100, 100)), 0);
    EXPECT_EQ(picture.FittedCopy().Data(), copy); // same size: no new scaling
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 50, 50)), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(50, 25));
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 0, 50)), 5);
    painter.end();
    EXPECT_EQ(canvas.pixel(60, 36), qRgb(10, 20, 30)); // (10 + 0, 10 + 25) .. inside
    EXPECT_EQ(canvas.pixel(110, 110), qRgb(255, 255, 255));
}

TEST(PictureDraw, ChangingThePixelsDropsTheFittedCopy)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeFlat(40, 40, {10, 20, 30})));
    QImage canvas = Canvas(40, 40);
    QPainter painter(&canvas);
    ASSERT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 20, 20)), 0);
    ASSERT_EQ(picture.AdjustBrightness(50), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(0, 0));
    ASSERT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 20, 20)), 0);
    ASSERT_EQ(picture.Rotate(90), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(0, 0));
    painter.end();
}

TEST(PictureBitmap, ToBitmapIsACopyForALabel)
{
    Picture picture;
    picture.LoadFromDib(img::ToDib(testimg::MakeBlocks(64, 48)));
    const QImage bitmap = picture.ToBitmap();
    ASSERT_EQ(bitmap.size(), QSize(64, 48));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_NE(bitmap.constBits(), picture.Pixels().Data());
    EXPECT_TRUE(Picture().ToBitmap().isNull());
}

TEST(PictureResource, NoImagePlaceholderIs65By72)
{
    Picture picture;
    EXPECT_EQ(picture.LoadBitmapResource(127), 0);
    EXPECT_EQ(picture.GetSize(), QSize(65, 72));
    EXPECT_EQ(picture.LoadBitmapResource(999), img::kErrNoResource);
    EXPECT_FALSE(picture.HasPicture());
}

} // namespace
