#pragma once

#include "FileBytes.h"
#include "TempDir.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "imaging/PixelAdapter.h"
#include "imaging/PixelBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Small pictures made in memory, files made from them by real tools, and comparisons.
namespace testimg {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// What an operation made, with a test failure naming its error when it made nothing.
template <typename T> T Unwrap(img::Result<T> result)
{
    EXPECT_TRUE(result) << "imaging error " << result.Error();
    return std::move(result).Value();
}

inline QSize SizeOf(const img::PixelBuffer& pixels) { return {pixels.Width(), pixels.Height()}; }

inline Rgb PixelAt(const img::PixelBuffer& pixels, int x, int y)
{
    const std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    return {p[0], p[1], p[2]};
}

inline void SetPixel(img::PixelBuffer& pixels, int x, int y, Rgb colour)
{
    std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
}

inline img::PixelBuffer Make(int width, int height, const std::function<Rgb(int x, int y)>& colourAt)
{
    img::PixelBuffer pixels = Unwrap(img::PixelBuffer::Allocate(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(pixels, x, y, colourAt(x, y));
    return pixels;
}

inline img::PixelBuffer MakeFlat(int width, int height, Rgb colour)
{
    return Make(width, height, [=](int, int) { return colour; });
}

// Four flat blocks (blue top-left, red top-right and bottom, white strip, green
// bottom-right): few colours, so palette formats hold it exactly.
inline img::PixelBuffer MakeBlocks(int width = 64, int height = 48)
{
    return Make(width, height, [=](int x, int y) -> Rgb {
        if (y < height / 2) return x < width / 2 ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
        if (x < width / 4) return {255, 255, 255};
        return x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
    });
}

// A smooth picture with many colours, for lossy codecs and filters.
inline img::PixelBuffer MakeGradient(int width, int height)
{
    return Make(width, height, [=](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                   static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                   static_cast<std::uint8_t>((x + y) * 127 / std::max(1, width + height - 2) + 64)};
    });
}

inline Picture ToPicture(const img::PixelBuffer& pixels)
{
    Picture picture;
    EXPECT_TRUE(picture.LoadFromDib(Unwrap(img::ToDib(pixels))));
    return picture;
}

// The largest difference of any channel of any pixel, and the mean; 256 when the sizes differ.
inline int MaxDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (SizeOf(a) != SizeOf(b)) return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i) worst = std::max(worst, std::abs(a.Data()[i] - b.Data()[i]));
    return worst;
}

inline double MeanDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (SizeOf(a) != SizeOf(b) || a.Empty()) return 256;
    double sum = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i) sum += std::abs(a.Data()[i] - b.Data()[i]);
    return sum / static_cast<double>(a.ByteSize());
}

// Files as the decoders take their bytes.
inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    const std::string bytes = ::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}
inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    ::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

// Writes the pixels as in.ppm in the folder and runs the shell command there. True when
// the command succeeds.
inline bool MakeWithTool(const TempDir& dir, const img::PixelBuffer& pixels, const std::string& command)
{
    if (!img::PixelAdapter::AsQImage(pixels).save(QString::fromStdString(dir.File("in.ppm")), "PPM")) return false;
    return std::system(("cd '" + dir.Path().string() + "' && (" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

// A BMP no Debian tool writes: rows stored top-down (a negative height). Qt writes
// bottom-up rows; those of the mirrored picture, read top-down, are the picture.
inline void WriteTopDownBmp(const std::string& path, const img::PixelBuffer& pixels)
{
    ASSERT_TRUE(img::PixelAdapter::AsQImage(pixels).mirrored().save(QString::fromStdString(path), "BMP"));
    auto bytes = ReadBytes(path);
    const auto height = static_cast<std::uint32_t>(-pixels.Height());
    for (std::size_t i = 0; i < 4; ++i) bytes.at(22 + i) = static_cast<std::uint8_t>(height >> (8 * i));
    WriteBytes(path, bytes);
}

} // namespace testimg
