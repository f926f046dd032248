#include "store/StagingLeftovers.h"

#include "base/AtomicFile.h"
#include "store/VersionTable.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string_view>

namespace {

// The ending PictureStore::VersionPath gives every version file.
constexpr std::string_view kVersionEnding = ".jpg";

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

bool IsRegularFile(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

int StagingLeftovers::Remove(const std::string& libraryDirectory)
{
    return RemoveFound(Find(libraryDirectory));
}

std::vector<std::string> StagingLeftovers::Find(const std::string& libraryDirectory)
{
    std::vector<std::string> found;
    for (const VersionInfo& info : kVersionTable) {
        // A picture folder that is itself a link is followed, as the add pipeline
        // writes through it; the entries inside never are.
        const std::string folder = libraryDirectory + '/' + std::string(info.folderName);
        const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(folder.c_str()));
        if (!directory) continue;
        // Plain readdir, and the name looked at before anything is made of it: a
        // folder of 100,000 photos holds only their versions.
        while (const dirent* entry = ::readdir(directory.get())) {
            const std::string_view name(entry->d_name);
            if (!AtomicFile::IsTemporaryName(name, kVersionEnding)) continue;
            std::string path = folder + '/' + std::string(name);
            const bool regular =
                entry->d_type == DT_REG || (entry->d_type == DT_UNKNOWN && IsRegularFile(path));
            if (regular) found.push_back(std::move(path));
        }
    }
    return found;
}

int StagingLeftovers::RemoveFound(const std::vector<std::string>& paths)
{
    int removed = 0;
    for (const std::string& path : paths)
        if (IsRegularFile(path) && ::unlink(path.c_str()) == 0) ++removed;
    return removed;
}
