#include "TestImages.h"
#include "imaging/PackedDib.h"

#include <QPainter>

using testimg::Rgb;

namespace {

// The colour count comes from the colours-used field, else from the bits per pixel;
// bit-field masks (compression 3) sit between the header and the bits.
TEST(PackedDib, ColourTableByFieldOrBits)
{
    const struct {
        int bits;
        std::uint32_t coloursUsed, compression;
        int count, bitsAt;
    } cases[] = {{1, 0, 0, 2, 48}, {8, 0, 0, 256, 1064}, {24, 0, 0, 0, 40},
                 {8, 7, 0, 7, 68}, {8, 0x10005, 0, 5, 60}, {16, 0, 3, 0, 52}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.coloursUsed << " used");
        auto dib = testimg::Unwrap(img::ToDib(testimg::MakeBlocks(4, 4)));
        dib[14] = static_cast<std::uint8_t>(c.bits);
        for (std::size_t i = 0; i < 4; ++i) {
            dib[16 + i] = static_cast<std::uint8_t>(c.compression >> (8 * i));
            dib[32 + i] = static_cast<std::uint8_t>(c.coloursUsed >> (8 * i));
        }
        dib.resize(dib.size() + 4 * 256 + 64, 0);
        EXPECT_EQ(DibColorCount(dib.data(), dib.size()), c.count);
        EXPECT_EQ(DibColorTableSize(dib.data(), dib.size()), c.count * 4);
        EXPECT_EQ(DibBits(dib.data(), dib.size()), dib.data() + c.bitsAt);
    }
}

TEST(PackedDib, RoundTripThroughPictureAndShortBytesGiveNothing)
{
    const img::PixelBuffer original = testimg::MakeGradient(37, 11);
    const auto dib = testimg::Unwrap(img::ToDib(original));
    ASSERT_EQ(dib.size(), 40u + 112u * 11u); // rows of 111 bytes padded to 112
    EXPECT_EQ(DibHeight(dib.data(), dib.size()), 11);
    Picture picture = testimg::ToPicture(original);
    EXPECT_EQ(testimg::MaxDifference(picture.Pixels(), original), 0);
    EXPECT_EQ(picture.ToPackedDib(), dib);
    EXPECT_TRUE(Picture().ToPackedDib().empty());

    const auto small = testimg::Unwrap(img::ToDib(testimg::MakeBlocks(4, 4)));
    EXPECT_EQ(DibWidth(nullptr, 0) + DibWidth(small.data(), 20), 0);
    EXPECT_EQ(DibBits(small.data(), 39), nullptr);
    auto eightBit = small;
    eightBit[14] = 8;
    EXPECT_EQ(DibBits(eightBit.data(), eightBit.size()), nullptr); // table past the end
    std::vector<std::uint8_t> silly{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    EXPECT_EQ(DibHeight(silly.data(), silly.size()), 0);
    EXPECT_FALSE(picture.LoadFromDib({small.data(), 30}) || picture.LoadFromDib({}) || picture.LoadFromDib(silly));
}

TEST(PictureDraw, FittedIsCentredAndKeepsItsCopy)
{
    Picture picture = testimg::ToPicture(testimg::MakeFlat(200, 100, {10, 20, 30}));
    QImage canvas(120, 120, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(10, 10, 100, 100)), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(100, 50));
    const void* copy = picture.FittedCopy().Data();
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 100, 100)), 0);
    EXPECT_EQ(picture.FittedCopy().Data(), copy); // same size: no new scaling
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 50, 50)), 0);
    EXPECT_EQ(picture.FittedCopySize(), QSize(50, 25));
    EXPECT_EQ(picture.DrawFitted(&painter, QRect(0, 0, 0, 50)) + picture.DrawInRect(nullptr, QRect(0, 0, 9, 9)), 10);
    painter.end();
    EXPECT_EQ(canvas.pixel(60, 36), qRgb(10, 20, 30)); // (10 + 0, 10 + 25) .. inside
    EXPECT_EQ(canvas.pixel(110, 110), qRgb(255, 255, 255));
}

} // namespace
