#include "store/LibraryImporter.h"

#include "base/FileOps.h"
#include "core/CQuilleryDoc.h"
#include "core/NameKind.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/LibraryExporter.h"
#include "store/PictureCopier.h"
#include "store/PictureStore.h"
#include "store/TransferHost.h"

namespace {

enum class ReplaceMode { Ask, Replace, Keep };

// The record's ids as the open library numbers the same names. An id that names no
// entry of the imported list is dropped rather than carried over as a stranger's.
PhotoRecord Translated(const PhotoRecord& photo, const CQuilleryDoc& from, const CQuilleryDoc& to)
{
    PhotoRecord record(photo);
    for (const NameKind kind : kNameKinds) {
        PhotoRecord::IdList ids;
        ids.fill(-1);
        size_t used = 0;
        for (const int32_t id : photo.UsedIds(kind)) {
            if (!from.Names(kind).Contains(id)) continue;
            ids[used++] = to.FindName(kind, from.Names(kind).At(id));
        }
        record.SetIds(kind, ids);
    }
    return record;
}

} // namespace

LibraryImporter::Result LibraryImporter::Import(Library& library, const std::string& sourcePath,
                                                Prompter& prompter, TransferHost& host)
{
    Result result;
    const std::string libraryDirectory = library.Directory();
    const std::string otherDirectory = FileOps::DirectoryOf(FileOps::Absolute(sourcePath));
    ReplaceMode mode = otherDirectory == FileOps::Absolute(libraryDirectory) ? ReplaceMode::Keep
                                                                             : ReplaceMode::Ask;

    // A faulty file has shown its messages; what was read before the fault is imported.
    CQuilleryDoc imported;
    imported.ReadDatabase(sourcePath, prompter);

    // Every name is merged before any photo is looked at, even when no photo is added.
    for (const NameKind kind : kNameKinds) {
        const NameList& names = imported.Names(kind);
        for (int id = 0; id < names.Size(); ++id) {
            if (library.Catalog().FindName(kind, names.At(id)) >= 0) continue;
            library.AddName(kind, names.At(id));
            ++result.namesAdded;
        }
    }
    library.MarkModified();

    PictureCopier copier(otherDirectory, libraryDirectory, prompter, host);
    const auto finish = [&](Outcome outcome) {
        result.outcome = outcome;
        result.filesCopied = copier.FilesCopied();
        // The copies are made durable before the library can be saved naming them.
        if (!copier.Sync()) prompter.Message(LibraryExporter::kSyncFailedMessage);
        if (outcome == Outcome::Done) host.ClearProgress();
        return result;
    };
    const int count = imported.PhotoCount();
    for (int index = 0; index < count; ++index) {
        const PhotoRecord& photo = imported.PhotoAt(index);
        const std::string& fileName = photo.GetFileName();
        bool copy = true;
        bool skip = false;
        if (library.Catalog().FindPhotoByFileName(fileName) >= 0) {
            switch (prompter.AskYesNoCancel(kDuplicateQuestion)) {
            case PromptAnswer::Cancel:
                return finish(Outcome::Cancelled);
            case PromptAnswer::Yes:
                skip = true;
                copy = false;
                mode = ReplaceMode::Keep;
                break;
            default:
                break;
            }
        }
        host.ShowProgress(LibraryExporter::ProgressText(fileName), index, count);
        if (FileOps::Exists(
                PictureStore::VersionPath(libraryDirectory, PhotoVersion::FullScreen, fileName))) {
            if (mode == ReplaceMode::Ask) {
                switch (prompter.AskYesNoCancel(kReplaceQuestion)) {
                case PromptAnswer::Cancel:
                    return finish(Outcome::Cancelled);
                case PromptAnswer::No:
                    mode = ReplaceMode::Keep;
                    break;
                default:
                    mode = ReplaceMode::Replace;
                    break;
                }
            }
            if (mode == ReplaceMode::Keep) copy = false;
        }
        if (copy && copier.CopyPhotoFiles(fileName) == PictureCopier::Outcome::Cancelled)
            return finish(Outcome::Cancelled);
        if (skip) {
            ++result.photosSkipped;
            continue;
        }
        library.AddPhoto(Translated(photo, imported, library.Catalog()));
        ++result.photosAdded;
    }
    return finish(Outcome::Done);
}
