#include "TestImages.h"
#include "imaging/ExifThumbnail.h"

#include <QImage>
#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cstring>
#include <filesystem>

using testimg::PixelAt;
using testimg::Rgb;
using testimg::SizeOf;
using testimg::Unwrap;

namespace {

// Reads the file's Exif data, hands it to the change and writes it back.
template <typename Change> void EditExif(const std::string& path, Change change)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    auto image = Exiv2::ImageFactory::open(path);
#pragma GCC diagnostic pop
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    change(exif);
    image->setExifData(exif);
    image->writeMetadata();
}

TEST(Jpeg, RoundTripIsCloseToTheOriginalAndTheSizeNeedsOnlyTheHeader)
{
    TempDir dir;
    const img::PixelBuffer original = testimg::MakeGradient(321, 123);
    ASSERT_TRUE(img::WriteJpeg(dir.File("a.jpg"), original, 95));
    EXPECT_LT(testimg::MeanDifference(original, Unwrap(img::ReadJpeg(dir.File("a.jpg")))), 2.0);
    auto head = testimg::ReadBytes(dir.File("a.jpg"));
    head.resize(300);
    testimg::WriteBytes(dir.File("head.jpg"), head);
    EXPECT_EQ(img::ReadImageSize(dir.File("head.jpg")), QSize(321, 123));
    EXPECT_FALSE(img::ReadImageSize(dir.File("missing.jpg")).has_value());
    EXPECT_LT(Unwrap(img::EncodeJpeg(original, 20)).size(), Unwrap(img::EncodeJpeg(original, 95)).size());
    EXPECT_TRUE(img::EncodeJpeg(original, 0)); // 0 is taken as the lowest quality
    // Comments come back byte for byte and in order, one filling a marker (65,533 bytes).
    const std::string binary("caf\xE9 \0 zero", 11);
    std::string full(65533, '\0');
    for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<char>(i * 7);
    const std::vector<std::string> comments{"first comment", binary, full};
    Picture picture = testimg::ToPicture(testimg::MakeBlocks(32, 16)), loaded;
    picture.SetJpegComments(comments);
    ASSERT_EQ(picture.SaveFile(dir.File("c.jpg"), Picture::kJpeg, 75), 0);
    ASSERT_EQ(loaded.LoadFile(dir.File("c.jpg")), 0);
    EXPECT_TRUE(loaded.JpegComments() == comments);
}

TEST(Jpeg, ScaledDecodeTakesTheSmallestScaleThatCoversTheBox)
{
    TempDir dir;
    ASSERT_TRUE(img::WriteJpeg(dir.File("big.jpg"), testimg::MakeGradient(800, 600), 80));
    const struct {
        QSize box, decoded;
    } cases[] = {{{100, 100}, {100, 75}}, {{128, 85}, {200, 150}}, {{500, 500}, {800, 600}}};
    for (const auto& c : cases)
        EXPECT_EQ(SizeOf(Unwrap(img::ReadJpegForBox(dir.File("big.jpg"), c.box.width(), c.box.height()))), c.decoded)
            << c.box.width() << "x" << c.box.height();
    const auto bytes = Unwrap(img::EncodeJpeg(testimg::MakeGradient(803, 601), 75)); // odd sizes round up
    EXPECT_EQ(SizeOf(Unwrap(img::DecodeJpeg(bytes, nullptr, 8))), QSize(101, 76));
    EXPECT_EQ(img::DecodeJpeg(bytes, nullptr, 3).Error(), img::kErrBadArgument);
}

// Cameras store the sensor's rows and say in EXIF how to turn them; the decoder applies
// the tag so pictures come out upright, whole or scaled.
TEST(Jpeg, ExifOrientationDecodesUpright)
{
    TempDir dir;
    const std::string path = dir.File("o.jpg");
    const img::PixelBuffer marked = // red top-left quarter
        testimg::Make(64, 32, [](int x, int y) { return x < 32 && y < 16 ? Rgb{255, 0, 0} : Rgb{}; });
    const struct {
        std::uint16_t orientation;
        QSize size;
        bool right, bottom; // where the red quarter shows upright
    } cases[] = {{1, {64, 32}, false, false}, {2, {64, 32}, true, false}, {3, {64, 32}, true, true},
                 {4, {64, 32}, false, true},  {5, {32, 64}, false, false}, {6, {32, 64}, true, false},
                 {7, {32, 64}, true, true},   {8, {32, 64}, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation);
        ASSERT_TRUE(img::WriteJpeg(path, marked, 95));
        EditExif(path, [&](Exiv2::ExifData& exif) { exif["Exif.Image.Orientation"] = c.orientation; });
        const img::PixelBuffer decoded = Unwrap(img::ReadJpeg(path));
        ASSERT_EQ(SizeOf(decoded), c.size);
        EXPECT_EQ(img::ReadImageSize(path), c.size);
        const int x = c.right ? decoded.Width() - 3 : 2, y = c.bottom ? decoded.Height() - 3 : 2;
        EXPECT_GT(PixelAt(decoded, x, y).r, 200);
        EXPECT_LT(PixelAt(decoded, decoded.Width() - 1 - x, decoded.Height() - 1 - y).r, 50);
        EXPECT_EQ(SizeOf(Unwrap(img::ReadJpegForBox(path, c.size.width() / 2, c.size.height() / 2))), c.size / 2);
    }
}

// A preview takes the camera's thumbnail when it shows the whole picture and covers
// the box; otherwise the picture itself at a DCT scale. The thumbnail is blue, the
// picture red, so the colour tells which was decoded.
TEST(Jpeg, PreviewTakesTheExifThumbnailOnlyWhenItCoversTheBox)
{
    TempDir dir;
    const std::string path = dir.File("camera.jpg");
    const struct {
        const char* name;
        QSize thumbnail;
        std::uint16_t orientation;
        QSize box, decoded;
        bool fromThumbnail;
    } cases[] = {
        {"covers", {160, 120}, 1, {128, 85}, {160, 120}, true},
        {"too small", {160, 120}, 1, {300, 300}, {400, 300}, false},
        {"letterboxed", {160, 90}, 1, {100, 100}, {100, 75}, false},
        {"turned with the picture", {160, 120}, 6, {85, 128}, {120, 160}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(img::WriteJpeg(path, testimg::MakeFlat(800, 600, {255, 0, 0}), 90));
        const auto small = Unwrap(img::EncodeJpeg(
            testimg::MakeFlat(c.thumbnail.width(), c.thumbnail.height(), {0, 0, 255}), 90));
        EditExif(path, [&](Exiv2::ExifData& exif) {
            exif["Exif.Image.Orientation"] = c.orientation;
            Exiv2::ExifThumb(exif).setJpegThumbnail(small.data(), static_cast<long>(small.size()));
        });

        const img::PixelBuffer decoded = Unwrap(img::ReadJpegForBox(path, c.box.width(), c.box.height()));
        EXPECT_EQ(SizeOf(decoded), c.decoded);
        EXPECT_EQ(PixelAt(decoded, 5, 5).b > 200, c.fromThumbnail);
    }
}

// The thumbnail's place is read from the file the user merely selected: every offset
// and length that points outside the Exif segment, or a directory that points back at
// itself, finds no thumbnail rather than reading beyond the segment.
TEST(Jpeg, ExifThumbnailIsFoundOnlyWithinItsSegment)
{
    const auto u16 = [](std::vector<std::uint8_t>& b, unsigned v) {
        b.insert(b.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    };
    const auto u32 = [&](std::vector<std::uint8_t>& b, std::uint32_t v) { u16(b, v & 0xFFFF); u16(b, v >> 16); };
    // "Exif\0\0", a little-endian TIFF header, an empty first directory pointing at a
    // second one with the thumbnail's offset and length, then the thumbnail's bytes.
    const auto segment = [&](std::uint32_t next, std::uint32_t offset, std::uint32_t length) {
        std::vector<std::uint8_t> b{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
        u32(b, 8);
        u16(b, 0);
        u32(b, next);
        u16(b, 2);
        for (const auto& [tag, value] : {std::pair{0x0201u, offset}, std::pair{0x0202u, length}}) {
            u16(b, tag);
            u16(b, 4);
            u32(b, 1);
            u32(b, value);
        }
        u32(b, 0);
        b.insert(b.end(), {0xFF, 0xD8, 0xFF, 0xD9});
        return b;
    };
    constexpr std::uint32_t kSecond = 14, kThumbnail = 44;
    const struct {
        const char* name;
        std::uint32_t next, offset, length;
        std::size_t found;
    } cases[] = {
        {"in place", kSecond, kThumbnail, 4, 4},
        {"one byte beyond", kSecond, kThumbnail, 5, 0},
        {"offset beyond", kSecond, 4000, 4, 0},
        {"length wraps", kSecond, kThumbnail, 0xFFFFFFFFu, 0},
        {"second directory is the first", 8, kThumbnail, 4, 0},
        {"second directory beyond", 9000, kThumbnail, 4, 0},
        {"not a JPEG", kSecond, kThumbnail - 2, 4, 0},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes = segment(c.next, c.offset, c.length);
        EXPECT_EQ(img::ExifThumbnail::FromApp1(bytes).size(), c.found) << c.name;
    }
    const std::vector<std::uint8_t> whole = segment(kSecond, kThumbnail, 4);
    for (std::size_t cut = 0; cut < whole.size(); ++cut)
        EXPECT_TRUE(img::ExifThumbnail::FromApp1(std::span(whole.data(), cut)).empty()) << cut;
}

TEST(Jpeg, DamagedFilesAreErrors)
{
    const auto whole = Unwrap(img::EncodeJpeg(testimg::MakeGradient(96, 64), 80));
    // Short of the end-of-image marker only, a file is whole: the cuts stop before it.
    for (std::size_t length = 0; length + 2 < whole.size(); length += std::max<std::size_t>(1, whole.size() / 97)) {
        const auto decoded = img::DecodeJpeg(std::span(whole).first(length));
        EXPECT_FALSE(decoded) << length;
        EXPECT_TRUE(decoded->Empty()) << length;
    }
    EXPECT_EQ(img::DecodeJpeg(std::span(whole).first(whole.size() - 200)).Error(), img::kErrTruncated);
    TempDir dir;
    testimg::WriteBytes(dir.File("text.jpg"), {'n', 'o', 't'}); // no EXIF date in it either
    EXPECT_FALSE(img::ReadExifDateTaken(dir.File("text.jpg")).has_value());
    EXPECT_EQ(img::ReadJpeg(dir.File("text.jpg")).Error(), img::kErrBadData);
    EXPECT_EQ(img::ReadJpeg(dir.File("missing.jpg")).Error(), img::kErrCannotOpen);
    EXPECT_EQ(img::ReadJpeg(dir.Path().string()).Error(), img::kErrCannotOpen); // a folder
    // A frame header claiming 65000 x 65000 pixels (4.2 gigapixels) is refused before allocating.
    auto bytes = Unwrap(img::EncodeJpeg(testimg::MakeGradient(16, 16), 75));
    const std::uint8_t sof[] = {0xFF, 0xC0}, huge[] = {0xFD, 0xE8, 0xFD, 0xE8};
    const auto size = std::search(bytes.begin(), bytes.end(), std::begin(sof), std::end(sof)) + 5;
    ASSERT_LT(size + 4, bytes.end());
    std::copy_n(huge, 4, size);
    EXPECT_EQ(img::DecodeJpeg(bytes).Error(), img::kErrTooLarge);
}

// Many writers and cut-off copies leave out the end-of-image marker; the picture is
// all there, so it decodes as the whole file does. A cut into the picture's data is
// refused, sequential or progressive.
TEST(Jpeg, OnlyMissingRowsMakeAFileShort)
{
    TempDir dir;
    const img::PixelBuffer original = testimg::MakeGradient(96, 64);
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files{{"baseline", Unwrap(img::EncodeJpeg(original, 80))}};
    if (testimg::MakeWithTool(dir, original, "cjpeg -progressive -outfile p.jpg in.ppm"))
        files.emplace_back("progressive", testimg::ReadBytes(dir.File("p.jpg")));
    else
        ADD_FAILURE() << "cjpeg (libjpeg-turbo-progs) is missing";
    for (const auto& [label, whole] : files) {
        ASSERT_EQ(whole[whole.size() - 1], 0xD9) << label;
        const img::PixelBuffer complete = Unwrap(img::DecodeJpeg(whole));
        struct Case {
            std::size_t cut; // bytes left off the end
            bool decodes;
        };
        std::vector<Case> cases{{1, true}, {2, true}, {3, false}};
        if (label == "baseline") cases.push_back({whole.size() / 3, false}); // a progressive cut may fall between scans
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << label << " less " << c.cut << " bytes");
            const auto cut = std::span(whole).first(whole.size() - c.cut);
            const auto decoded = img::DecodeJpeg(cut);
            ASSERT_EQ(decoded.Error(), c.decodes ? img::kErrNone : img::kErrTruncated);
            if (c.decodes) {
                EXPECT_EQ(testimg::MaxDifference(decoded.Value(), complete), 0);
            }
            // The preview's scaled decode and the file read agree.
            testimg::WriteBytes(dir.File("cut.jpg"), {cut.begin(), cut.end()});
            EXPECT_EQ(img::ReadJpegForBox(dir.File("cut.jpg"), 48, 32).Error(), decoded.Error());
        }
    }
}

// Big baseline pictures are read by two decoders at once, the lower one skipping the
// rows of the upper one. Every chroma layout and restart interval must give the bytes
// one decoder gives (djpeg here), and a cut in the lower rows must still be refused.
TEST(Jpeg, TwoDecodersGiveTheBytesOfOne)
{
    TempDir dir;
    // Noise-like detail, so that a row off by one anywhere shows.
    const img::PixelBuffer original = testimg::Make(2003, 2001, [](int x, int y) {
        const auto hash = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
        return Rgb{static_cast<std::uint8_t>(hash), static_cast<std::uint8_t>(x + (hash >> 9) % 32),
                   static_cast<std::uint8_t>(y)};
    });
    const char* const encodings[] = {"-sample 1x1", "-sample 2x1", "-sample 2x2 -restart 1",
                                     "-sample 1x2 -quality 98"};
    for (const char* encoding : encodings) {
        SCOPED_TRACE(encoding);
        ASSERT_TRUE(testimg::MakeWithTool(dir, original,
                                          std::string("cjpeg ") + encoding +
                                              " -outfile t.jpg in.ppm && djpeg -outfile one.ppm t.jpg"));
        QImage one(QString::fromStdString(dir.File("one.ppm")));
        one = one.convertToFormat(QImage::Format_RGB888);
        const auto whole = testimg::ReadBytes(dir.File("t.jpg"));
        const img::PixelBuffer decoded = Unwrap(img::DecodeJpeg(whole));
        ASSERT_EQ(SizeOf(decoded), one.size());
        int wrongRows = 0;
        for (int y = 0; y < decoded.Height(); ++y)
            wrongRows += std::memcmp(decoded.Row(y), one.constScanLine(y),
                                     static_cast<std::size_t>(decoded.Width()) * 3) != 0;
        EXPECT_EQ(wrongRows, 0);
        EXPECT_EQ(img::DecodeJpeg(std::span(whole).first(whole.size() * 9 / 10)).Error(),
                  img::kErrTruncated);
    }
}

TEST(Jpeg, FailedWriteKeepsTheExistingFile)
{
    TempDir dir;
    const std::string path = dir.File("keep.jpg");
    ASSERT_TRUE(img::WriteJpeg(path, testimg::MakeBlocks(), 75));
    const auto before = testimg::ReadBytes(path);
    EXPECT_EQ(img::WriteJpeg(dir.File("no/such/folder.jpg"), testimg::MakeBlocks(), 75).Error(), img::kErrWriteFailed);
    EXPECT_EQ(img::WriteJpeg(path, img::PixelBuffer{}, 75).Error(), img::kErrBadArgument);
    EXPECT_EQ(testimg::ReadBytes(path), before);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "keep.jpg"); // no temporary left behind
}

} // namespace
