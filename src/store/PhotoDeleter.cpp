#include "store/PhotoDeleter.h"

#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <unistd.h>

#include <algorithm>
#include <array>

namespace {

using Version = PictureStore::Version;

constexpr std::array kDeletionOrder = {Version::FullScreen, Version::Thumbnail, Version::HighRes,
                                       Version::Original};

bool InCatalog(const CQuilleryDoc& catalog, const PhotoRecord* photo)
{
    for (int index = 0; index < catalog.PhotoCount(); ++index) {
        if (&catalog.PhotoAt(index) == photo) return true;
    }
    return false;
}

}  // namespace

PhotoDeleter::Result PhotoDeleter::Delete(Library& library,
                                          const std::vector<const PhotoRecord*>& photos,
                                          Files files, const std::function<bool()>& save)
{
    Result result;
    const CQuilleryDoc& catalog = library.Catalog();
    if (!std::all_of(photos.begin(), photos.end(),
                     [&](const PhotoRecord* photo) { return InCatalog(catalog, photo); })) {
        result.outcome = Outcome::NotFound;
        return result;
    }
    // Taken before the records are destroyed.
    std::vector<std::string> fileNames;
    for (const PhotoRecord* photo : photos) {
        if (std::find(fileNames.begin(), fileNames.end(), photo->GetFileName()) == fileNames.end())
            fileNames.push_back(photo->GetFileName());
    }
    for (const PhotoRecord* photo : photos) library.RemovePhoto(*photo);
    if (files == Files::Keep) return result;

    if (!save()) {
        result.outcome = Outcome::NotSaved;
        return result;
    }
    const std::string directory = library.Directory();
    for (const std::string& fileName : fileNames) {
        if (library.Catalog().FindPhotoByFileName(fileName) >= 0) {
            result.sharedNamesKept.push_back(fileName);
            continue;
        }
        result.filesDeleted += DeleteVersionFiles(directory, fileName);
    }
    return result;
}

int PhotoDeleter::DeleteVersionFiles(const std::string& libraryDirectory,
                                     const std::string& fileName)
{
    int deleted = 0;
    for (const Version version : kDeletionOrder) {
        const std::string path = PictureStore::VersionPath(libraryDirectory, version, fileName);
        if (::unlink(path.c_str()) == 0) ++deleted;
    }
    return deleted;
}
