#pragma once

#include "FileBytes.h"
#include "TempDir.h"
#include "imaging/Picture.h"
#include "imaging/PixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
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

img::PixelBuffer Make(int width, int height, const std::function<Rgb(int x, int y)>& colourAt);
img::PixelBuffer MakeFlat(int width, int height, Rgb colour);
// Four flat blocks (blue top-left, red top-right and bottom, white strip, green
// bottom-right): few colours, so palette formats hold it exactly.
img::PixelBuffer MakeBlocks(int width = 64, int height = 48);
// A smooth picture with many colours, for lossy codecs and filters.
img::PixelBuffer MakeGradient(int width, int height);
Picture ToPicture(const img::PixelBuffer& pixels);
inline QSize SizeOf(const img::PixelBuffer& pixels) { return {pixels.Width(), pixels.Height()}; }
Rgb PixelAt(const img::PixelBuffer& pixels, int x, int y);
void SetPixel(img::PixelBuffer& pixels, int x, int y, Rgb colour);
// The largest difference of any channel of any pixel, and the mean; 256 when the sizes differ.
int MaxDifference(const img::PixelBuffer& a, const img::PixelBuffer& b);
double MeanDifference(const img::PixelBuffer& a, const img::PixelBuffer& b);

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
bool MakeWithTool(const TempDir& dir, const img::PixelBuffer& pixels, const std::string& command);
// A BMP no Debian tool writes: rows stored top-down (a negative height).
void WriteTopDownBmp(const std::string& path, const img::PixelBuffer& pixels);

} // namespace testimg
