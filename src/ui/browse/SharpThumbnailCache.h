#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <list>

class Library;
class PhotoRecord;

// Thumbnails for a screen of more than one device pixel to a layout pixel, where the
// 150 x 100 thumbnail file would be drawn blurred: the photo's full-screen picture
// decoded at the smallest DCT scale that covers the thumbnail's box in device pixels
// and fitted into it. At most kCapacity pictures, the least recently drawn going
// first; a photo announced as changed or removed, or the library replaced, drops
// what was decoded for it.
class SharpThumbnailCache : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 64;

    explicit SharpThumbnailCache(QObject* parent = nullptr);

    // Follows the library's announcements; drops everything.
    void SetLibrary(const Library* library);
    // The photo's picture fitted into `box` layout pixels at `ratio`, marked with the
    // ratio; a null image when its full-screen file cannot be read, for the caller to
    // draw the thumbnail file instead.
    const QImage& Fetch(const PhotoRecord& photo, QSize box, qreal ratio);
    bool Holds(const PhotoRecord* photo) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        const PhotoRecord* photo = nullptr;
        qreal ratio = 1;
        QImage image;
    };

    void Drop(const PhotoRecord* photo);
    QImage Load(const PhotoRecord& photo, QSize box, qreal ratio) const;

    const Library* m_library = nullptr;
    // Most recently drawn first.
    std::list<Entry> m_entries;
};
