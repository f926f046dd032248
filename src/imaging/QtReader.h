#pragma once

#include "imaging/PixelBuffer.h"
#include "imaging/Result.h"

#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class QImageReader;

namespace img {

// Decoding through Qt's image readers (BMP, GIF, PNG, TIFF) with the size checked before
// any pixel memory is asked for, and the result converted to a PixelBuffer.
class QtReader {
public:
    static Result<PixelBuffer> ReadFile(const std::string& path, const char* format);
    static Result<PixelBuffer> Decode(std::span<const std::uint8_t> bytes, const char* format);
    static std::optional<QSize> Size(const std::string& path);

private:
    static Result<PixelBuffer> Read(QImageReader& reader, std::span<const std::uint8_t> bytes,
                                    const char* format);
};

} // namespace img
