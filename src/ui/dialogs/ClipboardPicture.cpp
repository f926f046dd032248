#include "ui/dialogs/ClipboardPicture.h"

#include "imaging/PackedDib.h"
#include "imaging/Picture.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kBmpFileHeaderSize = 14;

void PutLittleEndian(std::array<char, kBmpFileHeaderSize>& bytes, std::size_t at,
                     std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray BmpFile(const std::vector<std::uint8_t>& dib)
{
    const std::uint8_t* bits = DibBits(dib.data(), dib.size());
    if (bits == nullptr) return {};
    std::array<char, kBmpFileHeaderSize> header{'B', 'M'};
    PutLittleEndian(header, 2, static_cast<std::uint32_t>(kBmpFileHeaderSize + dib.size()));
    PutLittleEndian(header, 10, static_cast<std::uint32_t>(kBmpFileHeaderSize + (bits - dib.data())));
    QByteArray file(header.data(), static_cast<qsizetype>(header.size()));
    file.append(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
    return file;
}

// The DIB's rows painted unscaled, as they were onto the metafile: what is pasted is
// what the bitmap holds.
QImage PaintedImage(const std::vector<std::uint8_t>& dib, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.save();
    const QRect rect(0, 0, width, height);
    PaintDib(&painter, rect, dib.data(), dib.size(), rect);
    painter.restore();
    return image;
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
}

}  // namespace

std::unique_ptr<QMimeData> ClipboardPicture::MimeData(const Picture& picture)
{
    if (!picture.HasPicture()) return nullptr;
    const std::vector<std::uint8_t> dib = picture.ToPackedDib();
    const QByteArray bmp = BmpFile(dib);
    const QByteArray png = PngBytes(PaintedImage(dib, picture.Width(), picture.Height()));
    if (bmp.isEmpty() || png.isEmpty()) return nullptr;

    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kSvgType), SvgDocument(png, picture.Width(), picture.Height()));
    data->setData(QString::fromLatin1(kPngType), png);
    data->setData(QString::fromLatin1(kBmpType), bmp);
    return data;
}

QByteArray ClipboardPicture::SvgDocument(const QByteArray& png, int width, int height)
{
    const QByteArray w = QByteArray::number(width);
    const QByteArray h = QByteArray::number(height);
    // xlink:href rather than SVG 2's plain href: the office programs read SVG 1.1.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
           " version=\"1.1\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h +
           "\">\n<desc>Created by Quillery</desc>\n<image x=\"0\" y=\"0\" width=\"" + w +
           "\" height=\"" + h + "\" xlink:href=\"data:image/png;base64," + png.toBase64() +
           "\"/>\n</svg>\n";
}
