#include "base/AtomicFile.h"

#include "base/FileOps.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// mkstemp's unique part, six of [A-Za-z0-9] in glibc.
constexpr std::string_view kUniquePart = "XXXXXX";

bool IsLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The process's file-creation mask, read without changing it (umask() would change it
// for every thread for a moment).
mode_t CreationMask()
{
    static const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0)
                return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
        return static_cast<mode_t>(022);
    }();
    return mask;
}

}  // namespace

AtomicFile::~AtomicFile()
{
    Discard();
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_temporaryPath(std::exchange(other.m_temporaryPath, {})),
      m_file(std::move(other.m_file)),
      m_flushed(std::exchange(other.m_flushed, Flushed::Not)),
      m_sync(std::exchange(other.m_sync, Sync(SyncToDisk)))
{
}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_target = std::move(other.m_target);
        m_temporaryPath = std::exchange(other.m_temporaryPath, {});
        m_file = std::move(other.m_file);
        m_flushed = std::exchange(other.m_flushed, Flushed::Not);
        m_sync = std::exchange(other.m_sync, Sync(SyncToDisk));
    }
    return *this;
}

bool AtomicFile::Create(const std::string& target)
{
    Discard();
    std::string pattern = FileOps::DirectoryOf(target) + "/." + FileOps::NameOf(target) + '.' +
                          std::string(kUniquePart);
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // mkstemp makes the file private; the target gets the mode a plain create gives.
    ::fchmod(fd, 0666 & ~CreationMask());
    return Adopt(target, std::move(pattern), fd);
}

bool AtomicFile::IsTemporaryName(std::string_view name, std::string_view ending)
{
    const size_t fixed = 1 + ending.size() + 1 + kUniquePart.size();
    if (name.size() <= fixed || name.front() != '.') return false;
    const std::string_view unique = name.substr(name.size() - kUniquePart.size());
    const std::string_view middle = name.substr(name.size() - fixed + 1, ending.size() + 1);
    return middle.substr(0, ending.size()) == ending && middle.back() == '.' &&
           std::all_of(unique.begin(), unique.end(), IsLetterOrDigit);
}

bool AtomicFile::CreateAt(const std::string& target, const std::string& temporaryPath)
{
    Discard();
    // The temporary is always a file of our own, never one truncated in place: a
    // stale file (a crash's leftover) is removed first, and O_EXCL refuses whatever
    // still stands under the name, a link planted there above all, which must not make
    // us write wherever it points.
    struct stat status {};
    if (::lstat(temporaryPath.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        ::unlink(temporaryPath.c_str());
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    return Adopt(target, temporaryPath, fd);
}

bool AtomicFile::TakeAccessOf(const std::string& existing)
{
    struct stat status {};
    if (::stat(existing.c_str(), &status) != 0) return true;
    if (!m_file.IsOpen()) return false;
    // Only a member of the group (or root) may hand the file to it; otherwise the new
    // file keeps the user's group, and the mode below still keeps others out. The
    // group goes first, as a change of owner may clear the set-group-id bit.
    if (::fchown(m_file.Get(), static_cast<uid_t>(-1), status.st_gid) != 0) {
        // Not a failure: see above.
    }
    return ::fchmod(m_file.Get(), status.st_mode & 07777) == 0;
}

bool AtomicFile::Adopt(const std::string& target, std::string temporaryPath, int fd)
{
    m_target = target;
    m_temporaryPath = std::move(temporaryPath);
    m_file = FileDescriptor(fd);
    m_flushed = Flushed::Not;
    return true;
}

bool AtomicFile::Write(std::string_view bytes)
{
    if (!m_file.IsOpen() || !FileOps::WriteAll(m_file.Get(), bytes)) return FailWrite();
    return true;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes)
{
    if (!m_file.IsOpen() || !FileOps::WriteAll(m_file.Get(), bytes)) return FailWrite();
    return true;
}

// A half-written temporary helps nobody and may hold the last free space.
bool AtomicFile::FailWrite()
{
    Discard();
    return false;
}

AtomicFile::CopyOutcome AtomicFile::CopyFrom(int sourceFd, const std::atomic<bool>* cancel)
{
    if (!m_file.IsOpen()) return CopyOutcome::Failed;
    // Chunks bound how long a cancel waits; large enough that the kernel's copy keeps
    // its speed.
    constexpr size_t kChunk = size_t{8} << 20;
    const auto cancelled = [cancel] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    const auto fail = [this](CopyOutcome outcome) {
        Discard();
        return outcome;
    };
    bool kernelCopy = true;
    std::unique_ptr<char[]> buffer;
    constexpr size_t kBuffer = size_t{1} << 20;
    for (;;) {
        if (cancelled()) return fail(CopyOutcome::Cancelled);
        if (kernelCopy) {
            const ssize_t copied =
                ::copy_file_range(sourceFd, nullptr, m_file.Get(), nullptr, kChunk, 0);
            if (copied > 0) continue;
            if (copied == 0) return CopyOutcome::Done;
            if (errno == EINTR) continue;
            // Across file systems on older kernels, or where the file system has no
            // copy of its own: the plain loop serves. Nothing was written by the call.
            if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL &&
                errno != EBADF)
                return fail(CopyOutcome::Failed);
            kernelCopy = false;
            buffer = std::make_unique<char[]>(kBuffer);
        }
        const long got = FileOps::ReadSome(sourceFd, buffer.get(), kBuffer);
        if (got < 0) return fail(CopyOutcome::Failed);
        if (got == 0) return CopyOutcome::Done;
        if (!FileOps::WriteAll(m_file.Get(),
                               std::string_view(buffer.get(), static_cast<size_t>(got))))
            return fail(CopyOutcome::Failed);
    }
}

void AtomicFile::StartWriteBack() const
{
    if (m_file.IsOpen()) ::sync_file_range(m_file.Get(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool AtomicFile::SyncToDisk(int fd, const std::string&)
{
    return ::fsync(fd) == 0;
}

bool AtomicFile::Flush()
{
    if (m_flushed != Flushed::Not) return m_flushed == Flushed::Ok;
    if (!m_file.IsOpen()) return false;
    const bool synced = m_sync(m_file.Get(), m_temporaryPath);
    // On some file systems the last write error shows up only at the close.
    const bool closed = m_file.Close();
    m_flushed = synced && closed ? Flushed::Ok : Flushed::Failed;
    return m_flushed == Flushed::Ok;
}

bool AtomicFile::Commit(Replace replace, FolderSync sync)
{
    return Commit(replace == Replace::Existing ? Move(FileOps::RenameReplacing)
                                               : Move(FileOps::RenameNoReplace),
                  sync);
}

bool AtomicFile::Commit(const Move& move, FolderSync sync)
{
    if (!Staged() || !Flush() || !move(m_temporaryPath, m_target)) {
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    // A failed folder sync changes nothing the caller could act on: the rename is done.
    if (sync == FolderSync::Sync) FileOps::SyncDirectoryOf(m_target);
    return true;
}

bool AtomicFile::CommitUnsynced(Replace replace)
{
    const bool closed = Staged() && m_file.Close();
    const bool moved = closed && (replace == Replace::Existing
                                      ? FileOps::RenameReplacing(m_temporaryPath, m_target)
                                      : FileOps::RenameNoReplace(m_temporaryPath, m_target));
    if (!moved) {
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    return true;
}

void AtomicFile::Discard()
{
    m_file.Close();
    m_flushed = Flushed::Not;
    if (m_temporaryPath.empty()) return;
    ::unlink(m_temporaryPath.c_str());
    m_temporaryPath.clear();
}
