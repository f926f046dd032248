#include "TestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <tuple>
#include <unistd.h>

namespace testimg {

namespace {

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Replaces every `token`, searching on after each inserted value.
void ReplaceAll(std::string& text, const std::string& token, const std::string& value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BMP file header and 40-byte information header, for files made field by field.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bits, std::uint32_t compression,
                                     std::uint32_t colours, std::uint32_t imageBytes)
{
    std::vector<std::uint8_t> out{'B', 'M'};
    const std::uint32_t offset = 14 + 40 + colours * 4;
    for (const std::uint32_t field : {offset + imageBytes, 0u, offset, 40u, static_cast<std::uint32_t>(width),
                                      static_cast<std::uint32_t>(height)})
        PutLe(out, field);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(bits), 2);
    for (const std::uint32_t field : {compression, imageBytes, 2835u, 2835u, colours, 0u}) PutLe(out, field);
    return out;
}

bool WritePpm(const std::string& path, const img::PixelBuffer& pixels)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << pixels.Width() << ' ' << pixels.Height() << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.Data()), static_cast<std::streamsize>(pixels.ByteSize()));
    return static_cast<bool>(out);
}

} // namespace

img::PixelBuffer Make(int width, int height, const std::function<Rgb(int x, int y)>& colourAt)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(pixels, x, y, colourAt(x, y));
    return pixels;
}

img::PixelBuffer MakeFlat(int width, int height, Rgb colour)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    for (int x = 0; x < pixels.Width(); ++x) SetPixel(pixels, x, 0, colour);
    for (int y = 1; y < pixels.Height(); ++y) std::copy_n(pixels.Row(0), pixels.Stride(), pixels.Row(y));
    return pixels;
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
    EXPECT_TRUE(picture.LoadFromDib(img::ToDib(pixels)));
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
    std::tie(p[0], p[1], p[2]) = std::tie(colour.r, colour.g, colour.b);
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

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool MakeWithTool(const TempDir& dir, const img::PixelBuffer& pixels, std::string command, const std::string& out)
{
    static const std::string convert = access("/usr/bin/convert", X_OK) == 0 ? "/usr/bin/convert" : "convert";
    if (!WritePpm(dir.File("in.ppm"), pixels)) return false;
    ReplaceAll(command, "CONVERT", convert);
    ReplaceAll(command, "{out}", Quote(dir.File(out)));
    ReplaceAll(command, "{tmp}", Quote(dir.File("tmp.tif")));
    ReplaceAll(command, "{in}", Quote(dir.File("in.ppm")));
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

void WriteTopDownBmp(const std::string& path, const img::PixelBuffer& pixels)
{
    const std::size_t rowBytes = (pixels.Stride() + 3) & ~std::size_t{3};
    auto out = BmpHeaders(pixels.Width(), -pixels.Height(), 24, 0, 0,
                          static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(pixels.Height())));
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const Rgb c = PixelAt(pixels, x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
        out.resize(out.size() + rowBytes - pixels.Stride(), 0);
    }
    WriteBytes(path, out);
}

void WriteRle4Bmp(const std::string& path, const img::PixelBuffer& pixels)
{
    std::vector<Rgb> palette;
    auto index = [&](int x, int y) {
        const Rgb c = PixelAt(pixels, x, y);
        auto at = std::find(palette.begin(), palette.end(), c);
        if (at == palette.end()) at = palette.insert(at, c);
        if (palette.size() > 16) throw std::runtime_error("more than 16 colours");
        return static_cast<std::uint8_t>(at - palette.begin());
    };
    std::vector<std::uint8_t> data;
    for (int y = pixels.Height() - 1; y >= 0; --y) { // bottom-up
        for (int x = 0, run = 1; x < pixels.Width(); x += run, run = 1) {
            const std::uint8_t value = index(x, y);
            while (x + run < pixels.Width() && run < 255 && index(x + run, y) == value) ++run;
            data.insert(data.end(), {static_cast<std::uint8_t>(run), static_cast<std::uint8_t>((value << 4) | value)});
        }
        data.insert(data.end(), {0, 0}); // end of line
    }
    data.insert(data.end(), {0, 1}); // end of bitmap
    auto out = BmpHeaders(pixels.Width(), pixels.Height(), 4, 2, 16, static_cast<std::uint32_t>(data.size()));
    palette.resize(16);
    for (const Rgb c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
    out.insert(out.end(), data.begin(), data.end());
    WriteBytes(path, out);
}

} // namespace testimg
