#pragma once

#include "FileBytes.h"

#include "store/PictureStore.h"
#include "store/VersionTable.h"

#include <string>

// A photo's four picture files in a library folder: placeholders written, and the
// ones present counted.
namespace PictureFiles {

inline void Write(const std::string& folder, const std::string& name)
{
    for (const VersionInfo& info : kVersionTable)
        WriteBytes(PictureStore::VersionPath(folder, info.version, name), "jpeg");
}

inline int Count(const std::string& folder, const std::string& name)
{
    int count = 0;
    for (const VersionInfo& info : kVersionTable)
        count += Exists(PictureStore::VersionPath(folder, info.version, name)) ? 1 : 0;
    return count;
}

} // namespace PictureFiles
