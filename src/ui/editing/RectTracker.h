#pragma once

#include "ui/editing/PageRect.h"

#include <QPoint>

#include <array>
#include <optional>

class QPainter;

// A rectangle that the user moves and resizes with the mouse by its edges, corners
// and inside. The page that shows it passes on its mouse presses, moves and releases
// and the Escape key; the tracker says what the press hit and where the rectangle is.
class RectTracker {
  public:
    enum Style : int { kSolidLine = 1, kResizeOutside = 16 };
    // What a point hits.
    enum Hit : int {
        kNothing = -1,
        kTopLeft = 0,
        kTopRight = 1,
        kBottomRight = 2,
        kBottomLeft = 3,
        kTop = 4,
        kRight = 5,
        kBottom = 6,
        kLeft = 7,
        kInside = 8,
    };
    // The handle size when nothing else is set; Linux keeps no "oleinplaceborderwidth".
    static constexpr int kDefaultHandleSize = 4;

    RectTracker() = default;
    virtual ~RectTracker() = default;
    RectTracker(const RectTracker&) = default;
    RectTracker& operator=(const RectTracker&) = default;

    int m_style = 0;
    PageRect m_rect;
    int m_handleSize = kDefaultHandleSize;

    // The handle size in use: the set size with the handles outside, else one that fits.
    int HandleSize() const;
    // Bit i set when handle i (0 to 7) is shown.
    unsigned HandleMask() const;
    // The square of handle i (0 to 7).
    PageRect HandleRect(int handle) const;
    Hit HitTest(QPoint point) const;
    void Draw(QPainter& painter) const;

    // Starts a drag where the press hit something; false (and nothing starts) otherwise,
    // or when a drag runs already.
    bool BeginTrack(QPoint press);
    // Moves the edges that belong to the pressed handle to the pointer, keeping the
    // offset at which they were grabbed.
    void TrackTo(QPoint pointer);
    // The release: the drag ends; true when the rectangle differs from the one at the press.
    bool EndTrack(QPoint pointer);
    // Escape or the right button: the drag ends and the rectangle is put back.
    void CancelTrack();
    bool IsTracking() const { return m_tracking.has_value(); }

  protected:
    // Called after every move of the pointer while dragging, to hold the rectangle to
    // rules of the caller's; the base holds it to none.
    virtual void AdjustRect(Hit /*hit*/, PageRect& /*rect*/) {}

  private:
    // The rectangle grown by what the line and the outside handles add.
    PageRect TrueRect() const;

    struct Drag {
        Hit hit;
        PageRect start;
        QPoint press;
    };
    std::optional<Drag> m_tracking;
};
