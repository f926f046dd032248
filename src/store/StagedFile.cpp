#include "store/StagedFile.h"

#include "imaging/ImagingErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

// The process's file-creation mask, read without changing it (umask() would change
// it for every thread for a moment).
mode_t CreationMask()
{
    static const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
        return static_cast<mode_t>(022);
    }();
    return mask;
}

} // namespace

StagedFile::~StagedFile() { Discard(); }

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_tempPath(std::exchange(other.m_tempPath, {})),
      m_fd(std::exchange(other.m_fd, -1)),
      m_flushCode(std::exchange(other.m_flushCode, -1))
{
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_target = std::move(other.m_target);
        m_tempPath = std::exchange(other.m_tempPath, {});
        m_fd = std::exchange(other.m_fd, -1);
        m_flushCode = std::exchange(other.m_flushCode, -1);
    }
    return *this;
}

int StagedFile::Stage(const std::string& target, std::span<const std::uint8_t> bytes)
{
    Discard();
    m_target = target;
    // Hidden and without the ".jpg" ending, so a crash never leaves something that
    // looks like a version.
    std::string pattern = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return img::kErrWriteFailed;
    m_tempPath = pattern;
    m_fd = fd;
    m_flushCode = -1;
    // mkstemp makes the file private; a version gets the mode a plain create gives.
    ::fchmod(fd, 0666 & ~CreationMask());
    if (!WriteAll(fd, bytes)) {
        Discard();
        return img::kErrWriteFailed;
    }
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    return img::kErrNone;
}

int StagedFile::Flush()
{
    if (m_flushCode >= 0) return m_flushCode;
    if (m_fd < 0) return img::kErrWriteFailed;
    // A full disk may show only now, when the data must find its blocks.
    const bool flushed = ::fsync(m_fd) == 0;
    const bool closed = ::close(std::exchange(m_fd, -1)) == 0;
    m_flushCode = flushed && closed ? img::kErrNone : img::kErrWriteFailed;
    return m_flushCode;
}

void StagedFile::Close()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

int StagedFile::Commit()
{
    if (!Staged()) return img::kErrWriteFailed;
    if (Flush() != img::kErrNone || std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        Discard();
        return img::kErrWriteFailed;
    }
    // The folder is not synced: atomicity needs only the file's data on disk before
    // the rename; after a crash the name holds the old picture or the new one.
    m_tempPath.clear();
    return img::kErrNone;
}

void StagedFile::Discard()
{
    Close();
    m_flushCode = -1;
    if (m_tempPath.empty()) return;
    ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}
