#include "ui/editing/GalleryButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

GalleryButton::GalleryButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void GalleryButton::SetPicture(const Picture& picture, qreal pixelRatio)
{
    m_picture.CopyFrom(picture);
    m_image = m_picture.ToBitmap();
    m_image.setDevicePixelRatio(pixelRatio);
    update();
}

void GalleryButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, palette().color(QPalette::Button).lightness() < 128
                               ? QColor(Qt::darkGray)
                               : QColor(Qt::lightGray));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    if (isDown()) painter.drawRect(face.adjusted(1, 1, -2, -2));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = face.adjusted(isDown() ? 3 : 2, isDown() ? 3 : 2, isDown() ? -3 : -2,
                                    isDown() ? -3 : -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    if (m_image.isNull()) return;
    const QSize size = m_image.deviceIndependentSize().toSize();
    painter.drawImage(
        QPoint((face.width() - size.width()) / 2, (face.height() - size.height()) / 2), m_image);
}

void GalleryButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
