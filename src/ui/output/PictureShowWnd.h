#pragma once

#include "core/PictureShowState.h"
#include "core/ShowOverlay.h"
#include "imaging/Picture.h"
#include "ui/output/PicturePrefetcher.h"

#include <QImage>
#include <QPointer>
#include <QSet>
#include <QSize>
#include <QTimer>
#include <QWidget>

class Library;
class QPainter;
class PhotoList;
class PhotoRecord;
class Settings;

// The picture show: a borderless window over the whole screen the main window is on,
// above every other window, showing the photo list's rows one after another from
// their full-screen pictures, with a band of text under each when the preferences
// ask for one. Clicks pause, step and change the delay; keys step, pause and end
// it. When it ends, the photo shown last becomes the list's current photo.
class PictureShowWnd : public QWidget {
    Q_OBJECT
  public:
    // Reads the delay and the four overlay preferences, once for the whole show.
    PictureShowWnd(const Library& library, const Settings& settings);
    ~PictureShowWnd() override;

    // Covers the screen of `mainWindow` and starts at the list's first selected row,
    // or at its first row when none is selected. The first picture comes after a
    // short moment, as every later one comes from the timer.
    void Start(PhotoList& list, const QWidget& mainWindow);
    // Stops, frees the picture, announces the end, makes the photo shown last
    // current and closes. Does nothing the second time.
    void End();

    const PictureShowState& State() const { return m_state; }
    const PhotoRecord* CurrentPhoto() const { return m_currentPhoto; }
    const Picture& CurrentPicture() const { return m_picture; }
    QString OverlayText() const { return m_overlayText; }
    int OverlayHeight() const { return m_overlayHeight; }
    // Where the picture is drawn, in this window's coordinates (empty without one).
    QRect PictureRect() const;
    QSize ScreenSize() const { return m_screenSize; }
    bool IsTimerActive() const { return m_timer.isActive(); }
    int TimerInterval() const { return m_timer.interval(); }

    static const QColor kBackground;
    // Windows runs a timer of zero at its shortest period; so does the show.
    static constexpr int kShortestTimerPeriod = 10;
    static constexpr int kStartPeriod = 100;
    // Set to have every paint's time written to the error stream, with the time the
    // step before it took to get its picture.
    static constexpr const char* kPaintTimesVariable = "QUILLERY_SHOW_PAINT_TIMES";

  Q_SIGNALS:
    // The show ended, by a key or however else its window went.
    void ended();
    // A picture (or only the background, when its file cannot be read) was shown.
    void stepped(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Paint(QPainter& painter);
    void OnTimer();
    void Step();
    void React(PictureShowState::Reaction reaction);
    void LoadPicture();
    void PrefetchNext();
    void RestartTimer(int period);
    int RowCount() const;
    // The text band of a photo: its text for display and its height on this window.
    QString OverlayTextOf(const PhotoRecord& photo) const;
    int MeasureOverlay(const QString& text) const;
    PicturePrefetcher::Request RequestFor(const PhotoRecord& photo, int overlayHeight) const;
    void DescribePhoto();

    const Library& m_library;
    const ShowOverlay m_overlay;
    PictureShowState m_state;
    QPointer<PhotoList> m_list;
    const PhotoRecord* m_currentPhoto = nullptr;
    Picture m_picture;
    // m_picture as the screen takes it.
    QImage m_screenImage;
    PicturePrefetcher m_prefetcher;
    const bool m_reportPaintTimes;
    double m_stepMilliseconds = 0;
    QString m_overlayText;
    int m_overlayHeight = 0;
    QSize m_screenSize;
    QTimer m_timer;
    // Keys pressed while the show had the keyboard; only their release counts.
    QSet<int> m_pressedKeys;
    bool m_ended = false;
};
