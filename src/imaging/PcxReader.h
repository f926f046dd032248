#pragma once

#include "imaging/PixelBuffer.h"
#include "imaging/Result.h"

#include <QSize>

#include <array>
#include <optional>
#include <cstdint>
#include <span>

namespace img {

// Reads ZSoft PCX: 1-bit, 2- and 4-bit (packed or in up to four 1-bit planes) with the
// header's 16-colour palette, 8-bit with the 256-colour palette at the end of the file
// (grey without one in files older than version 5), and 24-bit (32-bit) as three (four) 8-bit planes. Every read is
// bounds-checked; runs may cross plane and line ends as some writers produce them.
class PcxReader {
public:
    static Result<PixelBuffer> Decode(std::span<const std::uint8_t> bytes);
    // The size in the header of a PCX file we can read; nullopt otherwise.
    static std::optional<QSize> Size(std::span<const std::uint8_t> bytes);

private:
    struct Header {
        int bitsPerPixel = 0;
        int planes = 0;
        int bytesPerLine = 0;
        int width = 0;
        int height = 0;
        bool compressed = true;
    };
    using Rgb = std::array<std::uint8_t, 3>;

    explicit PcxReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    ErrorCode ParseHeader();
    bool ChoosePalette(); // false when the palette the file needs is missing
    bool NextScanLine(std::uint8_t* line, std::size_t length);
    void ConvertLine(const std::uint8_t* line, std::uint8_t* target) const;
    int IndexAt(const std::uint8_t* line, int x) const;

    std::span<const std::uint8_t> m_bytes;
    std::span<const std::uint8_t> m_data; // the pixel data after the header
    std::size_t m_position = 0;
    int m_runLeft = 0;
    std::uint8_t m_runValue = 0;
    Header m_header;
    std::array<Rgb, 256> m_palette{};
};

} // namespace img
