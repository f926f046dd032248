#include "store/StagingLeftovers.h"

#include "base/AtomicFile.h"
#include "store/VersionTable.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The ending PictureStore::VersionPath gives every version file.
constexpr std::string_view kVersionEnding = ".jpg";

} // namespace

int StagingLeftovers::Remove(const std::string& libraryDirectory)
{
    int removed = 0;
    for (const VersionInfo& info : kVersionTable) {
        // A picture folder that is itself a link is followed, as the add pipeline
        // writes through it; the entries inside never are.
        const fs::path folder = fs::path(libraryDirectory) / info.folderName;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            std::error_code statusError;
            if (!AtomicFile::IsTemporaryName(name, kVersionEnding) ||
                !fs::is_regular_file(it->symlink_status(statusError)))
                continue;
            if (::unlink(it->path().c_str()) == 0) ++removed;
        }
    }
    return removed;
}
