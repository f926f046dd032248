#include "store/PictureCopier.h"

#include "base/AtomicFile.h"
#include "base/FileOps.h"
#include "core/Prompter.h"
#include "store/PictureStore.h"

#include <array>

namespace {

// The order of the copies, and which failures are worth a question.
struct Step {
    PhotoVersion version;
    bool required;
};
constexpr std::array<Step, 4> kSteps = {{{PhotoVersion::FullScreen, true},
                                         {PhotoVersion::Thumbnail, true},
                                         {PhotoVersion::HighRes, false},
                                         {PhotoVersion::Original, false}}};

} // namespace

PictureCopier::PictureCopier(std::string fromDirectory, std::string toDirectory, Prompter& prompter,
                             TransferHost& host)
    : m_fromDirectory(std::move(fromDirectory)), m_toDirectory(std::move(toDirectory)),
      m_prompter(prompter), m_host(host)
{
}

PictureCopier::Outcome PictureCopier::CopyPhotoFiles(const std::string& fileName)
{
    for (const Step& step : kSteps) {
        const std::string from = PictureStore::VersionPath(m_fromDirectory, step.version, fileName);
        const std::string to = PictureStore::VersionPath(m_toDirectory, step.version, fileName);
        const TransferHost::CopyResult result = m_host.RunCopy(
            [&](const std::atomic<bool>& cancel) { return CopyFile(from, to, cancel); });
        if (result == TransferHost::CopyResult::Cancelled) return Outcome::Cancelled;
        if (result == TransferHost::CopyResult::Copied) {
            ++m_filesCopied;
        } else if (step.required &&
                   !m_prompter.AskOkCancel(FailureMessage(step.version, fileName))) {
            return Outcome::Cancelled;
        }
    }
    return Outcome::Done;
}

bool PictureCopier::Sync() const
{
    return m_filesCopied == 0 || FileOps::SyncFileSystemOf(m_toDirectory);
}

TransferHost::CopyResult PictureCopier::CopyFile(const std::string& from, const std::string& to,
                                                 const std::atomic<bool>& cancel)
{
    using Result = TransferHost::CopyResult;
    const FileDescriptor source = FileOps::OpenRegularFile(from);
    AtomicFile target;
    if (!source.IsOpen() || !target.Create(to)) return Result::Failed;
    switch (target.CopyFrom(source.Get(), &cancel)) {
    case AtomicFile::CopyOutcome::Done:
        break;
    case AtomicFile::CopyOutcome::Cancelled:
        return Result::Cancelled;
    case AtomicFile::CopyOutcome::Failed:
        return Result::Failed;
    }
    return target.CommitUnsynced(AtomicFile::Replace::Existing) ? Result::Copied : Result::Failed;
}

std::string PictureCopier::FailureMessage(PhotoVersion version, std::string_view fileName)
{
    return "Unable to copy " + std::string(fileName) + " to " +
           std::string(InfoOf(version).folderName) + " directory";
}
