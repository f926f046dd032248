#pragma once

#include "imaging/Picture.h"

#include <QFrame>
#include <QSize>

#include <string>

// The preview area of the file-open dialog: the selected picture scaled into the
// area and centred on white, or the no-image bitmap for a file that is no picture.
// JPEG files are decoded at the smallest DCT scale that still fills the area and
// their size is read from the header, so even a very large photo previews at once.
class PreviewStatic : public QFrame {
    Q_OBJECT
public:
    explicit PreviewStatic(QWidget* parent = nullptr);

    // Whether the file could be loaded.
    bool ShowFile(const std::string& path);
    void ClearPreview();

    // The file's own size in pixels; 0 x 0 when nothing is shown.
    QSize ImageSize() const { return m_imageSize; }
    const Picture& DisplayPicture() const { return m_display; }
    const Picture& LoadedPicture() const { return m_loaded; }
    const std::string& Path() const { return m_path; }

    // "No Image", or "640 x 480\nPixels".
    static QString SizeText(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The client area less one pixel on every side.
    QRect InnerRect() const;
    // InnerRect's size in device pixels: what a picture is scaled to.
    QSize DeviceBox() const;

    Picture m_display;
    Picture m_loaded;
    std::string m_path;
    QSize m_imageSize{0, 0};
    bool m_showsNoImage = false;
};
