#include "TestImages.h"

#include "imaging/Imaging.h"
#include "imaging/PixelAdapter.h"

#include <algorithm>
#include <cstdlib>

namespace testimg {

img::PixelBuffer Make(int width, int height, const std::function<Rgb(int x, int y)>& colourAt)
{
    img::PixelBuffer pixels = Unwrap(img::PixelBuffer::Allocate(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(pixels, x, y, colourAt(x, y));
    return pixels;
}

img::PixelBuffer MakeFlat(int width, int height, Rgb colour)
{
    return Make(width, height, [=](int, int) { return colour; });
}

img::PixelBuffer MakeBlocks(int width, int height)
{
    return Make(width, height, [=](int x, int y) -> Rgb {
        if (y < height / 2) return x < width / 2 ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
        if (x < width / 4) return {255, 255, 255};
        return x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
    });
}

img::PixelBuffer MakeGradient(int width, int height)
{
    return Make(width, height, [=](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                   static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                   static_cast<std::uint8_t>((x + y) * 127 / std::max(1, width + height - 2) + 64)};
    });
}

Picture ToPicture(const img::PixelBuffer& pixels)
{
    Picture picture;
    EXPECT_TRUE(picture.LoadFromDib(Unwrap(img::ToDib(pixels))));
    return picture;
}

Rgb PixelAt(const img::PixelBuffer& pixels, int x, int y)
{
    const std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    return {p[0], p[1], p[2]};
}

void SetPixel(img::PixelBuffer& pixels, int x, int y, Rgb colour)
{
    std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
}

int MaxDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (SizeOf(a) != SizeOf(b)) return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i) worst = std::max(worst, std::abs(a.Data()[i] - b.Data()[i]));
    return worst;
}

double MeanDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (SizeOf(a) != SizeOf(b) || a.Empty()) return 256;
    double sum = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i) sum += std::abs(a.Data()[i] - b.Data()[i]);
    return sum / static_cast<double>(a.ByteSize());
}

bool MakeWithTool(const TempDir& dir, const img::PixelBuffer& pixels, const std::string& command)
{
    if (!img::PixelAdapter::AsQImage(pixels).save(QString::fromStdString(dir.File("in.ppm")), "PPM")) return false;
    return std::system(("cd '" + dir.Path().string() + "' && (" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

// Qt writes bottom-up rows; those of the mirrored picture, read top-down, are the picture.
void WriteTopDownBmp(const std::string& path, const img::PixelBuffer& pixels)
{
    const QString name = QString::fromStdString(path);
    ASSERT_TRUE(img::PixelAdapter::AsQImage(pixels).mirrored().save(name, "BMP"));
    auto bytes = ReadBytes(path);
    const auto height = static_cast<std::uint32_t>(-pixels.Height());
    for (std::size_t i = 0; i < 4; ++i) bytes.at(22 + i) = static_cast<std::uint8_t>(height >> (8 * i));
    WriteBytes(path, bytes);
}

} // namespace testimg
