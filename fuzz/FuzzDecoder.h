#pragma once

#include "imaging/Imaging.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Shared by the fuzz targets: a lower pixel limit (pictures of up to 16 megapixels still
// reach every code path) and a check that a decoded buffer is whole.
inline void PrepareForFuzzing()
{
    static const bool done = (img::SetMaxPixels(16'000'000), true);
    (void)done;
}

inline void TouchPixels(const img::Result<img::PixelBuffer>& decoded)
{
    const img::PixelBuffer& pixels = decoded.Value();
    // A decoder that reports success must hand over a picture.
    if (decoded.Ok() && pixels.Empty()) __builtin_trap();
    if (pixels.Empty()) return;
    // Reading the first and last byte lets the sanitizer see a short buffer.
    volatile std::uint8_t sink = pixels.Data()[0];
    sink = pixels.Data()[pixels.ByteSize() - 1];
    (void)sink;
}
