#include "ui/browse/SharpThumbnailCache.h"

#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <algorithm>
#include <cmath>

SharpThumbnailCache::SharpThumbnailCache(QObject* parent) : QObject(parent) {}

void SharpThumbnailCache::SetLibrary(const Library* library)
{
    if (m_library != nullptr) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    Clear();
    if (library == nullptr) return;
    connect(library, &Library::aboutToReplace, this, &SharpThumbnailCache::Clear);
    connect(library, &Library::photoChanged, this, &SharpThumbnailCache::Drop);
    connect(library, &Library::photoAboutToBeRemoved, this, &SharpThumbnailCache::Drop);
}

const QImage& SharpThumbnailCache::Fetch(const PhotoRecord& photo, QSize box, qreal ratio)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.photo == &photo && entry.ratio == ratio;
    });
    if (found != m_entries.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found);
        return m_entries.front().image;
    }
    if (static_cast<int>(m_entries.size()) >= kCapacity) m_entries.pop_back();
    m_entries.push_front({&photo, ratio, Load(photo, box, ratio)});
    return m_entries.front().image;
}

bool SharpThumbnailCache::Holds(const PhotoRecord* photo) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [photo](const Entry& entry) { return entry.photo == photo; });
}

void SharpThumbnailCache::Drop(const PhotoRecord* photo)
{
    m_entries.remove_if([photo](const Entry& entry) { return entry.photo == photo; });
}

QImage SharpThumbnailCache::Load(const PhotoRecord& photo, QSize box, qreal ratio) const
{
    if (m_library == nullptr) return {};
    const int width = static_cast<int>(std::ceil(box.width() * ratio));
    const int height = static_cast<int>(std::ceil(box.height() * ratio));
    const std::string path = PictureStore::VersionPath(
        m_library->Directory(), PictureStore::Version::FullScreen, photo.GetFileName());
    Picture decoded;
    Picture fitted;
    if (decoded.LoadFileForBox(path, width, height) != Picture::kOk || !decoded.HasPicture() ||
        fitted.MakeScaledCopy(decoded, width, height) != Picture::kOk) {
        return {};
    }
    // The surface takes 32-bit pixels; converted once here, not at every paint.
    QImage image = fitted.ToBitmap().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}
