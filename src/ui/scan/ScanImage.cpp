#include "ui/scan/ScanImage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kHeaderSize = 40;

int Channels(const SANE_Parameters& p) { return p.format == SANE_FRAME_RGB ? 3 : 1; }

// Sample `index` of a row as 0..255, whatever the depth.
std::uint8_t Sample(const SANE_Byte* row, int index, int depth, bool lineArtBlack)
{
    switch (depth) {
    case 1: {
        const bool set = (row[index / 8] >> (7 - index % 8)) & 1;
        return (set != lineArtBlack) ? 255 : 0;
    }
    case 16: {
        std::uint16_t value = 0;
        std::memcpy(&value, row + index * 2, 2);  // SANE sends the host's byte order
        return static_cast<std::uint8_t>(value >> 8);
    }
    default:
        return row[index];
    }
}

void PutLittle(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void ScanImage::BeginFrame(const SANE_Parameters& parameters)
{
    m_planes.push_back({parameters, {}});
}

void ScanImage::Append(const SANE_Byte* bytes, int length)
{
    if (m_planes.empty() || length <= 0) return;
    auto& target = m_planes.back().bytes;
    target.insert(target.end(), bytes, bytes + length);
}

std::vector<std::uint8_t> ScanImage::ToDib() const
{
    if (m_planes.empty()) return {};
    const SANE_Parameters& first = m_planes.front().parameters;
    const int width = first.pixels_per_line;
    if (width <= 0 || first.bytes_per_line <= 0) return {};
    // A hand scanner does not know its line count in advance (-1): the bytes tell it.
    int height = -1;
    for (const Plane& plane : m_planes) {
        if (plane.parameters.bytes_per_line <= 0 || plane.parameters.pixels_per_line != width) return {};
        const int lines = static_cast<int>(plane.bytes.size() / plane.parameters.bytes_per_line);
        height = height < 0 ? lines : std::min(height, lines);
    }
    if (height <= 0) return {};

    // Which plane and which sample of its pixel feed blue, green and red.
    std::array<const Plane*, 3> source{};
    std::array<int, 3> offset{};
    for (const Plane& plane : m_planes) {
        switch (plane.parameters.format) {
        case SANE_FRAME_RGB: source = {&plane, &plane, &plane}; offset = {2, 1, 0}; break;
        case SANE_FRAME_GRAY: source = {&plane, &plane, &plane}; offset = {0, 0, 0}; break;
        case SANE_FRAME_RED: source[2] = &plane; break;
        case SANE_FRAME_GREEN: source[1] = &plane; break;
        case SANE_FRAME_BLUE: source[0] = &plane; break;
        default: return {};
        }
    }
    if (std::find(source.begin(), source.end(), nullptr) != source.end()) return {};

    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> dib(kHeaderSize + stride * height, 0);
    PutLittle(dib, 0, kHeaderSize, 4);
    PutLittle(dib, 4, static_cast<std::uint32_t>(width), 4);
    PutLittle(dib, 8, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up
    PutLittle(dib, 12, 1, 2);
    PutLittle(dib, 14, 24, 2);
    PutLittle(dib, 20, static_cast<std::uint32_t>(stride * height), 4);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = dib.data() + kHeaderSize + stride * (height - 1 - y);
        for (int c = 0; c < 3; ++c) {
            const SANE_Parameters& p = source[c]->parameters;
            const SANE_Byte* row = source[c]->bytes.data() + static_cast<std::size_t>(y) * p.bytes_per_line;
            const int channels = Channels(p);
            const bool lineArtBlack = p.format == SANE_FRAME_GRAY;
            for (int x = 0; x < width; ++x) {
                out[x * 3 + c] = Sample(row, x * channels + offset[c], p.depth, lineArtBlack);
            }
        }
    }
    return dib;
}
