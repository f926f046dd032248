#include "ui/output/PictureShowWnd.h"

#include "core/PhotoRecord.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/ByteText.h"
#include "ui/common/PictureAccessible.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>

namespace {

using Key = PictureShowState::Key;
using Reaction = PictureShowState::Reaction;

// The rectangle the band's height is measured in: its top is where a one-line band
// would start; word wrapping lets it grow downwards, which only the height records.
constexpr int kMeasureTop = 200;
constexpr int kMeasureBottom = 182;

constexpr auto kBandFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

std::optional<Key> ShowKey(const QKeyEvent& event)
{
    // Alt and F10 come to a Windows window as system keys, which the show never saw.
    if (event.key() == Qt::Key_Alt || event.key() == Qt::Key_AltGr || event.key() == Qt::Key_F10 ||
        event.modifiers().testFlag(Qt::AltModifier)) {
        return std::nullopt;
    }
    switch (event.key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        return Key::Next;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        return Key::Previous;
    case Qt::Key_End:
        return Key::PauseOrResume;
    default:
        return Key::Other;
    }
}

} // namespace

const QColor PictureShowWnd::kBackground(0, 0, 64);

PictureShowWnd::PictureShowWnd(const Library& library, const Settings& settings)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_library(library), m_overlay(ShowOverlay::FromSettings(settings)),
      m_state(PictureShowState::DelayFromSetting(settings.GetString(
          SettingsKeys::PictureDelay.name, SettingsKeys::PictureDelay.defaultValue))),
      m_reportPaintTimes(qEnvironmentVariableIsSet(kPaintTimesVariable))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, kBackground);
    setPalette(navy);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    PictureAccessible::Mark(this);
    setAccessibleName(QStringLiteral("Picture show"));
    setAccessibleDescription(QStringLiteral("Starting"));
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &PictureShowWnd::OnTimer);
    // A library replaced frees the records the show points at; a photo removed frees its own.
    connect(&library, &Library::aboutToReplace, this, [this] {
        m_currentPhoto = nullptr;
        End();
    });
    connect(&library, &Library::photoAboutToBeRemoved, this, [this](const PhotoRecord* photo) {
        if (photo == m_currentPhoto) m_currentPhoto = nullptr;
    });
}

PictureShowWnd::~PictureShowWnd()
{
    if (!m_ended) Q_EMIT ended();
}

void PictureShowWnd::Start(PhotoList& list, const QWidget& mainWindow)
{
    m_list = &list;
    QScreen* screen =
        mainWindow.screen() != nullptr ? mainWindow.screen() : QGuiApplication::primaryScreen();
    setScreen(screen);
    setGeometry(screen->geometry());
    m_screenSize = screen->geometry().size();
    RestartTimer(kStartPeriod);
    m_state.Start(list.FirstSelectedRow());
    PrefetchNext();
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

int PictureShowWnd::RowCount() const
{
    return m_list ? m_list->RowCount() : 0;
}

void PictureShowWnd::RestartTimer(int period)
{
    m_timer.start(std::max(period, kShortestTimerPeriod));
}

void PictureShowWnd::OnTimer()
{
    if (!m_state.HasStarted()) {
        RestartTimer(kStartPeriod);
        return;
    }
    Step();
}

void PictureShowWnd::Step()
{
    if (m_ended) return;
    m_timer.stop();
    // Each step restarts the full delay; a delay beyond the timer's range waits its longest.
    if (!m_state.IsPaused())
        RestartTimer(static_cast<int>(std::min<std::uint32_t>(m_state.Delay(), INT_MAX)));
    m_state.Advance(RowCount());
    QElapsedTimer taken;
    taken.start();
    LoadPicture();
    m_stepMilliseconds = static_cast<double>(taken.nsecsElapsed()) / 1e6;
    update();
    Q_EMIT stepped(m_state.Index());
}

void PictureShowWnd::React(Reaction reaction)
{
    switch (reaction) {
    case Reaction::None:
        return;
    case Reaction::Step:
        Step();
        return;
    case Reaction::StepBack:
        m_state.BackUp(RowCount());
        Step();
        return;
    case Reaction::Pause:
        m_timer.stop();
        return;
    case Reaction::End:
        End();
        return;
    }
}

QString PictureShowWnd::OverlayTextOf(const PhotoRecord& photo) const
{
    QString text = ByteText::ToDisplay(m_overlay.Text(m_library.Catalog(), photo));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int PictureShowWnd::MeasureOverlay(const QString& text) const
{
    if (text.isEmpty()) return 0;
    const int width = m_screenSize.width();
    const int height = m_screenSize.height();
    const QRect box(QPoint(0, height - kMeasureTop),
                    QPoint(width - 1, height - kMeasureBottom - 1));
    return QFontMetrics(font()).boundingRect(box, kBandFlags, text).height();
}

PicturePrefetcher::Request PictureShowWnd::RequestFor(const PhotoRecord& photo,
                                                      int overlayHeight) const
{
    return {PictureStore::VersionPath(m_library.Directory(), PictureStore::Version::FullScreen,
                                      photo.GetFileName()),
            m_screenSize.width(), m_screenSize.height() - overlayHeight};
}

void PictureShowWnd::LoadPicture()
{
    m_currentPhoto = m_list ? m_list->PhotoAtRow(m_state.Index()) : nullptr;
    m_picture.Release();
    m_screenImage = QImage();
    m_overlayText.clear();
    m_overlayHeight = 0;
    if (m_currentPhoto != nullptr) {
        m_overlayText = OverlayTextOf(*m_currentPhoto);
        m_overlayHeight = MeasureOverlay(m_overlayText);
        PicturePrefetcher::Ready ready = m_prefetcher.Take(RequestFor(*m_currentPhoto, m_overlayHeight));
        m_picture = std::move(ready.picture);
        m_screenImage = std::move(ready.screenImage);
    }
    DescribePhoto();
    PrefetchNext();
}

void PictureShowWnd::PrefetchNext()
{
    const int count = RowCount();
    if (count <= 0) return;
    const int next = m_state.Index() + 1 >= count ? 0 : m_state.Index() + 1;
    const PhotoRecord* photo = m_list->PhotoAtRow(next);
    if (photo == nullptr || photo == m_currentPhoto) return;
    m_prefetcher.Prefetch(RequestFor(*photo, MeasureOverlay(OverlayTextOf(*photo))));
}

QRect PictureShowWnd::PictureRect() const
{
    if (!m_picture.HasPicture()) return {};
    const int width = m_screenSize.width();
    const int height = m_screenSize.height();
    const int x = width > m_picture.Width() ? (width - m_picture.Width()) / 2 : 0;
    const int free = height - m_overlayHeight;
    const int y = free > m_picture.Height() ? (free - m_picture.Height()) / 2 : 0;
    return {x, y, m_picture.Width(), m_picture.Height()};
}

void PictureShowWnd::paintEvent(QPaintEvent*)
{
    QElapsedTimer painting;
    painting.start();
    {
        QPainter painter(this);
        Paint(painter);
    }
    if (m_reportPaintTimes && m_state.HasStarted()) {
        std::fprintf(stderr, "picture show: row %d: step %.2f ms, paint %.2f ms\n", m_state.Index(),
                     m_stepMilliseconds, static_cast<double>(painting.nsecsElapsed()) / 1e6);
    }
}

void PictureShowWnd::Paint(QPainter& painter)
{
    painter.fillRect(QRect(QPoint(0, 0), m_screenSize.isEmpty() ? size() : m_screenSize),
                     kBackground);
    if (!m_state.HasStarted()) return;
    if (m_overlayHeight != 0) {
        const QRect band(0, m_screenSize.height() - m_overlayHeight, m_screenSize.width(),
                         m_overlayHeight);
        // Qt's opaque text leaves the leading between wrapped lines unpainted, so the
        // band is whitened whole, without dark stripes through the text.
        painter.fillRect(band, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(band, kBandFlags, m_overlayText);
    }
    const QRect where = PictureRect();
    if (!where.isEmpty()) painter.drawImage(where.topLeft(), m_screenImage);
}

void PictureShowWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        React(m_state.LeftButtonDown());
    } else if (event->button() == Qt::RightButton) {
        React(m_state.RightButtonDown());
    }
}

void PictureShowWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is only the double click; a right double
    // click does nothing, as its second press never reached the show on Windows.
    if (event->button() == Qt::LeftButton) React(m_state.LeftDoubleClick());
}

void PictureShowWnd::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()) m_pressedKeys.insert(event->key());
}

void PictureShowWnd::keyReleaseEvent(QKeyEvent* event)
{
    // A held key acts once, when it is let go. The Enter that chose "Picture Show"
    // from the menu is let go over the show: it was not meant for it.
    if (event->isAutoRepeat() || !m_pressedKeys.remove(event->key())) return;
    if (const std::optional<Key> key = ShowKey(*event)) React(m_state.KeyReleased(*key));
}

void PictureShowWnd::closeEvent(QCloseEvent* event)
{
    End();
    event->accept();
}

void PictureShowWnd::End()
{
    if (m_ended) return;
    m_ended = true;
    m_timer.stop();
    m_picture.Release();
    m_screenImage = QImage();
    Q_EMIT ended();
    // A show ended before its first picture leaves the list as it was.
    if (m_list && m_currentPhoto != nullptr && m_list->RowOfPhoto(m_currentPhoto) >= 0) {
        m_list->SetCurrentPhoto(m_currentPhoto);
    }
    close();
}

void PictureShowWnd::DescribePhoto()
{
    setAccessibleDescription(m_currentPhoto == nullptr
                                 ? QStringLiteral("No photo")
                                 : ByteText::ToDisplay(m_currentPhoto->GetFileName()) + u' ' +
                                       m_overlayText);
}
