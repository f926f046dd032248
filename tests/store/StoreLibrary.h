#pragma once

#include "FileBytes.h"
#include "MemorySettings.h"
#include "TempDir.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <string>

// A library folder with its four version folders, and a store over it.
class StoreLibrary {
public:
    StoreLibrary() { Library::CreatePictureFolders(Directory()); }

    static constexpr PictureStore::Version kVersions[] = {
        PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen,
        PictureStore::Version::HighRes, PictureStore::Version::Original};

    std::string Directory() const { return m_dir.Path().string(); }
    std::filesystem::path Folder(PictureStore::Version version) const
    {
        return m_dir.Path() / PictureStore::FolderName(version);
    }
    std::string PathOf(PictureStore::Version version, const std::string& name) const
    {
        return PictureStore::VersionPath(Directory(), version, name);
    }
    MemorySettings& Settings() { return m_settings; }
    PictureStore Store() const { return PictureStore(Directory(), m_settings); }

private:
    TempDir m_dir;
    MemorySettings m_settings;
};

// Pictures with some detail in them (a flat picture encodes the same at every
// quality), made in memory, and the sizes of the files the store wrote.
namespace StorePictures {

inline Picture Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<uchar>(x * 255 / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<uchar>(y * 255 / std::max(1, height - 1));
            row[3 * x + 2] = static_cast<uchar>((x * 7 + y * 13) % 256);
        }
    }
    Picture picture;
    picture.Adopt(img::FromQImage(image).Value());
    return picture;
}

// The decoded size of a JPEG file, (-1, -1) when it cannot be read.
inline QSize DecodedSize(const std::string& path)
{
    Picture picture;
    picture.LoadFile(path);
    return picture.HasPicture() ? picture.GetSize() : QSize(-1, -1);
}

} // namespace StorePictures
