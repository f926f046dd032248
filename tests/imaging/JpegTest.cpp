#include "TempDir.h"
#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using testimg::PixelAt;
using testimg::Rgb;

namespace {

void SetExif(const std::string& path, const std::string& key, const std::string& value)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    auto image = Exiv2::ImageFactory::open(path);
#pragma GCC diagnostic pop
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    if (key == "Exif.Image.Orientation")
        exif[key] = static_cast<std::uint16_t>(std::stoi(value));
    else
        exif[key] = value;
    image->setExifData(exif);
    image->writeMetadata();
}

// A picture whose top-left quarter is red and the rest black, to see which way it turns.
img::PixelBuffer MarkedCorner(int width, int height)
{
    img::PixelBuffer pixels = testimg::MakeFlat(width, height, {0, 0, 0});
    for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width / 2; ++x) testimg::SetPixel(pixels, x, y, {255, 0, 0});
    return pixels;
}

TEST(Jpeg, RoundTripIsCloseToTheOriginal)
{
    TempDir dir;
    const img::PixelBuffer original = testimg::MakeGradient(160, 120);
    ASSERT_TRUE(img::WriteJpeg(dir.File("a.jpg"), original, 95));
    EXPECT_EQ(img::LastError(), 0);
    const img::PixelBuffer decoded = img::ReadJpeg(dir.File("a.jpg"));
    ASSERT_FALSE(decoded.Empty());
    EXPECT_EQ(img::LastError(), 0);
    EXPECT_LT(testimg::MeanDifference(original, decoded), 2.0);
}

TEST(Jpeg, LowerQualityMakesSmallerFiles)
{
    const img::PixelBuffer original = testimg::MakeGradient(160, 120);
    EXPECT_LT(img::EncodeJpeg(original, 20).size(), img::EncodeJpeg(original, 95).size());
    EXPECT_FALSE(img::EncodeJpeg(original, 0).empty()); // 0 is taken as the lowest quality
}

TEST(Jpeg, CommentsRoundTripByteForByteAndInOrder)
{
    TempDir dir;
    const std::string binary("caf\xE9 \0 zero", 11);
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(32, 16), 0);
    picture.SetJpegComments({"first comment", binary});
    ASSERT_EQ(picture.SaveFile(dir.File("c.jpg"), Picture::kJpeg, 75), 0);
    Picture loaded;
    ASSERT_EQ(loaded.LoadFile(dir.File("c.jpg")), 0);
    ASSERT_EQ(loaded.JpegComments().size(), 2u);
    EXPECT_EQ(loaded.JpegComments()[0], "first comment");
    EXPECT_EQ(loaded.JpegComments()[1], binary);
    // Saved again at once, both comments go along.
    ASSERT_EQ(loaded.SaveFile(dir.File("d.jpg"), Picture::kJpeg, 75), 0);
    std::vector<std::string> again;
    img::ReadJpeg(dir.File("d.jpg"), &again);
    EXPECT_EQ(again, loaded.JpegComments());
    // After a resize they are gone.
    ASSERT_EQ(loaded.FitInto(16, 16), 0);
    ASSERT_EQ(loaded.SaveFile(dir.File("e.jpg"), Picture::kJpeg, 75), 0);
    std::vector<std::string> none{"stale"};
    img::ReadJpeg(dir.File("e.jpg"), &none);
    EXPECT_TRUE(none.empty());
}

TEST(Jpeg, CommentsWrittenByCjpegAreRead)
{
    TempDir dir;
    ASSERT_TRUE(testimg::WritePpm(dir.File("p.ppm"), testimg::MakeBlocks()));
    ASSERT_TRUE(testimg::Shell("CONVERT " + testimg::Quote(dir.File("p.ppm")) +
                               " -set comment 'from convert' " + testimg::Quote(dir.File("p.jpg"))));
    std::vector<std::string> comments;
    ASSERT_FALSE(img::ReadJpeg(dir.File("p.jpg"), &comments).Empty());
    ASSERT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments[0], "from convert");
}

struct ScaleCase {
    const char* name;
    int boxWidth, boxHeight;
    int expectedWidth, expectedHeight;
};

class JpegForBoxTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(JpegForBoxTest, DecodesTheSmallestScaleThatCovers)
{
    const ScaleCase& c = GetParam();
    TempDir dir;
    ASSERT_TRUE(img::WriteJpeg(dir.File("big.jpg"), testimg::MakeGradient(800, 600), 80));
    const img::PixelBuffer decoded = img::ReadJpegForBox(dir.File("big.jpg"), c.boxWidth, c.boxHeight);
    EXPECT_EQ(decoded.Width(), c.expectedWidth);
    EXPECT_EQ(decoded.Height(), c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, JpegForBoxTest,
    testing::Values(ScaleCase{"Eighth", 100, 100, 100, 75}, ScaleCase{"Quarter", 128, 85, 200, 150},
                    ScaleCase{"Half", 300, 300, 400, 300}, ScaleCase{"Full", 500, 500, 800, 600},
                    ScaleCase{"LargerBoxIsFull", 2000, 2000, 800, 600}),
    [](const testing::TestParamInfo<ScaleCase>& tp) { return std::string(tp.param.name); });

TEST(Jpeg, DecodeAtFixedScales)
{
    const auto bytes = img::EncodeJpeg(testimg::MakeGradient(803, 601), 75);
    for (const int denominator : {1, 2, 4, 8}) {
        const img::PixelBuffer decoded = img::DecodeJpeg(bytes, nullptr, denominator);
        EXPECT_EQ(decoded.Width(), (803 + denominator - 1) / denominator);
        EXPECT_EQ(decoded.Height(), (601 + denominator - 1) / denominator);
    }
    EXPECT_TRUE(img::DecodeJpeg(bytes, nullptr, 3).Empty());
    EXPECT_EQ(img::LastError(), img::kErrBadArgument);
}

struct OrientationCase {
    const char* name;
    int orientation;
    QSize size;
    QPoint redCorner; // where the stored top-left red quarter shows upright
};

class JpegOrientationTest : public testing::TestWithParam<OrientationCase> {};

// Cameras store the sensor's rows and say in EXIF how to turn them; phones nearly always
// do. The decoder applies the tag so pictures come out upright.
TEST_P(JpegOrientationTest, DecodesUpright)
{
    const OrientationCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File("o.jpg");
    ASSERT_TRUE(img::WriteJpeg(path, MarkedCorner(64, 32), 95));
    SetExif(path, "Exif.Image.Orientation", std::to_string(c.orientation));
    const img::PixelBuffer decoded = img::ReadJpeg(path);
    ASSERT_EQ(QSize(decoded.Width(), decoded.Height()), c.size);
    EXPECT_EQ(img::ReadImageSize(path), c.size);
    const int x = c.redCorner.x() == 0 ? 2 : decoded.Width() - 3;
    const int y = c.redCorner.y() == 0 ? 2 : decoded.Height() - 3;
    EXPECT_GT(PixelAt(decoded, x, y).r, 200) << "at " << x << "," << y;
    const int ox = decoded.Width() - 1 - x, oy = decoded.Height() - 1 - y;
    EXPECT_LT(PixelAt(decoded, ox, oy).r, 50);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, JpegOrientationTest,
    testing::Values(OrientationCase{"Normal", 1, {64, 32}, {0, 0}},
                    OrientationCase{"Mirrored", 2, {64, 32}, {1, 0}},
                    OrientationCase{"UpsideDown", 3, {64, 32}, {1, 1}},
                    OrientationCase{"Flipped", 4, {64, 32}, {0, 1}},
                    OrientationCase{"Transposed", 5, {32, 64}, {0, 0}},
                    OrientationCase{"TurnedRight", 6, {32, 64}, {1, 0}},
                    OrientationCase{"Transversed", 7, {32, 64}, {1, 1}},
                    OrientationCase{"TurnedLeft", 8, {32, 64}, {0, 1}}),
    [](const testing::TestParamInfo<OrientationCase>& tp) { return std::string(tp.param.name); });

TEST(Jpeg, ScaledDecodeIsUprightToo)
{
    TempDir dir;
    const std::string path = dir.File("o.jpg");
    ASSERT_TRUE(img::WriteJpeg(path, MarkedCorner(640, 320), 90));
    SetExif(path, "Exif.Image.Orientation", "6");
    const img::PixelBuffer decoded = img::ReadJpegForBox(path, 40, 80);
    EXPECT_EQ(QSize(decoded.Width(), decoded.Height()), QSize(40, 80));
}

TEST(Jpeg, DateTakenIsTheRawExifText)
{
    TempDir dir;
    const std::string path = dir.File("d.jpg");
    ASSERT_TRUE(img::WriteJpeg(path, testimg::MakeBlocks(), 75));
    EXPECT_FALSE(img::ReadExifDateTaken(path).has_value());
    SetExif(path, "Exif.Photo.DateTimeOriginal", "2021:07:14 09:30:05");
    EXPECT_EQ(img::ReadExifDateTaken(path), std::optional<std::string>("2021:07:14 09:30:05"));
    EXPECT_FALSE(img::ReadExifDateTaken(dir.File("missing.jpg")).has_value());
    testimg::WriteBytes(dir.File("junk.jpg"), {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10, 'E', 'x'});
    EXPECT_FALSE(img::ReadExifDateTaken(dir.File("junk.jpg")).has_value());
}

struct VariantCase {
    const char* name;
    const char* options;
};

class JpegVariantTest : public testing::TestWithParam<VariantCase> {};

TEST_P(JpegVariantTest, DecodesFilesOfRealTools)
{
    TempDir dir;
    ASSERT_TRUE(testimg::WritePpm(dir.File("p.ppm"), testimg::MakeBlocks()));
    ASSERT_TRUE(testimg::Shell(std::string("CONVERT ") + testimg::Quote(dir.File("p.ppm")) + " " +
                               GetParam().options + " " + testimg::Quote(dir.File("v.jpg"))));
    const img::PixelBuffer decoded = img::ReadJpeg(dir.File("v.jpg"));
    ASSERT_FALSE(decoded.Empty()) << img::LastError();
    ASSERT_EQ(decoded.Width(), 64);
    ASSERT_EQ(decoded.Height(), 48);
    // The red block and the blue one stay apart, in colour or in grey.
    const Rgb red = PixelAt(decoded, 50, 5), blue = PixelAt(decoded, 5, 5);
    EXPECT_GT(std::abs(red.r - blue.r) + std::abs(red.b - blue.b), 60);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, JpegVariantTest,
    testing::Values(VariantCase{"Baseline", "-quality 90"},
                    VariantCase{"Progressive", "-interlace Plane -quality 90"},
                    VariantCase{"Greyscale", "-colorspace Gray -quality 90"},
                    VariantCase{"Cmyk", "-colorspace CMYK -quality 90"},
                    VariantCase{"NoSubsampling", "-sampling-factor 1x1 -quality 90"}),
    [](const testing::TestParamInfo<VariantCase>& tp) { return std::string(tp.param.name); });

TEST(Jpeg, CmykComesOutInItsColours)
{
    TempDir dir;
    ASSERT_TRUE(testimg::WritePpm(dir.File("p.ppm"), testimg::MakeBlocks()));
    ASSERT_TRUE(testimg::Shell("CONVERT " + testimg::Quote(dir.File("p.ppm")) +
                               " -colorspace CMYK -quality 95 " + testimg::Quote(dir.File("c.jpg"))));
    const img::PixelBuffer decoded = img::ReadJpeg(dir.File("c.jpg"));
    ASSERT_FALSE(decoded.Empty());
    EXPECT_LT(testimg::MeanDifference(decoded, testimg::MakeBlocks()), 12.0);
}

TEST(Jpeg, TruncatedFilesAreErrorsAtEveryLength)
{
    const auto whole = img::EncodeJpeg(testimg::MakeGradient(96, 64), 80);
    for (std::size_t length = 0; length < whole.size(); length += std::max<std::size_t>(1, whole.size() / 97)) {
        const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_TRUE(img::DecodeJpeg(part).Empty()) << length;
        EXPECT_NE(img::LastError(), 0) << length;
    }
    const std::vector<std::uint8_t> nearlyAll(whole.begin(), whole.end() - 200);
    img::DecodeJpeg(nearlyAll);
    EXPECT_EQ(img::LastError(), img::kErrTruncated);
}

TEST(Jpeg, CorruptFilesAreErrors)
{
    TempDir dir;
    testimg::WriteBytes(dir.File("text.jpg"), {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    EXPECT_TRUE(img::ReadJpeg(dir.File("text.jpg")).Empty());
    EXPECT_EQ(img::LastError(), img::kErrBadData);
    EXPECT_TRUE(img::ReadJpeg(dir.File("missing.jpg")).Empty());
    EXPECT_EQ(img::LastError(), img::kErrCannotOpen);
    EXPECT_TRUE(img::ReadJpeg(dir.Path().string()).Empty()); // a folder
    EXPECT_EQ(img::LastError(), img::kErrCannotOpen);
    // Scrambled entropy data: decoding must not crash whatever it decides.
    auto bytes = img::EncodeJpeg(testimg::MakeGradient(96, 64), 80);
    for (std::size_t i = bytes.size() / 2; i < bytes.size() - 2; i += 7) bytes[i] ^= 0x5A;
    img::DecodeJpeg(bytes);
}

// The SOF marker's height and width, found by walking the segments of our own encoding.
std::size_t SofSizeOffset(const std::vector<std::uint8_t>& jpeg)
{
    std::size_t at = 2;
    while (at + 4 < jpeg.size()) {
        const std::uint8_t marker = jpeg[at + 1];
        if (marker == 0xC0 || marker == 0xC2) return at + 5;
        at += 2 + static_cast<std::size_t>((jpeg[at + 2] << 8) | jpeg[at + 3]);
    }
    return 0;
}

TEST(Jpeg, HugeHeaderIsRefusedBeforeAllocating)
{
    auto bytes = img::EncodeJpeg(testimg::MakeGradient(16, 16), 75);
    const std::size_t at = SofSizeOffset(bytes);
    ASSERT_NE(at, 0u);
    for (const std::size_t i : {at, at + 2}) { // 65000 x 65000 = 4.2 gigapixels
        bytes[i] = 0xFD;
        bytes[i + 1] = 0xE8;
    }
    EXPECT_TRUE(img::DecodeJpeg(bytes).Empty());
    EXPECT_EQ(img::LastError(), img::kErrTooLarge);
}

TEST(Jpeg, FailedWriteKeepsTheExistingFile)
{
    TempDir dir;
    const std::string path = dir.File("keep.jpg");
    ASSERT_TRUE(img::WriteJpeg(path, testimg::MakeBlocks(), 75));
    const auto before = testimg::ReadBytes(path);
    EXPECT_FALSE(img::WriteJpeg(dir.File("no/such/folder.jpg"), testimg::MakeBlocks(), 75));
    EXPECT_EQ(img::LastError(), img::kErrWriteFailed);
    EXPECT_FALSE(img::WriteJpeg(path, img::PixelBuffer{}, 75));
    EXPECT_EQ(img::LastError(), img::kErrBadArgument);
    if (geteuid() != 0) { // root writes anywhere
        chmod(dir.Path().c_str(), 0500);
        EXPECT_FALSE(img::WriteJpeg(path, testimg::MakeGradient(64, 48), 75));
        EXPECT_EQ(img::LastError(), img::kErrWriteFailed);
        chmod(dir.Path().c_str(), 0700);
    }
    EXPECT_EQ(testimg::ReadBytes(path), before);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "keep.jpg"); // no temporary left behind
}

TEST(Jpeg, SizeProbeReadsTheHeaderOnly)
{
    TempDir dir;
    ASSERT_TRUE(img::WriteJpeg(dir.File("s.jpg"), testimg::MakeGradient(321, 123), 75));
    EXPECT_EQ(img::ReadImageSize(dir.File("s.jpg")), QSize(321, 123));
    EXPECT_FALSE(img::ReadImageSize(dir.File("missing.jpg")).has_value());
    auto head = testimg::ReadBytes(dir.File("s.jpg"));
    head.resize(300);
    testimg::WriteBytes(dir.File("head.jpg"), head);
    EXPECT_EQ(img::ReadImageSize(dir.File("head.jpg")), QSize(321, 123));
}

} // namespace
