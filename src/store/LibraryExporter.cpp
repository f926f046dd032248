#include "store/LibraryExporter.h"

#include "base/FileDescriptor.h"
#include "base/FileOps.h"
#include "core/CQuilleryDoc.h"
#include "core/NameKind.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/LibraryLock.h"
#include "store/PictureCopier.h"
#include "store/TransferHost.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The same file by identity, so that another spelling of the path or a link to it is
// caught too.
bool SameFile(const std::string& first, const std::string& second)
{
    struct stat a {};
    struct stat b {};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0)
        return FileOps::Absolute(first) == FileOps::Absolute(second);
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::string LibraryExporter::ProgressText(std::string_view fileName)
{
    return "Files for " + std::string(fileName) + " being copied";
}

LibraryExporter::Outcome LibraryExporter::Export(const Library& library,
                                                 const std::vector<const PhotoRecord*>& photos,
                                                 const std::string& targetPath, Prompter& prompter,
                                                 TransferHost& host)
{
    // Emptied and written with the exported photos only, the open library would lose
    // every other photo at its next open.
    if (SameFile(targetPath, library.Path())) {
        prompter.Message(kOwnDatabaseMessage);
        return Outcome::OwnDatabase;
    }
    const std::string target = FileOps::Absolute(targetPath);
    const std::string otherDirectory = FileOps::DirectoryOf(target);
    const bool copyPictures = otherDirectory != FileOps::Absolute(library.Directory());
    if (copyPictures && !Library::CheckPictureFolders(otherDirectory, prompter))
        return Outcome::FoldersDeclined;
    // The target is written under its lock, so that no program saves it meanwhile.
    const LibraryLock lock = LibraryLock::Take(target);
    if (lock.Busy()) {
        prompter.Message(LibraryLock::InUseMessage(target));
        return Outcome::Failed;
    }
    if (!FileOps::Exists(target)) {
        const FileDescriptor created(::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
        if (!created.IsOpen()) {
            prompter.Message("Unable to create " + target);
            return Outcome::Failed;
        }
    }

    CQuilleryDoc exported;
    PictureCopier copier(library.Directory(), otherDirectory, prompter, host);
    const int count = static_cast<int>(photos.size());
    for (int index = 0; index < count; ++index) {
        const PhotoRecord& photo = *photos[static_cast<size_t>(index)];
        host.ShowProgress(ProgressText(photo.GetFileName()), index, count);
        if (copyPictures &&
            copier.CopyPhotoFiles(photo.GetFileName()) == PictureCopier::Outcome::Cancelled)
            return Outcome::Cancelled;
        exported.AddPhoto(photo);
    }
    // Every name goes along, so each id of the copied photos keeps its meaning.
    for (const NameKind kind : kNameKinds) {
        const NameList& names = library.Catalog().Names(kind);
        for (int id = 0; id < names.Size(); ++id)
            exported.AddName(kind, names.At(id));
    }
    // The database must never name a picture that a power cut could still take back.
    if (!copier.Sync()) {
        prompter.Message(kSyncFailedMessage);
        return Outcome::Failed;
    }
    if (!exported.WriteDatabase(target, prompter)) return Outcome::Failed;
    host.ClearProgress();
    return Outcome::Done;
}
