#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace img {

// Qt's BMP, GIF and TIFF readers accept a file that ends early and fill the missing rows
// with whatever they like, reporting success. A cut-off download or a file copied from a
// failing card would then become a library picture with a grey or black band. This check
// walks each format's structure and says whether the data that the header promises is
// all there; malformed structures are left to the reader to refuse.
class TruncationCheck {
public:
    // `format` as Qt names it: "bmp", "gif", "tiff"; other formats are never judged short.
    static bool EndsEarly(std::span<const std::uint8_t> bytes, std::string_view format);

private:
    static bool BmpEndsEarly(std::span<const std::uint8_t> bytes);
    static bool BmpRleEndsEarly(std::span<const std::uint8_t> bytes, std::size_t start, int rows, bool fourBits);
    static bool GifEndsEarly(std::span<const std::uint8_t> bytes);
    static bool TiffEndsEarly(std::span<const std::uint8_t> bytes);
};

} // namespace img
