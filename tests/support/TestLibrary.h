#pragma once

#include "FileBytes.h"
#include "NamedRecord.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// A new library with its four picture folders in a temporary folder, answering
// questions from a script, for the tests of the views and dialogs.
class TestLibrary {
public:
    TestLibrary()
    {
        Library::CreatePictureFolders(Directory());
        EXPECT_EQ(m_library.Create(DatabasePath(), m_prompter), Library::Outcome::Done);
    }

    std::string Directory() const { return m_dir.Path().string(); }
    std::string DatabasePath() const { return File("Test.pdb"); }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    Library& GetLibrary() { return m_library; }
    const CQuilleryDoc& Catalog() const { return m_library.Catalog(); }
    ScriptedPrompter& Prompter() { return m_prompter; }

    using Version = PictureStore::Version;
    std::string VersionPath(Version version, const std::string& name) const
    { return PictureStore::VersionPath(Directory(), version, name); }
    bool HasVersion(Version version, const std::string& name) const { return Exists(VersionPath(version, name)); }
    void WritePicture(Version version, const std::string& name, int width, int height) const
    { MakeImage(VersionPath(version, name), width, height); }

    // Adds a record; persons, events and locations are stored names, added to the
    // catalog's lists when new.
    const PhotoRecord& Add(const std::string& fileName, int month = 0, int day = 0, int year = 2000,
                           std::initializer_list<const char*> persons = {},
                           std::initializer_list<const char*> events = {},
                           std::initializer_list<const char*> locations = {})
    {
        const auto id = [this](NameKind kind, const char* name) {
            const int found = Catalog().FindName(kind, name);
            return found >= 0 ? found : m_library.AddName(kind, name);
        };
        return m_library.AddPhoto(NamedRecord(fileName, month, day, year, persons, events, locations, id));
    }

    // A picture file with a pattern, so scaled copies are not flat; a name is taken in
    // the library's folder, a full path as it is.
    std::string MakeImage(const std::string& name, int width, int height) const
    {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(QColor(30, 90, 160));
        QPainter painter(&image);
        painter.fillRect(0, 0, width / 2, height / 2, QColor(230, 200, 40));
        painter.end();
        EXPECT_TRUE(image.save(QString::fromStdString(File(name))));
        return File(name);
    }

private:
    TempDir m_dir;
    ScriptedPrompter m_prompter;
    Library m_library;
};
