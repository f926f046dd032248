#pragma once

#include "ScriptedPrompter.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "imaging/Imaging.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

// A new library in a temporary folder whose pictures the views can load.
class BrowseLibrary {
public:
    BrowseLibrary()
    {
        Library::CreatePictureFolders(Directory());
        EXPECT_EQ(m_library.Create(Directory() + "/Browse.pdb", m_prompter), Library::Outcome::Done);
    }

    std::string Directory() const { return m_dir.path().toStdString(); }
    Library& GetLibrary() { return m_library; }
    const CQuilleryDoc& Catalog() const { return m_library.Catalog(); }

    // Adds a record; persons, events and locations are stored names, added to the
    // catalog's lists when new.
    const PhotoRecord& Add(const std::string& fileName, int month = 0, int day = 0, int year = 2000,
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
                const int id = m_library.Catalog().FindName(kind, name);
                record.Ids(kind)[i++] = id >= 0 ? id : m_library.AddName(kind, name);
            }
        };
        fill(NameKind::Persons, persons);
        fill(NameKind::Events, events);
        fill(NameKind::Locations, locations);
        return m_library.AddPhoto(record);
    }

    // Writes a version file of a plain colour at the given size.
    void WritePicture(PictureStore::Version version, const std::string& fileName, int width,
                      int height, QColor colour = QColor(200, 120, 40)) const
    {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(colour);
        const img::Status written = img::WriteJpeg(
            PictureStore::VersionPath(Directory(), version, fileName), img::FromQImage(image).Value(), 90);
        EXPECT_TRUE(written) << written.Error();
    }

private:
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    Library m_library;
};
