#pragma once

#include "imaging/Picture.h"
#include "ui/editing/ClipTracker.h"
#include "ui/editing/EditingPage.h"
#include "ui/editing/PageRect.h"

// Crops the picture to a rectangle dragged and resized over a preview. "Clip" shows
// the part chosen, and clipping again narrows it further; the working picture is cut
// when the page is left.
class ClipPage : public EditingPage {
    Q_OBJECT
  public:
    static constexpr int kPreviewWidth = 500;
    static constexpr int kPreviewHeight = 250;
    static constexpr int kHandleSize = 10;
    // A clip narrower or lower than this, in picture pixels, is refused.
    static constexpr int kSmallestClip = 2;

    explicit ClipPage(PhotoEditingPropertySheet& sheet);

    // The tracker's rectangle, in the page, mapped back into the pixels of the uncut
    // picture through the preview rectangle and the current source rectangle.
    static PageRect MapToSource(const PageRect& tracker, const PageRect& preview,
                                const PageRect& source);

    void OnKillActive() override;
    void OnReset() override;

    void OnClip();
    void OnUndo();
    bool IsTracking() const { return m_tracker.IsTracking(); }
    void CancelTracking();

    const PageRect& SourceRect() const { return m_source; }
    const PageRect& PreviewRect() const { return m_previewRect; }
    const ClipTracker& Tracker() const { return m_tracker; }
    const Picture& Preview() const { return m_preview; }

  protected:
    void OnInitialise() override;
    void OnSetActive() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The preview of the source rectangle, the tracker over all of it.
    void MakePreview();
    void Restart();
    void RepaintAroundPreview();

    Picture m_preview;
    QImage m_previewImage;
    PageRect m_previewRect;
    PageRect m_source;
    ClipTracker m_tracker;
};
