#pragma once

#include "base/FileDescriptor.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// A file written completely under a temporary name beside its target, flushed to disk
// and only then renamed to the target's name, so that a crash, a full disk or a failed
// write at any moment leaves either the old file or the new one. Until Commit the
// target is untouched; a temporary that is never committed is removed when this
// object goes (or at Discard, or when a step fails).
//
// Writing and committing may be far apart: a caller can stage several files, flush
// them side by side from different threads (one journal commit serves them all) and
// commit each in its turn.
class AtomicFile {
public:
    enum class Replace { Existing, Never };
    // Version files skip the folder sync: their atomicity needs only the data on disk
    // before the rename, and after a crash the name holds the old file or the new one.
    enum class FolderSync { Sync, Skip };
    // Copies taken whole from their source skip the data sync: the caller syncs the
    // file system once after a batch (FileOps::SyncFileSystemOf) before anything names
    // them, which costs far less than a sync per file.
    enum class DataSync { Now, Deferred };
    enum class CopyOutcome { Done, Failed, Cancelled };
    // The rename a commit makes, for callers that route it through their own step.
    using Move = std::function<bool(const std::string& from, const std::string& to)>;
    // Waits until the temporary's data is on disk (fsync unless replaced); false when it
    // could not be. Tests replace it to see a failed sync, which no real disk gives on
    // demand, and the order of syncs and renames.
    using Sync = std::function<bool(int fd, const std::string& temporaryPath)>;
    static bool SyncToDisk(int fd, const std::string& temporaryPath);

    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates a hidden temporary with a unique name beside the target (".name.XXXXXX",
    // without the target's ending, so a crash never leaves a look-alike of the target),
    // with the mode a plain create gives. False when the folder cannot take it.
    bool Create(const std::string& target);
    // True when `name` is one Create gives the temporary of a target whose name ends
    // in `ending` (".jpg"): '.', a non-empty name, `ending`, '.' and six letters or
    // digits. For removing what a killed writer left; nothing else matches.
    static bool IsTemporaryName(std::string_view name, std::string_view ending);
    // Creates the temporary anew under a name the caller chose, removing a stale file
    // of that name (never truncating it) and refusing a link planted there. The caller
    // must make the name its own (the database writer runs under the library's lock):
    // a file that another writer is still filling would be removed.
    bool CreateAt(const std::string& target, const std::string& temporaryPath);

    // Gives the temporary the permission bits, and where the user may the group, of
    // the existing file it is to replace, so that a save never opens a private file to
    // others. True when there is no such file; false when the mode could not be set.
    bool TakeAccessOf(const std::string& existing);

    // Appends bytes; on failure (a full disk, say) the temporary is removed.
    bool Write(std::string_view bytes);
    bool Write(std::span<const std::uint8_t> bytes);
    // Appends the rest of an open file, by the kernel's copy where both file systems
    // allow it and by reading and writing where not. Checks `cancel` between chunks;
    // on failure or cancel the temporary is removed.
    CopyOutcome CopyFrom(int sourceFd, const std::atomic<bool>* cancel = nullptr);
    // Starts writing the data back without waiting, so a later Flush waits less.
    void StartWriteBack() const;
    // Makes Flush wait through `sync` instead; kept across Create and Discard.
    void SyncThrough(Sync sync) { m_sync = std::move(sync); }
    // Waits until the data is on disk and closes the file; a full disk may show only
    // now. The outcome is kept: a second call returns it at once.
    bool Flush();
    // Flushes (unless done), renames the temporary to the target and syncs the folder.
    // On failure the temporary is removed and the target is as it was.
    bool Commit(Replace replace, FolderSync sync = FolderSync::Sync);
    // Closes without waiting for the disk (a close may still report a late write
    // error), then renames; see DataSync::Deferred.
    bool CommitUnsynced(Replace replace);
    bool Commit(const Move& move, FolderSync sync = FolderSync::Sync);
    // Removes the temporary, if any.
    void Discard();

    bool Staged() const { return !m_temporaryPath.empty(); }
    const std::string& Target() const { return m_target; }
    const std::string& TemporaryPath() const { return m_temporaryPath; }

private:
    enum class Flushed { Not, Ok, Failed };

    bool Adopt(const std::string& target, std::string temporaryPath, int fd);
    bool FailWrite();

    std::string m_target;
    std::string m_temporaryPath;
    FileDescriptor m_file;
    Flushed m_flushed = Flushed::Not;
    Sync m_sync = SyncToDisk;
};
