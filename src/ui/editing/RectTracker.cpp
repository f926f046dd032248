#include "ui/editing/RectTracker.h"

#include <QPainter>

#include <cstdlib>

int RectTracker::HandleSize() const
{
    if ((m_style & kResizeOutside) != 0) return m_handleSize;
    const PageRect rect = m_rect.Normalized();
    int size = std::min(rect.Width(), rect.Height());
    if (size < 2 * m_handleSize) size /= 2;
    return std::min(size, m_handleSize);
}

unsigned RectTracker::HandleMask() const
{
    unsigned mask = 0x0F; // the corners are always there
    const int size = HandleSize() * 3;
    if (std::abs(m_rect.Width()) - size >= 5) mask |= (1u << kTop) | (1u << kBottom);
    if (std::abs(m_rect.Height()) - size >= 5) mask |= (1u << kLeft) | (1u << kRight);
    return mask;
}

PageRect RectTracker::TrueRect() const
{
    PageRect rect = m_rect.Normalized();
    if ((m_style & kSolidLine) != 0) rect = rect.Grown(1);
    if ((m_style & kResizeOutside) != 0) rect = rect.Grown(HandleSize() - 1);
    return rect;
}

PageRect RectTracker::HandleRect(int handle) const
{
    const PageRect around = TrueRect();
    const int size = HandleSize();
    const int middleX = around.left + (around.Width() - size) / 2;
    const int middleY = around.top + (around.Height() - size) / 2;
    const int rightX = around.right - size;
    const int bottomY = around.bottom - size;
    int x = around.left;
    int y = around.top;
    switch (handle) {
    case kTopLeft:
        break;
    case kTopRight:
        x = rightX;
        break;
    case kBottomRight:
        x = rightX;
        y = bottomY;
        break;
    case kBottomLeft:
        y = bottomY;
        break;
    case kTop:
        x = middleX;
        break;
    case kRight:
        x = rightX;
        y = middleY;
        break;
    case kBottom:
        x = middleX;
        y = bottomY;
        break;
    default:
        y = middleY;
        break; // kLeft
    }
    return {x, y, x + size, y + size};
}

RectTracker::Hit RectTracker::HitTest(QPoint point) const
{
    if (!TrueRect().Contains(point.x(), point.y())) return kNothing;
    const unsigned mask = HandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if ((mask & (1u << handle)) != 0 && HandleRect(handle).Contains(point.x(), point.y())) {
            return static_cast<Hit>(handle);
        }
    }
    return m_rect.Normalized().Grown(1).Contains(point.x(), point.y()) ? kInside : kNothing;
}

void RectTracker::Draw(QPainter& painter) const
{
    painter.save();
    painter.resetTransform();
    if ((m_style & kSolidLine) != 0) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        const PageRect line = m_rect.Normalized().Grown(1);
        // A one-pixel pen draws the outline on the pixels just inside the line's rectangle.
        painter.drawRect(QRect(line.left, line.top, line.Width() - 1, line.Height() - 1));
    }
    const unsigned mask = HandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if ((mask & (1u << handle)) != 0) painter.fillRect(HandleRect(handle).ToQRect(), Qt::white);
    }
    if (m_tracking) {
        // The drag outline inverts what lies under it, so it shows on any picture.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        const PageRect drag = m_rect.Normalized();
        painter.drawRect(QRect(drag.left, drag.top, drag.Width() - 1, drag.Height() - 1));
    }
    painter.restore();
}

bool RectTracker::BeginTrack(QPoint press)
{
    if (m_tracking) return false;
    const Hit hit = HitTest(press);
    if (hit == kNothing) return false;
    m_tracking = Drag{hit, m_rect, press};
    return true;
}

void RectTracker::TrackTo(QPoint pointer)
{
    if (!m_tracking) return;
    const Drag& drag = *m_tracking;
    const int dx = pointer.x() - drag.press.x();
    const int dy = pointer.y() - drag.press.y();
    PageRect rect = drag.start;
    const Hit hit = drag.hit;
    const bool left = hit == kTopLeft || hit == kBottomLeft || hit == kLeft || hit == kInside;
    const bool right = hit == kTopRight || hit == kBottomRight || hit == kRight || hit == kInside;
    const bool top = hit == kTopLeft || hit == kTopRight || hit == kTop || hit == kInside;
    const bool bottom =
        hit == kBottomLeft || hit == kBottomRight || hit == kBottom || hit == kInside;
    if (left) rect.left += dx;
    if (right) rect.right += dx;
    if (top) rect.top += dy;
    if (bottom) rect.bottom += dy;
    AdjustRect(hit, rect);
    m_rect = rect;
}

bool RectTracker::EndTrack(QPoint pointer)
{
    if (!m_tracking) return false;
    TrackTo(pointer);
    const PageRect start = m_tracking->start;
    m_tracking.reset();
    m_rect = m_rect.Normalized();
    return !(m_rect == start);
}

void RectTracker::CancelTrack()
{
    if (!m_tracking) return;
    m_rect = m_tracking->start;
    m_tracking.reset();
}
