#pragma once

#include "MemorySettings.h"
#include "TempDir.h"
#include "store/Library.h"
#include "store/PictureStore.h"

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
