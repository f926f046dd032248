#include "ui/editing/ClipPage.h"

#include "ui/editing/PhotoEditingPropertySheet.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

ClipPage::ClipPage(PhotoEditingPropertySheet& sheet)
    : EditingPage(sheet, QStringLiteral("Clip") + QString(40, QLatin1Char(' ')))
{
    setFocusPolicy(Qt::ClickFocus);
}

PageRect ClipPage::MapToSource(const PageRect& tracker, const PageRect& preview,
                               const PageRect& source)
{
    // Products first, then divisions truncating toward zero, in 64 bits for large pictures.
    const long long sourceWidth = source.Width();
    const long long sourceHeight = source.Height();
    const long long previewWidth = preview.Width();
    const long long previewHeight = preview.Height();
    if (previewWidth <= 0 || previewHeight <= 0) return source;
    return {
        static_cast<int>(source.left + sourceWidth * (tracker.left - preview.left) / previewWidth),
        static_cast<int>(source.top + sourceHeight * (tracker.top - preview.top) / previewHeight),
        static_cast<int>(source.right -
                         sourceWidth * (preview.right - tracker.right) / previewWidth),
        static_cast<int>(source.bottom -
                         sourceHeight * (preview.bottom - tracker.bottom) / previewHeight)};
}

void ClipPage::OnInitialise()
{
    Restart();
    MakeLabel(QStringLiteral("Move resize handles to fit and press 'Clip' button"),
              Ltrb(30, 5, 400, 18));
    connect(MakeButton(QStringLiteral("Clip"), Ltrb(30, 320, 110, 342)), &QPushButton::clicked,
            this, &ClipPage::OnClip);
    connect(MakeButton(QStringLiteral("Undo"), Ltrb(130, 320, 210, 342)), &QPushButton::clicked,
            this, &ClipPage::OnUndo);
    m_tracker.m_style = RectTracker::kSolidLine | RectTracker::kResizeOutside;
    m_tracker.m_rect = m_previewRect;
    m_tracker.m_handleSize = kHandleSize;
}

void ClipPage::OnSetActive()
{
    Restart();
}

void ClipPage::Restart()
{
    const Picture& working = Sheet().WorkingPicture();
    m_source = {0, 0, working.Width(), working.Height()};
    MakePreview();
}

void ClipPage::MakePreview()
{
    // Cut straight from the working picture's pixels: no copy of the whole picture.
    const Picture& working = Sheet().WorkingPicture();
    Picture cut;
    if (m_source == PageRect{0, 0, working.Width(), working.Height()}) {
        m_preview.FitCopyOf(working, Physical(kPreviewWidth), Physical(kPreviewHeight));
    } else {
        auto pixels = img::Crop(working.Pixels(), m_source.left, m_source.top, m_source.right,
                                m_source.bottom);
        if (pixels) cut.Adopt(std::move(pixels).Value());
        m_preview.FitCopyOf(cut, Physical(kPreviewWidth), Physical(kPreviewHeight));
    }
    m_previewImage = ScreenImage(m_preview);
    const QSize size = m_previewImage.deviceIndependentSize().toSize();
    m_previewRect = {30, 40, 30 + size.width(), 40 + size.height()};
    m_tracker.m_rect = m_previewRect;
    m_tracker.m_bounds = m_previewRect;
}

void ClipPage::OnClip()
{
    const PageRect clip = MapToSource(m_tracker.m_rect.Normalized(), m_previewRect, m_source);
    if (clip.Width() < kSmallestClip || clip.Height() < kSmallestClip) return;
    m_source = clip;
    MakePreview();
    update();
}

void ClipPage::OnUndo()
{
    Restart();
    update();
}

void ClipPage::OnKillActive()
{
    const Picture& working = Sheet().WorkingPicture();
    if (m_source.Width() == working.Width() && m_source.Height() == working.Height()) return;
    Sheet().SetModified(true);
    const PageRect clip = m_source;
    Sheet().ChangeWorkingPicture(
        [clip](Picture& picture) { picture.Crop(clip.left, clip.top, clip.right, clip.bottom); });
}

void ClipPage::OnReset()
{
    OnUndo();
    EditingPage::OnReset();
}

void ClipPage::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (!m_previewImage.isNull())
        painter.drawImage(QPoint(m_previewRect.left, m_previewRect.top), m_previewImage);
    m_tracker.Draw(painter);
}

void ClipPage::RepaintAroundPreview()
{
    update(m_previewRect.Grown(kHandleSize).ToQRect());
}

void ClipPage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && m_tracker.IsTracking()) {
        CancelTracking();
        return;
    }
    if (event->button() == Qt::LeftButton && m_tracker.BeginTrack(event->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        RepaintAroundPreview();
        return;
    }
    EditingPage::mousePressEvent(event);
}

void ClipPage::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracker.IsTracking()) return EditingPage::mouseMoveEvent(event);
    m_tracker.TrackTo(event->position().toPoint());
    RepaintAroundPreview();
}

void ClipPage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_tracker.IsTracking())
        return EditingPage::mouseReleaseEvent(event);
    m_tracker.EndTrack(event->position().toPoint());
    RepaintAroundPreview();
}

void ClipPage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_tracker.IsTracking()) {
        CancelTracking();
        return;
    }
    EditingPage::keyPressEvent(event);
}

void ClipPage::CancelTracking()
{
    m_tracker.CancelTrack();
    RepaintAroundPreview();
}
