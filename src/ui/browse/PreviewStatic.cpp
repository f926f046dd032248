#include "ui/browse/PreviewStatic.h"

#include "imaging/Imaging.h"
#include "ui/common/WaitCursor.h"

#include <QPainter>

namespace {

constexpr int kNoImageBitmap = 127;

}  // namespace

PreviewStatic::PreviewStatic(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

bool PreviewStatic::ShowFile(const std::string& path)
{
    const WaitCursor busy;
    m_path = path;
    ClearPreview();
    m_loaded.Release();
    const QRect box = InnerRect();
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

void PreviewStatic::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = InnerRect();
    painter.fillRect(inner, Qt::white);
    if (!m_display.HasPicture()) return;
    const QSize size = m_display.GetSize();
    const QRect target(inner.left() + (inner.width() - size.width()) / 2,
                       inner.top() + (inner.height() - size.height()) / 2, size.width(),
                       size.height());
    m_display.DrawInRect(&painter, target);
}
