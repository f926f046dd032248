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
    : m_target(std::move(other.m_target)), m_tempPath(std::exchange(other.m_tempPath, {}))
{
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_target = std::move(other.m_target);
        m_tempPath = std::exchange(other.m_tempPath, {});
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
    // mkstemp makes the file private; a version gets the mode a plain create gives.
    ::fchmod(fd, 0666 & ~CreationMask());
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed) return img::kErrNone;
    Discard();
    return img::kErrWriteFailed;
}

int StagedFile::Commit()
{
    if (!Staged()) return img::kErrWriteFailed;
    if (std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
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
    if (m_tempPath.empty()) return;
    ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}
