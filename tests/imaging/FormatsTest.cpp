#include "TempDir.h"
#include "TestImages.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <gtest/gtest.h>

#include <functional>

using testimg::Rgb;

namespace {

enum class Source { Blocks, Mono, Gradient };

img::PixelBuffer MakeSource(Source source)
{
    switch (source) {
    case Source::Blocks: return testimg::MakeBlocks();
    case Source::Gradient: return testimg::MakeGradient(64, 48);
    case Source::Mono: break;
    }
    img::PixelBuffer mono = testimg::MakeFlat(64, 48, {0, 0, 0});
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 8 + y / 8) % 2 == 0) testimg::SetPixel(mono, x, y, {255, 255, 255});
    return mono;
}

// What a reader should give for a picture whose blue parts were made transparent.
img::PixelBuffer BlueOnBlack(const img::PixelBuffer& pixels)
{
    img::PixelBuffer out = img::PixelBuffer::Allocate(pixels.Width(), pixels.Height());
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) {
            const Rgb c = testimg::PixelAt(pixels, x, y);
            testimg::SetPixel(out, x, y, c == Rgb{0, 0, 255} ? Rgb{0, 0, 0} : c);
        }
    return out;
}

struct FormatCase {
    const char* name;
    const char* file;    // the name of the file made, its extension choosing the reader
    Source source;       // written as {in} (a PPM file)
    const char* command; // makes {out} from {in}; empty: made by our own test writer
    int maxDifference;   // per channel, anywhere
    double meanDifference;
    bool transparentBlue = false;
};

// Replaces every `token`, searching on after each inserted value. The tokens are in
// braces, which the random names of temporary folders never hold.
void ReplaceAll(std::string& text, const std::string& token, const std::string& value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

void MakeFile(const FormatCase& c, const TempDir& dir, const img::PixelBuffer& source)
{
    const std::string in = dir.File("in.ppm"), out = dir.File(c.file);
    ASSERT_TRUE(testimg::WritePpm(in, source));
    const std::string name = c.name;
    if (name == "BmpRle4") return testimg::WriteRle4Bmp(out, source);
    if (name == "BmpTopDown") return testimg::WriteTopDownBmp(out, source);
    std::string command = c.command;
    ReplaceAll(command, "{out}", testimg::Quote(out));
    ReplaceAll(command, "{tmp}", testimg::Quote(dir.File("tmp.tif")));
    ReplaceAll(command, "{in}", testimg::Quote(in));
    ASSERT_TRUE(testimg::Shell(command)) << command;
}

class FormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, ReadsTheVariant)
{
    const FormatCase& c = GetParam();
    TempDir dir;
    const img::PixelBuffer source = MakeSource(c.source);
    ASSERT_NO_FATAL_FAILURE(MakeFile(c, dir, source));
    Picture picture;
    ASSERT_EQ(picture.LoadFile(dir.File(c.file)), 0);
    ASSERT_TRUE(picture.HasPicture());
    ASSERT_EQ(picture.GetSize(), QSize(source.Width(), source.Height()));
    const img::PixelBuffer expected = c.transparentBlue ? BlueOnBlack(source) : MakeSource(c.source);
    EXPECT_LE(testimg::MaxDifference(picture.Pixels(), expected), c.maxDifference);
    EXPECT_LE(testimg::MeanDifference(picture.Pixels(), expected), c.meanDifference);
    EXPECT_EQ(img::ReadImageSize(dir.File(c.file)), QSize(64, 48));
}

// Cuts the file at several lengths: every cut is an error with a number, never a crash
// and never a picture with made-up rows.
TEST_P(FormatTest, TruncatedFileIsAnError)
{
    const FormatCase& c = GetParam();
    TempDir dir;
    ASSERT_NO_FATAL_FAILURE(MakeFile(c, dir, MakeSource(c.source)));
    const auto whole = testimg::ReadBytes(dir.File(c.file));
    ASSERT_GT(whole.size(), 40u);
    // The second half of a two-frame GIF is not part of the picture we read.
    const bool onePicture = std::string(c.name) != "GifFirstFrame";
    for (const std::size_t keep : {std::size_t{0}, std::size_t{10}, whole.size() / 3, whole.size() / 2,
                                   whole.size() * 5 / 6}) {
        if (!onePicture && keep >= whole.size() / 2) continue;
        testimg::WriteBytes(dir.File(c.file), {whole.begin(), whole.begin() + static_cast<long>(keep)});
        Picture picture;
        EXPECT_NE(picture.LoadFile(dir.File(c.file)), 0) << "kept " << keep << " of " << whole.size();
        EXPECT_FALSE(picture.HasPicture()) << "kept " << keep << " of " << whole.size();
    }
}

TEST_P(FormatTest, CorruptFileNeverCrashes)
{
    const FormatCase& c = GetParam();
    TempDir dir;
    ASSERT_NO_FATAL_FAILURE(MakeFile(c, dir, MakeSource(c.source)));
    auto bytes = testimg::ReadBytes(dir.File(c.file));
    for (std::size_t i = 8; i < bytes.size(); i += 5) bytes[i] = static_cast<std::uint8_t>(bytes[i] * 31 + 7);
    testimg::WriteBytes(dir.File(c.file), bytes);
    Picture picture;
    const int code = picture.LoadFile(dir.File(c.file));
    EXPECT_EQ(code == 0, picture.HasPicture());
}

const FormatCase kCases[] = {
    {"Bmp1Bit", "a.bmp", Source::Mono, "ppmtobmp -bpp=1 {in} > {out}", 0, 0},
    {"Bmp4Bit", "a.bmp", Source::Blocks, "ppmtobmp -bpp=4 {in} > {out}", 0, 0},
    {"Bmp8Bit", "a.bmp", Source::Blocks, "ppmtobmp -bpp=8 {in} > {out}", 0, 0},
    {"Bmp16Bit", "a.bmp", Source::Blocks, "CONVERT {in} -define bmp:subtype=RGB565 BMP:{out}", 8, 8},
    {"Bmp24Bit", "a.bmp", Source::Gradient, "ppmtobmp -bpp=24 {in} > {out}", 0, 0},
    {"Bmp32Bit", "a.BMP", Source::Gradient, "CONVERT {in} -alpha set -define bmp:format=bmp4 BMP:{out}", 0, 0},
    {"BmpRle8", "a.bmp", Source::Blocks, "CONVERT {in} -compress RLE -type palette BMP3:{out}", 0, 0},
    {"BmpRle4", "a.bmp", Source::Blocks, "", 0, 0},
    {"BmpCoreHeader24", "a.bmp", Source::Gradient, "CONVERT {in} BMP2:{out}", 0, 0},
    {"BmpCoreHeader4", "a.bmp", Source::Blocks, "ppmtobmp -os2 -bpp=4 {in} > {out}", 0, 0},
    {"BmpTopDown", "a.bmp", Source::Gradient, "", 0, 0},
    {"Gif", "a.gif", Source::Blocks, "CONVERT {in} GIF:{out}", 0, 0},
    {"GifInterlaced", "a.gif", Source::Blocks, "CONVERT {in} -interlace Line GIF:{out}", 0, 0},
    {"GifFirstFrame", "a.gif", Source::Blocks, "CONVERT {in} \\( {in} -negate \\) GIF:{out}", 0, 0},
    {"GifTransparent", "a.gif", Source::Blocks, "CONVERT {in} -transparent blue GIF:{out}", 0, 0, true},
    {"TiffStrips", "a.tif", Source::Gradient, "CONVERT {in} -compress None -depth 8 TIFF:{out}", 0, 0},
    {"TiffTiles", "a.tif", Source::Gradient, "CONVERT {in} -depth 8 -define tiff:tile-geometry=32x32 TIFF:{out}", 0, 0},
    {"TiffLzw", "a.tiff", Source::Gradient, "CONVERT {in} -depth 8 TIFF:{tmp} && tiffcp -c lzw {tmp} {out}", 0, 0},
    {"TiffDeflate", "a.tif", Source::Gradient, "CONVERT {in} -depth 8 TIFF:{tmp} && tiffcp -c zip {tmp} {out}", 0, 0},
    {"TiffPackBits", "a.tif", Source::Gradient, "CONVERT {in} -depth 8 TIFF:{tmp} && tiffcp -c packbits {tmp} {out}", 0, 0},
    {"TiffJpeg", "a.tif", Source::Gradient, "CONVERT {in} -depth 8 TIFF:{tmp} && tiffcp -r 16 -c jpeg:95 {tmp} {out}", 40, 3},
    {"TiffTiledLzw", "a.tif", Source::Gradient, "CONVERT {in} -depth 8 TIFF:{tmp} && tiffcp -t -w 32 -l 32 -c lzw {tmp} {out}", 0, 0},
    {"Tiff16Bit", "a.tif", Source::Gradient, "CONVERT {in} -depth 16 TIFF:{out}", 1, 1},
    {"TiffPalette", "a.tif", Source::Blocks, "CONVERT {in} -type palette TIFF:{out}", 0, 0},
    {"TiffGrey", "a.tif", Source::Mono, "CONVERT {in} -colorspace Gray -depth 8 TIFF:{out}", 0, 0},
    {"TiffCmyk", "a.tif", Source::Blocks, "CONVERT {in} -colorspace CMYK -depth 8 TIFF:{out}", 2, 1},
    {"PngPalette", "a.png", Source::Blocks, "CONVERT {in} PNG8:{out}", 0, 0},
    {"PngGrey", "a.png", Source::Mono, "CONVERT {in} -colorspace Gray PNG:{out}", 0, 0},
    {"Png16Bit", "a.png", Source::Gradient, "CONVERT {in} PNG48:{out}", 1, 1},
    {"PngInterlaced", "a.png", Source::Gradient, "CONVERT {in} -interlace PNG PNG24:{out}", 0, 0},
    {"PngTransparent", "a.png", Source::Blocks, "CONVERT {in} -transparent blue PNG32:{out}", 0, 0, true},
    {"Pcx1Bit", "a.pcx", Source::Mono, "ppmtopcx {in} > {out}", 0, 0},
    {"Pcx2Planes", "a.pcx", Source::Blocks, "ppmtopcx {in} > {out}", 0, 0},
    {"Pcx16ColoursInFourPlanes", "a.PCX", Source::Blocks, "ppmtopcx -planes=4 {in} > {out}", 0, 0},
    {"Pcx2BitPacked", "a.pcx", Source::Blocks, "ppmtopcx -packed {in} > {out}", 0, 0},
    {"Pcx8BitPalette", "a.pcx", Source::Blocks, "ppmtopcx -8bit {in} > {out}", 0, 0},
    {"Pcx24BitPlanes", "a.pcx", Source::Gradient, "ppmtopcx -24bit {in} > {out}", 0, 0},
    {"PcxFromImageMagick", "a.pcx", Source::Gradient, "CONVERT {in} PCX:{out}", 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Variants, FormatTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FormatCase>& tp) { return std::string(tp.param.name); });

struct ExtensionCase {
    const char* name;
    const char* file;
    bool loads;
};

class ExtensionTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionTest, ChoosesTheReaderByExtension)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("dir.jpg"));
    const std::string path = dir.File(GetParam().file);
    ASSERT_TRUE(img::WriteJpeg(path, testimg::MakeBlocks(), 90));
    Picture picture;
    const int code = picture.LoadFile(path);
    EXPECT_EQ(picture.HasPicture(), GetParam().loads);
    EXPECT_EQ(code == 0, GetParam().loads);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionTest,
    testing::Values(ExtensionCase{"UpperCase", "PHOTO.JPG", true}, ExtensionCase{"MixedCase", "photo.Jpeg", true},
                    ExtensionCase{"TrailingBlank", "photo.jpg ", true},
                    ExtensionCase{"TrailingBlanks", "photo.jpeg   ", true},
                    ExtensionCase{"NoExtension", "photo", false}, ExtensionCase{"Unknown", "photo.txt", false},
                    ExtensionCase{"DotInFolderOnly", "dir.jpg/photo", false},
                    ExtensionCase{"WrongReader", "photo.png", false}),
    [](const testing::TestParamInfo<ExtensionCase>& tp) { return std::string(tp.param.name); });

TEST(LoadFile, EmptyPathGivesTwoAndKeepsThePicture)
{
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(3, 3), 0);
    EXPECT_EQ(picture.LoadFile(""), 2);
    EXPECT_TRUE(picture.HasPicture());
}

TEST(LoadFile, NoExtensionReleasesAndSaysUnsupported)
{
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(3, 3), 0);
    img::SetLastError(img::kErrNone);
    EXPECT_EQ(picture.LoadFile("C:\\pics\\photo"), img::kErrUnsupported);
    EXPECT_FALSE(picture.HasPicture());
}

TEST(LoadFile, MissingFileAndForeignBytesGiveErrors)
{
    TempDir dir;
    Picture picture;
    EXPECT_EQ(picture.LoadFile(dir.File("missing.png")), img::kErrCannotOpen);
    testimg::WriteBytes(dir.File("text.png"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_NE(picture.LoadFile(dir.File("text.png")), 0);
    EXPECT_FALSE(picture.HasPicture());
    testimg::WriteBytes(dir.File("text.pcx"), std::vector<std::uint8_t>(200, 0x0A));
    EXPECT_NE(picture.LoadFile(dir.File("text.pcx")), 0);
    EXPECT_FALSE(picture.HasPicture());
}

TEST(SaveFile, OtherFormatsWriteNothing)
{
    TempDir dir;
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(8, 8), 0);
    EXPECT_EQ(picture.SaveFile(dir.File("x.jpg"), 3, 75), img::kErrUnsupported);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.jpg")));
    Picture empty;
    EXPECT_EQ(empty.SaveFile(dir.File("y.jpg"), 1, 75), 5);
    EXPECT_FALSE(std::filesystem::exists(dir.File("y.jpg")));
}

TEST(Pcx, HugeHeaderIsRefusedBeforeAllocating)
{
    std::vector<std::uint8_t> header(128 + 16, 0);
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    header[8] = 0x3F; // 40000 x 40000
    header[9] = 0x9C;
    header[10] = 0x3F;
    header[11] = 0x9C;
    header[65] = 3;
    header[66] = 0x40;
    header[67] = 0x9C;
    EXPECT_TRUE(img::DecodePcx(header).Empty());
    EXPECT_EQ(img::LastError(), img::kErrTooLarge);
}

TEST(Qt, HugeHeaderIsRefusedBeforeAllocating)
{
    // A real file's header changed to claim 20000 x 20001 pixels: it must not allocate.
    TempDir dir;
    ASSERT_TRUE(testimg::WritePpm(dir.File("in.ppm"), testimg::MakeGradient(8, 8)));
    ASSERT_TRUE(testimg::Shell("ppmtobmp -bpp=24 " + testimg::Quote(dir.File("in.ppm")) + " > " +
                               testimg::Quote(dir.File("big.bmp"))));
    auto bytes = testimg::ReadBytes(dir.File("big.bmp"));
    ASSERT_GT(bytes.size(), 26u);
    bytes[18] = 0x20; // width 20000
    bytes[19] = 0x4E;
    bytes[22] = 0x21; // height 20001
    bytes[23] = 0x4E;
    EXPECT_TRUE(img::DecodeWithQt(bytes, "bmp").Empty());
    // Qt may refuse the header itself; then the missing rows are what we report.
    EXPECT_TRUE(img::LastError() == img::kErrTooLarge || img::LastError() == img::kErrTruncated)
        << img::LastError();
}

} // namespace
