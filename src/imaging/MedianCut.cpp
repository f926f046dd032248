#include "imaging/MedianCut.h"

#include <algorithm>

namespace img {

namespace {
constexpr long long kSampleTarget = 1'000'000;
}

MedianCut::MedianCut(const PixelBuffer& pixels) : m_histogram(32 * 32 * 32, 0)
{
    const long long total = static_cast<long long>(pixels.Width()) * pixels.Height();
    const long long step = std::max(1LL, total / kSampleTarget);
    const std::uint8_t* data = pixels.Data();
    for (long long i = 0; i < total; i += step) {
        const std::uint8_t* p = data + i * 3;
        ++m_histogram[static_cast<std::size_t>(((p[0] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[2] >> 3))];
    }
}

// Narrows the box to the cells that hold pixels and counts them.
void MedianCut::Shrink(Box& box) const
{
    int low[3] = {31, 31, 31}, high[3] = {0, 0, 0};
    std::uint64_t count = 0;
    for (int r = box.low[0]; r <= box.high[0]; ++r)
        for (int g = box.low[1]; g <= box.high[1]; ++g)
            for (int b = box.low[2]; b <= box.high[2]; ++b) {
                const std::uint32_t n = Cell(r, g, b);
                if (n == 0) continue;
                count += n;
                const int at[3] = {r, g, b};
                for (int c = 0; c < 3; ++c) {
                    low[c] = std::min(low[c], at[c]);
                    high[c] = std::max(high[c], at[c]);
                }
            }
    box.count = count;
    if (count == 0) return;
    std::copy_n(low, 3, box.low);
    std::copy_n(high, 3, box.high);
}

bool MedianCut::Split(Box& box, Box& second) const
{
    int axis = 0;
    for (int c = 1; c < 3; ++c)
        if (box.high[c] - box.low[c] > box.high[axis] - box.low[axis]) axis = c;
    if (box.high[axis] == box.low[axis]) return false;
    std::vector<std::uint64_t> slices(32, 0);
    for (int r = box.low[0]; r <= box.high[0]; ++r)
        for (int g = box.low[1]; g <= box.high[1]; ++g)
            for (int b = box.low[2]; b <= box.high[2]; ++b) {
                const int at[3] = {r, g, b};
                slices[static_cast<std::size_t>(at[axis])] += Cell(r, g, b);
            }
    std::uint64_t below = 0;
    int cut = box.low[axis];
    for (; cut < box.high[axis] - 1; ++cut) {
        below += slices[static_cast<std::size_t>(cut)];
        if (below * 2 >= box.count) break;
    }
    second = box;
    box.high[axis] = cut;
    second.low[axis] = cut + 1;
    Shrink(box);
    Shrink(second);
    return true;
}

PaletteEntry MedianCut::Mean(const Box& box) const
{
    std::uint64_t sum[3] = {0, 0, 0};
    for (int r = box.low[0]; r <= box.high[0]; ++r)
        for (int g = box.low[1]; g <= box.high[1]; ++g)
            for (int b = box.low[2]; b <= box.high[2]; ++b) {
                const std::uint64_t n = Cell(r, g, b);
                sum[0] += n * static_cast<std::uint64_t>(r * 8 + 4);
                sum[1] += n * static_cast<std::uint64_t>(g * 8 + 4);
                sum[2] += n * static_cast<std::uint64_t>(b * 8 + 4);
            }
    const std::uint64_t count = std::max<std::uint64_t>(box.count, 1);
    PaletteEntry entry;
    entry.red = static_cast<std::uint8_t>(sum[0] / count);
    entry.green = static_cast<std::uint8_t>(sum[1] / count);
    entry.blue = static_cast<std::uint8_t>(sum[2] / count);
    return entry;
}

std::vector<PaletteEntry> MedianCut::Palette(const PixelBuffer& pixels, int colours)
{
    if (pixels.Empty() || colours < 1) return {};
    const MedianCut cut(pixels);
    std::vector<Box> boxes(1);
    cut.Shrink(boxes[0]);
    while (static_cast<int>(boxes.size()) < colours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            const bool aSplittable = a.low[0] != a.high[0] || a.low[1] != a.high[1] || a.low[2] != a.high[2];
            const bool bSplittable = b.low[0] != b.high[0] || b.low[1] != b.high[1] || b.low[2] != b.high[2];
            return (aSplittable ? a.count : 0) < (bSplittable ? b.count : 0);
        });
        Box second;
        if (!cut.Split(*widest, second)) break;
        boxes.push_back(second);
    }
    std::vector<PaletteEntry> palette(static_cast<std::size_t>(colours));
    for (std::size_t i = 0; i < boxes.size(); ++i) palette[i] = cut.Mean(boxes[i]);
    return palette;
}

Result<std::vector<PaletteEntry>> MakePalette(const PixelBuffer& pixels, int colours)
{
    auto palette = MedianCut::Palette(pixels, colours);
    if (palette.empty()) return kErrBadArgument; // an empty picture, or fewer than 1 colour
    return palette;
}

Palette ToQtPalette(const std::vector<PaletteEntry>& entries)
{
    Palette palette;
    palette.reserve(static_cast<qsizetype>(entries.size()));
    for (const PaletteEntry& entry : entries) palette.push_back(qRgb(entry.red, entry.green, entry.blue));
    return palette;
}

} // namespace img
