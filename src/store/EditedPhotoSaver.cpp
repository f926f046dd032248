#include "store/EditedPhotoSaver.h"

#include "core/Settings.h"
#include "imaging/Picture.h"
#include "store/PictureStore.h"
#include "store/VersionWriter.h"

#include <filesystem>
#include <system_error>

std::vector<VersionFailure> EditedPhotoSaver::Save(const PictureStore& store,
                                                   const Settings& settings,
                                                   const std::string& fileName,
                                                   PhotoEditSource::Version source, Picture& edited,
                                                   const Picture& unedited)
{
    std::vector<VersionFailure> failures;
    const auto save = [&](PhotoVersion version, Picture& picture) {
        if (auto failure = store.SaveVersion(version, picture, fileName))
            failures.push_back(*failure);
    };
    if (source != PhotoEditSource::Version::FullScreen &&
        settings.GetInt(SettingsKeys::ModifyHighResOnEdit.name,
                        SettingsKeys::ModifyHighResOnEdit.defaultValue) != 0) {
        save(PhotoVersion::HighRes, edited);
        std::error_code error;
        if (!std::filesystem::exists(store.PathOf(PhotoVersion::Original, fileName), error)) {
            // The original keeps its own size, so the unedited picture is written as it
            // stands, without the copy a fitting writer would need.
            const int code = VersionWriter::Stage(unedited, store.Quality(PhotoVersion::Original),
                                                  store.PathOf(PhotoVersion::Original, fileName),
                                                  store.SyncStep())
                                 .Commit();
            if (code != 0)
                failures.push_back({PhotoVersion::Original, VersionFailure::Step::Write, code});
        }
    }
    save(PhotoVersion::FullScreen, edited);
    save(PhotoVersion::Thumbnail, edited);
    return failures;
}
