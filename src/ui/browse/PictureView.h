#pragma once

#include "imaging/Imaging.h"

#include <QAbstractScrollArea>

#include <memory>
#include <string>

class Library;
class PhotoRecord;
class Picture;

// Shows the full-screen version of the current photo on navy, scaled into the pane
// (the default) or at its own size with scroll bars. Draws at device pixels so the
// picture stays sharp on scaled screens. Follows the library's announcements: a photo
// shown is dropped before it goes and shown anew when its pictures change.
class PictureView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    ~PictureView() override;

    void SetLibrary(const Library* library);

    // Loads and shows the photo's full-screen picture; null shows nothing. A picture
    // that cannot be read leaves the view navy, without a message.
    void ShowPhoto(const PhotoRecord* photo);
    const PhotoRecord* PhotoShown() const { return m_photoShown; }

    bool FitToWindow() const { return m_fitToWindow; }
    void SetFitToWindow(bool fit);

    // Scroll ranges for the mode and the picture; repaints.
    void UpdateScrollSizes();

    int PictureWidth() const { return m_pictureWidth; }
    int PictureHeight() const { return m_pictureHeight; }

    // The picture's size in this widget's coordinates when drawn one picture pixel to
    // one device pixel.
    QSize OwnSize() const;

    static const QColor kBackground;

Q_SIGNALS:
    void fitToWindowChanged(bool fit);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;
    // Watches the top-level window: restoring it from the minimised state reloads the
    // picture in fit mode, as a resize does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells a screen reader which photo the pane shows.
    void DescribePhoto();

    const Library* m_library = nullptr;
    std::unique_ptr<Picture> m_picture;
    const PhotoRecord* m_photoShown = nullptr;
    bool m_fitToWindow = true;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    img::Palette m_palette;
    // The viewport size the picture was last fitted to, so one resize reloads once.
    QSize m_fittedTo;
    QWidget* m_watchedWindow = nullptr;
};
