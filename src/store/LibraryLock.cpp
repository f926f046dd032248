#include "store/LibraryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kRetryPause(50);

}  // namespace

LibraryLock::LibraryLock(State state, std::string lockPath, FileDescriptor file)
    : m_state(state), m_lockPath(std::move(lockPath)), m_file(std::move(file))
{
}

std::string LibraryLock::LockPathFor(const std::string& databasePath)
{
    std::error_code error;
    const fs::path target = fs::canonical(databasePath, error);
    return (error ? databasePath : target.string()) + ".lock";
}

std::string LibraryLock::InUseMessage(const std::string& databasePath)
{
    return "The library " + databasePath + " is open in another Quillery.";
}

LibraryLock LibraryLock::Take(const std::string& databasePath, std::chrono::milliseconds wait)
{
    std::string lockPath = LockPathFor(databasePath);
    // O_NOFOLLOW: a link planted under the lock's name must not make us create a
    // file wherever it points.
    FileDescriptor file(
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    // A lock file of another user's that we may only read is locked all the same: an
    // flock needs no write access.
    if (!file.IsOpen())
        file = FileDescriptor(::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!file.IsOpen())
        return LibraryLock(State::Unavailable, std::move(lockPath), FileDescriptor());

    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) == 0)
            return LibraryLock(State::Held, std::move(lockPath), std::move(file));
        if (errno != EWOULDBLOCK && errno != EINTR)
            return LibraryLock(State::Unavailable, std::move(lockPath), FileDescriptor());
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kRetryPause);
    }
    return LibraryLock(State::Busy, std::move(lockPath), FileDescriptor());
}

bool LibraryLock::Covers(const std::string& databasePath) const
{
    return Held() && m_lockPath == LockPathFor(databasePath);
}

LibraryLock LibraryLock::Share() const
{
    if (!Held()) return {};
    FileDescriptor copy(::fcntl(m_file.Get(), F_DUPFD_CLOEXEC, 0));
    if (!copy.IsOpen()) return {};
    return LibraryLock(State::Held, m_lockPath, std::move(copy));
}
