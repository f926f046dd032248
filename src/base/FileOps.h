#pragma once

#include "base/FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// The file-system steps every layer needs, on POSIX, each reporting success rather
// than throwing.
namespace FileOps {

// The bytes of a file, in a buffer that was never cleared first: for a large library,
// zeroing it would cost as much as reading it.
struct FileContent {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    std::string_view View() const { return {bytes.get(), size}; }
    std::span<const std::uint8_t> Bytes() const
    {
        return {reinterpret_cast<const std::uint8_t*>(bytes.get()), size};
    }
};

enum class ReadError { None, CannotOpen, ReadFailed, TooLarge, NoMemory };

// What a read gave: the content, or why there is none.
struct ReadResult {
    FileContent content;
    ReadError error = ReadError::None;
    explicit operator bool() const { return error == ReadError::None; }
};

// What a read does with a file longer than its limit.
enum class Longer { Refuse, Truncate };

// At most `limit` bytes of a regular file, read on to its end even when it grew after
// it was opened. A longer file fails with TooLarge, or gives its first `limit` bytes.
// Anything but a regular file (a folder, a FIFO, a device) fails with CannotOpen at
// once, without waiting for a writer.
ReadResult ReadFile(const std::string& path, size_t limit = std::numeric_limits<size_t>::max(),
                    Longer longer = Longer::Refuse);

// Opens a regular file for reading. Anything else (a folder, a FIFO, a device) gives a
// closed descriptor at once, without waiting for a writer.
FileDescriptor OpenRegularFile(const std::string& path);

// Reads what is there up to `size` bytes, going on after interrupts: the count, 0 at
// the end of the file, -1 on failure.
long ReadSome(int fd, char* into, size_t size);

// Writes every byte, going on after short writes and interrupts.
bool WriteAll(int fd, std::string_view data);
bool WriteAll(int fd, std::span<const std::uint8_t> data);

// Moves a file over whatever has the target name, in one step.
bool RenameReplacing(const std::string& from, const std::string& to);

// Moves a file, failing rather than replacing an existing target. Falls back to a
// hard link and unlink where the file system does not offer an atomic no-replace
// rename.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Makes renames and removals in the directory of `path` durable.
bool SyncDirectoryOf(const std::string& path);

// Writes everything cached for the file system holding `path` to disk: one wait for
// a whole batch of copies.
bool SyncFileSystemOf(const std::string& path);

// The directory part of a path ("." when there is none).
std::string DirectoryOf(const std::string& path);

// The last part of a path (the whole path when it has no '/').
std::string NameOf(const std::string& path);

// The path made absolute and normal ("a/../b" is "b"), or as given when that fails.
std::string Absolute(const std::string& path);

// Whether something stands at the path (links followed); false on any error.
bool Exists(const std::string& path);

// Whether the path names a folder (links followed); an empty path is the root, as the
// folder part of "/name" is.
bool IsDirectory(const std::string& path);

}  // namespace FileOps
