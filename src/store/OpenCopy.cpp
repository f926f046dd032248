#include "store/OpenCopy.h"

#include "base/AtomicFile.h"
#include "base/FileDescriptor.h"
#include "base/FileOps.h"
#include "store/LibraryRecovery.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>

namespace {

// Copied in pieces, so a large library never needs a second buffer of its size.
constexpr size_t kPieceSize = 1 << 20;

// The temporary of a copy whose open was killed stays hidden beside the library for
// good. Only this library's own is removed: another library of the folder may be
// making its copy right now under its own lock.
void RemoveKilledCopy(const std::string& copyPath)
{
    namespace fs = std::filesystem;
    // Appended rather than added up: GCC 12 warns wrongly (-Wrestrict) on "." + name + ".".
    std::string prefix = ".";
    prefix += FileOps::NameOf(copyPath);
    prefix += '.';
    std::error_code error;
    for (fs::directory_iterator it(FileOps::DirectoryOf(copyPath), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code statusError;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            AtomicFile::IsTemporaryName(name, "~") &&
            fs::is_regular_file(it->symlink_status(statusError)))
            ::unlink(it->path().c_str());
    }
}

} // namespace

std::string OpenCopy::PathOf(const std::string& databasePath)
{
    return databasePath + '~';
}

bool OpenCopy::Make(const std::string& path)
{
    const std::string file = LibraryRecovery(path).DatabasePath();
    const FileDescriptor source(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!source.IsOpen() || ::fstat(source.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const std::string copyPath = PathOf(file);
    RemoveKilledCopy(copyPath);
    AtomicFile copy;
    if (!copy.Create(copyPath) || !copy.TakeAccessOf(file)) return false;
    const auto piece = std::make_unique<char[]>(kPieceSize);
    for (;;) {
        const ssize_t got = ::read(source.Get(), piece.get(), kPieceSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        if (!copy.Write(std::string_view(piece.get(), static_cast<size_t>(got)))) return false;
    }
    // The copy needs its data on disk before it takes the name, not the folder synced:
    // after a crash the name holds the old copy or the new one.
    if (!copy.Commit(AtomicFile::Replace::Existing, AtomicFile::FolderSync::Skip)) return false;
    // The file's own time, not the open's: the recovery orders leftovers by time and
    // says when each was written, and the copy is never newer than a save's backup.
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::utimensat(AT_FDCWD, copyPath.c_str(), times, AT_SYMLINK_NOFOLLOW);
    return true;
}
