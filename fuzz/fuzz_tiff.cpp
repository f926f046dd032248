#include "FuzzDecoder.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareForFuzzing();
    const std::span<const std::uint8_t> bytes(data, size);
    TouchPixels(img::DecodeWithQt(bytes, "tiff"));
    return 0;
}
