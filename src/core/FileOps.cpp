#include "core/FileOps.h"

#include "core/FileDescriptor.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<FileOps::FileContent> ReadAll(const std::string& path)
{
    using FileOps::FileContent;
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.IsOpen()) return std::nullopt;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;

    // The size is a hint: the loop reads on until the end whatever the file does.
    size_t capacity = static_cast<size_t>(status.st_size) + 1;
    FileContent content{std::make_unique_for_overwrite<char[]>(capacity), 0};
    for (;;) {
        if (content.size == capacity) {
            capacity *= 2;
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            std::memcpy(larger.get(), content.bytes.get(), content.size);
            content.bytes = std::move(larger);
        }
        const ssize_t got = ::read(file.Get(), content.bytes.get() + content.size, capacity - content.size);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        content.size += static_cast<size_t>(got);
    }
    return content;
}

}  // namespace

namespace FileOps {

// A file too large for memory is one that cannot be read, not a crash.
std::optional<FileContent> ReadWholeFile(const std::string& path)
{
    try {
        return ReadAll(path);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
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

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace FileOps
