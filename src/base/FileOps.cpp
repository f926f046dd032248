#include "base/FileOps.h"

#include "base/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FileOps::FileContent;
using FileOps::Longer;
using FileOps::ReadError;
using FileOps::ReadResult;

ReadResult Failed(ReadError error)
{
    return {{}, error};
}

ReadResult ReadUpTo(const std::string& path, size_t limit, Longer longer)
{
    const FileDescriptor file = FileOps::OpenRegularFile(path);
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0) return Failed(ReadError::CannotOpen);
    const auto fileSize = static_cast<size_t>(status.st_size);
    if (fileSize > limit && longer == Longer::Refuse) return Failed(ReadError::TooLarge);

    // The size is a hint: the loop reads on until the end (or the limit) whatever the
    // file does meanwhile. One byte more than the limit tells a longer file apart.
    const size_t ceiling = longer == Longer::Refuse && limit < std::numeric_limits<size_t>::max()
                               ? limit + 1
                               : limit;
    size_t capacity = std::min(fileSize + 1, ceiling);
    ReadResult result{{std::make_unique_for_overwrite<char[]>(std::max<size_t>(capacity, 1)), 0},
                      ReadError::None};
    FileContent& content = result.content;
    while (content.size < ceiling) {
        if (content.size == capacity) {
            capacity = std::min(capacity * 2, ceiling);
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            std::memcpy(larger.get(), content.bytes.get(), content.size);
            content.bytes = std::move(larger);
        }
        const long got =
            FileOps::ReadSome(file.Get(), content.bytes.get() + content.size, capacity - content.size);
        if (got < 0) return Failed(ReadError::ReadFailed);
        if (got == 0) break;
        content.size += static_cast<size_t>(got);
    }
    if (content.size > limit) return Failed(ReadError::TooLarge);
    return result;
}

template <typename Bytes>
bool WriteEvery(int fd, Bytes data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data = data.subspan(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

namespace FileOps {

// A file too large for memory is one that cannot be read, not a crash.
ReadResult ReadFile(const std::string& path, size_t limit, Longer longer)
{
    try {
        return ReadUpTo(path, limit, longer);
    } catch (const std::bad_alloc&) {
        return Failed(ReadError::NoMemory);
    }
}

FileDescriptor OpenRegularFile(const std::string& path)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer that
    // may never come, before the check below could refuse it. It changes nothing for
    // the regular files that pass.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileDescriptor();
    return file;
}

long ReadSome(int fd, char* into, size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

bool WriteAll(int fd, std::string_view data)
{
    return WriteEvery(fd, std::span<const char>(data.data(), data.size()));
}

bool WriteAll(int fd, std::span<const std::uint8_t> data)
{
    return WriteEvery(fd, data);
}

bool RenameReplacing(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // link() never replaces either; only then is the old name dropped.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

bool SyncDirectoryOf(const std::string& path)
{
    const FileDescriptor directory(
        ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directory.IsOpen() && ::fsync(directory.Get()) == 0;
}

bool SyncFileSystemOf(const std::string& path)
{
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return file.IsOpen() && ::syncfs(file.Get()) == 0;
}

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Absolute(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool IsDirectory(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path.empty() ? std::string("/") : path, error);
}

}  // namespace FileOps
