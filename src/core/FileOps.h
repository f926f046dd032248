#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The few file-system steps the database file needs, on POSIX, each reporting
// success rather than throwing.
namespace FileOps {

// The bytes of a whole file, in a buffer that was never cleared first: for a large
// library, zeroing it would cost as much as reading it.
struct FileContent {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    std::string_view View() const { return {bytes.get(), size}; }
};

// The whole content of a regular file; nothing when it cannot be opened or read.
std::optional<FileContent> ReadWholeFile(const std::string& path);

// Writes every byte, going on after short writes and interrupts.
bool WriteAll(int fd, std::string_view data);

// Moves a file, failing rather than replacing an existing target. Falls back to a
// hard link and unlink where the file system does not offer an atomic no-replace
// rename.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Makes renames and removals in the directory of `path` durable.
bool SyncDirectoryOf(const std::string& path);

// The directory part of a path ("." when there is none).
std::string DirectoryOf(const std::string& path);

}  // namespace FileOps
