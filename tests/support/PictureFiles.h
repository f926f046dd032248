#pragma once

#include "FileBytes.h"

#include "store/PictureStore.h"

#include <string>

// A photo's four picture files in a library folder: placeholders written, and the
// ones present counted.
namespace PictureFiles {

inline constexpr PictureStore::Version kAll[] = {
    PictureStore::Version::FullScreen, PictureStore::Version::Thumbnail,
    PictureStore::Version::HighRes, PictureStore::Version::Original};

inline void Write(const std::string& folder, const std::string& name)
{
    for (const auto version : kAll)
        WriteBytes(PictureStore::VersionPath(folder, version, name), "jpeg");
}

inline int Count(const std::string& folder, const std::string& name)
{
    int count = 0;
    for (const auto version : kAll)
        count += Exists(PictureStore::VersionPath(folder, version, name)) ? 1 : 0;
    return count;
}

} // namespace PictureFiles
