#include "FuzzDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareForFuzzing();
    TouchPixels(img::DecodePcx({data, size}));
    return 0;
}
