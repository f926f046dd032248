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
        record.personIds.fill(-1);
        record.eventIds.fill(-1);
        record.locationIds.fill(-1);
        record.SetFileName(fileName);
        record.SetDate(month, day, year);
        size_t i = 0;
        for (const char* name : persons) record.personIds[i++] = Id(name, Kind::Person);
        i = 0;
        for (const char* name : events) record.eventIds[i++] = Id(name, Kind::Event);
        i = 0;
        for (const char* name : locations) record.locationIds[i++] = Id(name, Kind::Location);
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
    enum class Kind { Person, Event, Location };
    int Id(const char* name, Kind kind)
    {
        switch (kind) {
        case Kind::Person: {
            const int id = m_catalog.FindPerson(name);
            return id >= 0 ? id : m_catalog.AddPerson(name);
        }
        case Kind::Event: {
            const int id = m_catalog.FindEvent(name);
            return id >= 0 ? id : m_catalog.AddEvent(name);
        }
        case Kind::Location: break;
        }
        const int id = m_catalog.FindLocation(name);
        return id >= 0 ? id : m_catalog.AddLocation(name);
    }

    QTemporaryDir m_dir;
    CQuilleryDoc m_catalog;
};
