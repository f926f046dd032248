#include "store/Library.h"

#include "base/FileDescriptor.h"
#include "base/FileOps.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/OpenCopy.h"
#include "store/PictureStore.h"
#include "store/StagingLeftovers.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <future>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Version = PictureStore::Version;

// Checked in this order, created in the other.
constexpr std::array kCheckedFolders = {Version::FullScreen, Version::HighRes, Version::Original,
                                        Version::Thumbnail};
constexpr std::array kCreatedFolders = {Version::FullScreen, Version::Thumbnail, Version::HighRes,
                                        Version::Original};

// What an open under the lock does beside reading, given the staged versions found in
// the picture folders.
void KeepHouseWith(const std::string& path, const std::vector<std::string>& staged)
{
    // The copy is a convenience beside the saves' own safety: a folder that cannot
    // take it (a full disk, say) shows at the next save anyway, so its failure neither
    // stops the open nor interrupts the user.
    OpenCopy::Make(path);
    // Staged versions of an add that was killed: no add runs elsewhere while the lock
    // is held, and this program adds nothing during an open. Their removal is not
    // told; nothing of the library was in them.
    StagingLeftovers::RemoveFound(staged);
}

constexpr std::string_view kCreateFoldersQuestion =
    "One or more subdirectories do not exist\nCreate these directories now?";
constexpr std::string_view kOpenReadOnlyQuestion = "\nOpen it read-only?";
constexpr std::string_view kReadOnlyNotSaved = " is open read-only and cannot be saved.";

std::string FolderPath(const std::string& directory, Version version)
{
    return directory + '/' + std::string(PictureStore::FolderName(version));
}

// A library named relative to the working directory keeps working after the
// directory changes, and its pictures are never looked for at the file system's root.
std::string Absolute(const std::string& path)
{
    return FileOps::Absolute(path);
}

// An empty database file, never made over an existing one.
bool CreateEmptyFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    return file.IsOpen() && file.Close();
}

}  // namespace

Library::Library(QObject* parent) : QObject(parent), m_catalog(std::make_unique<CQuilleryDoc>()) {}

Library::~Library() = default;

std::string Library::Directory() const
{
    return Path().empty() ? std::string() : FileOps::DirectoryOf(Path());
}

std::string Library::FileName() const
{
    return FileOps::NameOf(Path());
}

bool Library::PictureFoldersExist(const std::string& directory)
{
    return std::all_of(kCheckedFolders.begin(), kCheckedFolders.end(), [&](Version version) {
        return FileOps::IsDirectory(FolderPath(directory, version));
    });
}

bool Library::CreatePictureFolders(const std::string& directory)
{
    for (const Version version : kCreatedFolders) {
        std::error_code ignored;
        fs::create_directory(FolderPath(directory, version), ignored);
    }
    return PictureFoldersExist(directory);
}

bool Library::CheckPictureFolders(const std::string& directory, Prompter& prompter)
{
    if (PictureFoldersExist(directory)) return true;
    if (!prompter.AskOkCancel(kCreateFoldersQuestion)) return false;
    CreatePictureFolders(directory);
    return true;
}

Library::Outcome Library::Open(const std::string& path, Prompter& prompter)
{
    auto catalog = std::make_unique<CQuilleryDoc>();
    const std::string absolute = Absolute(path);
    LibraryLock lock = LockFor(absolute);
    const std::string question =
        LibraryLock::InUseMessage(absolute) + std::string(kOpenReadOnlyQuestion);
    if (lock.Busy() && !prompter.AskYesNo(question)) return Outcome::Locked;
    // Leftovers are mended only under the lock: those of a library open elsewhere may
    // belong to a save that is running now.
    if (!lock.Busy() && !MendLeftovers(absolute, prompter, LibraryRecovery::Asking::Always)) {
        return Outcome::NotRecovered;
    }
    const Access access = lock.Busy() ? Access::ReadOnly : Access::ReadWrite;
    // The picture folders of a big library hold hundreds of thousands of entries, which
    // take as long to list as the database takes to read: they are searched meanwhile.
    // Nothing is removed unless the open succeeds.
    std::future<std::vector<std::string>> staged;
    if (access == Access::ReadWrite)
        staged =
            std::async(std::launch::async, StagingLeftovers::Find, FileOps::DirectoryOf(absolute));
    if (!catalog->ReadDatabase(absolute, prompter)) return Outcome::ReadFailed;
    if (!CheckPictureFolders(FileOps::DirectoryOf(absolute), prompter)) return Outcome::FoldersDeclined;
    if (access == Access::ReadWrite) KeepHouseWith(absolute, staged.get());
    Replace(std::move(catalog), true, std::move(lock), access);
    return Outcome::Done;
}

Library::Outcome Library::Create(const std::string& path, Prompter& prompter)
{
    const std::string absolute = Absolute(path);
    LibraryRecovery::Result recovered = LibraryRecovery::Result::NothingFound;
    {
        // Leftovers are looked at under the lock; Open takes it again for itself.
        const LibraryLock lock = LockFor(absolute);
        if (lock.Busy()) return Outcome::Locked;
        recovered = RecoverMissingFile(absolute, prompter, LibraryRecovery::Asking::Always);
    }
    switch (recovered) {
    case LibraryRecovery::Result::NothingFound: break;
    case LibraryRecovery::Result::Recovered: return Open(absolute, prompter);
    case LibraryRecovery::Result::NotRecovered: return Outcome::NotRecovered;
    }
    if (!CheckPictureFolders(FileOps::DirectoryOf(absolute), prompter)) return Outcome::FoldersDeclined;
    LibraryLock lock = LockFor(absolute);
    if (lock.Busy()) return Outcome::Locked;
    if (!CreateEmptyFile(absolute)) return Outcome::CannotCreate;
    auto catalog = std::make_unique<CQuilleryDoc>();
    catalog->SetPath(absolute);
    catalog->SetUntitled(false);
    Replace(std::move(catalog), true, std::move(lock));
    return Outcome::Done;
}

Library::Outcome Library::OpenOrCreate(const std::string& path, Prompter& prompter,
                                       std::chrono::milliseconds lockWait)
{
    const std::string absolute = Absolute(path);
    // Taken before the file is looked at, so that two programs never both create it
    // or read it half-way through the other's save, nor mend what the other writes.
    LibraryLock lock = LockFor(absolute, lockWait);
    if (lock.Busy()) return Outcome::Locked;
    if (!MendLeftovers(absolute, prompter, LibraryRecovery::Asking::UnlessSoleComplete))
        return Outcome::NotRecovered;
    if (!FileOps::Exists(absolute) && !CreateEmptyFile(absolute)) return Outcome::CannotCreate;
    auto catalog = std::make_unique<CQuilleryDoc>();
    if (!catalog->ReadDatabase(absolute, prompter)) return Outcome::ReadFailed;
    if (!CreatePictureFolders(FileOps::DirectoryOf(absolute))) return Outcome::FoldersDeclined;
    KeepHouse(absolute);
    Replace(std::move(catalog), true, std::move(lock));
    return Outcome::Done;
}

void Library::Close()
{
    Replace(std::make_unique<CQuilleryDoc>(), false);
}

void Library::Replace(std::unique_ptr<CQuilleryDoc> catalog, bool open, LibraryLock lock,
                      Access access)
{
    Q_EMIT aboutToReplace();
    m_catalog = std::move(catalog);
    m_lock = std::move(lock);
    m_open = open;
    m_readOnly = open && access == Access::ReadOnly;
    Q_EMIT replaced();
}

LibraryRecovery::Result Library::RecoverMissingFile(const std::string& path, Prompter& prompter,
                                                    LibraryRecovery::Asking asking)
{
    LibraryRecovery recovery(path);
    const LibraryRecovery::Result result = recovery.RecoverMissing(prompter, asking);
    for (const std::string& note : recovery.Notes()) Q_EMIT leftoversMended(note);
    return result;
}

bool Library::MendLeftovers(const std::string& path, Prompter& prompter, LibraryRecovery::Asking asking)
{
    if (RecoverMissingFile(path, prompter, asking) == LibraryRecovery::Result::NotRecovered) return false;
    // The backup a cut-short save left beside the file just taken is stale now too.
    MoveStaleBackupAside(path);
    return true;
}

void Library::MoveStaleBackupAside(const std::string& path)
{
    LibraryRecovery recovery(path);
    if (recovery.MoveStaleBackupAside()) Q_EMIT leftoversMended(recovery.Notes().front());
}

void Library::KeepHouse(const std::string& path)
{
    KeepHouseWith(path, StagingLeftovers::Find(FileOps::DirectoryOf(path)));
}

LibraryLock Library::LockFor(const std::string& path, std::chrono::milliseconds wait) const
{
    // A second lock of our own would find the library busy.
    if (m_lock.Covers(path)) return m_lock.Share();
    return LibraryLock::Take(path, wait);
}

bool Library::RefuseReadOnly(Prompter& prompter) const
{
    if (!m_readOnly) return false;
    prompter.Message(FileName() + std::string(kReadOnlyNotSaved));
    return true;
}

bool Library::Save(Prompter& prompter)
{
    if (RefuseReadOnly(prompter)) return false;
    MoveStaleBackupAside(Path());
    return m_catalog->WriteDatabase(Path(), prompter);
}

bool Library::SaveAs(const std::string& path, Prompter& prompter)
{
    // The writer moves an existing database aside before it puts the new one in
    // place; an existing file is left as it is for that, since emptying it first
    // would lose the library on disk if the write then failed.
    if (RefuseReadOnly(prompter)) return false;
    // The new name is the library's from now on, so its lock is taken first.
    LibraryLock lock = LockFor(path);
    if (lock.Busy()) {
        prompter.Message(LibraryLock::InUseMessage(path));
        return false;
    }
    if (!FileOps::Exists(path)) CreateEmptyFile(path);
    MoveStaleBackupAside(path);
    if (!m_catalog->WriteDatabase(path, prompter)) return false;
    m_lock = std::move(lock);
    Q_EMIT pathChanged();
    return true;
}

PhotoRecord& Library::Writable(const PhotoRecord& photo)
{
    // Only records of this catalog are ever handed out, so the cast gives back
    // access the library had all along.
    return const_cast<PhotoRecord&>(photo);
}

PhotoRecord& Library::AddPhoto(const PhotoRecord& record)
{
    PhotoRecord& added = m_catalog->PhotoAt(m_catalog->AddPhoto(record));
    m_catalog->SetModified(true);
    Q_EMIT photoAdded(&added);
    return added;
}

void Library::ChangePhoto(const PhotoRecord& photo, const PhotoRecord& values)
{
    PhotoRecord& record = Writable(photo);
    const std::string fileName = record.GetFileName();
    record = values;
    record.SetFileName(fileName);
    m_catalog->SetModified(true);
    Q_EMIT photoChanged(&record);
}

void Library::PicturesChanged(const PhotoRecord& photo)
{
    Q_EMIT photoChanged(&photo);
}

void Library::RemovePhoto(const PhotoRecord& photo)
{
    for (int index = 0; index < m_catalog->PhotoCount(); ++index) {
        if (&m_catalog->PhotoAt(index) != &photo) continue;
        Q_EMIT photoAboutToBeRemoved(&photo);
        m_catalog->RemovePhoto(index);
        m_catalog->SetModified(true);
        Q_EMIT photoRemoved();
        return;
    }
}

int Library::AddName(NameKind kind, std::string name)
{
    const int id = m_catalog->AddName(kind, std::move(name));
    m_catalog->SetModified(true);
    Q_EMIT namesChanged(kind);
    return id;
}

void Library::ReplaceName(NameKind kind, int id, std::string name)
{
    m_catalog->ReplaceName(kind, id, std::move(name));
    m_catalog->SetModified(true);
    Q_EMIT namesChanged(kind);
}
