// JPEG decoding and encoding straight through libjpeg-turbo: pixels are decoded into the
// PixelBuffer's rows and encoded from them, with no intermediate picture.

#include "imaging/ExifOrientation.h"
#include "imaging/ExifThumbnail.h"
#include "base/AtomicFile.h"
#include "imaging/FileBytes.h"
#include "imaging/Imaging.h"
#include "imaging/JpegErrorTrap.h"
#include "imaging/PcxReader.h"
#include "imaging/QtReader.h"

#include <opencv2/core/utility.hpp>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace img {

namespace {

constexpr int kRowsAtOnce = 16;
constexpr long kMaxJpegSide = 65500; // libjpeg's own limit (JPEG_MAX_DIMENSION)
constexpr std::size_t kMaxMarkerPayload = 65533;

template <typename Info>
class JpegObject {
public:
    JpegObject()
    {
        m_info.err = m_trap.Manager();
        m_created = m_trap.Run([this] { Create(); });
    }
    ~JpegObject() { jpeg_destroy(reinterpret_cast<j_common_ptr>(&m_info)); }
    JpegObject(const JpegObject&) = delete;
    JpegObject& operator=(const JpegObject&) = delete;

    bool Created() const { return m_created; }
    Info& Get() { return m_info; }
    JpegErrorTrap& Trap() { return m_trap; }

private:
    void Create();

    JpegErrorTrap m_trap;
    Info m_info{};
    bool m_created = false;
};

template <>
void JpegObject<jpeg_decompress_struct>::Create()
{
    jpeg_create_decompress(&m_info);
}

template <>
void JpegObject<jpeg_compress_struct>::Create()
{
    jpeg_create_compress(&m_info);
}

using Decompressor = JpegObject<jpeg_decompress_struct>;
using Compressor = JpegObject<jpeg_compress_struct>;

struct HeaderFacts {
    int orientation = 1;
    bool cmyk = false;
    bool adobeInverted = false;
};

// Reads the header and the markers that matter; false when the data is no JPEG.
bool ReadHeader(Decompressor& jpeg, std::span<const std::uint8_t> bytes)
{
    auto& info = jpeg.Get();
    return jpeg.Trap().Run([&] {
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_save_markers(&info, JPEG_COM, 0xFFFF);
        jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
        jpeg_read_header(&info, TRUE);
    });
}

HeaderFacts CollectMarkers(jpeg_decompress_struct& info, std::vector<std::string>* comments)
{
    HeaderFacts facts;
    bool haveExif = false;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next) {
        const std::span<const std::uint8_t> data(marker->data, marker->data_length);
        if (marker->marker == JPEG_COM && comments != nullptr) {
            comments->emplace_back(reinterpret_cast<const char*>(data.data()), data.size());
        } else if (marker->marker == JPEG_APP0 + 1 && !haveExif &&
                   ExifOrientation::IsExifSegment(data)) {
            haveExif = true; // the first Exif segment is the camera's; later ones are not
            facts.orientation = ExifOrientation::FromApp1(data);
        }
    }
    facts.cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    facts.adobeInverted = info.saw_Adobe_marker != 0;
    return facts;
}

// Adobe writes CMYK inverted (255 = no ink); others store it plainly.
void CmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
    }
}

// Whether rows of the picture are missing. The Huffman decoders say when they ran out
// of data; the arithmetic decoder pads in silence, so there any early end counts.
bool RowsMissing(Decompressor& jpeg)
{
    return jpeg.Get().arith_code ? jpeg.Trap().SawDataEnd() : jpeg.Trap().SawRowsMissing();
}

// Reads rows into the picture's own rows until lastRow, or until rows are missing: from
// there on they would be grey filler.
void ReadRowsUntil(Decompressor& jpeg, PixelBuffer& pixels, unsigned lastRow,
                   const HeaderFacts& facts, std::uint8_t* cmykRow)
{
    auto& info = jpeg.Get();
    while (info.output_scanline < lastRow && !RowsMissing(jpeg)) {
        const unsigned y = info.output_scanline;
        JSAMPROW rows[kRowsAtOnce];
        if (facts.cmyk) {
            rows[0] = cmykRow;
            if (jpeg_read_scanlines(&info, rows, 1) == 1)
                CmykRowToRgb(cmykRow, pixels.Row(static_cast<int>(y)), info.output_width,
                             facts.adobeInverted);
            continue;
        }
        const unsigned count = std::min<unsigned>(kRowsAtOnce, lastRow - y);
        for (unsigned k = 0; k < count; ++k) rows[k] = pixels.Row(static_cast<int>(y + k));
        jpeg_read_scanlines(&info, rows, count);
    }
}

bool DecodeRows(Decompressor& jpeg, PixelBuffer& pixels, const HeaderFacts& facts,
                std::uint8_t* cmykRow)
{
    auto& info = jpeg.Get();
    return jpeg.Trap().Run([&] {
        jpeg_start_decompress(&info);
        ReadRowsUntil(jpeg, pixels, info.output_height, facts, cmykRow);
        // A file without its end-of-image marker finishes at the marker the source
        // stands in.
        if (!RowsMissing(jpeg)) jpeg_finish_decompress(&info);
    });
}

// Pictures from this size on are decoded by two decoders at once where the file allows.
constexpr long long kTwoDecoderPixels = 4'000'000;
// The upper decoder's share of the rows. The lower decoder skips the upper rows, which
// still costs their entropy decoding, so the upper one takes more than half.
constexpr unsigned kUpperShareEighths = 5;

bool SuitsTwoDecoders(const jpeg_decompress_struct& info, const HeaderFacts& facts)
{
    // A progressive or arithmetic-coded file would decode its whole data to skip rows.
    return !facts.cmyk && !info.progressive_mode && !info.arith_code &&
           static_cast<long long>(info.output_width) * info.output_height >= kTwoDecoderPixels;
}

// Rows [firstRow, lastRow) of the picture by a decoder of its own; false on anything
// unusual (an error, a warning, missing rows), which the caller answers with one
// decoder over the whole file.
bool DecodeRowRange(std::span<const std::uint8_t> bytes, unsigned scaleDenominator,
                    PixelBuffer& pixels, unsigned firstRow, unsigned lastRow)
{
    Decompressor jpeg;
    if (!jpeg.Created() || !ReadHeader(jpeg, bytes)) return false;
    auto& info = jpeg.Get();
    info.scale_num = 1;
    info.scale_denom = scaleDenominator;
    info.out_color_space = JCS_RGB;
    bool sameSize = false;
    unsigned reached = 0;
    const bool ran = jpeg.Trap().Run([&] {
        jpeg_start_decompress(&info);
        sameSize = info.output_width == static_cast<JDIMENSION>(pixels.Width()) &&
                   info.output_height == static_cast<JDIMENSION>(pixels.Height());
        if (sameSize) {
            // Skipping reads the entropy-coded data of the rows but does none of the
            // transform and colour work.
            if (firstRow > 0) jpeg_skip_scanlines(&info, firstRow);
            ReadRowsUntil(jpeg, pixels, lastRow, HeaderFacts{}, nullptr);
            reached = info.output_scanline;
        }
        jpeg_abort_decompress(&info);
    });
    return ran && sameSize && reached == lastRow && !RowsMissing(jpeg) &&
           info.err->num_warnings == 0;
}

bool DecodeWithTwoDecoders(std::span<const std::uint8_t> bytes, unsigned scaleDenominator,
                           PixelBuffer& pixels)
{
    const auto height = static_cast<unsigned>(pixels.Height());
    const unsigned split = height / 8 * kUpperShareEighths;
    bool upper = false, lower = false;
    // OpenCV's worker threads, so no thread is started per picture.
    cv::parallel_for_(cv::Range(0, 2), [&](const cv::Range& range) {
        for (int part = range.start; part < range.end; ++part) {
            if (part == 0)
                upper = DecodeRowRange(bytes, scaleDenominator, pixels, 0, split);
            else
                lower = DecodeRowRange(bytes, scaleDenominator, pixels, split, height);
        }
    });
    return upper && lower;
}

int ChooseScaleForBox(const jpeg_decompress_struct& info, int orientation, int boxWidth,
                      int boxHeight)
{
    long width = static_cast<long>(info.image_width);
    long height = static_cast<long>(info.image_height);
    if (ExifOrientation::SwapsSides(orientation)) std::swap(width, height);
    if (boxWidth < 1 || boxHeight < 1 || width < 1 || height < 1) return 1;
    const double scale = std::min(static_cast<double>(boxWidth) / static_cast<double>(width),
                                  static_cast<double>(boxHeight) / static_cast<double>(height));
    if (scale >= 1.0) return 1;
    const long fittedWidth = std::max(1L, static_cast<long>(static_cast<double>(width) * scale));
    const long fittedHeight = std::max(1L, static_cast<long>(static_cast<double>(height) * scale));
    for (const int denominator : {8, 4, 2}) {
        const long scaledWidth = (width + denominator - 1) / denominator;
        const long scaledHeight = (height + denominator - 1) / denominator;
        if (scaledWidth >= fittedWidth && scaledHeight >= fittedHeight) return denominator;
    }
    return 1;
}

// scaleDenominator 0 means: choose by the box.
Result<PixelBuffer> Decode(std::span<const std::uint8_t> bytes, std::vector<std::string>* comments,
                           int scaleDenominator, int boxWidth, int boxHeight)
{
    if (bytes.empty()) return kErrBadData;
    Decompressor jpeg;
    if (!jpeg.Created()) return kErrNoMemory;
    if (!ReadHeader(jpeg, bytes)) return jpeg.Trap().FatalError();
    auto& info = jpeg.Get();
    std::vector<std::string> found;
    const HeaderFacts facts = CollectMarkers(info, &found);
    if (scaleDenominator == 0)
        scaleDenominator = ChooseScaleForBox(info, facts.orientation, boxWidth, boxHeight);
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(scaleDenominator);
    info.out_color_space = facts.cmyk ? JCS_CMYK : JCS_RGB;
    if (!jpeg.Trap().Run([&] { jpeg_calc_output_dimensions(&info); }))
        return jpeg.Trap().FatalError();
    if (info.output_components != (facts.cmyk ? 4 : 3)) return kErrUnsupported;
    const long long pixelCount = static_cast<long long>(info.output_width) * info.output_height;
    if (pixelCount > MaxPixels()) return kErrTooLarge;

    auto pixels = PixelBuffer::AllocateForOverwrite(static_cast<int>(info.output_width),
                                                    static_cast<int>(info.output_height));
    if (!pixels) return pixels;
    const bool twoDecoders = SuitsTwoDecoders(info, facts) &&
                             DecodeWithTwoDecoders(bytes, info.scale_denom, pixels.Value());
    if (!twoDecoders) {
        std::vector<std::uint8_t> cmykRow(facts.cmyk ? info.output_width * 4u : 0u);
        if (!DecodeRows(jpeg, pixels.Value(), facts, cmykRow.data()))
            return jpeg.Trap().FatalError();
        if (RowsMissing(jpeg)) return kErrTruncated;
    }
    if (const Status turned = ExifOrientation::Apply(pixels.Value(), facts.orientation); !turned)
        return turned.Error();
    if (comments != nullptr) *comments = std::move(found);
    return pixels;
}

Result<PixelBuffer> ReadFile(const std::string& path, std::vector<std::string>* comments,
                             int scaleDenominator, int boxWidth, int boxHeight)
{
    const auto read = FileBytes::Read(path);
    if (!read) return FileBytes::Code(read.error);
    return Decode(read.content.Bytes(), comments, scaleDenominator, boxWidth, boxHeight);
}

struct MallocBlock {
    unsigned char* data = nullptr;
    unsigned long size = 0;
    MallocBlock() = default;
    MallocBlock(const MallocBlock&) = delete;
    MallocBlock& operator=(const MallocBlock&) = delete;
    ~MallocBlock() { std::free(data); } // libjpeg's memory destination allocates with malloc
};

void SetUpEncoder(jpeg_compress_struct& info, const PixelBuffer& pixels, int quality)
{
    info.image_width = static_cast<JDIMENSION>(pixels.Width());
    info.image_height = static_cast<JDIMENSION>(pixels.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
}

Status Encode(const PixelBuffer& pixels, int quality, const std::vector<std::string>& comments,
              MallocBlock& out)
{
    if (pixels.Empty()) return kErrBadArgument;
    if (pixels.Width() > kMaxJpegSide || pixels.Height() > kMaxJpegSide) return kErrTooLarge;
    Compressor jpeg;
    if (!jpeg.Created()) return kErrNoMemory;
    auto& info = jpeg.Get();
    const bool done = jpeg.Trap().Run([&] {
        jpeg_mem_dest(&info, &out.data, &out.size);
        SetUpEncoder(info, pixels, quality);
        jpeg_start_compress(&info, TRUE);
        for (const std::string& comment : comments) {
            const auto length = static_cast<unsigned>(std::min(comment.size(), kMaxMarkerPayload));
            jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(comment.data()),
                              length);
        }
        while (info.next_scanline < info.image_height) {
            JSAMPROW rows[kRowsAtOnce];
            const unsigned y = info.next_scanline;
            const unsigned count = std::min<unsigned>(kRowsAtOnce, info.image_height - y);
            for (unsigned k = 0; k < count; ++k)
                rows[k] = const_cast<JSAMPROW>(pixels.Row(static_cast<int>(y + k)));
            jpeg_write_scanlines(&info, rows, count);
        }
        jpeg_finish_compress(&info);
    });
    return done ? kErrNone : jpeg.Trap().FatalError();
}

} // namespace

Result<PixelBuffer> ReadJpeg(const std::string& path, std::vector<std::string>* comments)
{
    return ReadFile(path, comments, 1, 0, 0);
}

Result<PixelBuffer> DecodeJpeg(std::span<const std::uint8_t> bytes,
                               std::vector<std::string>* comments, int scaleDenominator)
{
    if (scaleDenominator != 1 && scaleDenominator != 2 && scaleDenominator != 4 &&
        scaleDenominator != 8)
        return kErrBadArgument;
    return Decode(bytes, comments, scaleDenominator, 0, 0);
}

Status WriteJpeg(const std::string& path, const PixelBuffer& pixels, int quality,
                 const std::vector<std::string>& comments)
{
    MallocBlock encoded;
    if (const Status status = Encode(pixels, quality, comments, encoded); !status) return status;
    AtomicFile file;
    if (!file.Create(path) || !file.Write(std::span<const std::uint8_t>(encoded.data, encoded.size)) ||
        !file.Commit(AtomicFile::Replace::Existing))
        return kErrWriteFailed;
    return kErrNone;
}

Result<std::vector<std::uint8_t>> EncodeJpeg(const PixelBuffer& pixels, int quality,
                                             const std::vector<std::string>& comments)
{
    MallocBlock encoded;
    if (const Status status = Encode(pixels, quality, comments, encoded); !status)
        return status.Error();
    return std::vector<std::uint8_t>(encoded.data, encoded.data + encoded.size);
}

namespace {

// What the marker segments before the frame header tell: the upright size, the
// orientation and the camera's Exif segment (empty when there is none).
struct JpegHead {
    QSize size;
    int orientation = 1;
    std::span<const std::uint8_t> exif;
};

// Walks the marker segments up to the frame header, reading no pixel data and needing
// none of the tables that follow it.
std::optional<JpegHead> ReadJpegHead(std::span<const std::uint8_t> b)
{
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
    JpegHead head;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) return std::nullopt;
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt; // no frame header first
        const std::size_t length = static_cast<std::size_t>((b[at + 2] << 8) | b[at + 3]);
        if (length < 2) return std::nullopt;
        const std::size_t payload = at + 4;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (payload + 5 > b.size()) return std::nullopt;
            head.size = QSize((b[payload + 3] << 8) | b[payload + 4], (b[payload + 1] << 8) | b[payload + 2]);
            if (head.size.isEmpty()) return std::nullopt;
            if (ExifOrientation::SwapsSides(head.orientation)) head.size.transpose();
            return head;
        }
        if (marker == JPEG_APP0 + 1 && head.exif.empty() && payload <= b.size()) {
            const auto segment = b.subspan(payload, std::min(length - 2, b.size() - payload));
            if (ExifOrientation::IsExifSegment(segment)) {
                head.exif = segment;
                head.orientation = ExifOrientation::FromApp1(segment);
            }
        }
        at = payload + length - 2;
    }
    return std::nullopt;
}

std::optional<QSize> JpegSize(std::span<const std::uint8_t> b)
{
    const auto head = ReadJpegHead(b);
    return head ? std::optional<QSize>(head->size) : std::nullopt;
}

// The camera's thumbnail from the Exif segment, decoded and turned as the picture
// is, when it shows the whole picture (the same proportions within a pixel, not a
// letterboxed frame) and covers the picture fitted into the box.
std::optional<PixelBuffer> ExifThumbnailForBox(std::span<const std::uint8_t> bytes, int boxWidth,
                                               int boxHeight)
{
    const auto head = ReadJpegHead(bytes);
    if (!head || head->exif.empty()) return std::nullopt;
    const auto thumbnail = ExifThumbnail::FromApp1(head->exif);
    const auto small = ReadJpegHead(thumbnail);
    if (!small) return std::nullopt;
    QSize smallSize = small->size;
    if (ExifOrientation::SwapsSides(head->orientation)) smallSize.transpose();
    const long long width = head->size.width(), height = head->size.height();
    const long long proportionError = std::llabs(smallSize.width() * height - smallSize.height() * width);
    if (proportionError > std::max(width, height)) return std::nullopt;
    const double scale = std::min(static_cast<double>(boxWidth) / static_cast<double>(width),
                                  static_cast<double>(boxHeight) / static_cast<double>(height));
    const auto fittedWidth = static_cast<int>(static_cast<double>(width) * scale);
    const auto fittedHeight = static_cast<int>(static_cast<double>(height) * scale);
    if (scale >= 1.0 || smallSize.width() < fittedWidth || smallSize.height() < fittedHeight)
        return std::nullopt;
    Result<PixelBuffer> decoded = Decode(thumbnail, nullptr, 1, 0, 0);
    if (!decoded) return std::nullopt;
    if (!ExifOrientation::Apply(decoded.Value(), head->orientation)) return std::nullopt;
    return std::move(decoded).Value();
}

} // namespace

Result<PixelBuffer> ReadJpegForBox(const std::string& path, int boxWidth, int boxHeight,
                                   std::vector<std::string>* comments)
{
    // The Exif segment comes within the first few segments; reading their bytes first
    // spares reading a large photo whole when its thumbnail serves.
    constexpr std::size_t kExifHeadBytes = std::size_t{256} << 10;
    const auto head = FileBytes::Read(path, kExifHeadBytes);
    if (head && boxWidth > 0 && boxHeight > 0) {
        if (auto thumbnail = ExifThumbnailForBox(head.content.Bytes(), boxWidth, boxHeight)) {
            if (comments != nullptr) comments->clear();
            return std::move(*thumbnail);
        }
    }
    return ReadFile(path, comments, 0, boxWidth, boxHeight);
}

std::optional<QSize> ReadImageSize(const std::string& path)
{
    // The header of a JPEG sits near its start, after at most a few marker segments.
    constexpr std::size_t kHeadBytes = std::size_t{1} << 20;
    const auto read = FileBytes::Read(path, kHeadBytes);
    const std::span<const std::uint8_t> head = read.content.Bytes();
    if (!read || head.empty()) return std::nullopt;
    const bool isJpeg = head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8;
    if (head.size() >= 128 && head[0] == 0x0A) {
        if (auto size = PcxReader::Size(head)) return size;
    }
    if (!isJpeg) return QtReader::Size(path);
    if (auto size = JpegSize(head)) return size;
    if (head.size() < kHeadBytes) return std::nullopt;
    const auto whole = FileBytes::Read(path);
    return whole ? JpegSize(whole.content.Bytes()) : std::nullopt;
}

} // namespace img
