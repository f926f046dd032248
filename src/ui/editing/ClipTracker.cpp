#include "ui/editing/ClipTracker.h"

#include <algorithm>

void ClipTracker::AdjustRect(Hit hit, PageRect& rect)
{
    if (hit == kInside) {
        // A moved rectangle is pushed back whole, rather than losing what crossed the edge.
        const int width = std::min(rect.Width(), m_bounds.Width());
        const int height = std::min(rect.Height(), m_bounds.Height());
        rect.left = std::clamp(rect.left, m_bounds.left, m_bounds.right - width);
        rect.top = std::clamp(rect.top, m_bounds.top, m_bounds.bottom - height);
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return;
    }
    rect.left = std::clamp(rect.left, m_bounds.left, m_bounds.right);
    rect.right = std::clamp(rect.right, m_bounds.left, m_bounds.right);
    rect.top = std::clamp(rect.top, m_bounds.top, m_bounds.bottom);
    rect.bottom = std::clamp(rect.bottom, m_bounds.top, m_bounds.bottom);
    // The edge being dragged gives way to the minimum; the one held still stays put.
    const int minWidth = std::min(kMinimumSize, m_bounds.Width());
    const int minHeight = std::min(kMinimumSize, m_bounds.Height());
    const bool movesLeft = hit == kTopLeft || hit == kBottomLeft || hit == kLeft;
    const bool movesTop = hit == kTopLeft || hit == kTopRight || hit == kTop;
    if (rect.Width() < minWidth) {
        if (movesLeft)
            rect.left = rect.right - minWidth;
        else
            rect.right = rect.left + minWidth;
        if (rect.left < m_bounds.left)
            rect = {m_bounds.left, rect.top, m_bounds.left + minWidth, rect.bottom};
        if (rect.right > m_bounds.right)
            rect = {m_bounds.right - minWidth, rect.top, m_bounds.right, rect.bottom};
    }
    if (rect.Height() < minHeight) {
        if (movesTop)
            rect.top = rect.bottom - minHeight;
        else
            rect.bottom = rect.top + minHeight;
        if (rect.top < m_bounds.top)
            rect = {rect.left, m_bounds.top, rect.right, m_bounds.top + minHeight};
        if (rect.bottom > m_bounds.bottom)
            rect = {rect.left, m_bounds.bottom - minHeight, rect.right, m_bounds.bottom};
    }
}
