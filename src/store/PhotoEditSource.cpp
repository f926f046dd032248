#include "store/PhotoEditSource.h"

#include "imaging/Picture.h"
#include "store/PictureStore.h"

#include <filesystem>
#include <system_error>

namespace {

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

PhotoEditSource::Result PhotoEditSource::Load(const PictureStore& store,
                                              const std::string& fileName, Start start,
                                              Picture& picture)
{
    picture.Release();
    Result result;
    const std::string original = store.PathOf(PhotoVersion::Original, fileName);
    const std::string highRes = store.PathOf(PhotoVersion::HighRes, fileName);
    std::string path;
    if (start == Start::Original) {
        if (Exists(original)) {
            path = original;
            result.version = Version::Original;
        } else if (Exists(highRes)) {
            path = highRes;
            result.version = Version::HighRes;
        } else {
            result.outcome = Outcome::NoOriginal;
            return result;
        }
    } else if (store.Saves(PhotoVersion::HighRes) && Exists(highRes)) {
        path = highRes;
        result.version = Version::HighRes;
    } else {
        path = store.PathOf(PhotoVersion::FullScreen, fileName);
        result.version = Version::FullScreen;
    }
    picture.LoadFile(path);
    result.outcome = picture.HasPicture() ? Outcome::Loaded : Outcome::Unreadable;
    return result;
}
