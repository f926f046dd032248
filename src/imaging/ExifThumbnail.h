#pragma once

#include <cstdint>
#include <span>

namespace img {

// The small JPEG a camera embeds in its Exif segment (the second image file
// directory's JPEGInterchangeFormat), found by the same bounds-checked reading as the
// orientation, since it runs on files the user merely selects.
class ExifThumbnail {
public:
    // The thumbnail's bytes within the APP1 payload; empty when there is none or its
    // place lies outside the payload.
    static std::span<const std::uint8_t> FromApp1(std::span<const std::uint8_t> payload);
};

} // namespace img
