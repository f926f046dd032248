#include "ui/browse/PictureView.h"

#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/browse/ViewPalette.h"
#include "ui/common/ByteText.h"
#include "ui/common/PictureAccessible.h"

#include <QPaintEvent>
#include <QWindowStateChangeEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

const QColor PictureView::kBackground(0, 0, 64);

PictureView::PictureView(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_picture(std::make_unique<Picture>()),
      m_palette(ViewPalette::Build())
{
    QPalette navy = viewport()->palette();
    navy.setColor(QPalette::Window, kBackground);
    viewport()->setPalette(navy);
    viewport()->setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PictureAccessible::Mark(this);
    setAccessibleName(QStringLiteral("Picture"));
    UpdateScrollSizes();
    DescribePhoto();
}

PictureView::~PictureView() = default;

void PictureView::SetLibrary(const Library* library)
{
    if (m_library != nullptr) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    ShowPhoto(nullptr);
    if (library == nullptr) return;
    connect(library, &Library::aboutToReplace, this, [this] { ShowPhoto(nullptr); });
    connect(library, &Library::photoAboutToBeRemoved, this, [this](const PhotoRecord* photo) {
        if (photo == m_photoShown) ShowPhoto(nullptr);
    });
    connect(library, &Library::photoChanged, this, [this](const PhotoRecord* photo) {
        if (photo == m_photoShown) ShowPhoto(photo);
    });
}

void PictureView::ShowPhoto(const PhotoRecord* photo)
{
    m_photoShown = photo;
    m_picture->Release();
    if (photo != nullptr) {
        // A missing or broken file leaves the picture empty and the view navy.
        m_picture->LoadFile(PictureStore::VersionPath(
            m_library != nullptr ? m_library->Directory() : std::string(), PictureStore::Version::FullScreen, photo->GetFileName()));
    }
    m_fittedTo = viewport()->size();
    UpdateScrollSizes();
    DescribePhoto();
}

void PictureView::DescribePhoto()
{
    if (m_photoShown == nullptr) {
        setAccessibleDescription(QStringLiteral("No current photo"));
    } else if (!m_picture->HasPicture()) {
        setAccessibleDescription(QStringLiteral("The picture of %1 cannot be shown")
                                     .arg(ByteText::ToDisplay(m_photoShown->GetFileName())));
    } else {
        setAccessibleDescription(QStringLiteral("The current photo, %1, %2 x %3 pixels")
                                     .arg(ByteText::ToDisplay(m_photoShown->GetFileName()))
                                     .arg(m_picture->Width())
                                     .arg(m_picture->Height()));
    }
}

void PictureView::SetFitToWindow(bool fit)
{
    if (fit == m_fitToWindow) return;
    m_fitToWindow = fit;
    UpdateScrollSizes();
    Q_EMIT fitToWindowChanged(fit);
}

QSize PictureView::OwnSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::ceil(m_pictureWidth / ratio)),
            static_cast<int>(std::ceil(m_pictureHeight / ratio))};
}

void PictureView::UpdateScrollSizes()
{
    m_pictureWidth = m_picture->Width();
    m_pictureHeight = m_picture->Height();
    const QSize client = viewport()->size();
    const QSize own = OwnSize();
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    const bool scrolls = !m_fitToWindow && m_picture->HasPicture() &&
                         (client.height() <= own.height() || client.width() <= own.width());
    if (scrolls) {
        horizontal->setRange(0, std::max(0, own.width() - client.width()));
        vertical->setRange(0, std::max(0, own.height() - client.height()));
        horizontal->setPageStep(client.width());
        vertical->setPageStep(client.height());
        horizontal->setSingleStep(std::max(1, client.width() / 10));
        vertical->setSingleStep(std::max(1, client.height() / 10));
    } else {
        horizontal->setRange(0, 0);
        vertical->setRange(0, 0);
    }
    viewport()->update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    if (!m_picture->HasPicture()) return;
    // Work in device pixels, so neither mode scales the picture once more on a
    // screen with a scale factor.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    if (m_fitToWindow) {
        const QSize client = viewport()->size();
        const QRect area(0, 0, qRound(client.width() * ratio), qRound(client.height() * ratio));
        m_picture->DrawFitted(&painter, area, &m_palette);
    } else {
        const int x = -qRound(horizontalScrollBar()->value() * ratio);
        const int y = -qRound(verticalScrollBar()->value() * ratio);
        m_picture->Draw(&painter, x, y, m_pictureWidth, m_pictureHeight, &m_palette);
    }
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (window()->isMinimized()) return;
    // The scroll area sees its own resize and its viewport's; reload once per size.
    if (m_fitToWindow) {
        if (viewport()->size() != m_fittedTo) ShowPhoto(m_photoShown);
    } else {
        UpdateScrollSizes();
    }
}

void PictureView::scrollContentsBy(int, int) { viewport()->update(); }

void PictureView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    QWidget* top = window();
    if (top == m_watchedWindow || top == this) return;
    if (m_watchedWindow != nullptr) m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = top;
    top->installEventFilter(this);
}

bool PictureView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !m_watchedWindow->isMinimized() &&
            m_fitToWindow) {
            ShowPhoto(m_photoShown);
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
