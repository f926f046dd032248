#include "imaging/Imaging.h"
#include "imaging/PixelAdapter.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <utility>

// Registers the bitmaps compiled into this static library; the linker would otherwise
// drop the resource object since nothing refers to it by name.
static void RegisterBitmapResources()
{
    Q_INIT_RESOURCE(bitmaps);
}

namespace img {

Status Draw(QPainter* painter, const PixelBuffer& pixels, int x, int y, int areaWidth,
            int areaHeight, const Palette* /*palette: drawing is true colour*/)
{
    if (painter == nullptr) return kErrNoSurface;
    if (pixels.Empty()) return kErrBadArgument;
    const QImage image = PixelAdapter::AsQImage(pixels);
    const QRect shown(0, 0, std::min(areaWidth, pixels.Width()), std::min(areaHeight, pixels.Height()));
    if (!shown.isEmpty()) painter->drawImage(QPoint(x, y), image, shown);
    return kErrNone;
}

Result<QImage> ToBitmap(const PixelBuffer& pixels)
{
    if (pixels.Empty()) return kErrBadArgument;
    QImage copy = PixelAdapter::AsQImage(pixels).copy();
    if (copy.isNull()) return kErrNoMemory;
    return copy;
}

Result<PixelBuffer> LoadBitmapResource(int id)
{
    static const bool registered = (RegisterBitmapResources(), true);
    (void)registered;
    const QString name = QStringLiteral(":/bitmaps/%1.bmp").arg(id);
    if (!QFile::exists(name)) return kErrNoResource;
    const QImage image(name);
    if (image.isNull()) return kErrBadData;
    return FromQImage(image);
}

} // namespace img
