#include "imaging/FileBytes.h"

#include "imaging/ImagingErrors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace img {

namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{2} << 30;

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

std::string TemporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

} // namespace

std::optional<std::vector<std::uint8_t>> FileBytes::Read(const std::string& path)
{
    return Read(path, kMaxFileBytes + 1);
}

std::optional<std::vector<std::uint8_t>> FileBytes::Read(const std::string& path,
                                                         std::size_t limit)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        SetLastError(kErrCannotOpen);
        return std::nullopt;
    }
    const auto fileSize = static_cast<std::size_t>(info.st_size);
    if (fileSize > kMaxFileBytes && limit > kMaxFileBytes) {
        SetLastError(kErrTooLarge);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(std::min(fileSize, limit));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            SetLastError(kErrReadFailed);
            return std::nullopt;
        }
        if (got == 0) break; // the file shrank while we read: take what is there
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    SetLastError(kErrNone);
    return bytes;
}

bool FileBytes::WriteReplacing(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string temporary = TemporaryNameFor(path);
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.Get() < 0) {
        SetLastError(kErrWriteFailed);
        return false;
    }
    const bool written = WriteAll(file.Get(), bytes);
    const bool closed = file.Close();
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        SetLastError(kErrWriteFailed);
        return false;
    }
    SetLastError(kErrNone);
    return true;
}

} // namespace img
