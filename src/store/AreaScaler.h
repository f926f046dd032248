#pragma once

#include "imaging/PixelBuffer.h"

// Shrinks pictures by area averaging, fast enough for the add pipeline's versions:
// whole halvings by 2 x 2 averages while the picture is at least twice the target,
// then one separable area pass for the rest. Each output pixel is the average of the
// input area it covers, as with OpenCV's INTER_AREA, at a fraction of its cost on
// large pictures.
class AreaScaler {
public:
    // A copy at the new size, which must not exceed the source on either side. Empty
    // (and code set to the imaging layer's error) when memory is short or the sizes
    // are wrong.
    static img::PixelBuffer Shrink(const img::PixelBuffer& source, int width, int height, int& code);

private:
    static img::PixelBuffer Halve(const img::PixelBuffer& source);
    static img::PixelBuffer AreaPass(const img::PixelBuffer& source, int width, int height);
};
