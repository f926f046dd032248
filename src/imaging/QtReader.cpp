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
    QImage image;
    if (!reader.read(&image) || image.isNull()) return ErrorOf(reader);
    return FromQImage(image);
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
    if (!image.hasAlphaChannel()) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        if (rgb.isNull()) return kErrNoMemory;
        for (int y = 0; y < rgb.height(); ++y)
            std::copy_n(rgb.constScanLine(y), pixels.Stride(), pixels.Row(y));
    } else {
        // Transparent parts are shown on black: compose each pixel over black.
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (argb.isNull()) return kErrNoMemory;
        for (int y = 0; y < argb.height(); ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            std::uint8_t* target = pixels.Row(y);
            for (int x = 0; x < argb.width(); ++x, target += 3) {
                const unsigned alpha = static_cast<unsigned>(qAlpha(source[x]));
                target[0] = static_cast<std::uint8_t>((qRed(source[x]) * alpha + 127) / 255);
                target[1] = static_cast<std::uint8_t>((qGreen(source[x]) * alpha + 127) / 255);
                target[2] = static_cast<std::uint8_t>((qBlue(source[x]) * alpha + 127) / 255);
            }
        }
    }
    return allocated;
}

} // namespace img
