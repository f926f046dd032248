#pragma once

#include <QRect>

#include <algorithm>

// A rectangle as the editing pages reckon: left, top, right, bottom, the right and
// bottom edges outside it (so width = right - left). May be inside out while a
// tracker drags it; Normalized() turns it right way round.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    PageRect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    PageRect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    QRect ToQRect() const { return {left, top, right - left, bottom - top}; }
    static PageRect FromQRect(const QRect& rect)
    {
        return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    }
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// A rectangle given as left, top, right, bottom, as the page layouts give them.
inline QRect Ltrb(int left, int top, int right, int bottom)
{
    return {left, top, right - left, bottom - top};
}
