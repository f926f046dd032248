#pragma once

#include "base/FileDescriptor.h"

#include <chrono>
#include <string>

// The lock that makes one program at a time the writer of a library: an flock on
// "NAME.pdb.lock" beside the database file. The kernel lets go of an flock when its
// holder ends, so a crash never leaves a stale lock. The lock is not on the database
// file itself because every save renames a new file into its place, and a lock on the
// old inode would not stop the next program from locking the new one. The lock file
// is empty, never renamed and never removed (removing it while another program waits
// on it would let two hold it), and its name does not end in ".pdb", so it is never
// taken for a library.
class LibraryLock {
public:
    enum class State {
        None,         // nothing asked for, or let go
        Held,         // this object holds the lock
        Busy,         // another program holds it
        Unavailable,  // the lock file cannot be made (a read-only folder): nobody can
                      // save there, so there is nothing to keep apart
    };

    LibraryLock() = default;

    // Takes the lock of the database file at `databasePath`, trying again until `wait`
    // has passed while another program holds it.
    static LibraryLock Take(const std::string& databasePath,
                            std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    State GetState() const { return m_state; }
    bool Held() const { return m_state == State::Held; }
    bool Busy() const { return m_state == State::Busy; }
    // The same library's lock: the path a Take of `databasePath` would lock.
    bool Covers(const std::string& databasePath) const;
    // A second holder of this lock (one lock, two descriptors): the lock stays taken
    // until both are gone. Lets a library be opened again over itself.
    LibraryLock Share() const;

    // "NAME.pdb.lock" beside the file a link at `databasePath` names, so that every
    // road to one library meets at one lock.
    static std::string LockPathFor(const std::string& databasePath);
    // The message of a library that another program has open.
    static std::string InUseMessage(const std::string& databasePath);

private:
    LibraryLock(State state, std::string lockPath, FileDescriptor file);

    State m_state = State::None;
    std::string m_lockPath;
    FileDescriptor m_file;
};
