#pragma once

#include "ui/editing/RectTracker.h"

// The clip page's tracker: the rectangle stays inside the preview, a moved rectangle
// keeps its size, and it never gets thinner than kMinimumSize (or the preview, where
// the preview is thinner still), so a clip can never come out empty.
class ClipTracker : public RectTracker {
  public:
    static constexpr int kMinimumSize = 2 * kDefaultHandleSize;

    PageRect m_bounds;

  protected:
    void AdjustRect(Hit hit, PageRect& rect) override;
};
