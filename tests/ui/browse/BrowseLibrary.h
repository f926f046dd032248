#pragma once

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "imaging/Imaging.h"
#include "store/PictureStore.h"

#include <QImage>
#include <QTemporaryDir>

#include <filesystem>
#include <initializer_list>
#include <string>

// A catalog and a library folder whose pictures the views can load.
class BrowseLibrary {
public:
    BrowseLibrary()
    {
        for (const auto version : {PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen}) {
            std::filesystem::create_directories(std::filesystem::path(Directory()) /
                                                PictureStore::FolderName(version));
        }
    }

    std::string Directory() const { return m_dir.path().toStdString(); }
    CQuilleryDoc& Catalog() { return m_catalog; }

    // Adds a record; persons, events and locations are stored names, added to the
    // catalog's lists when new.
    PhotoRecord& Add(const std::string& fileName, int month = 0, int day = 0, int year = 2000,
                     std::initializer_list<const char*> persons = {},
                     std::initializer_list<const char*> events = {},
                     std::initializer_list<const char*> locations = {})
    {
        PhotoRecord record;
        record.SetFileName(fileName);
        record.SetDate(month, day, year);
        const auto fill = [&](NameKind kind, std::initializer_list<const char*> names) {
            size_t i = 0;
            for (const char* name : names) {
                const int id = m_catalog.FindName(kind, name);
                record.Ids(kind)[i++] = id >= 0 ? id : m_catalog.AddName(kind, name);
            }
        };
        fill(NameKind::Persons, persons);
        fill(NameKind::Events, events);
        fill(NameKind::Locations, locations);
        return m_catalog.PhotoAt(m_catalog.AddPhoto(record));
    }

    // Writes a version file of a plain colour at the given size.
    void WritePicture(PictureStore::Version version, const std::string& fileName, int width,
                      int height, QColor colour = QColor(200, 120, 40)) const
    {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(colour);
        img::WriteJpeg(PictureStore::VersionPath(Directory(), version, fileName),
                       img::FromQImage(image), 90);
    }

private:
    QTemporaryDir m_dir;
    CQuilleryDoc m_catalog;
};
