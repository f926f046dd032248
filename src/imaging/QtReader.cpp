#include "imaging/QtReader.h"

#include "base/FileDescriptor.h"
#include "imaging/FileBytes.h"
#include "imaging/Imaging.h"
#include "imaging/TruncationCheck.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>

namespace img {

namespace {

// Qt refuses images over 256 MB by default; our own limit (kMaxPixels, checked before
// decoding) is the one that counts, so Qt's is raised to cover it at 16 bits a channel.
void RaiseQtAllocationLimit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr long long kNeededMiB = kMaxPixels * 8 / (1024 * 1024) + 1;
        if (QImageReader::allocationLimit() < kNeededMiB)
            QImageReader::setAllocationLimit(static_cast<int>(kNeededMiB));
    });
}

ErrorCode ErrorOf(const QImageReader& reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError: return kErrCannotOpen;
    case QImageReader::DeviceError: return kErrReadFailed;
    case QImageReader::UnsupportedFormatError: return kErrBadData;
    default: return kErrBadData;
    }
}

// Packs 4-byte pixels to 3 where they lie. Pixel i is read whole before its three bytes
// are written at 3i, which is never beyond the bytes of pixel i, so nothing unread is
// overwritten. Non-premultiplied alpha is composed over black; premultiplied values are
// that composition already.
void PackInPlace(std::uint8_t* data, std::size_t pixels, QImage::Format format)
{
    const bool compose = format == QImage::Format_ARGB32;
    std::uint8_t* target = data;
    for (std::size_t i = 0; i < pixels; ++i, target += 3) {
        QRgb pixel;
        std::memcpy(&pixel, data + i * 4, sizeof pixel);
        unsigned red = static_cast<unsigned>(qRed(pixel));
        unsigned green = static_cast<unsigned>(qGreen(pixel));
        unsigned blue = static_cast<unsigned>(qBlue(pixel));
        if (compose) {
            const auto alpha = static_cast<unsigned>(qAlpha(pixel));
            red = (red * alpha + 127) / 255;
            green = (green * alpha + 127) / 255;
            blue = (blue * alpha + 127) / 255;
        }
        target[0] = static_cast<std::uint8_t>(red);
        target[1] = static_cast<std::uint8_t>(green);
        target[2] = static_cast<std::uint8_t>(blue);
    }
}

std::size_t BytesPerPixelDecodedInPlace(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB888: return 3;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return 4;
    default: return 0;
    }
}

QString FileName(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace

Result<PixelBuffer> QtReader::Read(QImageReader& reader, std::span<const std::uint8_t> bytes,
                                   const char* format)
{
    RaiseQtAllocationLimit();
    reader.setAutoTransform(false);
    const QSize announced = reader.size();
    const long long area = static_cast<long long>(announced.width()) * std::abs(announced.height());
    if (area > MaxPixels()) return kErrTooLarge;
    if (TruncationCheck::EndsEarly(bytes, format)) return kErrTruncated;
    const QImage::Format decoded = reader.imageFormat();
    const std::size_t bytesPerPixel = BytesPerPixelDecodedInPlace(decoded);
    if (bytesPerPixel == 0 || announced.height() < 1) {
        QImage image;
        if (!reader.read(&image) || image.isNull()) return ErrorOf(reader);
        return FromQImage(image);
    }
    // The reader decodes straight into the buffer's memory when handed an image of the
    // size and format it would make; for a picture near the limit that is the
    // difference between one full-size buffer and three.
    auto allocated = PixelBuffer::AllocateWithRoom(announced.width(), announced.height(), bytesPerPixel);
    if (!allocated) return allocated;
    PixelBuffer& pixels = allocated.Value();
    QImage image(pixels.Data(), pixels.Width(), pixels.Height(),
                 static_cast<qsizetype>(pixels.Width() * bytesPerPixel), decoded);
    if (!reader.read(&image) || image.isNull()) return ErrorOf(reader);
    if (image.constBits() != pixels.Data()) {
        // The handler made an image of its own after all (a size it found only while
        // reading); take the pixels from that one.
        pixels.Reset();
        return FromQImage(image);
    }
    image = QImage();
    if (bytesPerPixel == 4) {
        PackInPlace(pixels.Data(), static_cast<std::size_t>(pixels.Width()) * pixels.Height(), decoded);
        pixels.ReleaseRoom();
    }
    return allocated;
}

Result<PixelBuffer> QtReader::ReadFile(const std::string& path, const char* format)
{
    // Read the bytes ourselves so a missing file and a bad file get their own errors.
    const auto read = FileBytes::Read(path);
    if (!read) return FileBytes::Code(read.error);
    return Decode(read.content.Bytes(), format);
}

Result<PixelBuffer> QtReader::Decode(std::span<const std::uint8_t> bytes, const char* format)
{
    if (bytes.empty()) return kErrBadData;
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, format);
    reader.setDecideFormatFromContent(false);
    return Read(reader, bytes, format);
}

std::optional<QSize> QtReader::Size(const std::string& path)
{
    // Opened and checked here, not by Qt: Qt would wait for ever for a writer on a
    // FIFO. O_NONBLOCK lets the open return so that the check can refuse it.
    const FileDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!descriptor.IsOpen() || ::fstat(descriptor.Get(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return std::nullopt;
    QFile file(FileName(path));
    if (!file.open(descriptor.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return std::nullopt;
    QImageReader reader(&file);
    const QSize size = reader.size();
    // Qt gives a BMP with top-down rows its negative header height.
    if (size.width() < 1 || size.height() == 0) return std::nullopt;
    return QSize(size.width(), std::abs(size.height()));
}

Result<PixelBuffer> ReadBmp(const std::string& path)
{
    return QtReader::ReadFile(path, "bmp");
}

Result<PixelBuffer> ReadGif(const std::string& path)
{
    return QtReader::ReadFile(path, "gif");
}

Result<PixelBuffer> ReadTiff(const std::string& path)
{
    return QtReader::ReadFile(path, "tiff");
}

Result<PixelBuffer> ReadPng(const std::string& path)
{
    return QtReader::ReadFile(path, "png");
}

Result<PixelBuffer> DecodeWithQt(std::span<const std::uint8_t> bytes, const char* format)
{
    return QtReader::Decode(bytes, format);
}

Result<PixelBuffer> FromQImage(const QImage& image)
{
    if (image.isNull()) return kErrBadArgument;
    auto allocated = PixelBuffer::AllocateForOverwrite(image.width(), image.height());
    if (!allocated) return allocated;
    PixelBuffer& pixels = allocated.Value();
    // Converted a band of rows at a time, so that no converted copy of the whole
    // picture stands beside the image and the buffer.
    constexpr int kBandRows = 64;
    const bool compose = image.hasAlphaChannel();
    for (int top = 0; top < image.height(); top += kBandRows) {
        const int rows = std::min(kBandRows, image.height() - top);
        const QImage band = image.copy(0, top, image.width(), rows);
        if (!compose) {
            const QImage rgb = band.convertToFormat(QImage::Format_RGB888);
            if (rgb.isNull()) return kErrNoMemory;
            for (int y = 0; y < rows; ++y)
                std::copy_n(rgb.constScanLine(y), pixels.Stride(), pixels.Row(top + y));
        } else {
            // Transparent parts are shown on black: compose each pixel over black.
            const QImage argb = band.convertToFormat(QImage::Format_ARGB32);
            if (argb.isNull()) return kErrNoMemory;
            for (int y = 0; y < rows; ++y) {
                const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
                std::uint8_t* target = pixels.Row(top + y);
                for (int x = 0; x < argb.width(); ++x, target += 3) {
                    const unsigned alpha = static_cast<unsigned>(qAlpha(source[x]));
                    target[0] = static_cast<std::uint8_t>((qRed(source[x]) * alpha + 127) / 255);
                    target[1] = static_cast<std::uint8_t>((qGreen(source[x]) * alpha + 127) / 255);
                    target[2] = static_cast<std::uint8_t>((qBlue(source[x]) * alpha + 127) / 255);
                }
            }
        }
    }
    return allocated;
}

} // namespace img
