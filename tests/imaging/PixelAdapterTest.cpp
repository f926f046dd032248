#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/PixelAdapter.h"

#include <gtest/gtest.h>

#include <opencv2/core.hpp>

namespace {

TEST(PixelBuffer, AllocateGivesBlackAndRefusesBadSizes)
{
    const img::PixelBuffer pixels = img::PixelBuffer::Allocate(5, 3);
    ASSERT_EQ(pixels.ByteSize(), 45u);
    EXPECT_TRUE(std::all_of(pixels.Data(), pixels.Data() + 45, [](std::uint8_t v) { return v == 0; }));
    EXPECT_TRUE(img::PixelBuffer::Allocate(0, 3).Empty());
    EXPECT_EQ(img::LastError(), img::kErrBadArgument);
    EXPECT_TRUE(img::PixelBuffer::Allocate(20001, 20000).Empty());
    EXPECT_EQ(img::LastError(), img::kErrTooLarge);
}

TEST(PixelAdapter, QImageAndMatShareTheBuffersMemory)
{
    img::PixelBuffer pixels = testimg::MakeBlocks(8, 6);
    QImage image = img::PixelAdapter::AsQImage(pixels);
    cv::Mat mat = img::PixelAdapter::AsMat(pixels);
    EXPECT_EQ(image.constBits(), pixels.Data());
    EXPECT_EQ(mat.data, pixels.Data());
    EXPECT_EQ(image.bytesPerLine(), 24);
    EXPECT_EQ(mat.step[0], 24u);

    // A write through the Mat shows in the buffer and through the QImage.
    mat.at<cv::Vec3b>(2, 3) = cv::Vec3b(1, 2, 3);
    EXPECT_EQ(testimg::PixelAt(pixels, 3, 2), (testimg::Rgb{1, 2, 3}));
    EXPECT_EQ(image.pixel(3, 2), qRgb(1, 2, 3));
    // And a write through the QImage shows in the Mat, still without a copy.
    image.setPixel(0, 0, qRgb(9, 8, 7));
    EXPECT_EQ(image.constBits(), pixels.Data());
    EXPECT_EQ(mat.at<cv::Vec3b>(0, 0), cv::Vec3b(9, 8, 7));
    // A view of a const buffer copies on its first write.
    const img::PixelBuffer& constant = pixels;
    QImage view = img::PixelAdapter::AsQImage(constant);
    EXPECT_EQ(view.constBits(), pixels.Data());
    view.setPixel(1, 1, qRgb(200, 0, 0));
    EXPECT_NE(view.constBits(), pixels.Data());
    EXPECT_EQ(testimg::PixelAt(pixels, 1, 1), testimg::PixelAt(testimg::MakeBlocks(8, 6), 1, 1));
    img::PixelBuffer empty;
    EXPECT_TRUE(img::PixelAdapter::AsQImage(empty).isNull());
    EXPECT_TRUE(img::PixelAdapter::AsMat(empty).empty());
}

} // namespace
