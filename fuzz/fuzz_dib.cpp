#include "FuzzDecoder.h"
#include "imaging/PackedDib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareForFuzzing();
    // The helpers must stay inside the bytes whatever the header claims.
    (void)DibWidth(data, size);
    (void)DibHeight(data, size);
    (void)DibColorCount(data, size);
    (void)DibColorTableSize(data, size);
    const std::uint8_t* bits = DibBits(data, size);
    if (bits != nullptr && bits < data + size) {
        volatile std::uint8_t sink = *bits;
        (void)sink;
    }
    TouchPixels(img::FromDib(data, size));
    return 0;
}
