#include "TestImages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <unistd.h>

namespace testimg {

img::PixelBuffer MakeFlat(int width, int height, Rgb colour)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(pixels, x, y, colour);
    return pixels;
}

img::PixelBuffer MakeBlocks(int width, int height)
{
    img::PixelBuffer pixels = MakeFlat(width, height, {255, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool top = y < height / 2, left = x < width / 2;
            if (top && left) SetPixel(pixels, x, y, {0, 0, 255});
            if (!top && !left) SetPixel(pixels, x, y, {0, 255, 0});
            if (!top && x < width / 4) SetPixel(pixels, x, y, {255, 255, 255});
        }
    return pixels;
}

img::PixelBuffer MakeGradient(int width, int height)
{
    img::PixelBuffer pixels = img::PixelBuffer::Allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(pixels, x, y,
                     {static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                      static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                      static_cast<std::uint8_t>((x + y) * 127 / std::max(1, width + height - 2) + 64)});
    return pixels;
}

Rgb PixelAt(const img::PixelBuffer& pixels, int x, int y)
{
    const std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    return {p[0], p[1], p[2]};
}

void SetPixel(img::PixelBuffer& pixels, int x, int y, Rgb colour)
{
    std::uint8_t* p = pixels.Row(y) + static_cast<std::size_t>(x) * 3;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

int MaxDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i)
        worst = std::max(worst, std::abs(a.Data()[i] - b.Data()[i]));
    return worst;
}

double MeanDifference(const img::PixelBuffer& a, const img::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty()) return 256;
    double sum = 0;
    for (std::size_t i = 0; i < a.ByteSize(); ++i) sum += std::abs(a.Data()[i] - b.Data()[i]);
    return sum / static_cast<double>(a.ByteSize());
}

bool WritePpm(const std::string& path, const img::PixelBuffer& pixels)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << pixels.Width() << ' ' << pixels.Height() << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.Data()), static_cast<std::streamsize>(pixels.ByteSize()));
    return static_cast<bool>(out);
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

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool Shell(const std::string& command)
{
    static const std::string convert = access("/usr/bin/convert", X_OK) == 0 ? "/usr/bin/convert" : "convert";
    std::string line = command;
    for (std::size_t at = line.find("CONVERT"); at != std::string::npos; at = line.find("CONVERT", at + convert.size()))
        line.replace(at, 7, convert);
    return std::system(("(" + line + ") >/dev/null 2>&1").c_str()) == 0;
}

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

} // namespace

std::vector<std::uint8_t> BmpHeaders(int width, int height, int bits, std::uint32_t compression,
                                     std::uint32_t colours, std::uint32_t imageBytes)
{
    std::vector<std::uint8_t> out{'B', 'M'};
    const std::uint32_t offset = 14 + 40 + colours * 4;
    PutU32(out, offset + imageBytes);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(bits));
    PutU32(out, compression);
    PutU32(out, imageBytes);
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, colours);
    PutU32(out, 0);
    return out;
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
    std::map<std::uint32_t, std::uint8_t> indexOf;
    std::vector<Rgb> palette;
    auto index = [&](Rgb c) {
        const std::uint32_t key = (c.r << 16) | (c.g << 8) | c.b;
        auto [it, added] = indexOf.emplace(key, static_cast<std::uint8_t>(palette.size()));
        if (added) palette.push_back(c);
        if (palette.size() > 16) throw std::runtime_error("more than 16 colours");
        return it->second;
    };
    std::vector<std::uint8_t> data;
    for (int y = pixels.Height() - 1; y >= 0; --y) { // bottom-up
        int x = 0;
        while (x < pixels.Width()) {
            const std::uint8_t value = index(PixelAt(pixels, x, y));
            int run = 1;
            while (x + run < pixels.Width() && run < 255 && index(PixelAt(pixels, x + run, y)) == value) ++run;
            data.push_back(static_cast<std::uint8_t>(run));
            data.push_back(static_cast<std::uint8_t>((value << 4) | value));
            x += run;
        }
        data.insert(data.end(), {0, 0}); // end of line
    }
    data.insert(data.end(), {0, 1}); // end of bitmap
    auto out = BmpHeaders(pixels.Width(), pixels.Height(), 4, 2, 16, static_cast<std::uint32_t>(data.size()));
    for (std::size_t i = 0; i < 16; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    out.insert(out.end(), data.begin(), data.end());
    WriteBytes(path, out);
}

} // namespace testimg
