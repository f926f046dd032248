#include "imaging/PcxReader.h"

#include "imaging/FileBytes.h"
#include "imaging/Imaging.h"

#include <vector>

namespace img {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kVgaPaletteSize = 769; // 0x0C and 256 x 3 bytes

int U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8);
}

bool Supported(int bitsPerPixel, int planes)
{
    if (bitsPerPixel == 8) return planes == 1 || planes == 3 || planes == 4;
    if (bitsPerPixel == 1) return planes >= 1 && planes <= 4;
    return (bitsPerPixel == 2 || bitsPerPixel == 4) && planes == 1;
}

} // namespace

Result<PixelBuffer> PcxReader::Decode(std::span<const std::uint8_t> bytes)
{
    PcxReader reader(bytes);
    if (const ErrorCode error = reader.ParseHeader(); error != kErrNone) return error;
    const Header& header = reader.m_header;
    auto pixels = PixelBuffer::AllocateForOverwrite(header.width, header.height);
    if (!pixels) return pixels;
    if (!reader.ChoosePalette()) return kErrTruncated;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(header.bytesPerLine) *
                                   static_cast<std::size_t>(header.planes));
    for (int y = 0; y < header.height; ++y) {
        if (!reader.NextScanLine(line.data(), line.size())) return kErrTruncated;
        reader.ConvertLine(line.data(), pixels->Row(y));
    }
    return pixels;
}

std::optional<QSize> PcxReader::Size(std::span<const std::uint8_t> bytes)
{
    PcxReader reader(bytes);
    if (reader.ParseHeader() != kErrNone) return std::nullopt;
    return QSize(reader.m_header.width, reader.m_header.height);
}

ErrorCode PcxReader::ParseHeader()
{
    if (m_bytes.size() < kHeaderSize || m_bytes[0] != 0x0A) return kErrBadData;
    if (m_bytes[2] > 1) return kErrBadData;
    Header& header = m_header;
    header.compressed = m_bytes[2] == 1;
    header.bitsPerPixel = m_bytes[3];
    header.planes = m_bytes[65];
    header.bytesPerLine = U16(m_bytes, 66);
    const int left = U16(m_bytes, 4), top = U16(m_bytes, 6);
    const int right = U16(m_bytes, 8), bottom = U16(m_bytes, 10);
    if (right < left || bottom < top) return kErrBadData;
    header.width = right - left + 1;
    header.height = bottom - top + 1;
    if (!Supported(header.bitsPerPixel, header.planes)) return kErrUnsupported;
    if (static_cast<long long>(header.width) * header.height > MaxPixels()) return kErrTooLarge;
    const long long neededBytes = (static_cast<long long>(header.width) * header.bitsPerPixel + 7) / 8;
    if (header.bytesPerLine < neededBytes) return kErrBadData;
    m_data = m_bytes.subspan(kHeaderSize);
    return kErrNone;
}

bool PcxReader::ChoosePalette()
{
    const int colourBits = m_header.bitsPerPixel * m_header.planes;
    if (colourBits == 8) {
        const bool hasVga = m_bytes.size() >= kHeaderSize + kVgaPaletteSize &&
                            m_bytes[m_bytes.size() - kVgaPaletteSize] == 0x0C;
        // Version 5 files end with their 256-colour palette; without it the end is lost.
        if (!hasVga && m_bytes[1] >= 5) return false;
        for (std::size_t i = 0; i < 256; ++i) {
            if (hasVga) {
                const std::size_t at = m_bytes.size() - kVgaPaletteSize + 1 + i * 3;
                m_palette[i] = {m_bytes[at], m_bytes[at + 1], m_bytes[at + 2]};
            } else {
                const auto grey = static_cast<std::uint8_t>(i);
                m_palette[i] = {grey, grey, grey};
            }
        }
        if (hasVga) m_data = m_data.first(m_data.size() - kVgaPaletteSize);
        return true;
    }
    for (std::size_t i = 0; i < 16; ++i)
        m_palette[i] = {m_bytes[16 + i * 3], m_bytes[17 + i * 3], m_bytes[18 + i * 3]};
    // Many 1-bit writers leave the header palette empty and mean black and white.
    const bool blankPalette = m_palette[0] == Rgb{} && m_palette[1] == Rgb{};
    if (colourBits == 1 && blankPalette) m_palette[1] = {255, 255, 255};
    return true;
}

bool PcxReader::NextScanLine(std::uint8_t* line, std::size_t length)
{
    std::size_t filled = 0;
    while (filled < length) {
        if (m_runLeft > 0) {
            line[filled++] = m_runValue;
            --m_runLeft;
            continue;
        }
        if (m_position >= m_data.size()) return false;
        const std::uint8_t byte = m_data[m_position++];
        if (!m_header.compressed || byte < 0xC0) {
            line[filled++] = byte;
            continue;
        }
        if (m_position >= m_data.size()) return false;
        m_runLeft = byte & 0x3F;
        m_runValue = m_data[m_position++];
    }
    return true;
}

int PcxReader::IndexAt(const std::uint8_t* line, int x) const
{
    const int bits = m_header.bitsPerPixel;
    if (bits == 8) return line[x];
    int index = 0;
    for (int plane = 0; plane < m_header.planes; ++plane) {
        const std::uint8_t* planeLine = line + static_cast<std::size_t>(plane) * m_header.bytesPerLine;
        const long bit = static_cast<long>(x) * bits;
        const int shift = 8 - bits - static_cast<int>(bit % 8);
        const int value = (planeLine[bit / 8] >> shift) & ((1 << bits) - 1);
        index |= value << (plane * bits);
    }
    return index;
}

void PcxReader::ConvertLine(const std::uint8_t* line, std::uint8_t* target) const
{
    const int width = m_header.width;
    if (m_header.bitsPerPixel == 8 && m_header.planes >= 3) {
        const std::size_t stride = static_cast<std::size_t>(m_header.bytesPerLine);
        for (int x = 0; x < width; ++x, target += 3) {
            target[0] = line[x];
            target[1] = line[stride + static_cast<std::size_t>(x)];
            target[2] = line[2 * stride + static_cast<std::size_t>(x)];
        }
        return;
    }
    for (int x = 0; x < width; ++x, target += 3) {
        const Rgb& colour = m_palette[static_cast<std::size_t>(IndexAt(line, x))];
        target[0] = colour[0];
        target[1] = colour[1];
        target[2] = colour[2];
    }
}


Result<PixelBuffer> ReadPcx(const std::string& path)
{
    const auto read = FileBytes::Read(path);
    if (!read) return FileBytes::Code(read.error);
    return PcxReader::Decode(read.content.Bytes());
}

Result<PixelBuffer> DecodePcx(std::span<const std::uint8_t> bytes)
{
    return PcxReader::Decode(bytes);
}

} // namespace img
