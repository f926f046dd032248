#pragma once

#include "imaging/PixelBuffer.h"
#include "imaging/Status.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace img {

// The EXIF orientation tag (0x0112) of a JPEG's APP1 "Exif" segment, and turning a
// decoded picture upright by it. Read by a small bounds-checked reader rather than a
// metadata library because it runs on every decode, hostile files included.
class ExifOrientation {
public:
    // Whether an APP1 payload is an Exif segment (not XMP or another user of APP1).
    static bool IsExifSegment(std::span<const std::uint8_t> payload);
    // 1..8 from the segment's payload (starting with "Exif\0\0"); 1 when absent or bad.
    static int FromApp1(std::span<const std::uint8_t> payload);
    // Orientations 5..8 turn the picture a quarter, so its upright size is swapped.
    static bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }
    // Turns the decoded (stored) picture upright.
    static Status Apply(PixelBuffer& pixels, int orientation);
};

} // namespace img
