#include "imaging/FileBytes.h"

namespace img {

namespace {
constexpr std::size_t kMaxFileBytes = std::size_t{2} << 30;
} // namespace

FileOps::ReadResult FileBytes::Read(const std::string& path)
{
    return FileOps::ReadFile(path, kMaxFileBytes, FileOps::Longer::Refuse);
}

FileOps::ReadResult FileBytes::Read(const std::string& path, std::size_t limit)
{
    return FileOps::ReadFile(path, limit, FileOps::Longer::Truncate);
}

ErrorCode FileBytes::Code(FileOps::ReadError error)
{
    switch (error) {
    case FileOps::ReadError::None: return kErrNone;
    case FileOps::ReadError::CannotOpen: return kErrCannotOpen;
    case FileOps::ReadError::ReadFailed: return kErrReadFailed;
    case FileOps::ReadError::TooLarge: return kErrTooLarge;
    case FileOps::ReadError::NoMemory: break;
    }
    return kErrNoMemory;
}

} // namespace img
