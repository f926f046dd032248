#include "TestImages.h"
#include "imaging/QtReader.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using testimg::Rgb;

namespace {

img::PixelBuffer Blocks() { return testimg::MakeBlocks(); }
img::PixelBuffer Gradient() { return testimg::MakeGradient(64, 48); }
img::PixelBuffer Mono()
{
    return testimg::Make(64, 48, [](int x, int y) { return (x / 8 + y / 8) % 2 ? Rgb{} : Rgb{255, 255, 255}; });
}

struct FormatCase {
    const char* name;
    const char* file;             // its extension chooses the reader
    img::PixelBuffer (*source)(); // 64 x 48, written as in.ppm
    const char* command;          // makes the file from in.ppm; empty: our own top-down BMP writer
    int maxDifference;            // per channel, anywhere
    double meanDifference;
    bool transparentBlue = false; // transparent pixels come out on black
};

class FormatTest : public testing::TestWithParam<FormatCase> {};

// Reads the variant; every cut of the file is an error with a number, never a crash and
// never a picture with made-up rows; scrambled bytes never crash.
TEST_P(FormatTest, ReadsTheVariantAndRefusesDamagedCopies)
{
    const FormatCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File(c.file);
    img::PixelBuffer expected = c.source();
    if (*c.command == '\0')
        testimg::WriteTopDownBmp(path, expected);
    else
        ASSERT_TRUE(testimg::MakeWithTool(dir, expected, c.command)) << c.command;
    Picture picture;
    ASSERT_EQ(picture.LoadFile(path), 0);
    for (int y = 0; c.transparentBlue && y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (testimg::PixelAt(expected, x, y) == Rgb{0, 0, 255}) testimg::SetPixel(expected, x, y, {});
    EXPECT_LE(testimg::MaxDifference(picture.Pixels(), expected), c.maxDifference);
    EXPECT_LE(testimg::MeanDifference(picture.Pixels(), expected), c.meanDifference);
    EXPECT_EQ(img::ReadImageSize(path), QSize(64, 48));

    const auto whole = testimg::ReadBytes(path);
    // The second half of a two-frame GIF is not part of the picture we read.
    const std::size_t end = std::string(c.name) == "GifFirstFrame" ? whole.size() / 2 : whole.size();
    for (const std::size_t keep : {std::size_t{0}, std::size_t{10}, end / 3, end / 2, end * 5 / 6}) {
        testimg::WriteBytes(path, {whole.begin(), whole.begin() + static_cast<long>(keep)});
        EXPECT_NE(picture.LoadFile(path), 0) << "kept " << keep << " of " << whole.size();
        EXPECT_FALSE(picture.HasPicture()) << "kept " << keep << " of " << whole.size();
    }
    auto bytes = whole;
    for (std::size_t i = 8; i < bytes.size(); i += 5) bytes[i] = static_cast<std::uint8_t>(bytes[i] * 31 + 7);
    testimg::WriteBytes(path, bytes);
    EXPECT_EQ(picture.LoadFile(path) == 0, picture.HasPicture());
}

const FormatCase kCases[] = {
    {"Bmp16Bit", "a.bmp", Blocks, "convert in.ppm -define bmp:subtype=RGB565 BMP:a.bmp", 8, 8},
    {"BmpRle8", "a.bmp", Blocks, "convert in.ppm -compress RLE -type palette BMP3:a.bmp", 0, 0},
    {"BmpCoreHeader4", "a.bmp", Blocks, "ppmtobmp -os2 -bpp=4 in.ppm > a.bmp", 0, 0},
    {"BmpTopDown", "a.bmp", Gradient, "", 0, 0},
    {"GifFirstFrame", "a.gif", Blocks, "convert in.ppm \\( in.ppm -negate \\) GIF:a.gif", 0, 0},
    {"GifTransparent", "a.gif", Blocks, "convert in.ppm -transparent blue GIF:a.gif", 0, 0, true},
    {"TiffTiles", "a.tif", Gradient, "convert in.ppm -depth 8 -define tiff:tile-geometry=32x32 TIFF:a.tif", 0, 0},
    {"PngTransparent", "a.png", Blocks, "convert in.ppm -transparent blue PNG32:a.png", 0, 0, true},
    {"Pcx1Bit", "a.pcx", Mono, "ppmtopcx in.ppm > a.pcx", 0, 0},
    {"Pcx16ColoursInFourPlanes", "a.PCX", Blocks, "ppmtopcx -planes=4 in.ppm > a.PCX", 0, 0},
    {"Pcx8BitPalette", "a.pcx", Blocks, "ppmtopcx -8bit in.ppm > a.pcx", 0, 0},
    {"Pcx24BitPlanes", "a.pcx", Gradient, "ppmtopcx -24bit in.ppm > a.pcx", 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Variants, FormatTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FormatCase>& tp) { return std::string(tp.param.name); });

TEST(LoadFile, ChoosesTheReaderByExtensionIgnoringCaseAndTrailingBlanks)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("dir.jpg"));
    const struct {
        const char* file;
        bool loads;
    } cases[] = {{"PHOTO.JPG", true},  {"photo.Jpeg", true},     {"photo.jpg  ", true},
                 {"photo.txt", false}, {"dir.jpg/photo", false}, {"photo.png", false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(img::WriteJpeg(dir.File(c.file), testimg::MakeBlocks(), 90));
        Picture picture;
        EXPECT_EQ(picture.LoadFile(dir.File(c.file)) == 0, c.loads) << c.file;
        EXPECT_EQ(picture.HasPicture(), c.loads) << c.file;
    }
}

TEST(LoadFile, BadPathsForeignBytesAndOtherSaveFormatsGiveErrors)
{
    TempDir dir;
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(3, 3), 0);
    EXPECT_TRUE(picture.LoadFile("") == 2 && picture.HasPicture()); // keeps the picture
    EXPECT_TRUE(picture.LoadFile("C:\\pics\\photo") == img::kErrUnsupported && !picture.HasPicture());
    EXPECT_EQ(picture.LoadFile(dir.File("missing.png")), img::kErrCannotOpen);
    testimg::WriteBytes(dir.File("text.pcx"), std::vector<std::uint8_t>(200, 0x0A));
    EXPECT_EQ(picture.LoadFile(dir.File("text.pcx")), img::kErrBadData);
    // Saving writes JPEG only, and nothing for an empty picture.
    EXPECT_EQ(picture.SaveFile(dir.File("y.jpg"), 1, 75), 5);
    ASSERT_EQ(picture.CreateBlank(8, 8), 0);
    EXPECT_EQ(picture.SaveFile(dir.File("x.jpg"), 3, 75), img::kErrUnsupported);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.jpg")) || std::filesystem::exists(dir.File("y.jpg")));
}

TEST(Decoders, HugePcxHeaderIsRefusedBeforeAllocating)
{
    std::vector<std::uint8_t> pcx(128 + 16, 0);
    const std::pair<int, int> header[] = {{0, 0x0A}, {1, 5}, {2, 1}, {3, 8}, {8, 0x3F}, {9, 0x9C}, {10, 0x3F},
                                          {11, 0x9C} /* 40000 x 40000 */, {65, 3}, {66, 0x40}, {67, 0x9C}};
    for (const auto& [at, value] : header)
        pcx.at(static_cast<std::size_t>(at)) = static_cast<std::uint8_t>(value);
    EXPECT_EQ(img::DecodePcx(pcx).Error(), img::kErrTooLarge);
}

// The pixel limit admits a picture of exactly that many pixels and refuses one more, in
// each reader that checks it and in the allocation behind them all.
TEST(Decoders, ThePixelLimitIsExact)
{
    TempDir dir;
    ASSERT_TRUE(img::WriteJpeg(dir.File("a.jpg"), Blocks(), 90)); // 64 x 48 = 3072 pixels
    ASSERT_TRUE(testimg::MakeWithTool(dir, Blocks(), "ppmtopcx in.ppm > a.pcx && ppmtobmp in.ppm > a.bmp"));
    const struct Restore {
        ~Restore() { img::SetMaxPixels(img::kMaxPixels); }
    } restore;
    for (const char* file : {"a.jpg", "a.pcx", "a.bmp"}) {
        img::SetMaxPixels(3072);
        EXPECT_EQ(Picture().LoadFile(dir.File(file)), 0) << file;
        img::SetMaxPixels(3071);
        EXPECT_EQ(Picture().LoadFile(dir.File(file)), img::kErrTooLarge) << file;
    }
    img::SetMaxPixels(3072);
    EXPECT_TRUE(img::PixelBuffer::Allocate(3072, 1));
    EXPECT_EQ(img::PixelBuffer::Allocate(3073, 1).Error(), img::kErrTooLarge);
    EXPECT_EQ(img::PixelBuffer::Allocate(0, 3).Error(), img::kErrBadArgument);
}

// The size probe goes to Qt by path only after the file's head was read, so the path
// may be a FIFO by then: Qt would wait for a writer for ever. Only regular files are
// opened; a misleading extension still gives the size from the content.
TEST(Decoders, QtSizeProbeRefusesWhatIsNotARegularFile)
{
    TempDir dir;
    const std::string fifo = dir.File("pipe.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10); // a probe that waits for a writer ends the test rather than hanging it
    for (const std::string& path : {fifo, dir.Path().string(), dir.File("missing.png")})
        EXPECT_FALSE(img::QtReader::Size(path).has_value()) << path;
    ::alarm(0);
    testimg::WriteTopDownBmp(dir.File("named.png"), Blocks());
    EXPECT_EQ(img::QtReader::Size(dir.File("named.png")), QSize(64, 48));
}

} // namespace
