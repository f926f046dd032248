#include "FuzzDecoder.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareForFuzzing();
    const std::span<const std::uint8_t> bytes(data, size);
    std::vector<std::string> comments;
    TouchPixels(img::DecodeJpeg(bytes, &comments));
    TouchPixels(img::DecodeJpeg(bytes, nullptr, 8));
    return 0;
}
