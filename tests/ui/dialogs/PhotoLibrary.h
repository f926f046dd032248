#pragma once

#include "ScriptedDialogRunner.h"
#include "ScriptedPrompter.h"
#include "TempSettingsFile.h"

#include "core/CQuilleryDoc.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/dialogs/PhotoDialogHost.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A new library with its four picture folders, a settings file, scripted answers and
// dialogs, and the host the photo dialog reports to, all in a temporary folder.
class PhotoLibrary {
public:
    PhotoLibrary()
    {
        Library::CreatePictureFolders(Directory());
        EXPECT_EQ(m_library.Create(DatabasePath(), m_prompter), Library::Outcome::Done);
    }

    std::string Directory() const { return m_dir.path().toStdString(); }
    std::string DatabasePath() const { return Directory() + "/Test.pdb"; }
    std::string File(const std::string& name) const { return Directory() + "/" + name; }
    Library& GetLibrary() { return m_library; }
    const CQuilleryDoc& Catalog() const { return m_library.Catalog(); }
    ScriptedPrompter& Prompter() { return m_prompter; }
    ScriptedDialogRunner& Dialogs() { return m_dialogs; }
    ProfileSettings& Settings() { return m_settings.Settings(); }
    PhotoDialogHost& Host() { return m_host; }
    int Saves() const { return m_saves; }

    std::string VersionPath(PictureStore::Version version, const std::string& name) const
    {
        return PictureStore::VersionPath(Directory(), version, name);
    }
    bool HasVersion(PictureStore::Version version, const std::string& name) const
    {
        return std::filesystem::exists(VersionPath(version, name));
    }
    QSize VersionSize(PictureStore::Version version, const std::string& name) const
    {
        return QImage(QString::fromStdString(VersionPath(version, name))).size();
    }

    // A picture file with a pattern, so scaled copies are not flat.
    std::string MakeImage(const std::string& name, int width, int height) const
    {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(QColor(30, 90, 160));
        QPainter painter(&image);
        painter.fillRect(0, 0, width / 2, height / 2, QColor(230, 200, 40));
        painter.end();
        const std::string path = File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }

    // The picture as the add command loads it.
    Picture LoadImage(const std::string& name, int width = 640, int height = 480) const
    {
        Picture picture;
        EXPECT_EQ(picture.LoadFile(MakeImage(name, width, height)), Picture::kOk);
        return picture;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    static constexpr PictureStore::Version kVersions[] = {
        PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen,
        PictureStore::Version::HighRes, PictureStore::Version::Original};

private:
    QTemporaryDir m_dir;
    TempSettingsFile m_settings;
    ScriptedPrompter m_prompter;
    ScriptedDialogRunner m_dialogs;
    Library m_library;
    int m_saves = 0;
    PhotoDialogHost m_host{m_library, m_prompter, m_settings.Settings(), m_dialogs, [this] {
                               ++m_saves;
                               return m_library.Save(m_prompter);
                           }};
};
