#include "ui/browse/PreviewStatic.h"

#include "imaging/Imaging.h"
#include "ui/common/PictureAccessible.h"
#include "ui/common/WaitCursor.h"

#include <QPainter>

namespace {

constexpr int kNoImageBitmap = 127;

}  // namespace

PreviewStatic::PreviewStatic(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    PictureAccessible::Mark(this);
    setAccessibleName(QStringLiteral("Preview"));
    setAccessibleDescription(QStringLiteral("The selected file's picture, scaled to fit"));
}

bool PreviewStatic::ShowFile(const std::string& path)
{
    const WaitCursor busy;
    m_path = path;
    ClearPreview();
    m_loaded.Release();
    const QSize box = DeviceBox();
    bool loaded = box.width() > 0 && box.height() > 0 &&
                  m_loaded.LoadFileForBox(path, box.width(), box.height()) == Picture::kOk &&
                  m_loaded.HasPicture();
    if (loaded) {
        loaded = m_display.MakeScaledCopy(m_loaded, box.width(), box.height()) == Picture::kOk;
    }
    if (loaded) {
        // A JPEG decoded at a reduced scale is smaller than the file; the header knows.
        m_imageSize = img::ReadImageSize(path).value_or(m_loaded.GetSize());
    } else {
        m_loaded.Release();
        m_display.LoadBitmapResource(kNoImageBitmap);
    }
    m_showsNoImage = !loaded;
    repaint();
    return loaded;
}

void PreviewStatic::ClearPreview()
{
    m_display.Release();
    m_imageSize = QSize(0, 0);
}

QString PreviewStatic::SizeText(QSize size)
{
    if (size.width() < 1 || size.height() < 1) return QStringLiteral("No Image");
    return QStringLiteral("%1 x %2\nPixels").arg(size.width()).arg(size.height());
}

QRect PreviewStatic::InnerRect() const
{
    return contentsRect().adjusted(1, 1, -1, -1);
}

QSize PreviewStatic::DeviceBox() const
{
    const qreal ratio = devicePixelRatioF();
    const QRect inner = InnerRect();
    return {static_cast<int>(inner.width() * ratio), static_cast<int>(inner.height() * ratio)};
}

void PreviewStatic::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = InnerRect();
    painter.fillRect(inner, Qt::white);
    if (!m_display.HasPicture()) return;
    // A picture was scaled to device pixels: marked with the screen's ratio it is drawn
    // one to one instead of being doubled on a scaled screen. The no-image bitmap keeps
    // its size in layout pixels.
    const qreal ratio = devicePixelRatioF();
    QImage image = m_display.ToBitmap();
    image.setDevicePixelRatio(m_showsNoImage ? 1.0 : ratio);
    const QSizeF size = image.deviceIndependentSize();
    // Centred by whole device pixels, so no edge falls between two of them.
    const QPointF offset(static_cast<int>((inner.width() - size.width()) * ratio / 2),
                         static_cast<int>((inner.height() - size.height()) * ratio / 2));
    painter.drawImage(QPointF(inner.topLeft()) + offset / ratio, image);
}
