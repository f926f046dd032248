#pragma once

#include "imaging/Imaging.h"

#include <cstdint>
#include <vector>

namespace img {

// Median-cut colour quantisation on a 5-5-5 bit histogram: the box holding the most
// pixels is split at its median along its longest side until there are enough boxes; each
// box gives the mean colour of its pixels. Large pictures are sampled, about a million
// pixels being plenty for 256 colours.
class MedianCut {
public:
    static std::vector<PaletteEntry> Palette(const PixelBuffer& pixels, int colours);

private:
    struct Box {
        int low[3] = {0, 0, 0};
        int high[3] = {31, 31, 31}; // inclusive
        std::uint64_t count = 0;
    };

    explicit MedianCut(const PixelBuffer& pixels);
    void Shrink(Box& box) const;
    bool Split(Box& box, Box& second) const;
    PaletteEntry Mean(const Box& box) const;
    std::uint32_t Cell(int r, int g, int b) const { return m_histogram[static_cast<std::size_t>((r << 10) | (g << 5) | b)]; }

    std::vector<std::uint32_t> m_histogram;
};

} // namespace img
